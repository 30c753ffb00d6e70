// The valve-setting window's page "From the running engine": the evidence of
// indicator cards or exhaust beats as an editable table (the readings file's
// CSV, opened and saved as whole files), and "Diagnose", which fits each
// cause alone to it off the GUI thread with progress and a cancel and shows
// the causes best first, what fits all together and what the evidence cannot
// tell apart.
#pragma once

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTextBrowser>
#include <QWidget>
#include <memory>
#include <vector>

#include "JobRunner.h"
#include "RunningDiagnosis.h"
#include "SessionModel.h"
#include "ShopSetting.h"

class RunningPage : public QWidget {
  Q_OBJECT

 public:
  RunningPage(SessionModel& model, QWidget* parent = nullptr);

  // The prepared design the evidence is judged against (none, or one not
  // prepared: nothing can be diagnosed) and the stem of the files suggested.
  void SetDesign(std::shared_ptr<const ShopSetting> prepared, const QString& suggestedFile);
  // Rows of the table, all replaced; what was diagnosed is cleared.
  void SetEvidence(const std::vector<Evidence>& rows);
  // The evidence file at path into the table, or the reason it is not read (said).
  void OpenEvidence(const QString& path);
  // The table's evidence to path (refused over the data file, said).
  void SaveEvidence(const QString& path);
  void BtOpenClick();
  void BtSaveClick();
  void BtDiagnoseClick();
  void BtCancelClick();
  // Stops a diagnosis and clears what was shown (another engine, another folder).
  void Reset();

  // The table read as an evidence file would be; a row with no value is not
  // read yet; a bad cell is named by row and column.
  struct TableRead {
    std::vector<Evidence> rows;
    QString problem;
    int row = -1;
  };
  TableRead ReadTable() const;

  bool working() const { return working_; }
  const RunningDiagnosis* diagnosis() const { return diagnosis_.get(); }

  enum Column {
    angleColumn = 0,
    endColumn,
    eventColumn,
    valueColumn,
    unitColumn,
    plusMinusColumn,
    columnCount
  };

  QTableWidget* evidenceTable;
  QPushButton* BtOpen;
  QPushButton* BtSave;
  QPushButton* BtAddRow;
  QPushButton* BtRemoveRow;
  QPushButton* BtCardRows;
  QPushButton* BtDiagnose;
  QPushButton* BtCancel;
  QProgressBar* progress;
  QLabel* LbStatus;
  QTableWidget* causeTable;
  QTextBrowser* findings;

 private:
  QWidget* BuildEvidence();
  QWidget* BuildFindings();
  void ConnectReactions();
  void AddRow(const Evidence& e, bool blank);
  void SetUnit(int row);
  void SetWorking(bool working);
  void ClearFindings();
  void Show(std::shared_ptr<const RunningDiagnosis> diagnosis);
  // Blank rows of the cards usually taken: half forward and half back gear, both ends.
  std::vector<Evidence> CardRows() const;

  SessionModel& model_;
  JobRunner jobs_;
  std::shared_ptr<const ShopSetting> prepared_;
  QString suggestedFile_;
  std::shared_ptr<const RunningDiagnosis> diagnosis_;
  bool working_ = false;
};
