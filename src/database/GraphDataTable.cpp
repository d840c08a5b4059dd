#include "GraphDataTable.h"

#include "Connection.h"
#include "ConnectionString.h"
#include "Recordset.h"

namespace kelvane {

double appendMeasurement(const QString& databasePath, const MeasurementRow& row) {
  Connection connection;
  connection.Open(ConnectionString(databasePath));
  connection.BeginTrans();
  Recordset last;
  last.Open(QStringLiteral("SELECT MAX(number) AS LastNumber FROM GraphData"), connection);
  const QVariant lastNumber = last.Fields(QStringLiteral("LastNumber"));
  const double number = (lastNumber.isNull() ? 0 : lastNumber.toDouble()) + 1;

  Recordset table;
  table.Open(QStringLiteral("GraphData"), connection, adCmdTable);
  table.AddNew();
  table.Collect(QStringLiteral("Number"), number);
  table.Collect(QStringLiteral("Date"), row.date);
  table.Collect(QStringLiteral("Time"), row.time);
  table.Collect(QStringLiteral("Data"), row.data);
  table.Update();
  connection.CommitTrans();
  connection.Close();
  return number;
}

}  // namespace kelvane
