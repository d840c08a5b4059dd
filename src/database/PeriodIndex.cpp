#include "PeriodIndex.h"

#include "Engine.h"
#include "PostgresEngine.h"
#include "RowSource.h"

#include <QScopeGuard>

namespace kelvane {

namespace {

// SQLite's catalog pragmas are refused on a connection that only reads; its planner tells the
// same, and for an index of another collation or a partial one rightly says no.
const QString kSqlitePlan =
    QStringLiteral("EXPLAIN QUERY PLAN SELECT number FROM GraphData WHERE Date = '' AND Time >= ''");
const QString kSqliteSearch = QStringLiteral("(Date=? AND Time>?)");

// The order of the columns decides: an index on (Time, Date) serves no search by day.
// indisvalid is false while CREATE INDEX CONCURRENTLY runs, and after it failed.
const QString kPostgresCatalog = QStringLiteral(
    "SELECT EXISTS (SELECT 1 FROM pg_index AS i JOIN pg_class AS c ON c.oid = i.indexrelid "
    "JOIN pg_am AS m ON m.oid = c.relam "
    "JOIN pg_attribute AS d ON d.attrelid = i.indrelid AND d.attnum = i.indkey[0] "
    "JOIN pg_attribute AS s ON s.attrelid = i.indrelid AND s.attnum = i.indkey[1] "
    "WHERE i.indrelid = 'GraphData'::regclass AND i.indisvalid AND i.indpred IS NULL AND m.amname = 'btree' "
    "AND lower(d.attname) = 'date' AND lower(s.attname) = 'time')");

}  // namespace

bool hasPeriodIndex(const QString& dataSource, JobControl* job) {
  const bool onServer = dynamic_cast<const PostgresEngine*>(&engineFor(dataSource)) != nullptr;
  const std::unique_ptr<RowSource> source = engineFor(dataSource).rowSource(dataSource);
  source->workFor(job);
  const auto done = qScopeGuard([&] { source->workFor(nullptr); });
  source->open();
  RowCursor& rows = source->runOwn(onServer ? kPostgresCatalog : kSqlitePlan);
  bool found = false;
  // Read to the end, so that the read ends cleanly. The plan's last column says how a table is read.
  while (rows.next())
    found = found || (onServer ? rows.field(0).toBool()
                               : rows.field(rows.columns().size() - 1).toString().contains(kSqliteSearch, Qt::CaseInsensitive));
  return found;
}

}  // namespace kelvane
