#include "FollowNewRows.h"

#include "FullScreenChart.h"
#include "database/StoredChart.h"
#include "state/TextResources.h"

#include <limits>

namespace kelvane {

namespace {

constexpr qint32 kRecentRows = 20;

void stopFollowing(Program& program, NewRowsWatch& watch) {
  program.state.FollowNewRows = false;
  program.mainWindow.setFollowChecked(false);
  watch.stop();
}

bool canFollow(const ProgramState& state) {
  const std::optional<FollowableChart>& chart = state.Followable;
  if (!state.FollowNewRows || !chart || chart->database != state.DatabasePath || state.LiveChart) return false;
  return state.OperatingMode == (chart->period ? Mode::SQLquery : Mode::Database);
}

// What the check asks for: the rows above the chart's newest; with none, a chart of the recent
// rows of an empty table takes every row, a period only learns the table's largest number.
std::optional<double> above(const FollowableChart& chart) {
  if (chart.newest || chart.period) return chart.newest;
  return -std::numeric_limits<double>::infinity();
}

// The rows at the front stamped before the moment, which a sliding period has passed.
qint32 rowsBefore(const CompactRows& rows, qint64 from, const RegionalForms& regional) {
  const RowColumns& columns = *rows.columns;
  qint32 passed = 0;
  for (; passed < rows.count; ++passed) {
    const qsizetype row = rows.first + passed;
    if (row >= columns.date->size() || row >= columns.time->size()) break;
    const auto date = columns.date->textAt(row), time = columns.time->textAt(row);
    const std::optional<qint64> moment = date && time ? regional.wallSeconds(*date, *time) : std::nullopt;
    if (!moment || *moment >= from) break;
  }
  return passed;
}

// How the rows of new rows are read: the chart's labels, dates, and typed Data texts as the
// regional settings read them. Its vertical range does not matter: it is widened anew.
LoadPlan readingPlan(const Program& program) {
  LoadPlan plan;
  plan.numberOnX = program.state.NumberOnX;
  plan.locale = program.env.regional.locale();
  return plan;
}

// The chart's rows with those found, drawn again; nothing changes when no row came or went.
void addRows(Program& program, const NewRows& found) {
  ProgramState& state = program.state;
  FollowableChart& chart = *state.Followable;
  const bool heldNone = !chart.newest;  // the chart on the picture is not this one's
  if (found.newest) chart.newest = found.newest;

  const LoadPlan reading = readingPlan(program);
  CompactRows rows;
  if (!heldNone) {
    const std::shared_ptr<const KeptChart> kept = program.mainWindow.graphField().LastChart();
    if (!kept) return;
    rows = rowsShown(kept->whole ? *kept->whole : *kept, kMainSeries, reading);
    // A chart whose loading stopped at a row stays as it is: the new rows would stop at it too.
    if (rows.loaded != rows.count) return;
  }
  const bool added = found.rows.count > 0;
  if (added) rows = joined(rows, found.rows, reading);
  qint32 passed = 0;
  const QDateTime now = program.env.clock.now();
  if (!chart.period) {
    passed = std::max(0, rows.count - kRecentRows);
  } else if (chart.slidingSeconds > 0) {
    passed = rowsBefore(rows, RegionalForms::wallSeconds(now) - chart.slidingSeconds, program.env.regional);
  }
  if (!added && passed == 0) return;
  // The period charted ends now, and a sliding one has moved on with it.
  if (chart.period && state.PeriodCharted) {
    state.PeriodCharted->to = now;
    if (chart.slidingSeconds > 0) state.PeriodCharted->from = now.addSecs(-chart.slidingSeconds);
  }
  if (passed > 0) rows = withoutFirst(rows, passed, reading);

  StoredChart shown(program, kMainSeries, true);
  widenRange(rows, shown.plan());
  shown.show(rows);
  if (rows.count > 0) {
    shown.hideClock(program.mainWindow.clockLabels());
    shown.draw(program.mainWindow.graphField());
  }
  redrawFullScreen(program, rows);
}

}  // namespace

void mnuFollow_Click(Program& program, NewRowsWatch& watch, bool checked) {
  program.state.FollowNewRows = checked;
  if (!checked) watch.stop();
}

void followNewRows(Program& program, NewRowsWatch& watch, std::chrono::milliseconds wait) {
  ProgramState& state = program.state;
  if (!canFollow(state)) {
    watch.stop();
    return;
  }
  std::optional<Outcome<NewRows>> answer = watch.answer();
  if (!answer) {
    if (!watch.ask(state.Followable->database, above(*state.Followable), readingPlan(program))) return;
    answer = watch.answer(wait);
    if (!answer) return;
  }
  try {
    addRows(program, answer->take());
  } catch (const RuntimeError& error) {
    stopFollowing(program, watch);
    program.env.reportFailure(LoadResString(TextId::DatabaseFailed), error);
  }
}

}  // namespace kelvane
