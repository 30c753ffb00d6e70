// The assistant's outputs: the status, the two plots over the whole usable
// range, the figures of the range before and after, the listed notches
// (before -> after), the notch marks before -> after and the free dimensions with the changed ones
// highlighted (their bounds stand beside the boxes). The dimension table shows the proposal's values in the
// digits "Put in boxes" puts, so what is shown is what goes in.
#include <QChartView>
#include <QHeaderView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "Angles.h"
#include "AssistantCharts.h"
#include "BoxText.h"
#include "MidGear.h"
#include "NotchMarks.h"
#include "NumberFormat.h"
#include "TAssistantForm.h"

namespace {

constexpr double kListStepDeg = 5;
const char* const kInequalityTitle = "The inequality over the usable range";
const char* const kCutOffTitle = "Cut-off at the back and the front, before dashed";

QTableWidget* Table(QWidget* parent, const QString& name, const QStringList& headers) {
  auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
  table->setObjectName(name);
  table->setHorizontalHeaderLabels(headers);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->verticalHeader()->setVisible(false);
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
  table->setWordWrap(false);
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table->horizontalHeader()->setStretchLastSection(true);
  return table;
}

// A view no narrower than its chart's title, which the chart would cut to
// "..." (the outputs scroll instead on a small or scaled screen).
void KeepTitleWhole(QChartView* view) {
  const QChart* chart = view->chart();
  // The chart's margins and the spacing Qt Charts keeps round its title and plot.
  const QMargins margins = chart->margins();
  view->setMinimumWidth(QFontMetrics(chart->titleFont()).horizontalAdvance(chart->title()) + margins.left() +
                        margins.right() + 80);
}

QChartView* ChartView(QWidget* parent, const QString& name, const QString& title) {
  auto* view = new QChartView(AssistantCharts::Empty(title), parent);
  view->setObjectName(name);
  view->setRenderHint(QPainter::Antialiasing);
  view->setMinimumHeight(280);
  KeepTitleWhole(view);
  return view;
}

void SetChart(QChartView* view, QChart* chart) {
  QChart* old = view->chart();
  view->setChart(chart);
  delete old;
  KeepTitleWhole(view);
}

QString Figure(const std::optional<double>& value) {
  return value ? BoxText::Format(*value) : QString("none");
}

QString Change(const QString& before, const QString& after) {
  return before == after ? before : before + " -> " + after;
}

void SetRow(QTableWidget* table, int row, const QStringList& cells) {
  for (int c = 0; c < cells.size(); ++c) table->setItem(row, c, new QTableWidgetItem(cells[c]));
}

QString Range(const std::optional<UsableRange>& range) {
  return range ? BoxText::Format(range->loDeg) + " .. " + BoxText::Format(range->hiDeg) : QString("none");
}

QString MidGear(const DesignFigures& f) {
  return QString::fromStdString(MidGearText(DegreesToRadians(f.midGearDeg), BoxText::DecimalSeparator()))
      .trimmed();
}

// The notches listed: the range's ends and every 5 degrees.
std::vector<std::size_t> Listed(const DesignResult& r) {
  std::vector<std::size_t> listed;
  for (std::size_t i = 0; i < r.notchesDeg.size(); ++i)
    if (i == 0 || i + 1 == r.notchesDeg.size() || std::fmod(r.notchesDeg[i], kListStepDeg) == 0)
      listed.push_back(i);
  return listed;
}

bool Changed(const DesignInput& input, const Engine& proposal) {
  return std::any_of(input.free.begin(), input.free.end(), [&](const FreeDimension& d) {
    const auto field = FindDesignDimension(d.name)->field;
    return input.start.*field != proposal.*field;
  });
}

}  // namespace

