#include "PeriodQuery.h"

#include "database/StoredChart.h"
#include "state/TextResources.h"
#include "state/RuntimeError.h"

namespace kelvane {

QString querySkeleton() {
  return QStringLiteral("SELECT Date, Time, number, Data  FROM GraphData WHERE Date = '' AND Time \r\n"
                        "between '' and ''\r\n");
}

QueryDialogView& mnuSQLquery_Click(Program& program) {
  program.state.OperatingMode = Mode::SQLquery;
  program.mainWindow.setFullScreenEnabled(true);
  return program.mainWindow.showQueryDialog();
}

bool chartQuery(Program& program, const QString& sql, std::optional<FollowableChart> follow) {
  ProgramState& state = program.state;
  MainWindowView& window = program.mainWindow;
  state.Followable.reset();
  try {
    state.OperatingMode = Mode::SQLquery;
    state.LiveChart = false;
    state.ExactXRange = true;
    state.WindowStart = 0;
    StoredChart chart(program, kMainSeries, true);
    state.QueryText = sql;
    if (!chart.openQuery(state.QueryText, follow.has_value())) {
      program.env.alert(LoadResString(TextId::QueryFailed));
      return false;
    }
    chart.hideClock(window.clockLabels());
    chart.draw(window.graphField());
    if (follow) {
      follow->newest = chart.newest();
      state.Followable = follow;
    }
    return true;
  } catch (const RuntimeError& error) {
    // A cancel ends as a failure does, without a word.
    if (error.number() != ErrorNumber::OperationCancelled) program.env.reportFailure(LoadResString(TextId::QueryFailed), error);
    return false;
  }
}

void btnSelect_Click(Program& program, QueryDialogView& dialog) {
  if (chartQuery(program, dialog.queryText())) program.mainWindow.unloadQueryDialog();
}

void btnCancel_Click(Program& program, QueryDialogView& dialog) {
  dialog.setQueryText(QString());
  program.mainWindow.unloadQueryDialog();
}

}  // namespace kelvane
