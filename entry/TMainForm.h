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
#include "TShed.h"

// The one engine store, created by the main window and destroyed by "EXIT".
extern std::unique_ptr<TShed> Shed;

class TMainForm : public QMainWindow {
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

  explicit TMainForm(QWidget* parent = nullptr);

  // Operations on the boxes.
  int TransferEntries();
  void ShowEngine();
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
  void VardenlykeHelp1Click();
  void AboutVardenlyke1Click();
  void ChBDimsClick();

  // The box of a record field, in the order of Boxes().
  QLineEdit* Box(int index) const { return boxes_[static_cast<size_t>(index)]; }
  QLineEdit* BoxNamed(const QString& name) const;
  int engineCount() const { return engineCount_; }
  bool missing() const { return missing_; }
  double diagramWidth = 0;
  double diagramHeight = 0;

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

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void BuildControls(QWidget* surface);
  void BuildNewEngineControls(QWidget* surface);
  void BuildButtons(QWidget* surface);
  void BuildDimensionBoxes(QWidget* surface);
  QGroupBox* BuildRadioGroup(QWidget* surface, const QString& caption, const QStringList& items, int left,
                             int top, int width, int height, QButtonGroup*& group);
  void BuildMenu();
  void SetTabOrder();
  void ConnectReactions();
  void AddListedName(const std::string& nameBytes);
  void ClearGroup(QButtonGroup* group);
  void SelectItem(QButtonGroup* group, int id);
  void EnterToNext(int key);
  void BoxEnter(int index);
  void BoxExit(int index);

  std::array<QLineEdit*, 17> boxes_{};
  bool missing_ = false;
  std::int32_t engineCount_ = 0;
  QString selectedName_;
};
