#include "PeriodQuery.h"

#include "StoredChart.h"
#include "shell/TextResources.h"
#include "state/RuntimeError.h"

namespace kelvane {

QString querySkeleton() {
  return QStringLiteral("SELECT Date, Time, number, Data  FROM GraphData WHERE Date = '' AND Time \r\n"
                        "between '' and ''\r\n");
}

void mnuSQLquery_Click(Program& program) {
  program.state.OperatingMode = Mode::SQLquery;
  program.mainWindow.setFullScreenEnabled(true);
  program.mainWindow.showQueryDialog();
}

void btnSelect_Click(Program& program, QueryDialogView& dialog) {
  ProgramState& state = program.state;
  MainWindowView& window = program.mainWindow;
  try {
    state.OperatingMode = Mode::SQLquery;
    state.LiveChart = false;
    state.ExactXRange = true;
    state.WindowStart = 0;
    StoredChart chart(program, kMainSeries, true);
    state.QueryText = dialog.queryText();
    if (!chart.openQuery(state.QueryText)) {
      program.env.alert(LoadResString(TextId::QueryFailed));
      return;
    }
    chart.hideClock(window.clockLabels());
    chart.draw(window.graphField());
    window.unloadQueryDialog();
  } catch (const RuntimeError& error) {
    if (error.number() == ErrorNumber::OperationCancelled) return;  // as a failure ends, without a word
    program.env.alert(LoadResString(TextId::QueryFailed));
    if (error.number() != 0) program.env.reportError(error.source(), error.description());
  }
}

void btnCancel_Click(Program& program, QueryDialogView& dialog) {
  dialog.setQueryText(QString());
  program.mainWindow.unloadQueryDialog();
}

}  // namespace kelvane
