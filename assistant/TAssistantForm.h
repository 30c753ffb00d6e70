// The design assistant window: for the engine of the main window's boxes, the
// free dimensions by their box labels with their bounds as exact figures, the
// setting angle and valve setting, the side, the cut-off shift and the
// objective; the search runs on the window's JobRunner with live progress and
// a cancel, and its proposal is shown before against after over the start's
// whole usable range and can be put in the main window's boxes. With the
// objective "Both (trade-off)" the trade-off front is searched instead and
// plotted; the design picked on the plot or in its list is the one shown.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "DesignSearch.h"
#include "JobRunner.h"
#include "SessionModel.h"
#include "TradeOffFront.h"

class QChartView;

class TAssistantForm : public QWidget {
  Q_OBJECT

 public:
  explicit TAssistantForm(SessionModel& model, QWidget* parent = nullptr);

  // Shows the window for this start engine: the default free set and bounds
  // and the session's setting angle (or 25 degrees). A search still running
  // is dropped, and the result shown before is cleared.
  void Open(const Engine& start);
  // The name "Put in boxes" gives the proposal: "<name> equalised" in at most
  // 29 characters (FreeEngineName), numbered while `taken` says it is stored.
  static QString ProposalName(const Engine& start, const std::function<bool(const std::string&)>& taken = {});

  void BtStartClick();
  void BtCancelClick();
  void BtPutInBoxesClick();

  const DesignResult* result() const { return result_.get(); }
  // The front of the last trade-off search, and the index of its design shown.
  const TradeOffFront* front() const { return front_.get(); }
  int shownDesign() const { return shown_; }
  // Shows design `index` of the front: the tables, plots and "Put in boxes" take it.
  void PickDesign(int index);
  bool searching() const { return searching_; }
  QCheckBox* FreeBox(int index) const { return rows_[static_cast<size_t>(index)].free; }
  QLineEdit* LowerBox(int index) const { return rows_[static_cast<size_t>(index)].lower; }
  QLineEdit* UpperBox(int index) const { return rows_[static_cast<size_t>(index)].upper; }
  QLineEdit* EdSetAngle;
  QComboBox* CbValveSetting;
  QComboBox* CbSide;
  QLineEdit* EdCutOffShift;
  QLabel* LbCutOffShift;  // says which cut-off the shift holds: full gear's, or each notch's when kept
  static constexpr const char* kFullGearShiftCaption = "Full-gear cut-off may move (points)";
  QComboBox* CbObjective;
  QLineEdit* EdMaxEvals;
  QCheckBox* CkKeepNotches;
  QLineEdit* EdMidGearShift;
  QLineEdit* EdDieMargin;
  QComboBox* CbWorkLimit;
  QLineEdit* EdWorkLimit;
  QLineEdit* EdPrecision;
  QLineEdit* EdTolerance;
  QLabel* LbLimits;
  QPushButton* BtStart;
  QPushButton* BtCancel;
  QPushButton* BtPutInBoxes;
  QPushButton* BtHelp;
  QProgressBar* progress;
  QLabel* LbBest;
  QLabel* LbStatus;
  QTableWidget* summaryTable;
  QTableWidget* notchTable;
  QTableWidget* markTable;
  QTableWidget* dimensionTable;
  QChartView* inequalityView;
  QChartView* cutOffView;
  QWidget* frontPanel;
  QChartView* frontView;
  QTableWidget* frontTable;

 signals:
  // The proposal, to be shown in the main window's boxes under that name.
  void putInBoxesRequested(const Engine& proposal, const QString& name);
  void helpRequested(const QString& topic);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  struct DimensionRow {
    QCheckBox* free;
    QLabel* value;
    QLineEdit* lower;
    QLineEdit* upper;
  };

  QWidget* BuildInputs();
  QWidget* BuildChoices(QWidget* column);
  QWidget* BuildLimits(QWidget* column);
  // The drawing grid of the searched engine's unit in the precision and tolerance boxes.
  void ShowDrawingGrid();
  void ReadLimits(DesignInput& input) const;
  // The limits that bind the proposal, named in LbLimits and marked at their controls.
  void ShowBindingLimits(const DesignResult& result);
  QHBoxLayout* BuildButtons(QWidget* column);
  QVBoxLayout* BuildProgress(QWidget* column);
  QWidget* BuildDimensionGrid();
  QWidget* BuildOutputs();
  void ConnectReactions();
  // Another data folder: its engines are not the start engine, so the window
  // drops that engine, the result and any search, and waits for Open.
  void StoreOpened();
  // A search still running is dropped with what it would deliver.
  void DropSearch();
  void ShowDimensionValues();
  DesignInput ReadInput() const;
  void SetSearching(bool searching);
  void ClearResult();
  void ShowProgress(const DesignProgress& p);
  void ShowResult(const DesignInput& input, std::shared_ptr<const DesignResult> result);
  QString StatusText(const DesignResult& result) const;
  void ShowSummaryTable(const DesignResult& result);
  void ShowNotchTable(const DesignResult& result);
  void ShowMarkTable(const DesignResult& result);
  void ShowDimensionTable(const DesignInput& input, const DesignResult& result);
  QString Length(double value) const;
  // Signed, positive where the back end does more work, with the words for each end.
  static QString SignedWork(double pct, const char* back = " (back end more)",
                            const char* front = " (front end more)");
  bool TradeOffChosen() const;
  QWidget* BuildFront(QWidget* column);
  void StartFront(const DesignInput& input);
  void ShowFrontProgress(const FrontProgress& p);
  void ShowFront(const DesignInput& input, std::shared_ptr<const TradeOffFront> front);
  void ClearFront();
  QString FrontStatusText() const;

  SessionModel& model_;
  JobRunner jobs_;
  std::optional<Engine> start_;       // none until Open, and after another data folder is opened
  LengthUnit unit_ = LengthUnit::in;  // the unit of start_'s lengths
  std::array<DimensionRow, kDimensions> rows_{};
  std::vector<std::pair<const char*, QLabel*>> limitLabels_;  // a limit's key and its control's caption
  DesignInput input_;
  std::shared_ptr<const DesignResult> result_;  // with a front: the design shown, held by the front
  std::shared_ptr<const TradeOffFront> front_;
  int shown_ = 0;
  bool searching_ = false;
};
