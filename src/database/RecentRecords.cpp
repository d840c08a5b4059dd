#include "RecentRecords.h"

#include "Connection.h"
#include "Recordset.h"
#include "StoredRows.h"
#include "chart/DrawChart.h"
#include "shell/TextResources.h"
#include "state/RuntimeError.h"

namespace kelvane {

void btnSPRT_Click(Program& program) {
  ProgramState& state = program.state;
  MainWindowView& window = program.mainWindow;
  state.OperatingMode = Mode::Database;
  window.setFullScreenEnabled(true);
  // The connection is a local, so that it is closed on every way out, failures included.
  Connection connection;
  try {
    state.LiveChart = false;
    state.ExactXRange = true;
    state.WindowStart = 0;
    ChartRecord record;
    stdKelvane::InitChartRecord(state, record);
    record.SeriesVisible.at(1) = true;

    Recordset rows;
    state.ChartRecordCount =
        openRecentRows(connection, rows, state.DatabasePath, RecentRowsSql::Newest20, RecentRowsSql::All);
    if (state.ChartRecordCount == 0) return;
    ClockLabels& clock = window.clockLabels();
    clock.setDateVisible(false);
    clock.setDateCaption(program.env.regional.valueText(rows.Fields(QStringLiteral("Date"))));
    clock.setTimeVisible(false);
    LoadChartRows(rows, state.ChartRecordCount, record, 1, true, state, program.env.regional);
    stdKelvane::DrawChart(window.graphField(), record, state, program.env);
    connection.Close();
  } catch (const RuntimeError& error) {
    program.env.alert(LoadResString(49));
    if (error.number() != 0) program.env.reportError(error.source(), error.description());
  }
}

}  // namespace kelvane
