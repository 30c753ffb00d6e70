// Figures in the program's 4-significant-digit format; a figure the study
// has none of (no working notch) is shown as "-".
#include "StudySummaryText.h"

#include "BoxText.h"

namespace {

QString Figure(const std::optional<double>& value, const std::string& unit) {
  return value ? BoxText::Format(*value) + QString::fromStdString(unit) : QString("-");
}

QString ImbalanceLine(const QuadrantStudy& study) {
  const IndicatorParams& params = study.options.indicator;
  const auto worst = study.summary.worstWorkImbalancePct;
  QString side;
  if (worst && *worst != 0)
    side = *worst > 0 ? " (the back end does more work)" : " (the front end does more work)";
  return QString("Worst work imbalance %1%2;  clearance %3 %, exhaust pressure %4, rod ratio %5.")
      .arg((worst && *worst > 0 ? "+" : "") + Figure(worst, " %"), side, BoxText::Format(params.clearancePct),
           BoxText::Format(params.exhaustPressure), BoxText::Format(params.rodRatio));
}

}  // namespace

QStringList StudySummaryLines(const QuadrantStudy& study, LengthUnit unit) {
  if (study.problem != StudyProblem::none) return {QString::fromStdString(StudyProblemMessage(study))};
  const StudySummary& s = study.summary;
  const std::string length = UnitSuffix(Quantity::length, unit);
  int failed = 0;
  for (const StudyRow& row : study.rows) failed += row.ok() ? 0 : 1;
  const QString usable =
      study.usable ? QString("Usable range %1 to %2 deg.")
                         .arg(BoxText::Format(study.usable->loDeg), BoxText::Format(study.usable->hiDeg))
                   : QString("No usable range");
  const QString notches = QString("%1;  %2 notches, %3 working (mean cut-off 15 to 80 %)%4.")
                              .arg(usable)
                              .arg(study.rows.size())
                              .arg(s.workingNotchesDeg.size())
                              .arg(failed ? QString(", %1 did not assemble").arg(failed) : QString());
  const QString figures =
      QString(
          "Worst cut-off inequality |back - front|: down %1, up %2, overall %3;  leads %4 to %5;  "
          "smallest max. port opening %6;  largest die slip %7.")
          .arg(Figure(s.worstInequalityDown, " %"), Figure(s.worstInequalityUp, " %"),
               Figure(s.worstInequality, " %"), Figure(s.leadMin, length), Figure(s.leadMax, length),
               Figure(s.smallestPortOpening, length))
          .arg(Figure(s.worstDieSlip, length));
  return {notches, figures, ImbalanceLine(study)};
}

QString PlaySummaryLine(const StudySummary& w, const QString& play, LengthUnit unit) {
  const std::string length = UnitSuffix(Quantity::length, unit);
  return QString(
             "With the play (%1), at worst over the working notches: cut-off inequality down %2, up %3, "
             "overall %4;  leads %5 to %6;  smallest max. port opening %7;  work imbalance %8.")
      .arg(play, Figure(w.worstInequalityDown, " %"), Figure(w.worstInequalityUp, " %"),
           Figure(w.worstInequality, " %"), Figure(w.leadMin, length), Figure(w.leadMax, length),
           Figure(w.smallestPortOpening, length))
      .arg(Figure(w.worstWorkImbalancePct, " %"));
}
