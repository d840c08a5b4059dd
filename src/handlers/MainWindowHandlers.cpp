#include "MainWindowHandlers.h"

#include "chart/ChartRecord.h"
#include "chart/DrawChart.h"

namespace kelvane {

void startMainWindow(Program& program) {
  ProgramState& state = program.state;
  const RegionalForms& regional = program.env.regional;
  state.LiveChart = true;
  state.takeEntryMoment(program.env.clock.now(), regional);
  ClockLabels& clock = program.mainWindow.clockLabels();
  clock.setTimeCaption(regional.longTime(state.LastEntryTime));
  clock.setTimeVisible(true);
  clock.setDateCaption(regional.shortDate(state.LastEntryDate));
  ChartRecord record;
  stdKelvane::InitChartRecord(state, record);
  stdKelvane::DrawChart(program.mainWindow.graphField(), record, state, program.env);
}

void btnNumberOnX_Click(ProgramState& state) { state.NumberOnX = true; }
void btnTimeOnX_Click(ProgramState& state) { state.NumberOnX = false; }

}  // namespace kelvane
