#pragma once

#include "ChartPeriod.h"
#include "database/CompactRows.h"

#include <optional>

namespace kelvane {

// A row stamped this many seconds after now at most waits for its time; one stamped further ahead
// belongs to no period that ends now.
inline constexpr qint64 kRowAheadWait = 60;

// The rows of a check that a followed period takes, in number order: those its query would choose
// now. A row stamped a little after now (a collector's clock ahead of this one) waits for its time
// with every row after it: the next check asks for them again. Rows before the period, and rows
// stamped far ahead, are left out. The number above which the next check asks.
struct PeriodIntake {
  CompactRows rows;
  std::optional<double> askAbove;
};
PeriodIntake takeIntoPeriod(const CompactRows& found, std::optional<double> foundNewest, std::optional<double> askedAbove,
                            const PeriodTexts& period, const LoadPlan& plan);

// The rows a sliding period holds, those taken added, less those its start has passed, as its
// query chooses them. Rows in the order of their Date and Time leave at the front; the order
// learnt of the rows held (none: not yet learnt) tells when a row delivered late must be looked for.
CompactRows heldInSlidingPeriod(const CompactRows& held, const CompactRows& taken, const PeriodTexts& period,
                                std::optional<FollowableChart::HeldOrder>& order, const LoadPlan& plan,
                                const RegionalForms& regional);

}  // namespace kelvane
