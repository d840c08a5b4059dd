#include "ProgramServices.h"

#include "FollowNewRows.h"
#include "LeakAlarmHandlers.h"
#include "MainWindowHandlers.h"
#include "entry/ResetAndClock.h"

namespace kelvane {

ProgramServices::ProgramServices(ProgramState& state, const Environment& env, MainWindowView& window,
                                 HeldMessages* messages)
    : store(env, window), program{state, env, window, entered, store, reader}, messages_(messages) {}

void ProgramServices::start() {
  startMainWindow(program);
  store.load();
  restoreLeakAlarms(program);
}

void ProgramServices::tick() {
  TimerCurrentTime_Timer(program);
  store.deliver();
  // A shelf ends at its time, whatever dialog is open.
  leakAlarmTick(program);
  // Not while rows are read: the handler that waits for them still works on the chart.
  if (!program.mainWindow.readingRows()) followNewRows(program, newRows);
}

void ProgramServices::shutdown() {
  const auto deadline = std::chrono::steady_clock::now() + Worker::kExitWait;
  newRows.shutdown(deadline);
  store.shutdown(deadline);
  reader.stop(deadline);
}

std::optional<HeldMessages::Hold> ProgramServices::holdMessages() {
  if (!messages_) return std::nullopt;
  return messages_->hold();
}

}  // namespace kelvane
