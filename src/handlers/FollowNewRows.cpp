#include "FollowNewRows.h"

#include "ChartPeriod.h"
#include "FollowedPeriod.h"
#include "FullScreenChart.h"
#include "LeakAlarmHandlers.h"
#include "StoredRowsChart.h"
#include "database/StoredChart.h"
#include "state/TextResources.h"

#include <algorithm>
#include <limits>

namespace kelvane {

namespace {

constexpr qint32 kRecentRows = 20;

void stopFollowing(Program& program, NewRowsWatch& watch) {
  followedChartFailed(program);
  watch.stop();
}

// The chart on show follows whatever mode a menu has switched to since (the query dialog opened and
// cancelled leaves it on show): only another chart, the live one or another database end it.
bool canFollow(const ProgramState& state) {
  const std::optional<FollowableChart>& chart = state.Followable;
  return state.FollowNewRows && chart && chart->database == state.DatabasePath && !state.LiveChart;
}

// What a check asks for: the rows above the newest charted; with none, a chart of the recent
// rows of an empty table takes every row, a period only learns the table's largest number.
std::optional<double> above(std::optional<double> newest, bool period) {
  if (newest || period) return newest;
  return -std::numeric_limits<double>::infinity();
}

// The period a followed chart of a period shows now: it ends now, and a sliding one has moved on
// with it. None for a chart of the recent rows.
std::optional<Period> periodNow(const Program& program) {
  const std::optional<FollowableChart>& chart = program.state.Followable;
  const std::optional<Period>& charted = program.state.PeriodCharted;
  if (!chart || !chart->period || !charted) return std::nullopt;
  const QDateTime now = program.env.clock.now();
  return Period{chart->slidingSeconds > 0 ? now.addSecs(-chart->slidingSeconds) : charted->from, now};
}

// The numbers of a database's rows kept aside that the period now reaches: asked for again.
std::vector<double> reachedNow(const Program& program, const std::vector<FollowableChart::RowAhead>& ahead) {
  const std::optional<Period> period = periodNow(program);
  if (ahead.empty() || !period) return {};
  return reachedRows(ahead, PeriodTexts(*period, program.env.regional));
}

// The query moves on with the period, so that the full-screen window charts the rows shown.
void moveOn(Program& program, const Period& period) {
  program.state.PeriodCharted = period;
  program.state.QueryText = periodQuery(period, program.env.regional);
}

// Whether the period, moved on, reaches rows the chart holds but left out as after its end: rows
// its texts took before their moment, as in autumn's repeated hour, where the wall clock shows
// times it will show again.
bool reachesRowsLeftOut(const Program& program, const KeptChart& chart) {
  const std::optional<Period> period = periodNow(program);
  if (!period || !chart.input.span) return false;
  const qint64 drawnTo = chart.input.span->to, now = period->to.toSecsSinceEpoch();
  if (now <= drawnTo) return false;
  for (const std::shared_ptr<const TimeLine>& line : chart.frame.timeLines) {
    if (!line || line->records() - line->leftOut() == line->count()) continue;
    for (qint32 p = 1; p <= line->records(); ++p)
      if (const qint64 at = line->moment(p); at != TimeLine::kNoMoment && at > drawnTo && at <= now) return true;
  }
  return false;
}

// What the chart follows of one database, the chosen one or a station: the largest number seen,
// the order of the rows held, the rows kept aside for their time, and those of them asked again.
struct FollowedRows {
  const QString& database;
  std::optional<double>& newest;
  std::optional<FollowableChart::HeldOrder>& heldOrder;
  std::vector<FollowableChart::RowAhead>& ahead;
  const std::vector<double>& askedAgain;
};

// The rows of one followed database of the chart with those found: the newest 20, or those of
// the period that ends now. Whether any came or went.
bool takeFound(Program& program, const FollowedRows& followed, const NewRows& found, CompactRows& rows) {
  ProgramState& state = program.state;
  const LoadPlan reading = storedRowsPlan(program);
  const qint32 before = rows.count;
  bool added = found.rows.count > 0;
  if (!state.Followable->period) {
    observeNewRows(program, followed.database, found.rows);
    if (found.newest) followed.newest = found.newest;
    if (added) rows = joined(rows, found.rows, reading);
    rows = withoutFirst(rows, std::max(0, rows.count - kRecentRows), reading);
  } else if (const std::optional<Period> period = periodNow(program)) {
    // A row delivered late belongs to the time its Date and Time tell, not to now.
    const PeriodTexts texts(*period, program.env.regional);
    const PeriodIntake intake =
        takeIntoPeriod(found.rows, followed.newest, rowsNumbered(rows, followed.askedAgain), texts, reading);
    std::vector<FollowableChart::RowAhead>& ahead = followed.ahead;
    const auto askedAgain = [&](const FollowableChart::RowAhead& row) {
      return std::find(followed.askedAgain.begin(), followed.askedAgain.end(), row.number) != followed.askedAgain.end();
    };
    ahead.erase(std::remove_if(ahead.begin(), ahead.end(), askedAgain), ahead.end());
    ahead.insert(ahead.end(), intake.ahead.begin(), intake.ahead.end());
    observeNewRows(program, followed.database, intake.rows);
    followed.newest = found.newest;
    added = intake.rows.count > 0;
    if (state.Followable->slidingSeconds > 0)
      rows = heldInSlidingPeriod(rows, intake.rows, texts, followed.heldOrder, reading, program.env.regional);
    else if (added)
      rows = mergedByNumber(rows, intake.rows, reading);
    if (added || rows.count != before) moveOn(program, *period);
  }
  return added || rows.count != before;
}

// The rows the chart holds: the chosen database's, and each station's beside it. None when the
// chart's loading stopped at a row: new rows would stop at it too.
struct HeldRows {
  CompactRows chosen;
  std::vector<StationRows> stations;
};
std::optional<HeldRows> heldRows(Program& program) {
  const FollowableChart& chart = *program.state.Followable;
  HeldRows held;
  // Without a newest number the chart on the picture is not this one's: it holds no row yet.
  std::shared_ptr<const KeptChart> kept;
  if (chart.newest) {
    kept = program.mainWindow.graphField().LastChart();
    if (!kept) return std::nullopt;
    if (kept->whole) kept = kept->whole;
    held.chosen = rowsShown(*kept, storedRowsPlan(program));
    if (held.chosen.loaded != held.chosen.count) return std::nullopt;
  }
  for (std::size_t i = 0; i < chart.stations.size(); ++i) {
    const std::size_t series = i + 1;
    const bool shown = kept && series < kept->input.series.size();
    StationRows station{{chart.stations[i].database, shown ? kept->input.series[series].name : QString()}, {}};
    if (chart.stations[i].followed)
      station.rows.value = kept ? rowsShown(*kept, storedRowsPlan(program), series) : CompactRows();
    else
      station.rows.failure = cancelledError();  // named when it failed, struck through since
    held.stations.push_back(std::move(station));
  }
  return held;
}

void drawHeld(Program& program, const HeldRows& held) {
  if (held.chosen.count == 0) return;  // a chart of stations is drawn with the chosen database's rows
  chartStoredRows(program, held.chosen, ChartPicture::Main, held.stations);
  redrawFullScreen(program, held.chosen, held.stations);
}

// What the answers of one tick share: the rows of the chart they were asked about, taken when the
// first answer comes, and what they changed; the chart is drawn once, when the last has come, and
// only while the picture still shows the rows they were taken from.
struct TickAnswers {
  int waiting = 0;
  std::shared_ptr<const KeptChart> chart;
  std::optional<HeldRows> held;
  bool taken = false, changed = false;
  QStringList unreadable;  // the stations whose check failed: their names and why
};

// The rows held for the tick's answers; none when the chart holds none that can take more.
HeldRows* heldFor(Program& program, TickAnswers& tick) {
  if (!tick.taken) {
    tick.taken = true;
    tick.chart = program.mainWindow.graphField().LastChart();
    tick.held = heldRows(program);
  }
  return tick.held ? &*tick.held : nullptr;
}

// Whether the picture shows the rows a chart was drawn from: drawn again since (a resize, new
// limits, a zoom) it does, and the rows the tick has marked as seen must still be drawn.
bool showsRowsOf(const std::shared_ptr<const KeptChart>& shown, const std::shared_ptr<const KeptChart>& chart) {
  if (shown == chart) return true;
  if (!shown || !chart) return false;
  const auto& now = (shown->whole ? *shown->whole : *shown).input.series;
  const auto& then = (chart->whole ? *chart->whole : *chart).input.series;
  return std::equal(now.begin(), now.end(), then.begin(), then.end(), [](const ChartSeries& a, const ChartSeries& b) {
    return a.rows.columns == b.rows.columns && a.rows.first == b.rows.first && a.rows.count == b.rows.count &&
           a.unreadable == b.unreadable;
  });
}

void answered(Program& program, TickAnswers& tick) {
  if (--tick.waiting > 0) return;
  const std::shared_ptr<const KeptChart> shown = program.mainWindow.graphField().LastChart();
  const bool showsHeld = tick.held && showsRowsOf(shown, tick.chart);
  if (showsHeld && shown && !tick.changed && reachesRowsLeftOut(program, shown->whole ? *shown->whole : *shown)) {
    moveOn(program, *periodNow(program));
    tick.changed = true;
  }
  if (showsHeld && tick.changed) drawHeld(program, *tick.held);
  // A station whose check failed is named once and no longer followed; the others go on.
  if (!tick.unreadable.isEmpty()) program.env.alert(LoadResString(TextId::StationsUnreadable).arg(tick.unreadable.join(u'\n')));
}

// The rows found of the chosen database.
void addRows(Program& program, TickAnswers& tick, const NewRows& found, const std::vector<double>& askedAgain) {
  FollowableChart& chart = *program.state.Followable;
  if (HeldRows* held = heldFor(program, tick))
    tick.changed |= takeFound(program, {chart.database, chart.newest, chart.heldOrder, chart.ahead, askedAgain}, found,
                              held->chosen);
}

// The rows found of a station, or why it could not be read.
void addStationRows(Program& program, TickAnswers& tick, std::size_t index, Outcome<NewRows> answer,
                    const std::vector<double>& askedAgain) {
  FollowableChart::FollowedStation& station = program.state.Followable->stations[index];
  HeldRows* held = heldFor(program, tick);
  if (!held) return;
  StationRows& rows = held->stations[index];
  if (answer.failure) {
    station.followed = false;
    tick.unreadable << rows.station.name + QStringLiteral(": ") + answer.failure->description();
    rows.rows = {std::nullopt, answer.failure};
    tick.changed = true;
    return;
  }
  tick.changed |= takeFound(program, {station.database, station.newest, station.heldOrder, station.ahead, askedAgain},
                            *answer.value, *rows.rows.value);
}

// Whether the rows asked for again are still kept aside: a chart drawn afresh since holds those
// the period has reached.
bool stillAhead(const std::vector<FollowableChart::RowAhead>& ahead, const std::vector<double>& again) {
  return std::all_of(again.begin(), again.end(), [&](double number) {
    return std::any_of(ahead.begin(), ahead.end(), [&](const FollowableChart::RowAhead& row) { return row.number == number; });
  });
}

// Stations taken out of the list (Database > Stations...) leave the chart followed at once.
// Whether the database is still in the list of stations: one taken out goes from the chart.
bool listedStation(const ProgramState& state, const QString& database) {
  return std::any_of(state.Stations.begin(), state.Stations.end(),
                     [&](const ComparedStation& station) { return station.path == database; });
}

void dropRemovedStations(Program& program) {
  FollowableChart& chart = *program.state.Followable;
  std::optional<HeldRows> held = heldRows(program);
  bool dropped = false;
  for (std::size_t i = chart.stations.size(); i-- > 0;) {
    if (listedStation(program.state, chart.stations[i].database)) continue;
    chart.stations.erase(chart.stations.begin() + std::ptrdiff_t(i));
    if (held) held->stations.erase(held->stations.begin() + std::ptrdiff_t(i));
    dropped = true;
  }
  if (dropped && held) drawHeld(program, *held);
}

}  // namespace

void mnuFollow_Click(Program& program, NewRowsWatch& watch, bool checked) {
  program.state.FollowNewRows = checked;
  if (!checked) watch.stop();
}

void followedChartFailed(Program& program) {
  program.state.FollowNewRows = false;
  program.mainWindow.setFollowChecked(false);
}

void followNewRows(Program& program, NewRowsWatch& watch) {
  ProgramState& state = program.state;
  if (!canFollow(state)) {
    watch.stop();
    return;
  }
  // Until every answer of the last round has come: a round that overtook a slow one would draw
  // without its rows, which both have marked as seen.
  if (watch.busy()) return;
  dropRemovedStations(program);
  const FollowableChart asked = *state.Followable;
  const auto tick = std::make_shared<TickAnswers>();
  ++tick->waiting;
  const std::vector<double> again = reachedNow(program, asked.ahead);
  const bool askedChosen = watch.ask(
      asked.database, above(asked.newest, asked.period), again, storedRowsPlan(program),
      [&program, &watch, asked, again, tick](Outcome<NewRows> answer) {
        // An answer about another chart than the one on show, or one that comes while a handler
        // waits for rows, is dropped: the next tick asks again.
        const std::optional<FollowableChart>& now = program.state.Followable;
        if (canFollow(program.state) && now->database == asked.database && now->newest == asked.newest &&
            stillAhead(now->ahead, again) && !program.mainWindow.readingRows()) {
          try {
            addRows(program, *tick, answer.take(), again);
          } catch (const RuntimeError& error) {
            tick->held.reset();
            stopFollowing(program, watch);
            program.env.reportFailure(LoadResString(TextId::DatabaseFailed), error);
          }
        }
        answered(program, *tick);
      });
  if (!askedChosen) --tick->waiting;
  for (std::size_t i = 0; i < asked.stations.size(); ++i) {
    const FollowableChart::FollowedStation& station = asked.stations[i];
    if (!station.followed) continue;
    ++tick->waiting;
    const std::vector<double> stationAgain = reachedNow(program, station.ahead);
    const bool askedStation = watch.station(i).ask(
        station.database, above(station.newest, asked.period), stationAgain, storedRowsPlan(program),
        [&program, asked, i, stationAgain, tick](Outcome<NewRows> answer) {
          // As above: dropped unless the station is still charted as it was asked about.
          const std::optional<FollowableChart>& now = program.state.Followable;
          // A station taken out of the list meanwhile is neither charted nor heard by its alarm.
          if (canFollow(program.state) && now->database == asked.database && i < now->stations.size() &&
              now->stations[i].followed && now->stations[i].database == asked.stations[i].database &&
              listedStation(program.state, asked.stations[i].database) &&
              now->stations[i].newest == asked.stations[i].newest && stillAhead(now->stations[i].ahead, stationAgain) &&
              !program.mainWindow.readingRows())
            addStationRows(program, *tick, i, std::move(answer), stationAgain);
          answered(program, *tick);
        });
    if (!askedStation) --tick->waiting;
  }
}

}  // namespace kelvane
