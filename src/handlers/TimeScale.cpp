#include "TimeScale.h"

#include "chart/DrawChart.h"
#include "state/RuntimeError.h"
#include "state/TextResources.h"

namespace kelvane {

void mnuTimeScale_Click(Program& program, ProgramSettings& settings, bool checked) {
  program.state.TimeScale = checked;
  const auto onScale = [checked](ChartInput& input) { input.timeScale = checked; };
  stdKelvane::drawAgainChanged(program.mainWindow.graphField(), onScale, program.env);
  if (program.mainWindow.fullScreenShown())
    stdKelvane::drawAgainChanged(program.mainWindow.fullScreenWindow().picMaximized(), onScale, program.env);
  try {
    settings.setTimeScale(checked);
  } catch (const RuntimeError& error) {
    program.env.alert(LoadResString(TextId::TimeScaleNotKept).arg(error.sourceAndDescription()));
  }
}

}  // namespace kelvane