QWidget* TAssistantForm::BuildOutputs() {
  auto* column = new QWidget(this);
  auto* layout = new QVBoxLayout(column);
  auto* charts = new QHBoxLayout;
  inequalityView = ChartView(column, "inequalityView", kInequalityTitle);
  cutOffView = ChartView(column, "cutOffView", kCutOffTitle);
  charts->addWidget(inequalityView);
  charts->addWidget(cutOffView);
  layout->addLayout(charts, 3);
  layout->addWidget(BuildFront(column), 3);
  summaryTable = Table(column, "summaryTable", {"Every 0.5 deg. of the usable range", "Before", "After"});
  dimensionTable = Table(column, "dimensionTable", {"Dimension", "Before", "After"});
  // The captions give way (elided, whole in the tooltip) so that Before and After stay in view.
  dimensionTable->horizontalHeader()->setStretchLastSection(false);
  dimensionTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  dimensionTable->setTextElideMode(Qt::ElideRight);
  // Tables keep a readable height: with the trade-off shown the outputs scroll instead.
  for (QTableWidget* table : {summaryTable, dimensionTable}) table->setMinimumHeight(150);
  layout->addWidget(summaryTable, 2);
  // A row of its own, so that every caption reads whole beside its two figures.
  layout->addWidget(dimensionTable, 2);
  notchTable = Table(column, "notchTable", {});
  notchTable->setToolTip("Before -> after; the port openings are the maximum openings at each end");
  notchTable->setMinimumHeight(110);
  layout->addWidget(notchTable, 2);
  markTable = Table(column, "markTable",
                    {"Notch marks: mean cut-off (%)", "Lifting arm down (deg.)", "Lifting arm up (deg.)"});
  markTable->setToolTip(
      "Where the quadrant is marked: the lifting-arm angle at each mean cut-off, before -> after");
  markTable->setMinimumHeight(110);
  layout->addWidget(markTable, 2);
  return column;
}

void TAssistantForm::ClearResult() {
  result_.reset();
  ClearFront();
  BtPutInBoxes->setEnabled(false);
  LbBest->clear();
  LbLimits->clear();
  EdCutOffShift->setStyleSheet("");
  for (auto& [key, label] : limitLabels_) label->setStyleSheet("");
  SetChart(inequalityView, AssistantCharts::Empty(kInequalityTitle));
  SetChart(cutOffView, AssistantCharts::Empty(kCutOffTitle));
  for (QTableWidget* table : {summaryTable, notchTable, markTable, dimensionTable}) table->setRowCount(0);
}

QString TAssistantForm::StatusText(const DesignResult& r) const {
  if (r.status == DesignStatus::cannotStart)
    return "The search cannot start. " + QString::fromStdString(r.problem);
  const QString figure =
      input_.rules.objective == DesignObjective::work ? "worst work imbalance" : "worst cut-off inequality";
  QString text = QString("Status: %1. The %2 over the usable range: %3 -> %4 %; %5 evaluations in %6 s.")
                     .arg(::StatusText(r.status), figure, Figure(r.beforeObjective), Figure(r.afterObjective))
                     .arg(r.evaluations)
                     .arg(BoxText::Format(r.seconds));
  for (const Breach& breach : r.startBreaches)
    text += " The start breaks a constraint: " + QString::fromStdString(BreachText(breach)) +
            " The proposal does no worse there.";
  if (const std::string why = NoBetterDesignText(r, input_, unit_); !why.empty())
    text += " " + QString::fromStdString(why);
  if (r.status == DesignStatus::improved && r.tolerance.worstObjective)
    text += " Within the tolerances the " + figure + " is " +
            QString::fromStdString(FormatGeneral4(*r.tolerance.worstObjective)) + ".";
  if (!r.atBound.empty()) text += " Values in red italics stopped on a bound of the search.";
  // The study's default step is a degree: said here, so the two windows' figures are not taken to disagree.
  text +=
      " Figures are measured every 0.5 deg. of each design's own usable range; a quadrant study with "
      "notch step 0.5 and the auto range shows the same.";
  return text;
}

