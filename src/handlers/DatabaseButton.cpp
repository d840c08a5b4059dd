#include "DatabaseButton.h"

#include "FollowNewRows.h"
#include "StoredRowsChart.h"
#include "state/RuntimeError.h"

namespace kelvane {

bool chartRecentRows(Program& program) {
  ProgramState& state = program.state;
  state.OperatingMode = Mode::Database;
  program.mainWindow.setFullScreenEnabled(true);
  state.Followable.reset();
  state.PeriodCharted.reset();
  try {
    const ChartedRows charted = chartStoredRows(program, RecentRowsWanted{}, ChartPicture::Main);
    FollowableChart followable;
    followable.database = state.DatabasePath;
    followable.newest = charted.newest;
    followable.stations = charted.stations;
    state.Followable = followable;
    return true;
  } catch (const RuntimeError& error) {
    reportUnlessCancelled(program, TextId::DatabaseFailed, error);
    followedChartFailed(program);
    return false;
  }
}

void btnSPRT_Click(Program& program) { chartRecentRows(program); }

}  // namespace kelvane
