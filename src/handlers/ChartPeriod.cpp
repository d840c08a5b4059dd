#include "ChartPeriod.h"

#include "QueryDialog.h"
#include "database/PeriodIndex.h"
#include "state/TextResources.h"
#include "state/RuntimeError.h"

#include <optional>
#include <string_view>
#include <tuple>

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

// Asked off the window's thread, as a server out of reach would hold the dialog's opening. A
// database that cannot be read says nothing here; Chart reports it.
void noticeMissingIndex(Program& program, PeriodDialogView& dialog) {
  const auto asked = program.reader.start<bool>(
      [source = program.state.DatabasePath](JobControl& job) { return hasPeriodIndex(source, &job); });
  dialog.whenAnswered(asked, [asked, &dialog] {
    const std::optional<Outcome<bool>> answer = asked->outcome();
    const bool missing = answer && answer->value && !*answer->value;
    dialog.showNotice(missing ? LoadResString(TextId::NoPeriodIndex) : QString());
  });
}

}  // namespace

std::pair<qint64, qint64> wallBounds(const Period& period, const RegionalForms& regional) {
  const qint64 typedFrom = RegionalForms::wallSeconds(period.from.date(), period.from.time());
  const qint64 typedTo = RegionalForms::wallSeconds(period.to.date(), period.to.time());
  const auto [low, high] = regional.timeZone().wallRange(regional.instantOf(period.from), regional.instantOf(period.to, true));
  return {std::min(typedFrom, low), std::max(typedTo, high)};
}

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
  const auto [fromWall, toWall] = wallBounds(period, regional);
  const QDate first = RegionalForms::wallDate(fromWall), last = RegionalForms::wallDate(toWall);
  const QString from = quoted(regional.timeText(RegionalForms::wallTime(fromWall)));
  const QString to = quoted(regional.timeText(RegionalForms::wallTime(toWall)));
  QStringList branches;
  if (first == last) {
    branches.append(QStringLiteral("Date = %1 AND Time >= %2 AND Time <= %3").arg(quoted(regional.dateText(first)), from, to));
  } else {
    branches.append(QStringLiteral("Date = %1 AND Time >= %2").arg(quoted(regional.dateText(first)), from));
    QStringList between;
    for (QDate day = first.addDays(1); day < last; day = day.addDays(1)) between.append(quoted(regional.dateText(day)));
    if (!between.isEmpty()) branches.append(QStringLiteral("Date IN (%1)").arg(between.join(QStringLiteral(", "))));
    branches.append(QStringLiteral("Date = %1 AND Time <= %2").arg(quoted(regional.dateText(last)), to));
  }
  // A SELECT a part, each searched through the index: once it knows a table's size (ANALYZE),
  // SQLite reads one WHERE of ORs whole, and the rows of a long part in number order, through the
  // index on number, to spare the sort. "+number" keeps it from merging the parts that way.
  const QString columns = QStringLiteral("SELECT Date, Time, number, Data FROM ");
  const QString select = columns + QStringLiteral("GraphData WHERE ");
  return columns + QLatin1Char('(') + select + branches.join(QStringLiteral(" UNION ALL ") + select) +
         QStringLiteral(") AS Period ORDER BY +number");
}

PeriodTexts::PeriodTexts(const Period& period, const RegionalForms& regional) : regional_(regional) {
  std::tie(fromWall_, toWall_) = wallBounds(period, regional);
  fromTime_ = regional.timeText(RegionalForms::wallTime(fromWall_)).toUtf8();
  toTime_ = regional.timeText(RegionalForms::wallTime(toWall_)).toUtf8();
}

PeriodTexts::Place PeriodTexts::placeOf(std::optional<QByteArrayView> date, std::optional<QByteArrayView> time) const {
  const std::optional<qint64> day = date ? regional_.wallDaySeconds(*date) : std::nullopt;
  const qint64 firstDay = LocalTimeZone::dayStart(fromWall_), lastDay = LocalTimeZone::dayStart(toWall_);
  if (!day || *day < firstDay) return Before;
  if (*day > lastDay) return After;
  // Texts compare as the engines compare them: byte by byte.
  const auto text = [](QByteArrayView view) { return std::string_view(view.data(), std::size_t(view.size())); };
  const std::string_view shown = time ? text(*time) : std::string_view();
  if (*day == firstDay && (!time || shown < text(fromTime_))) return Before;
  if (*day == lastDay && (!time || shown > text(toTime_))) return After;
  return Inside;
}

std::optional<qint64> PeriodTexts::secondsAfter(std::optional<QByteArrayView> date, std::optional<QByteArrayView> time) const {
  const std::optional<qint64> day = date ? regional_.wallDaySeconds(*date) : std::nullopt;
  const std::optional<int> second = day && time ? regional_.wallSecondsOfDay(*time) : std::nullopt;
  if (!second) return std::nullopt;
  return *day + *second - toWall_;
}

void frmPeriod_Load(Program& program, PeriodDialogView& dialog) {
  showQuickRange(program, dialog, QuickRange::LastHour);
  noticeMissingIndex(program, dialog);
}

void showQuickRange(Program& program, PeriodDialogView& dialog, QuickRange range) {
  const Period period = quickRange(range, program.env.clock.now());
  dialog.setPeriod(period.from, period.to);
}

std::optional<FollowableChart> followablePeriod(const Period& period, const QDateTime& now, const QString& database) {
  if (std::abs(period.to.secsTo(now)) > kEndsNowS) return std::nullopt;
  const qint64 span = period.from.secsTo(period.to);
  const bool slides = span == kHour || span == 8 * kHour || span == 24 * kHour;
  FollowableChart chart;
  chart.database = database;
  chart.period = true;
  chart.slidingSeconds = slides ? span : 0;
  return chart;
}

void btnChartPeriod_Click(Program& program, PeriodDialogView& dialog) {
  const std::optional<QString> sql = queryOf(program, dialog);
  if (sql && chartQuery(program, *sql, Period{dialog.from(), dialog.to()})) dialog.unload();
}

void btnEditSql_Click(Program& program, PeriodDialogView& dialog) {
  const std::optional<QString> sql = queryOf(program, dialog);
  if (!sql) return;
  mnuSQLquery_Click(program).setQueryText(*sql);
  dialog.unload();
}

}  // namespace kelvane
