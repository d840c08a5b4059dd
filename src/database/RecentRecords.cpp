#include "RecentRecords.h"

#include "StoredChart.h"
#include "shell/TextResources.h"
#include "state/RuntimeError.h"

namespace kelvane {

void btnSPRT_Click(Program& program) {
  ProgramState& state = program.state;
  MainWindowView& window = program.mainWindow;
  state.OperatingMode = Mode::Database;
  window.setFullScreenEnabled(true);
  try {
    state.LiveChart = false;
    state.ExactXRange = true;
    state.WindowStart = 0;
    StoredChart chart(program, kMainSeries, true);
    if (!chart.openRecentRows(false)) return;
    chart.hideClock(window.clockLabels());
    chart.draw(window.graphField());
  } catch (const RuntimeError& error) {
    if (error.number() == ErrorNumber::OperationCancelled) return;  // as a failure ends, without a word
    program.env.alert(LoadResString(TextId::DatabaseFailed));
    if (error.number() != 0) program.env.reportError(error.source(), error.description());
  }
}

}  // namespace kelvane
