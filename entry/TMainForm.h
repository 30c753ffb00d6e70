// The data-entry window: picking, naming and editing an engine in seventeen
// dimension boxes and two option groups, and the engine commands on them.
#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <cstdint>
#include <memory>

#include "EngineRecord.h"
#include "SessionModel.h"
#include "TShed.h"

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  // Where a dimension box sits and which record field it edits.
  struct DimensionBox {
    const char* name;
    const char* caption;
    double EngineRecord::*field;
    bool rightColumn;
    int top;
    int readOrder;  // 1..17: order of reading and showing
    int marking;    // 0..12 in the dimension diagram, or -1
  };
  static const std::array<DimensionBox, 17>& Boxes();

  explicit TMainForm(SessionModel& model, QWidget* parent = nullptr);

  // Takes the engine store (created where the windows are wired), lists its
  // names, empties and locks the boxes; "EXIT" destroys it.
  void OpenStore(std::unique_ptr<TShed> store);
  // Shows in the File menu which data file the store works on.
  void ShowDataFile(const QString& path);
  TShed* store() const { return shed_.get(); }
  // Takes a name the store lists; ListStoredNames puts them in the engine list.
  void AddListedName(const std::string& nameBytes);
  // The engine last selected or read from the boxes.
  const EngineRecord& engine() const { return engine_; }

  // Operations on the boxes.
  int TransferEntries();
  // Makes the record the window's engine and shows it in the boxes.
  void ShowEngine(const EngineRecord& record);
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

  // Shows a proposed engine in the boxes under that name (cut to 29
  // characters) as an unsaved engine: the reserved field kept from the window's
  // engine, nothing stored until the user saves.
  void ShowProposal(const Engine& proposal, const QString& name);

  // The box of a record field, in the order of Boxes().
  QLineEdit* Box(int index) const { return boxes_[static_cast<size_t>(index)]; }
  QLineEdit* BoxNamed(const QString& name) const;
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
  void BuildFileMenu();
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

  SessionModel& model_;
  std::unique_ptr<TShed> shed_;
  EngineRecord engine_{};
  std::array<QLineEdit*, 17> boxes_{};
  bool missing_ = false;
  std::int32_t engineCount_ = 0;
  QString selectedName_;
  QStringList listedNames_;
};