void TAssistantForm::ShowResult(const DesignInput& input, std::shared_ptr<const DesignResult> result) {
  SetSearching(false);
  input_ = input;
  result_ = std::move(result);
  const DesignResult& r = *result_;
  // A search may converge before its limit: the bar ends full all the same,
  // unless it was cancelled; a search that could not start leaves it empty.
  if (r.status == DesignStatus::cannotStart)
    progress->reset();
  else
    progress->setValue(r.status == DesignStatus::cancelled ? std::min(r.evaluations, progress->maximum())
                                                           : progress->maximum());
  LbStatus->setText(StatusText(r));
  LbBest->setText(r.afterObjective ? "Proposal: " + Figure(r.afterObjective) + " %" : "");
  BtPutInBoxes->setEnabled(r.status != DesignStatus::cannotStart && Changed(input_, r.proposal));
  if (r.status == DesignStatus::cannotStart) return;
  SetChart(inequalityView, AssistantCharts::Inequality(r, input_.rules));
  SetChart(cutOffView, AssistantCharts::CutOffs(r));
  ShowSummaryTable(r);
  ShowBindingLimits(r);
  ShowNotchTable(r);
  ShowMarkTable(r);
  ShowDimensionTable(input_, r);
}

void TAssistantForm::ShowSummaryTable(const DesignResult& r) {
  const DesignSummary &b = r.beforeSummary, &a = r.afterSummary;
  const auto lengths = [&](const std::optional<double>& lo, const std::optional<double>& hi) {
    return lo && hi ? Length(*lo) + " .. " + Length(*hi) : QString("none");
  };
  const auto length = [&](const std::optional<double>& v) { return v ? Length(*v) : QString("none"); };
  const auto work = [](const std::optional<double>& v) { return v ? SignedWork(*v) : QString("none"); };
  const QList<QStringList> rows = {
      {"Worst cut-off inequality (%)", Figure(b.study.worstInequality), Figure(a.study.worstInequality)},
      {"  below mid-gear (down)", Figure(b.study.worstInequalityDown), Figure(a.study.worstInequalityDown)},
      {"  above mid-gear (up)", Figure(b.study.worstInequalityUp), Figure(a.study.worstInequalityUp)},
      {"Worst work imbalance (%)", work(b.worstWorkImbalanceSignedPct), work(a.worstWorkImbalanceSignedPct)},
      {"Usable range (deg.)", Range(r.range), Range(r.afterRange)},
      {"Mid-gear direction", MidGear(r.before), MidGear(r.after)},
      {"Leads, working notches", lengths(b.study.leadMin, b.study.leadMax),
       lengths(a.study.leadMin, a.study.leadMax)},
      {"Leads, every notch", lengths(b.leadMin, b.leadMax), lengths(a.leadMin, a.leadMax)},
      {"Smallest max. port opening", length(b.study.smallestPortOpening),
       length(a.study.smallestPortOpening)},
      {"Largest die deflection", length(b.largestDieDeflection), length(a.largestDieDeflection)},
      {"Worst die slip", length(b.study.worstDieSlip), length(a.study.worstDieSlip)}};
  summaryTable->setRowCount(static_cast<int>(rows.size()));
  for (int i = 0; i < rows.size(); ++i) SetRow(summaryTable, i, rows[i]);
  // Before and After stay in view: the table keeps the width of its contents.
  const QFontMetrics metrics = summaryTable->fontMetrics();
  int width = 2 * summaryTable->frameWidth() + 4;
  for (int c = 0; c < summaryTable->columnCount(); ++c) {
    int column = summaryTable->horizontalHeader()->sectionSizeHint(c);
    for (int row = 0; row < summaryTable->rowCount(); ++row)
      column = std::max(column, metrics.horizontalAdvance(summaryTable->item(row, c)->text()) + 16);
    width += column;
  }
  summaryTable->setMinimumWidth(width);
}

