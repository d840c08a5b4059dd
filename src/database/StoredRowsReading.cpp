#include "StoredRowsReading.h"

#include "Dialect.h"
#include "Engine.h"
#include "RowSource.h"
#include "SortedRows.h"

#include <QScopeGuard>

namespace kelvane {

namespace {

// The program's own texts for the most recent rows; their TOP passes through the dialect step.
const QString kNewest20 = QStringLiteral("SELECT TOP 20  Date, Time, number, Data FROM GraphData ORDER BY number DESC");
const QString kAll = QStringLiteral("SELECT  Date, Time, number, Data FROM GraphData");
const QString kNewest20AllColumns = QStringLiteral("SELECT TOP 20 * FROM GraphData ORDER BY number DESC");
const QString kAllAllColumns = QStringLiteral("SELECT  * FROM GraphData");
constexpr qint32 kRecentRows = 20;

// Opens a source on the data source for the job, runs the work on it and closes it again.
template <typename Work>
auto readFrom(const QString& dataSource, JobControl& job, Work&& work) {
  const std::unique_ptr<RowSource> source = engineFor(dataSource).rowSource(dataSource);
  source->workFor(&job);
  const auto unbound = qScopeGuard([&] { source->workFor(nullptr); });  // before the source closes
  source->open();
  return work(*source);
}

template <typename T, typename Work>
Outcome<T> outcomeOf(Work&& work) {
  Outcome<T> outcome;
  try {
    outcome.value = work();
  } catch (const RuntimeError& error) {
    outcome.failure = error;
  }
  return outcome;
}

}  // namespace

CompactRows readQuery(const QString& dataSource, const QString& sql, const LoadPlan& plan, JobControl& job) {
  return readFrom(dataSource, job, [&](RowSource& source) { return readRows(source.run(sql), plan, job); });
}

RecentRows readRecentRows(const QString& dataSource, bool allColumns, LoadPlan plan, JobControl& job) {
  const QString newest = engineDialect(allColumns ? kNewest20AllColumns : kNewest20);
  RecentRows recent;
  recent.count = outcomeOf<qint32>(
      [&] { return readFrom(dataSource, job, [&](RowSource& source) { return countRows(source.run(newest), job); }); });
  if (recent.count.failure || *recent.count.value == 0) return recent;
  // Rows added meanwhile are not charted, rows removed fail the loading.
  plan.limit = *recent.count.value;
  recent.rows = outcomeOf<CompactRows>([&] {
    return readFrom(dataSource, job, [&](RowSource& source) {
      if (plan.limit < kRecentRows) return readRows(source.run(allColumns ? kAllAllColumns : kAll), plan, job);
      SortedRows ascending(source.run(newest), QStringLiteral("number"));
      return readRows(ascending, plan, job);
    });
  });
  return recent;
}

}  // namespace kelvane
