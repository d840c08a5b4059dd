#include "ResetAndClock.h"

#include "LeakTest.h"

namespace kelvane {

void btnReset_Click(Program& program) {
  program.state.OperatingMode = Mode::Reset;
  program.mainWindow.clearEntry();
  program.entered.clear();
  program.state.Decided.reset();
  showDecision(program);
}

void TimerCurrentTime_Timer(Program& program) {
  const ProgramState& state = program.state;
  ClockLabels& main = program.mainWindow.clockLabels();
  ClockLabels& fullScreen = program.mainWindow.fullScreenWindow().clockLabels();
  const bool shown = state.LiveChart || state.OperatingMode == Mode::Calculation;
  main.setTimeVisible(shown);
  main.setDateVisible(shown);
  fullScreen.setTimeVisible(shown);
  fullScreen.setDateVisible(shown);
  if (!shown) return;
  // One reading for all four labels: read one by one they could straddle midnight and show
  // yesterday's date beside today's time.
  const QDateTime now = program.env.clock.now();
  const QString time = program.env.regional.longTime(now.time());
  const QString date = program.env.regional.shortDate(now.date());
  main.setTimeCaption(time);
  main.setDateCaption(date);
  fullScreen.setTimeCaption(time);
  fullScreen.setDateCaption(date);
}

}  // namespace kelvane
