#include "RecentRecords.h"

#include "database/StoredChart.h"
#include "state/TextResources.h"
#include "state/RuntimeError.h"

namespace kelvane {

bool chartRecentRows(Program& program) {
  ProgramState& state = program.state;
  MainWindowView& window = program.mainWindow;
  state.OperatingMode = Mode::Database;
  window.setFullScreenEnabled(true);
  state.Followable.reset();
  try {
    state.LiveChart = false;
    state.ExactXRange = true;
    state.WindowStart = 0;
    StoredChart chart(program, kMainSeries, true);
    if (chart.openRecentRows(false)) {
      chart.hideClock(window.clockLabels());
      chart.draw(window.graphField());
    }
    state.Followable = FollowableChart{state.DatabasePath, chart.newest(), {}, 0};
    return true;
  } catch (const RuntimeError& error) {
    // A cancel ends as a failure does, without a word.
    if (error.number() != ErrorNumber::OperationCancelled) program.env.reportFailure(LoadResString(TextId::DatabaseFailed), error);
    return false;
  }
}

void btnSPRT_Click(Program& program) { chartRecentRows(program); }

}  // namespace kelvane
