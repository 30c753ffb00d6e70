// The "VALVE SETTING" window: for an engine handed to it (the main window's
// boxes), the fitter's readings as an editable table pre-filled with the
// recommended rows, the adjustments the engine allows, the target and the
// shop's steps; "Fit" runs the fit and the corrections on the window's
// JobRunner with progress and a cancel, and shows the deviations, the notes,
// the corrections with their predicted readings and the valve diagram of the
// gear as built beside the corrected one; a record sheet prints or goes to PDF.
// A second page, "From the running engine", judges indicator cards or exhaust
// beats instead of shop readings.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "JobRunner.h"
#include "RunningPage.h"
#include "SessionModel.h"
#include "SettingDiagram.h"
#include "ShopSetting.h"

class TSettingForm : public QWidget {
  Q_OBJECT

 public:
  explicit TSettingForm(SessionModel& model, QWidget* parent = nullptr);

  // Shows the window for this engine in this length unit, clears what was
  // shown and prepares the design: the usable range, the rods' names and the
  // recommended readings, which fill the table.
  void Open(const Engine& engine, LengthUnit unit);

  void BtFitClick();
  void BtCancelClick();
  void BtOpenClick();
  void BtSaveClick();
  void PdfClick();
  void PrintClick();
  // The readings file at path into the table, or the reason it is not read (said).
  void OpenReadings(const QString& path);
  // The table's readings to path (refused over the data file, said).
  void SaveReadings(const QString& path);
  void ExportPdf(const QString& path);

  // Rows of the table, all replaced.
  void SetReadings(const std::vector<Reading>& readings);
  // The table read as a readings file would be; a bad cell is named by row and column.
  struct TableRead {
    std::vector<Reading> readings;
    QString problem;
    int row = -1;  // the table row at fault, or -1
  };
  TableRead ReadTable() const;

  bool working() const { return working_; }
  const ShopSetting* prepared() const { return prepared_.get(); }
  const ShopSetting* setting() const { return result_ ? &result_->setting : nullptr; }
  int chosenOption() const { return chosen_; }
  // The record sheet as the printer and the PDF get it.
  QString SheetHtml() const;

  QLabel* LbEngine;
  QLineEdit* EdSide;
  QLineEdit* EdSetAngle;
  QComboBox* CbValveSetting;
  QComboBox* CbTarget;
  QLineEdit* EdTargetAngle;
  QLineEdit* EdLengthStep;
  QLineEdit* EdAngleStep;
  QCheckBox* CkSpindle;
  QCheckBox* CkRod1;
  QCheckBox* CkRod2;
  QCheckBox* CkAdvance1;
  QCheckBox* CkAdvance2;
  QCheckBox* CkOneCasting;
  QPushButton* BtFit;
  QPushButton* BtCancel;
  QPushButton* BtOpen;
  QPushButton* BtSave;
  QPushButton* BtAddRow;
  QPushButton* BtRemoveRow;
  QPushButton* BtRecommended;
  QPushButton* BtPdf;
  QPushButton* BtPrint;
  QPushButton* BtHelp;
  QProgressBar* progress;
  QLabel* LbStatus;
  QTableWidget* readingTable;
  QTableWidget* deviationTable;
  QTextBrowser* notes;
  QTableWidget* correctionTable;
  QLabel* LbOrder;
  QTableWidget* predictedTable;
  SettingDiagram* diagram;
  // The readings and their fit on the first page, the running engine's evidence on the second.
  QTabWidget* pages;
  RunningPage* runningPage;

  // The readings table's columns.
  enum Column {
    angleColumn = 0,
    endColumn,
    eventColumn,
    valueColumn,
    unitColumn,
    plusMinusColumn,
    fittedColumn,
    residualColumn,
    columnCount
  };

 signals:
  void helpRequested(const QString& topic);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // What the fit's job hands back: the setting and the runs the diagram draws.
  struct FitResult {
    ShopSetting setting;
    SettingDiagram::Runs design, asBuilt;
    std::vector<SettingDiagram::Runs> corrected;  // one per option
    std::vector<double> designFigures;            // of the predicted rows, on the design
  };

  QWidget* BuildControls();
  QLayout* BuildSettingRow(QWidget* box);
  QLayout* BuildCommands(QWidget* box);
  QWidget* BuildAdjustments();
  QWidget* BuildReadings();
  QWidget* BuildResults();
  void ConnectReactions();
  // The table's, the check boxes', the model's and the progress timer's.
  void ConnectTableReactions();
  void SetWorking(bool working);
  void ClearResults();
  void Prepared(std::shared_ptr<const ShopSetting> prepared);
  void NameAdjustments();
  ShopSettingRequest Request(const std::vector<Reading>& readings) const;
  std::vector<Adjustment> Allowed() const;
  void Finished(std::shared_ptr<const FitResult> result);
  void Fail(const QString& status);
  void ShowDeviations();
  void ShowNotes();
  void MarkReadings();
  void MarkRefused(const std::string& problem);
  // A blank row the fit needs read, marked as one to add.
  void MarkToAdd(int row, const Reading& blank);
  void ShowCorrections();
  void ChooseOption(int option);
  void AddRow(const Reading& reading);
  void SetUnitChoices(int row, ReadingEvent event);
  void FitReadingColumns();
  // A row's lists: the event chooses the units offered, either sets the usual precision.
  void WatchRowLists(QComboBox* end, QComboBox* event, QComboBox* unit);
  // A reading changed by hand: a fit shown no longer belongs to the table.
  void ReadingsEdited();
  QString SuggestedName(const QString& what, const QString& suffix) const;
  // The usable range and which rod runs to which pin, for the heading and the sheet.
  QString GearSentence() const;
  QString ReadingsSheetHtml() const;
  QString ResultSheetHtml() const;

  SessionModel& model_;
  JobRunner jobs_;
  std::optional<Engine> engine_;
  LengthUnit unit_ = LengthUnit::none;
  std::shared_ptr<const ShopSetting> prepared_;
  std::shared_ptr<const FitResult> result_;
  QString notesHtml_;
  int chosen_ = -1;
  bool working_ = false;
};
