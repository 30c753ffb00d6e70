// The "GEAR REVIEW" window: for an engine handed to it (the main window's
// boxes or the engine the study runs), the checks as a table with coloured
// verdicts, the sensitivities as a table of dimensions by figures coloured by
// size, and the suggested fixes filled in as they are found; the work runs on
// the window's JobRunner with progress and a cancel. "Try it" hands the
// changed engine to the main window's boxes, unsaved, under a free name.
// With a play given (the total lost motion b, or a play file) the worn gear
// is judged too: accept, accept and watch, or re-bush, the joints ranked.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTextDocument>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "GearReview.h"
#include "JobRunner.h"
#include "PlayVerdict.h"
#include "ReviewFixes.h"
#include "ReviewSensitivity.h"
#include "SessionModel.h"

// What a sensitivity is, said above its table and on the printed page.
inline constexpr const char* kSensitivityNote =
    "Sensitivities: the change of each figure, in the column's unit, for a change of 1 % of the dimension "
    "(of one unit for a dimension that is zero). \"lost\": a change either way loses a notch of the usable "
    "range.";

class TReviewForm : public QWidget {
  Q_OBJECT

 public:
  explicit TReviewForm(SessionModel& model, QWidget* parent = nullptr);

  // Shows the window for this engine, valves set as the session last set them
  // for it (else at 25 deg. for equal leads), and starts the review.
  void Open(const Engine& engine);

  void BtReviewClick();
  void BtCancelClick();
  void BtTryItClick();
  void PdfClick();
  void PrintClick();
  void ExportPdf(const QString& path);
  void BtPlayFileClick();
  // Judges the play given on the review shown (a bad play is said).
  void BtJudgePlayClick();

  bool working() const { return working_; }
  const GearReview* review() const { return review_.get(); }
  const std::vector<ReviewFix>& fixes() const { return fixes_; }
  const PlayVerdict* playVerdict() const { return playVerdict_ ? &*playVerdict_ : nullptr; }
  // The name "Try it" gives the fix of that row: the engine's name and the
  // changed dimension's caption, numbered past every stored name.
  QString TryItName(const ReviewFix& fix);
  // The review as printed, laid out for the pages of `device`.
  void FillDocument(QTextDocument& document, QPaintDevice& device) const;

  QLabel* LbEngine;
  QLineEdit* EdSetAngle;
  QComboBox* CbValveSetting;
  QPushButton* BtReview;
  QPushButton* BtCancel;
  QPushButton* BtTryIt;
  QPushButton* BtPdf;
  QPushButton* BtPrint;
  QPushButton* BtHelp;
  QProgressBar* progress;
  QLabel* LbStatus;
  QTableWidget* checkTable;
  QTableWidget* sensitivityTable;
  QTableWidget* fixTable;
  QLabel* LbPlayGiven;
  QLineEdit* EdPlay;
  QPushButton* BtPlayFile;
  QPushButton* BtJudgePlay;
  QLabel* LbPlay;
  QTableWidget* playTable;

 signals:
  // The changed engine, to be shown in the main window's boxes under that name.
  void tryItRequested(const Engine& engine, const QString& name);
  void helpRequested(const QString& topic);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* BuildControls();
  QWidget* BuildPlay();
  // The play in the box for the engine; none when the box is empty or the
  // play is bad (then said).
  std::optional<GearPlay> PlayGiven();
  void ShowPlay(const PlayVerdict& verdict);
  void ClearPlay();
  void ConnectReactions();
  void StartReview();
  void SetWorking(bool working);
  void ClearResults();
  void ShowChecks(std::shared_ptr<const GearReview> review);
  void ShowSensitivities(std::shared_ptr<const SensitivityTable> table, int fixSearches);
  void AddFix(const ReviewFix& fix);
  void Finished(const QString& status);
  void FillCheckRow(int row, std::size_t check);
  void FillSensitivityColumn(int column, std::size_t check);
  QTableWidgetItem* SensitivityRowHeader(std::size_t dimension) const;
  QString SuggestedPdf() const;

  SessionModel& model_;
  JobRunner jobs_;
  std::optional<Engine> engine_;
  std::shared_ptr<const GearReview> review_;
  std::shared_ptr<const SensitivityTable> table_;
  std::vector<ReviewFix> fixes_;
  std::optional<PlayVerdict> playVerdict_;
  bool working_ = false;
};
