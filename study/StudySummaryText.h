// The summary the study window shows above its plots and prints on its first
// page: the usable range, the notches and the figures over the working
// notches, each length followed by the session's unit.
#pragma once

#include <QStringList>

#include "QuadrantStudy.h"
#include "Quantity.h"

// The summary's lines, or the one sentence saying why there is no study.
QStringList StudySummaryLines(const QuadrantStudy& study, LengthUnit unit);
// The worst of each figure over the working notches with any play up to the
// given (PlayStudy::worstWithPlay), saying what the play is.
QString PlaySummaryLine(const StudySummary& worst, const QString& play, LengthUnit unit);
