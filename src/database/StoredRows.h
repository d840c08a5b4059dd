#pragma once

#include "chart/ChartRecord.h"
#include "database/Connection.h"
#include "database/Recordset.h"
#include "state/ProgramState.h"
#include "state/RegionalForms.h"

namespace kelvane {

// Copies count rows, from the current row on, into the record's series (Data times 10000) and
// into PointLabels (number or Time, as NumberOnX says) and, withDates, PointDates. Widens the
// vertical range to the values, with a coarser label step from 20 on. A Data value that is no
// number raises TypeMismatch, an empty one InvalidUseOfNull.
void LoadChartRows(Recordset& rows, qint32 count, ChartRecord& record, int series, bool withDates, ProgramState& state,
                   const RegionalForms& regional);

// The program's own texts for the most recent rows; their TOP passes through the dialect step.
namespace RecentRowsSql {
inline const QString Newest20 = QStringLiteral("SELECT TOP 20  Date, Time, number, Data FROM GraphData ORDER BY number DESC");
inline const QString All = QStringLiteral("SELECT  Date, Time, number, Data FROM GraphData");
inline const QString Newest20AllColumns = QStringLiteral("SELECT TOP 20 * FROM GraphData ORDER BY number DESC");
inline const QString AllColumns = QStringLiteral("SELECT  * FROM GraphData");
}  // namespace RecentRowsSql

// Opens the most recent rows of the database in ascending number order: the newest 20 of a
// longer table, all rows of a shorter one. The table is counted on a connection of its own
// first, as the rows of a short table are read without TOP. Returns the count; with none, the
// rows stay closed.
qint32 openRecentRows(Connection& connection, Recordset& rows, const QString& databasePath, const QString& newest20Sql,
                      const QString& allSql);

}  // namespace kelvane
