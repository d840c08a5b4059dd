#include "GraphDataTable.h"

#include "ConnectionString.h"
#include "Recordset.h"
#include "state/PlainNumber.h"
#include "state/RuntimeError.h"
#include "state/TextResources.h"

#include <QSqlQuery>

namespace kelvane {

namespace {

// A largest number that is not a number, infinite, NaN or so large that adding 1 leaves it as it
// is would give every later row the same number. The row waits, as for a database that cannot
// take it for the moment, until the table is mended.
double nextNumber(const QVariant& largest) {
  if (largest.isNull()) return 1;  // an empty table
  bool isNumber = false;
  const double number = largest.toDouble(&isNumber);
  if (!isNumber || !(number + 1 > number))
    throw RuntimeError(ErrorNumber::DatabaseEngine, QStringLiteral("GraphData"),
                       LoadResString(TextId::NoNextNumber).arg(largest.toString()), Retry::Later);
  return number + 1;
}

}  // namespace

GraphDataWriter::GraphDataWriter(const QString& databasePath, std::chrono::milliseconds lockWait, JobControl* job)
    : databasePath_(databasePath) {
  connection_.LockWait = lockWait;
  connection_.workFor(job);
  connection_.Open(ConnectionString(databasePath));
}

GraphDataWriter::~GraphDataWriter() { connection_.workFor(nullptr); }

std::vector<double> GraphDataWriter::append(const std::vector<MeasurementRow>& rows, const Given& given) {
  connection_.BeginTrans();
  Recordset last;
  last.Open(QStringLiteral("SELECT MAX(number) AS LastNumber FROM GraphData"), connection_);
  QVariant number = last.Fields(QStringLiteral("LastNumber"));

  std::vector<double> numbers;
  Recordset table;
  table.Open(QStringLiteral("GraphData"), connection_, adCmdTable);
  for (const MeasurementRow& row : rows) {
    number = nextNumber(number);
    numbers.push_back(number.toDouble());
    table.AddNew();
    table.Collect(QStringLiteral("Number"), number);
    table.Collect(QStringLiteral("Date"), row.date);
    table.Collect(QStringLiteral("Time"), row.time);
    table.Collect(QStringLiteral("Data"), row.data);
    table.Update();
  }
  if (given) given(numbers);
  connection_.CommitTrans();
  return numbers;
}

double GraphDataWriter::append(const MeasurementRow& row, const Given& given) { return append(std::vector{row}, given).front(); }

// Compared as Singles, as the row was written: the engines keep Data in different widths. The
// number goes in as text, not as a parameter: a parameter's generic plan would scan the table.
bool GraphDataWriter::isStoredAs(const MeasurementRow& row, double number) {
  QSqlQuery found = connection_.execute(
      QStringLiteral("SELECT Date, Time, Data FROM GraphData WHERE number = %1").arg(QString::fromLatin1(plainNumber(number))), {});
  while (found.next())
    if (found.value(0).toString() == row.date && found.value(1).toString() == row.time && !found.value(2).isNull() &&
        float(found.value(2).toDouble()) == row.data)
      return true;
  return false;
}

double appendMeasurement(const QString& databasePath, const MeasurementRow& row, std::chrono::milliseconds lockWait) {
  return GraphDataWriter(databasePath, lockWait).append(row);
}

}  // namespace kelvane
