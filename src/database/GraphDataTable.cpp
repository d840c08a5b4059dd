#include "GraphDataTable.h"

#include "ConnectionString.h"
#include "Recordset.h"

#include <QSqlQuery>

namespace kelvane {

namespace {

// Compared as Singles, as the row was written: the engines keep Data in different widths.
bool isStored(Connection& connection, const MeasurementRow& row) {
  QSqlQuery found = connection.execute(QStringLiteral("SELECT Data FROM GraphData WHERE Date = ? AND Time = ?"),
                                       {row.date, row.time});
  while (found.next())
    if (!found.value(0).isNull() && float(found.value(0).toDouble()) == row.data) return true;
  return false;
}

}  // namespace

GraphDataWriter::GraphDataWriter(const QString& databasePath, std::chrono::milliseconds lockWait)
    : databasePath_(databasePath) {
  connection_.LockWait = lockWait;
  connection_.Open(ConnectionString(databasePath));
}

double GraphDataWriter::append(const MeasurementRow& row) { return *append(row, IfStored::StoreAgain); }

std::optional<double> GraphDataWriter::appendOnce(const MeasurementRow& row) { return append(row, IfStored::Skip); }

std::optional<double> GraphDataWriter::append(const MeasurementRow& row, IfStored ifStored) {
  connection_.BeginTrans();
  if (ifStored == IfStored::Skip && isStored(connection_, row)) {
    connection_.CommitTrans();
    return std::nullopt;
  }
  Recordset last;
  last.Open(QStringLiteral("SELECT MAX(number) AS LastNumber FROM GraphData"), connection_);
  const QVariant lastNumber = last.Fields(QStringLiteral("LastNumber"));
  const double number = (lastNumber.isNull() ? 0 : lastNumber.toDouble()) + 1;

  Recordset table;
  table.Open(QStringLiteral("GraphData"), connection_, adCmdTable);
  table.AddNew();
  table.Collect(QStringLiteral("Number"), number);
  table.Collect(QStringLiteral("Date"), row.date);
  table.Collect(QStringLiteral("Time"), row.time);
  table.Collect(QStringLiteral("Data"), row.data);
  table.Update();
  connection_.CommitTrans();
  return number;
}

double appendMeasurement(const QString& databasePath, const MeasurementRow& row, std::chrono::milliseconds lockWait) {
  return GraphDataWriter(databasePath, lockWait).append(row);
}

}  // namespace kelvane
