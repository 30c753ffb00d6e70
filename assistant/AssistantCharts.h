// The assistant's two plots over the start's whole usable range, before
// (dashed) against after (solid): the objective's inequality at every notch
// against the lifting-arm angle, and the back and front cut-offs beside it.
#pragma once

#include <QChart>

#include "DesignSearchTypes.h"

class AssistantCharts {
 public:
  // |cut-off back - cut-off front| (or |work imbalance|) against the angle.
  static QChart* Inequality(const DesignResult& result, const DesignRules& rules);
  // The back and front cut-offs against the angle, on a 0-100 % axis.
  static QChart* CutOffs(const DesignResult& result);
  // An empty chart with the plot's titles, for before a search.
  static QChart* Empty(const QString& title);
};
