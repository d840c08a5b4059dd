#include "FollowNewRows.h"

#include "RecentRecords.h"
#include "handlers/FullScreenChart.h"
#include "state/TextResources.h"

namespace kelvane {

namespace {

void stopFollowing(Program& program, NewRowsWatch& watch) {
  program.state.FollowNewRows = false;
  program.mainWindow.setFollowChecked(false);
  watch.stop();
}

}  // namespace

void mnuFollow_Click(Program& program, NewRowsWatch& watch, bool checked) {
  program.state.FollowNewRows = checked;
  if (!checked) watch.stop();
}

void followNewRows(Program& program, NewRowsWatch& watch, std::chrono::milliseconds wait) {
  const ProgramState& state = program.state;
  const std::optional<RecentRowsCharted>& shown = state.RecentRows;
  if (!state.FollowNewRows || state.OperatingMode != Mode::Database || !shown || shown->database != state.DatabasePath) {
    watch.stop();
    return;
  }
  const bool asked = watch.ask(shown->database, shown->newest);
  std::optional<Outcome<bool>> answer = watch.answer(asked ? wait : std::chrono::milliseconds(0));
  if (!answer) return;
  try {
    if (!answer->take()) return;
  } catch (const RuntimeError& error) {
    stopFollowing(program, watch);
    program.env.reportFailure(LoadResString(TextId::DatabaseFailed), error);
    return;
  }
  if (!chartRecentRows(program)) {
    stopFollowing(program, watch);
    return;
  }
  redrawFullScreen(program);
}

}  // namespace kelvane
