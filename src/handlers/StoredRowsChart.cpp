#include "StoredRowsChart.h"

#include "database/StoredChart.h"
#include "state/RuntimeError.h"

#include <QStringList>

namespace kelvane {

namespace {

template <typename... Ways>
struct Overloaded : Ways... {
  using Ways::operator()...;
};
template <typename... Ways>
Overloaded(Ways...) -> Overloaded<Ways...>;

}  // namespace

ChartedRows chartStoredRows(Program& program, RowsToChart rows, ChartPicture where,
                            std::vector<StationRows> heldStations) {
  ProgramState& state = program.state;
  const bool main = where == ChartPicture::Main;
  if (main) {
    state.LiveChart = false;
    state.WindowStart = 0;
  }
  state.ExactXRange = true;
  // The full-screen window's query keeps the dates of the last chart of stored rows.
  const bool withDates = main || state.OperatingMode == Mode::Database;
  StoredChart chart(program, main ? kMainSeries : kFullScreenSeries, withDates);
  const bool read = !std::holds_alternative<CompactRows>(rows);  // stations held were named when read
  const bool any = std::visit(Overloaded{
                                  [&](const RecentRowsWanted& recent) { return chart.openRecentRows(recent.allColumns); },
                                  [&](const QueryRowsWanted& query) { return chart.openQuery(query.sql, query.withNewest); },
                                  [&](CompactRows& held) {
                                    chart.show(std::move(held));
                                    chart.showStations(std::move(heldStations));
                                    return chart.rows().count > 0;
                                  },
                              },
                              rows);
  if (any) {
    if (main) chart.hideClock(program.mainWindow.clockLabels());
    chart.draw(main ? program.mainWindow.graphField() : program.mainWindow.fullScreenWindow().picMaximized());
  }
  ChartedRows charted{any, chart.newest(), {}};
  QStringList unreadable;
  for (const StationRows& station : chart.stations()) {
    const std::optional<RuntimeError>& failure = station.rows.failure;
    charted.stations.push_back({station.station.path, station.rows.value ? station.rows.value->newest : std::nullopt,
                                std::nullopt, !failure, {}});
    if (failure && failure->number() != ErrorNumber::OperationCancelled)
      unreadable << station.station.name + QStringLiteral(": ") + failure->description();
  }
  if (any && read && !unreadable.isEmpty()) program.env.alert(LoadResString(TextId::StationsUnreadable).arg(unreadable.join(u'\n')));
  return charted;
}

void reportUnlessCancelled(Program& program, TextId text, const RuntimeError& error) {
  if (error.number() != ErrorNumber::OperationCancelled) program.env.reportFailure(LoadResString(text), error);
}

}  // namespace kelvane
