#pragma once

#include "state/LeakLimits.h"
#include "entry/Program.h"

#include <variant>

namespace kelvane {

// The limits the dialog's texts give, each read as a typed value is: from α and β when either is
// filled in, or else A and B as typed. Either the limits, or the first field refused and why.
std::variant<LeakLimits, LimitsRefusal> limitsFromTexts(const LimitsTexts& texts, const RegionalForms& regional);

// The dialog's texts of the limits: each number in the standard text of a Double, but A and B that
// α and β give, which are shown to six significant digits.
LimitsTexts textsOf(const LeakLimits& limits, const RegionalForms& regional);

// Shows on lblDecision what the newest value entered decides against the limits; empty while no
// limits are set or after Reset.
void showDecision(Program& program);

}  // namespace kelvane