void TAssistantForm::ShowNotchTable(const DesignResult& r) {
  const QString unit = QString::fromStdString(UnitSuffix(Quantity::length, unit_));
  notchTable->setColumnCount(8);
  notchTable->setHorizontalHeaderLabels({"Notch (deg.)", "Cut-off back (%)", "Cut-off front (%)",
                                         "|Back - front|", "Lead back" + unit, "Lead front" + unit,
                                         "Port opening back" + unit, "Port opening front" + unit});
  const std::vector<std::size_t> listed = Listed(r);
  notchTable->setRowCount(static_cast<int>(listed.size()));
  for (std::size_t row = 0; row < listed.size(); ++row) {
    const auto cell = [&](const std::function<QString(const RunResults&)>& of) {
      const StudyRow &b = r.before.notches[listed[row]].row, &a = r.after.notches[listed[row]].row;
      return Change(b.ok() ? of(b.results) : "fails", a.ok() ? of(a.results) : "fails");
    };
    const auto event = [](ValveEvent e) {
      return [e](const RunResults& res) {
        return res.eventFound[e] ? BoxText::Format(res.eventPct[e]) : "none";
      };
    };
    const auto member = [](double RunResults::*m) {
      return [m](const RunResults& res) { return BoxText::Format(res.*m); };
    };
    SetRow(notchTable, static_cast<int>(row),
           {BoxText::Format(r.notchesDeg[listed[row]]), cell(event(cutOffBack)), cell(event(cutOffFront)),
            cell([](const RunResults& res) {
              return BoxText::Format(std::fabs(res.eventPct[cutOffBack] - res.eventPct[cutOffFront]));
            }),
            cell(member(&RunResults::leadBack)), cell(member(&RunResults::leadFront)),
            cell(member(&RunResults::portOpenBack)), cell(member(&RunResults::portOpenFront))});
  }
}

// The marks of the proposal are read over its own usable range, as its study reads them.
void TAssistantForm::ShowMarkTable(const DesignResult& r) {
  const std::vector<NotchMark> before = NotchMarks(r.before), after = NotchMarks(r.afterOwn);
  const auto angle = [](const std::optional<double>& deg) {
    return deg ? BoxText::Format(*deg) : QString("not reached");
  };
  markTable->setRowCount(static_cast<int>(before.size()));
  for (std::size_t i = 0; i < before.size() && i < after.size(); ++i)
    SetRow(markTable, static_cast<int>(i),
           {BoxText::Format(before[i].cutOffPct), Change(angle(before[i].downDeg), angle(after[i].downDeg)),
            Change(angle(before[i].upDeg), angle(after[i].upDeg))});
}

void TAssistantForm::ShowDimensionTable(const DesignInput& input, const DesignResult& r) {
  dimensionTable->setRowCount(static_cast<int>(input.free.size()));
  for (std::size_t i = 0; i < input.free.size(); ++i) {
    const FreeDimension& d = input.free[i];
    const DesignDimension dimension = *FindDesignDimension(d.name);
    const double from = input.start.*dimension.field, to = r.proposal.*dimension.field;
    const bool onBound = std::find(r.atBound.begin(), r.atBound.end(), d.name) != r.atBound.end();
    const QStringList cells = {dimension.caption, BoxText::FormatFaithful(from), BoxText::FormatFaithful(to)};
    for (int c = 0; c < cells.size(); ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      if (c == 0) item->setToolTip(cells[c]);
      if (from != to) {
        item->setBackground(QColor(255, 236, 140));
        QFont bold = item->font();
        bold.setBold(true);
        item->setFont(bold);
      }
      // The proposal's value keeps the text the boxes take; a bound that stopped it is marked apart.
      if (onBound && c == 2) {
        item->setForeground(QColor(180, 0, 0));
        item->setToolTip("Stopped on a bound of the search");
        QFont marked = item->font();
        marked.setItalic(true);
        item->setFont(marked);
      }
      dimensionTable->setItem(static_cast<int>(i), c, item);
    }
  }
}
