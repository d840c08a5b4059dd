#include "QueryDialog.h"

#include "ChartPeriod.h"
#include "FollowNewRows.h"
#include "StoredRowsChart.h"
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

bool chartQuery(Program& program, const QString& sql, const std::optional<Period>& period) {
  ProgramState& state = program.state;
  state.Followable.reset();
  try {
    state.OperatingMode = Mode::SQLquery;
    state.QueryText = sql;
    state.PeriodCharted = period;
    std::optional<FollowableChart> follow =
        period ? followablePeriod(*period, program.env.clock.now(), state.DatabasePath) : std::nullopt;
    const ChartedRows charted = chartStoredRows(program, QueryRowsWanted{sql, follow.has_value()}, ChartPicture::Main);
    if (!charted.any) {
      program.env.alert(LoadResString(TextId::QueryFailed));
      followedChartFailed(program);
      return false;
    }
    if (follow) {
      follow->newest = charted.newest;
      follow->stations = charted.stations;
      state.Followable = follow;
    }
    return true;
  } catch (const RuntimeError& error) {
    reportUnlessCancelled(program, TextId::QueryFailed, error);
    followedChartFailed(program);
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
