// The printed review: the checks with their figures, rules and verdicts, the
// most influential dimensions of each figure, and the suggested fixes; as
// text in the program's 4-significant-digit format or as JSON at full
// precision (the whole sensitivity table).
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "GearReview.h"
#include "PlayVerdict.h"
#include "Quantity.h"
#include "ReviewFixes.h"
#include "ReviewSensitivity.h"

struct ReviewReport {
  std::string engineName;  // UTF-8
  const GearReview& review;
  const SensitivityTable& sensitivity;
  const std::vector<ReviewFix>& fixes;
  LengthUnit unit;
  const PlayVerdict* play = nullptr;  // the worn gear's verdict, with --play
};

void WriteReviewText(std::ostream& out, const ReviewReport& report);
void WriteReviewJson(std::ostream& out, const ReviewReport& report);

// "<= 1 / <= 3", "2 to 15 / 0 to 25": a rule's good and fair thresholds.
std::string RuleText(const CheckRule& rule);
