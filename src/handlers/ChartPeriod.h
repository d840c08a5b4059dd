#pragma once

#include "entry/Program.h"

#include <QDateTime>

namespace kelvane {

// The period dialog's quick ranges, each ending at the current moment.
enum class QuickRange { LastHour, LastShift, LastDay, Today };

// The last hour, 8 hours or 24 hours up to now, or today from midnight up to now.
Period quickRange(QuickRange range, const QDateTime& now);

// The wall times (see LocalTimeZone) a period's query compares Date and Time with: the earliest and
// the latest the clock shows from its From to its To, which in autumn's repeated hour lie beyond
// From and To.
std::pair<qint64, qint64> wallBounds(const Period& period, const RegionalForms& regional);

// The query of the rows of GraphData stamped within the period, both ends included, ordered by
// number. Date and Time hold texts in the regional forms, whose days only compare equal: within
// one day the times are compared, over several days the first and last day's times and every day
// between by name, each part a SELECT of its own that an index on (Date, Time) serves. Raises
// InvalidArgument when From lies after To.
QString periodQuery(const Period& period, const RegionalForms& regional);

// Where a row lies against a period as the period's query compares its Date and Time texts with
// the period's: before its first day's From, after its last day's To, or inside. In autumn the
// period reaches over every wall time the clock shows within it, the repeated hour's too.
class PeriodTexts {
 public:
  enum Place { Before, Inside, After };
  PeriodTexts(const Period& period, const RegionalForms& regional);
  Place placeOf(std::optional<QByteArrayView> date, std::optional<QByteArrayView> time) const;
  // How many seconds after the period's end a row's Date and Time lie; none for texts that are
  // no moment.
  std::optional<qint64> secondsAfter(std::optional<QByteArrayView> date, std::optional<QByteArrayView> time) const;
  // The wall time of its first moment.
  qint64 fromWall() const { return fromWall_; }

 private:
  const RegionalForms& regional_;
  qint64 fromWall_, toWall_;
  QByteArray fromTime_, toTime_;
};

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
