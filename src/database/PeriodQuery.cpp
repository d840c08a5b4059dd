#include "PeriodQuery.h"

#include "Connection.h"
#include "ConnectionString.h"
#include "Recordset.h"
#include "StoredRows.h"
#include "chart/DrawChart.h"
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
  Connection connection;  // closed on every way out
  try {
    state.OperatingMode = Mode::SQLquery;
    state.LiveChart = false;
    state.ExactXRange = true;
    state.WindowStart = 0;
    ChartRecord record;
    stdKelvane::InitChartRecord(state, record);
    record.SeriesVisible.at(1) = true;

    Recordset rows;
    state.QueryText = dialog.queryText();
    // The operator's text may say anything: it runs where it can only read.
    connection.Mode = adModeRead;
    connection.Open(ConnectionString(state.DatabasePath));
    rows.Open(state.QueryText, connection);
    if (rows.IsBOF() || rows.IsEOF()) {
      program.env.alert(LoadResString(58));
      return;
    }
    ClockLabels& clock = window.clockLabels();
    clock.setDateVisible(false);
    clock.setDateCaption(program.env.regional.valueText(rows.Fields(QStringLiteral("Date"))));
    clock.setTimeVisible(false);
    state.ChartRecordCount = rows.RecordCount();
    LoadChartRows(rows, state.ChartRecordCount, record, 1, true, state, program.env.regional);
    stdKelvane::DrawChart(window.graphField(), record, state, program.env);
    connection.Close();
    window.unloadQueryDialog();
  } catch (const RuntimeError& error) {
    program.env.alert(LoadResString(58));
    if (error.number() != 0) program.env.reportError(error.source(), error.description());
  }
}

void btnCancel_Click(Program& program, QueryDialogView& dialog) {
  dialog.setQueryText(QString());
  program.mainWindow.unloadQueryDialog();
}

}  // namespace kelvane
