#include "ChartPeriod.h"

#include "PeriodQuery.h"
#include "state/TextResources.h"
#include "state/RuntimeError.h"

#include <optional>

namespace kelvane {

namespace {

constexpr qint64 kHour = 3600;
// A period whose To lies this close to the moment it is charted ends now.
constexpr qint64 kEndsNowS = 60;

QString quoted(QString text) { return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\''); }

std::optional<QString> queryOf(Program& program, const PeriodDialogView& dialog) {
  try {
    return periodQuery({dialog.from(), dialog.to()}, program.env.regional);
  } catch (const RuntimeError& error) {
    program.env.reportFailure(LoadResString(TextId::QueryFailed), error);
    return std::nullopt;
  }
}

}  // namespace

Period quickRange(QuickRange range, const QDateTime& now) {
  switch (range) {
    case QuickRange::LastHour: return {now.addSecs(-kHour), now};
    case QuickRange::LastShift: return {now.addSecs(-8 * kHour), now};
    case QuickRange::LastDay: return {now.addSecs(-24 * kHour), now};
    case QuickRange::Today: break;
  }
  return {QDateTime(now.date(), QTime(0, 0)), now};
}

QString periodQuery(const Period& period, const RegionalForms& regional) {
  if (period.from > period.to)
    throw RuntimeError(ErrorNumber::InvalidArgument, QStringLiteral("Period"),
                       QStringLiteral("From %1 lies after To %2")
                           .arg(regional.generalDate(period.from), regional.generalDate(period.to)));
  const QDate first = period.from.date(), last = period.to.date();
  const QString from = quoted(regional.timeText(period.from.time())), to = quoted(regional.timeText(period.to.time()));
  QString where;
  if (first == last) {
    where = QStringLiteral("Date = %1 AND Time >= %2 AND Time <= %3").arg(quoted(regional.dateText(first)), from, to);
  } else {
    where = QStringLiteral("(Date = %1 AND Time >= %2)").arg(quoted(regional.dateText(first)), from);
    QStringList between;
    for (QDate day = first.addDays(1); day < last; day = day.addDays(1)) between.append(quoted(regional.dateText(day)));
    if (!between.isEmpty()) where += QStringLiteral(" OR Date IN (%1)").arg(between.join(QStringLiteral(", ")));
    where += QStringLiteral(" OR (Date = %1 AND Time <= %2)").arg(quoted(regional.dateText(last)), to);
  }
  return QStringLiteral("SELECT Date, Time, number, Data FROM GraphData WHERE %1 ORDER BY number").arg(where);
}

void showQuickRange(Program& program, PeriodDialogView& dialog, QuickRange range) {
  const Period period = quickRange(range, program.env.clock.now());
  dialog.setPeriod(period.from, period.to);
}

std::optional<FollowableChart> followablePeriod(const Period& period, const QDateTime& now, const QString& database) {
  if (std::abs(period.to.secsTo(now)) > kEndsNowS) return std::nullopt;
  const qint64 span = period.from.secsTo(period.to);
  const bool slides = span == kHour || span == 8 * kHour || span == 24 * kHour;
  return FollowableChart{database, std::nullopt, period.from, slides ? span : 0};
}

void btnChartPeriod_Click(Program& program, PeriodDialogView& dialog) {
  const std::optional<QString> sql = queryOf(program, dialog);
  if (!sql) return;
  const Period period{dialog.from(), dialog.to()};
  if (chartQuery(program, *sql, followablePeriod(period, program.env.clock.now(), program.state.DatabasePath))) dialog.unload();
}

void btnEditSql_Click(Program& program, PeriodDialogView& dialog) {
  const std::optional<QString> sql = queryOf(program, dialog);
  if (!sql) return;
  mnuSQLquery_Click(program).setQueryText(*sql);
  dialog.unload();
}

}  // namespace kelvane
