#pragma once

#include "state/Program.h"

#include <QDateTime>

namespace kelvane {

// The period dialog's quick ranges, each ending at the current moment.
enum class QuickRange { LastHour, LastShift, LastDay, Today };

// The last hour, 8 hours or 24 hours up to now, or today from midnight up to now.
Period quickRange(QuickRange range, const QDateTime& now);

// The query of the rows of GraphData stamped within the period, both ends included, ordered by
// number. Date and Time hold texts in the regional forms, whose days only compare equal: within
// one day the times are compared, over several days the first and last day's times and every day
// between by name, each part a SELECT of its own that an index on (Date, Time) serves. Raises
// InvalidArgument when From lies after To.
QString periodQuery(const Period& period, const RegionalForms& regional);

// When the dialog opens: From and To the last hour, and a notice when the table has no index
// on Date and Time, so that every period is found by reading every row.
void frmPeriod_Load(Program& program, PeriodDialogView& dialog);
// How a period charted at the moment now can follow new rows: one that ends now grows, and the
// last hour, 8 hours or 24 hours slide; none for a period that ends earlier.
std::optional<FollowableChart> followablePeriod(const Period& period, const QDateTime& now, const QString& database);

// Sets From and To to the range.
void showQuickRange(Program& program, PeriodDialogView& dialog, QuickRange range);
// Charts the period as "SELECT query" charts a text; the dialog closes once it is charted. A
// period that ends before it starts is reported as a query that cannot run, and changes nothing.
void btnChartPeriod_Click(Program& program, PeriodDialogView& dialog);
// Opens the query dialog with the period's query in place of the skeleton, and closes this one.
void btnEditSql_Click(Program& program, PeriodDialogView& dialog);

}  // namespace kelvane
