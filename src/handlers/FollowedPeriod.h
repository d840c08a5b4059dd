#pragma once

#include "ChartPeriod.h"
#include "database/CompactRows.h"

#include <optional>
#include <vector>

namespace kelvane {

// The rows of a check that a followed period takes, in number order: those its query would choose
// now. Rows stamped after now (a collector's clock ahead of this one) are kept aside by number, to
// be asked for again once the period reaches them; rows before the period are left out.
struct PeriodIntake {
  CompactRows rows;
  std::vector<FollowableChart::RowAhead> ahead;
};
// Rows numbered up to seenUpTo were asked for again: those of them the chart holds already, by
// number, Date and Time, are left alone (the table may hold a number twice).
PeriodIntake takeIntoPeriod(const CompactRows& found, std::optional<double> seenUpTo,
                            std::vector<FollowableChart::RowAhead> heldAlready, const PeriodTexts& period,
                            const LoadPlan& plan);
// The rows held with the numbers given, by number, Date and Time.
std::vector<FollowableChart::RowAhead> rowsNumbered(const CompactRows& held, const std::vector<double>& numbers);
// The numbers of the rows kept aside that the period now reaches.
std::vector<double> reachedRows(const std::vector<FollowableChart::RowAhead>& ahead, const PeriodTexts& period);

// The rows a sliding period holds, those taken merged in by number, less those its start has
// passed, as its query chooses them. Rows in the order of their Date and Time leave at the front; the order
// learnt of the rows held (none: not yet learnt) tells when a row delivered late must be looked for.
CompactRows heldInSlidingPeriod(const CompactRows& held, const CompactRows& taken, const PeriodTexts& period,
                                std::optional<FollowableChart::HeldOrder>& order, const LoadPlan& plan,
                                const RegionalForms& regional);

}  // namespace kelvane
