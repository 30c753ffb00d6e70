// The design assistant window: for the engine of the main window's boxes, the
// free dimensions with their bounds, the setting angle and the notches; the
// default notches and the search are computed by the window's JobRunner, the
// search with live progress and a cancel, and its proposal is shown before
// against after and can be put in the main window's boxes.
#pragma once

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QWidget>
#include <array>
#include <memory>

#include "DesignSearch.h"
#include "JobRunner.h"
#include "SessionModel.h"

class QChartView;

class TAssistantForm : public QWidget {
  Q_OBJECT

 public:
  explicit TAssistantForm(SessionModel& model, QWidget* parent = nullptr);

  // Shows the window for this start engine: the default free set and bounds,
  // the session's setting angle (or 25 degrees) and, once found off the GUI
  // thread, the default notches. A search still running is dropped.
  void Open(const Engine& start);
  // The name "Put in boxes" gives the proposal: "<name> equalised", cut to 29 characters.
  static QString ProposalName(const Engine& start);

  void BtStartClick();
  void BtCancelClick();
  void BtPutInBoxesClick();

  const DesignResult* result() const { return result_.get(); }
  bool preparing() const { return preparing_; }
  bool searching() const { return searching_; }
  QCheckBox* FreeBox(int index) const { return rows_[static_cast<size_t>(index)].free; }
  QLineEdit* EdSetAngle;
  QLineEdit* EdNotches;
  QLineEdit* EdMaxEvals;
  QPushButton* BtStart;
  QPushButton* BtCancel;
  QPushButton* BtPutInBoxes;
  QPushButton* BtHelp;
  QProgressBar* progress;
  QLabel* LbBest;
  QLabel* LbStatus;
  QTableWidget* notchTable;
  QTableWidget* dimensionTable;
  QChartView* chartView;

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
  QHBoxLayout* BuildButtons(QWidget* column);
  QWidget* BuildDimensionGrid();
  QWidget* BuildOutputs();
  void ConnectReactions();
  DesignInput ReadInput() const;
  void Prepared(const std::vector<double>& notches);
  void SetPreparing(bool preparing);
  void SetSearching(bool searching);
  void ShowNoNotches();
  void ShowProgress(const DesignProgress& p);
  void ShowResult(const DesignInput& input, std::shared_ptr<const DesignResult> result);
  void ShowChart(const DesignInput& input, const DesignResult& result);
  void ShowNotchTable(const DesignInput& input, const DesignResult& result);
  void ShowDimensionTable(const DesignInput& input, const DesignResult& result);

  SessionModel& model_;
  JobRunner jobs_;
  Engine start_;
  std::array<DimensionRow, 17> rows_{};
  DesignInput input_;
  std::shared_ptr<const DesignResult> result_;
  bool preparing_ = false;
  bool searching_ = false;
};
