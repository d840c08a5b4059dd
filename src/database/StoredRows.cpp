#include "StoredRows.h"

#include "ConnectionString.h"
#include "Dialect.h"
#include "chart/Single.h"
#include "entry/NumberInput.h"
#include "state/RuntimeError.h"

#include <cmath>

namespace kelvane {

namespace {

constexpr double kCoarseLabelLimit = 20;

// A stored Data value as a number: texts are read as typed values are.
double numberOf(const QVariant& data, const RegionalForms& regional) {
  if (data.isNull()) throw invalidUseOfNullError();
  if (data.metaType().id() == QMetaType::QString) return typedDouble(data.toString(), regional.locale());
  bool ok = false;
  const double value = data.toDouble(&ok);
  if (!ok) throw typeMismatchError();
  return value;
}

float wholeFloorOf(double value) { return toSingle(std::floor(value)); }

}  // namespace

void LoadChartRows(Recordset& rows, qint32 count, ChartRecord& record, int series, bool withDates, ProgramState& state,
                   const RegionalForms& regional) {
  record.Values.redim(1, count, 1, record.SeriesCount);
  state.PointLabels.redimPreserve(1, count);
  if (withDates) state.PointDates.redimPreserve(1, count);
  const QString labelField = state.NumberOnX ? QStringLiteral("Number") : QStringLiteral("Time");
  for (qint32 i = 1; i <= count; ++i) {
    const double d = numberOf(rows.Fields(QStringLiteral("Data")), regional);
    record.Values.at(i, series) = singleProduct(d, 10000);
    state.PointLabels.at(i) = rows.Fields(labelField);
    if (withDates) state.PointDates.at(i) = rows.Fields(QStringLiteral("Date"));
    record.XMax = float(count);
    if (d >= record.YMax) {
      record.YMax = wholeFloorOf(d + 1);
      if (d >= kCoarseLabelLimit) state.YLabelStep = wholeFloor(record.YMax / 20);
    }
    if (d <= record.YMin) {
      record.YMin = wholeFloorOf(d);
      if (d <= -kCoarseLabelLimit) state.YLabelStep = wholeFloor(-record.YMin / 20);
    }
    rows.Move(1);
  }
}

qint32 openRecentRows(Connection& connection, Recordset& rows, const QString& databasePath, const QString& newest20Sql,
                      const QString& allSql) {
  connection.Open(ConnectionString(databasePath));
  rows.Open(engineDialect(newest20Sql), connection);
  const qint32 count = rows.RecordCount();
  connection.Close();
  if (count == 0) return 0;
  connection.Open(ConnectionString(databasePath));
  if (count >= 20) {
    rows.Open(engineDialect(newest20Sql), connection);
    rows.Sort(QStringLiteral("number ASC"));
  } else {
    rows.Open(allSql, connection);
  }
  return count;
}

}  // namespace kelvane
