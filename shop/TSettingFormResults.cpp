// What a fit shows: the deviations in the fitter's words with their one
// sigma, the notes (what the readings cannot separate, what to add, the
// suspect readings, what would reach the target), the corrections fewest
// operations first, and for the option chosen its order of work, its
// predicted readings beside the design's and the valve diagram.
#include <QHeaderView>
#include <cmath>

#include "BoxText.h"
#include "TSettingForm.h"

namespace {

QString Text(const std::string& s) {
  return QString::fromStdString(s);
}

QString Capital(QString s) {
  if (!s.isEmpty()) s[0] = s[0].toUpper();
  return s;
}

QTableWidgetItem* Cell(const QString& text, const QString& tip = {}) {
  auto* item = new QTableWidgetItem(text);
  if (!tip.isEmpty()) item->setToolTip(tip);
  return item;
}

QString Amount(const SettingDesign& d, int j, double v) {
  return IsAngleDeviation(j) ? Text(AngleWords(v))
                             : BoxText::Format(v) + Text(UnitSuffix(Quantity::length, d.unit));
}

// "0.04623 in long", "0.3° ahead (more advance)", "0.041 in towards the front".
QString Found(const SettingDesign& d, int j, double v) {
  const QString size = Amount(d, j, std::fabs(v));
  if (IsAngleDeviation(j) && size == Text(AngleWords(0))) return size;  // too small to have a direction
  if (j == rod1Index || j == rod2Index) return size + (v >= 0 ? " long" : " short");
  if (j == spindleIndex) return size + (v >= 0 ? " towards the front" : " towards the back");
  return size + (v >= 0 ? " ahead (more advance)" : " back (less advance)");
}

QString DeviationName(const SettingDesign& d, int j) {
  if (j == rod1Index || j == rod2Index) return Capital(Text(RodName(d, j - rod1Index + 1)));
  if (j == spindleIndex) return "Valve on its spindle";
  return Capital(Text(EccentricName(d, j - advance1Index + 1)));
}

QString AdjustmentName(const SettingDesign& d, Adjustment a) {
  if (a == Adjustment::advance) return "both eccentrics together";
  return DeviationName(d, static_cast<int>(a)).toLower();
}

QString ReadingText(const SettingDesign& d, const Reading& r, double v) {
  return BoxText::Format(v) +
         (r.unit == ReadingUnit::percent ? QString(" %") : Text(UnitSuffix(Quantity::length, d.unit)));
}

}  // namespace

void TSettingForm::ClearResults() {
  result_.reset();
  chosen_ = -1;
  for (QTableWidget* t : {deviationTable, correctionTable, predictedTable}) t->setRowCount(0);
  notes->clear();
  notesHtml_.clear();
  LbOrder->clear();
  diagram->Clear();
  const QSignalBlocker quiet(readingTable);
  for (int row = 0; row < readingTable->rowCount(); ++row)
    for (int c = 0; c < columnCount; ++c)
      if (QTableWidgetItem* item = readingTable->item(row, c)) {
        item->setBackground(Qt::NoBrush);
        item->setToolTip({});
        if (c == fittedColumn || c == residualColumn) item->setText({});
      }
}

void TSettingForm::Finished(std::shared_ptr<const FitResult> result) {
  SetWorking(false);
  progress->setRange(0, 1);
  progress->setValue(1);
  const ShopSetting& s = result->setting;
  if (s.kind == ShopProblem::cancelled) return Fail("Cancelled: nothing was fitted.");
  if (!s.ok()) {
    if (s.kind == ShopProblem::readings) MarkRefused(s.problem);
    return Fail("Nothing was fitted: " + Text(s.problem) + ".");
  }
  result_ = std::move(result);
  ShowDeviations();
  MarkReadings();
  ShowNotes();
  ShowCorrections();
  const CorrectionOption& first = s.corrections.options.front();
  LbStatus->setText(first.reaches
                        ? "Fitted. The first option reaches the target within the readings' precision."
                        : "Fitted. No option allowed reaches the target: the best reachable is shown.");
}

void TSettingForm::ShowDeviations() {
  const ShopSetting& s = result_->setting;
  const SettingDesign& d = *s.design;
  deviationTable->setRowCount(kDeviationCount);
  for (int j = 0; j < kDeviationCount; ++j) {
    const QString key = Text(std::string(DeviationKey(j)));
    deviationTable->setItem(j, 0, Cell(DeviationName(d, j), key));
    deviationTable->setItem(j, 1, Cell(Found(d, j, s.fit.deviations[j]), key));
    deviationTable->setItem(
        j, 2,
        Cell(s.fit.sigma[j] ? "± " + Amount(d, j, *s.fit.sigma[j]) : QString("not determined"),
             s.fit.sigma[j] ? QString() : "The readings cannot separate it: see the notes"));
  }
  deviationTable->resizeColumnsToContents();
}

