#include "StoredRowsReading.h"

#include "Dialect.h"
#include "Engine.h"
#include "RowSource.h"
#include "SortedRows.h"

#include <QScopeGuard>

#include <new>

namespace kelvane {

namespace {

// The program's own texts for the most recent rows; their TOP passes through the dialect step.
const QString kNewest20 = QStringLiteral("SELECT TOP 20  Date, Time, number, Data FROM GraphData ORDER BY number DESC");
const QString kAll = QStringLiteral("SELECT  Date, Time, number, Data FROM GraphData");
const QString kNewest20AllColumns = QStringLiteral("SELECT TOP 20 * FROM GraphData ORDER BY number DESC");
const QString kAllAllColumns = QStringLiteral("SELECT  * FROM GraphData");
constexpr qint32 kRecentRows = 20;

}  // namespace

void StoredRowsReading::cancel() {
  progress_.cancelled = true;
  const std::lock_guard<std::mutex> lock(mutex_);
  if (open_) open_->interrupt();
}

void StoredRowsReading::setOpen(RowSource* source) {
  const std::lock_guard<std::mutex> lock(mutex_);
  open_ = source;
}

std::optional<RuntimeError> StoredRowsReading::read(const QString& dataSource,
                                                    const std::function<void(RowSource&)>& work) {
  std::optional<RuntimeError> failure;
  try {
    if (progress_.cancelled) throw cancelledError();
    const std::unique_ptr<RowSource> source = engineFor(dataSource).rowSource(dataSource, progress_.cancelled);
    setOpen(source.get());
    const auto closing = qScopeGuard([this] { setOpen(nullptr); });  // before the source closes
    source->open();
    work(*source);
  } catch (const RuntimeError& error) {
    failure = error;
  } catch (const std::bad_alloc&) {
    failure = outOfMemoryError();
  }
  if (progress_.cancelled) failure = cancelledError();
  return failure;
}

QueryReading::QueryReading(QString dataSource, QString sql, LoadPlan plan)
    : dataSource_(std::move(dataSource)), sql_(std::move(sql)), plan_(std::move(plan)) {}

void QueryReading::run() {
  rows_.failure = read(dataSource_, [&](RowSource& source) { rows_.value = readRows(source.run(sql_), plan_, progress_); });
}

RecentRowsReading::RecentRowsReading(QString dataSource, bool allColumns, LoadPlan plan)
    : dataSource_(std::move(dataSource)), allColumns_(allColumns), plan_(std::move(plan)) {}

void RecentRowsReading::run() {
  const QString newest = engineDialect(allColumns_ ? kNewest20AllColumns : kNewest20);
  count_.failure = read(dataSource_, [&](RowSource& source) { count_.value = countRows(source.run(newest), progress_); });
  if (count_.failure || *count_.value == 0) return;
  // Rows added meanwhile are not charted, rows removed fail the loading.
  plan_.limit = *count_.value;
  rows_.failure = read(dataSource_, [&](RowSource& source) {
    if (plan_.limit >= kRecentRows) {
      SortedRows ascending(source.run(newest), QStringLiteral("number"));
      rows_.value = readRows(ascending, plan_, progress_);
    } else {
      rows_.value = readRows(source.run(allColumns_ ? kAllAllColumns : kAll), plan_, progress_);
    }
  });
}

}  // namespace kelvane
