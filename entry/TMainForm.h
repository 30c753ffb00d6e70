// The data-entry window: picking, naming and editing an engine in the
// dimension boxes (one per dimension of the engine's description, placed by a
// layout table keyed by the dimension) and two option groups, and the engine
// commands on them, which the session model carries out on its store.
#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "EngineSchema.h"
#include "SessionModel.h"

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  // Where the box of the dimension with that key sits.
  struct BoxPlace {
    const char* key;   // the dimension's key in EngineDimensions()
    const char* name;  // the box's object name
    bool rightColumn;
    int top;
    int readOrder;  // 1..17: order of reading and showing
    int marking;    // 0..12 in the dimension diagram, or -1
  };
  static const std::array<BoxPlace, kDimensions>& Places();

  // How reading the boxes ended, with the sentence the user is shown.
  struct Transfer {
    enum class Kind { read, noName, dataMissing };
    Kind kind = Kind::read;
    std::string message;
    bool ok() const { return kind == Kind::read; }
  };

  explicit TMainForm(SessionModel& model, QWidget* parent = nullptr);

  // The model has opened a store: its names are listed, the boxes emptied
  // and locked.
  void StoreOpened();
  // Shows in the File menu which data file the store works on.
  void ShowDataFile(const QString& path);
  // The engine last selected or read from the boxes.
  const Engine& engine() const { return engine_; }
  // The unit of the lengths in the boxes: the data file's, or a scaled
  // engine's own until it is saved.
  LengthUnit boxesUnit() const { return boxesUnit_; }
  // Whether the boxes hold what no stored engine holds: changed since they
  // were shown from the store or saved, or an engine never saved.
  bool BoxesUnsaved() const;
  // Whether any dimension box holds text.
  bool HoldsFigures() const;
  // Before the boxes are dropped (exit, another engine, another folder):
  // when they are unsaved, asks Save / Discard / Cancel (Cancel the default).
  // True when the boxes may go: saved, discarded or nothing to lose.
  bool MayDropBoxes();

  // Operations on the boxes.
  Transfer TransferEntries();
  // Makes the engine the window's engine and shows it in the boxes.
  void ShowEngine(const Engine& engine);
  void ClearEntries();
  void EnableEntries(bool enabled);
  void RadioGroup2Click();

  // Commands.
  void FormActivate();
  void CB_EnginesClick();
  void EdNewEngChange();
  void BtSaveClick();
  void BtDeleteClick();
  void BtResultsClick();
  void BtViewrockClick();
  void BtPrintClick();
  void BtExitClick();
  void OpenFolder1Click();
  void VardenlykeHelp1Click();
  void AboutVardenlyke1Click();
  void QuadrantStudy1Click();
  void ChBDimsClick();
  void DesignAssistant1Click();
  void ReviewGear1Click();
  void ValveSetting1Click();
  void ScaleEngine1Click();
  void Undo1Click();
  void CopyEngine1Click();
  void LengthUnitClick(LengthUnit unit);
  // Captions of the length boxes and the File menu's check follow the model's unit.
  void ShowLengthUnit();

  // "Put in boxes": shows a proposed engine in the boxes as an unsaved engine,
  // under that name made free in the data file, after asking whether to keep
  // unsaved boxes; Edit > Undo brings the boxes before it back once.
  void ShowProposal(const Engine& proposal, const QString& name);

  // Where "Copy engine to…" asks for the data folder (a test answers it).
  std::function<QString(QWidget*)> chooseCopyFolder;

  // The box of a dimension and its caption, in the order of Places().
  QLineEdit* Box(int index) const { return boxes_[static_cast<size_t>(index)]; }
  QLabel* Caption(int index) const { return captions_[static_cast<size_t>(index)]; }
  QLineEdit* BoxNamed(const QString& name) const;
  QAction* LengthUnitAction(LengthUnit unit) const { return unitActions_[static_cast<size_t>(unit)]; }
  int engineCount() const { return engineCount_; }
  bool missing() const { return missing_; }

  QComboBox* CB_Engines;
  QLineEdit* EdName;
  QCheckBox* ChBDims;
  QLineEdit* EdNewEng;
  QGroupBox* RadioGroup1;
  QButtonGroup* valveGroup;
  QGroupBox* RadioGroup2;
  QButtonGroup* rockerGroup;
  QLineEdit* EdRocker;
  QPushButton* BtViewrock;
  QPushButton* BtSave;
  QPushButton* BtDelete;
  QPushButton* BtResults;
  QPushButton* BtPrint;
  QPushButton* BtExit;
  QAction* DataFile1;
  QAction* Undo1;
  QAction* CopyEngine1;
  // The unit after each length box (empty without one), in the order of Places().
  QLabel* UnitLabel(int index) const { return unitLabels_[static_cast<size_t>(index)]; }

 signals:
  // The window became active (the results and animation windows close then).
  void activated();
  void dimensionsShown(bool shown);
  // Entering (highlight) or leaving a box with a marking in the dimension diagram.
  void dimensionMarked(int marking, bool highlight);
  void rockerTypesRequested();
  void aboutRequested();
  void studyRequested();
  void helpRequested(const QString& topic);
  // The user asked to work on the data file of another folder.
  void openFolderRequested();
  // The design assistant is asked for, for the engine read from the boxes.
  void designAssistantRequested(const Engine& start);
  // The gear review of the engine in the boxes.
  void reviewRequested(const Engine& engine);
  // The valve setting of the engine in the boxes, in the boxes' length unit.
  void valveSettingRequested(const Engine& engine, LengthUnit unit);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls(QWidget* surface);
  void BuildNewEngineControls(QWidget* surface);
  void BuildButtons(QWidget* surface);
  void BuildDimensionBoxes(QWidget* surface);
  QGroupBox* BuildRadioGroup(QWidget* surface, const QString& caption, const QStringList& items, int left,
                             int top, int width, int height, QButtonGroup*& group);
  void BuildMenu();
  void BuildEditMenu();
  void BuildFileMenu();
  void BuildLengthUnitMenu(QMenu* file);
  void BuildToolsMenu();
  void SetTabOrder();
  void TabToChoice(QButtonGroup* group);
  void ConnectReactions();
  void ClearGroup(QButtonGroup* group);
  void SelectItem(QButtonGroup* group, int id);
  // The box's number; a conversion error names the box when it shows a
  // stored value that is not a finite number.
  double ReadDimension(int index);
  void EnterToNext(int key);
  int ListStoredNames();
  void BoxEnter(int index);
  void BoxExit(int index);

  // What the user sees in the boxes: the name, every box and both choices.
  QStringList BoxesState() const;
  // Takes the present boxes as the ones stored (shown from the store or saved).
  void BoxesStored();
  // The boxes as they were, for Edit > Undo.
  struct KeptBoxes {
    QStringList state;
    Engine engine;
    std::string storedOrigin;
    QStringList storedState;
    LengthUnit unit;
    bool enabled;
  };
  void KeepForUndo();
  // Empties "NEW  ENGINE" without its reaction (a pick, a delete, Undo).
  void ClearNewName();
  // Shows an engine made from the boxes' (scaled, proposed) as unsaved, in `unit`.
  void PutInBoxes(const Engine& engine, const QString& name, LengthUnit unit);
  void SetBoxesUnit(LengthUnit unit);
  // The save of the boxes with its questions; true when the engine was stored.
  bool SaveBoxes();
  // Asks before a save would replace a stored engine the boxes did not come
  // from, or put an engine in one unit into a data file of another.
  bool MaySaveOver();
  std::string ChangedDimensions(const Engine& stored) const;
  // Shows a store's outcome when it has something to say.
  static void Tell(const StoreOutcome& outcome);
  const DimensionSpec& Dimension(int index) const;

  SessionModel& model_;
  Engine engine_;
  std::array<QLineEdit*, kDimensions> boxes_{};
  std::array<QLabel*, kDimensions> captions_{};
  std::array<QLabel*, kDimensions> unitLabels_{};
  std::array<QAction*, 3> unitActions_{};
  bool missing_ = false;
  std::int32_t engineCount_ = 0;
  QString selectedName_;
  // The name (record bytes) of the stored engine the boxes were shown from,
  // or saved as; empty when they hold an engine made otherwise.
  std::string storedOrigin_;
  QStringList storedState_;
  std::optional<KeptBoxes> undo_;
  LengthUnit boxesUnit_ = LengthUnit::none;
  bool boxesOwnUnit_ = false;  // a scaled engine's unit, not the data file's
  bool exiting_ = false;       // EXIT has asked about the boxes already
  bool naming_ = false;        // a name is being typed under "NEW  ENGINE"
};