void TSettingForm::ShowNotes() {
  const ShopSetting& s = result_->setting;
  const SettingDesign& d = *s.design;
  QString html = QString("<p>Valves set as the program sets them at %1 deg. for %2.</p>")
                     .arg(BoxText::FormatFaithful(d.settingDeg),
                          d.valveSetting == ValveSetting::equalCutOff ? "equal cut-off" : "equal leads");
  for (const std::string& sentence : s.inseparable)
    html += "<p><b>" + Text(sentence).toHtmlEscaped() + "</b></p>";
  if (!s.readingsToAdd.empty()) {
    html += "<p>Too few readings to separate the deviations; add:</p><ul>";
    for (const Reading& r : s.readingsToAdd) html += "<li>" + Text(ReadingName(r)).toHtmlEscaped() + "</li>";
    html += "</ul>";
  }
  for (const FittedReading& f : s.fit.readings)
    if (f.suspect)
      html += "<p><font color=\"#b00000\"><b>Suspect:</b> " + Text(ReadingName(f.reading)).toHtmlEscaped() +
              " fits no rigid gear; read it again.</font></p>";
  for (const Adjustment a : s.corrections.wouldReach)
    html += "<p>Allowing " + AdjustmentName(d, a).toHtmlEscaped() + " would reach the target.</p>";
  if (s.corrections.designWorstCutOffInequality)
    html += "<p>The design's worst cut-off inequality over the quadrant: " +
            BoxText::Format(*s.corrections.designWorstCutOffInequality) + " points of stroke.</p>";
  notesHtml_ = html;
  notes->setHtml(html);
}

void TSettingForm::ShowCorrections() {
  const ShopSetting& s = result_->setting;
  const SettingDesign& d = *s.design;
  const auto& options = s.corrections.options;
  correctionTable->setRowCount(static_cast<int>(options.size()));
  for (std::size_t i = 0; i < options.size(); ++i) {
    const CorrectionOption& o = options[i];
    QStringList words;
    for (const Operation& op : o.operations) words << Text(OperationWords(d, op));
    if (words.isEmpty()) words << "nothing to do";
    const int row = static_cast<int>(i);
    correctionTable->setItem(row, 0, Cell(QString::number(i + 1)));
    correctionTable->setItem(row, 1, Cell(words.join("\n")));
    auto* reaches = Cell(o.reaches ? "yes" : QString("no: %1 × ±").arg(BoxText::Format(o.worstMiss)),
                         o.reaches ? "Every reading after it within its precision of the target"
                                   : "The best reachable: its worst reading misses the target by this many "
                                     "times its precision");
    reaches->setBackground(o.reaches ? QColor(190, 235, 190) : QColor(250, 230, 140));
    correctionTable->setItem(row, 2, reaches);
    correctionTable->setItem(
        row, 3,
        Cell(o.worstCutOffInequality ? BoxText::Format(*o.worstCutOffInequality) + " points" : "-",
             "The worst cut-off inequality over the quadrant after this option"));
  }
  correctionTable->resizeColumnsToContents();
  correctionTable->resizeRowsToContents();
  correctionTable->selectRow(0);
  ChooseOption(0);
}

void TSettingForm::ChooseOption(int option) {
  if (!result_ || option < 0 || option >= static_cast<int>(result_->setting.corrections.options.size()))
    return;
  chosen_ = option;
  const ShopSetting& s = result_->setting;
  const SettingDesign& d = *s.design;
  const CorrectionOption& o = s.corrections.options[static_cast<std::size_t>(option)];
  QStringList steps;
  for (const std::string& step : OrderOfWork(d, o)) steps << Text(step).toHtmlEscaped();
  LbOrder->setText(QString("<b>Order of work, option %1:</b><br>").arg(option + 1) + steps.join("<br>"));
  predictedTable->setRowCount(static_cast<int>(o.predicted.size()));
  for (std::size_t i = 0; i < o.predicted.size(); ++i) {
    const Reading& r = o.predicted[i];
    const int row = static_cast<int>(i);
    predictedTable->setItem(row, 0, Cell(Text(ReadingName(r))));
    predictedTable->setItem(
        row, 1, Cell(i < result_->designFigures.size() ? ReadingText(d, r, result_->designFigures[i]) : "-"));
    predictedTable->setItem(row, 2, Cell(ReadingText(d, r, r.value.value_or(NAN))));
    predictedTable->setItem(row, 3, Cell("± " + ReadingText(d, r, r.plusMinus)));
  }
  predictedTable->resizeColumnsToContents();
  const SettingDiagram::Runs none;
  const auto& corrected = result_->corrected;
  diagram->Show(
      d.engine, result_->design, {"Gear as built (fitted)", result_->asBuilt},
      {QString("After option %1").arg(option + 1), static_cast<std::size_t>(option) < corrected.size()
                                                       ? corrected[static_cast<std::size_t>(option)]
                                                       : none});
}
