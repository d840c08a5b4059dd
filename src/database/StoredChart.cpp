#include "StoredChart.h"

#include "ConnectionString.h"
#include "Dialect.h"
#include "StoredRows.h"
#include "chart/DrawChart.h"

namespace kelvane {

namespace {

// The program's own texts for the most recent rows; their TOP passes through the dialect step.
const QString kNewest20 = QStringLiteral("SELECT TOP 20  Date, Time, number, Data FROM GraphData ORDER BY number DESC");
const QString kAll = QStringLiteral("SELECT  Date, Time, number, Data FROM GraphData");
const QString kNewest20AllColumns = QStringLiteral("SELECT TOP 20 * FROM GraphData ORDER BY number DESC");
const QString kAllAllColumns = QStringLiteral("SELECT  * FROM GraphData");
constexpr qint32 kRecentRows = 20;

}  // namespace

StoredChart::StoredChart(Program& program, int series) : program_(program), series_(series) {
  stdKelvane::InitChartRecord(program.state, record_);
  record_.SeriesVisible.at(series) = true;
}

bool StoredChart::openRecentRows(bool allColumns) {
  const QString newest = engineDialect(allColumns ? kNewest20AllColumns : kNewest20);
  const QString& path = program_.state.DatabasePath;
  // Counted on a connection of its own, as the rows of a short table are read without TOP.
  connection_.Open(ConnectionString(path));
  rows_.Open(newest, connection_);
  count_ = program_.state.ChartRecordCount = rows_.RecordCount();
  connection_.Close();
  if (count_ == 0) return false;
  connection_.Open(ConnectionString(path));
  if (count_ >= kRecentRows) {
    rows_.Open(newest, connection_);
    rows_.Sort(QStringLiteral("number ASC"));
  } else {
    rows_.Open(allColumns ? kAllAllColumns : kAll, connection_);
  }
  return true;
}

bool StoredChart::openQuery(const QString& sql) {
  connection_.Mode = adModeRead;  // the operator's text may say anything
  connection_.Open(ConnectionString(program_.state.DatabasePath));
  rows_.Open(sql, connection_);
  if (rows_.IsBOF() || rows_.IsEOF()) return false;
  count_ = rows_.RecordCount();
  return true;
}

void StoredChart::hideClock(ClockLabels& clock) const {
  clock.setDateVisible(false);
  clock.setDateCaption(program_.env.regional.valueText(rows_.Fields(QStringLiteral("Date"))));
  clock.setTimeVisible(false);
}

void StoredChart::draw(DrawingSurface& picture, bool withDates) {
  ProgramState& state = program_.state;
  state.ChartRecordCount = count_;
  LoadChartRows(rows_, count_, record_, series_, withDates, state, program_.env.regional);
  stdKelvane::DrawChart(picture, record_, state, program_.env);
  connection_.Close();
}

}  // namespace kelvane
