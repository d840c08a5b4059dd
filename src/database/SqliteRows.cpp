#include "SqliteRows.h"

#include "Connection.h"
#include "Engine.h"
#include "SqliteEngine.h"
#include "SqliteGuards.h"
#include "state/RuntimeError.h"

namespace kelvane {

namespace {

// Asked by SQLite every so many steps of a statement, so that a cancel ends a statement also when
// it came before the statement started, which an interrupt alone would miss.
constexpr int kStepsBetweenChecks = 1000;

const QString kNewestQuery = QStringLiteral("SELECT max(number) FROM GraphData");

int endWhenStopped(void* source) { return static_cast<const SqliteRowSource*>(source)->stopped() ? 1 : 0; }

// A read waits for another writer's lock as any connection does, unless it is stopped.
int waitUnlessStopped(void* source, int attempts) {
  if (static_cast<const SqliteRowSource*>(source)->stopped()) return 0;
  return waitBriefly(lockWaitArgument(kLockWait), attempts);
}

}  // namespace

SqliteRowSource::SqliteRowSource(QString path, Texts texts) : path_(std::move(path)), texts_(texts) {}

SqliteRowSource::~SqliteRowSource() {
  sqlite3_finalize(statement_);
  sqlite3_finalize(newest_);
  sqlite3_close(handle_.exchange(nullptr));
}

RuntimeError SqliteRowSource::failure(const QString& description, int resultCode) const {
  return RuntimeError(ErrorNumber::DatabaseEngine, QStringLiteral("SQLite"), namingDatabase(description, path_),
                      retryFor(resultCode));
}

void SqliteRowSource::open() {
  if (path_.isEmpty()) throw failure(QStringLiteral("No database file has been selected"), SQLITE_ERROR);
  sqlite3* handle = nullptr;
  // Each connection is used by one thread at a time: SQLite's own locking would only slow each row.
  const int opened = sqlite3_open_v2(sqliteFileUri(path_, true).toUtf8().constData(), &handle,
                                     SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
  if (opened != SQLITE_OK) {
    const RuntimeError why =
        failure(handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QStringLiteral("Out of memory"), opened);
    sqlite3_close(handle);
    throw why;
  }
  sqlite3_busy_handler(handle, waitUnlessStopped, this);
  sqlite3_progress_handler(handle, kStepsBetweenChecks, endWhenStopped, this);
  sqlite3_set_authorizer(handle, readsOnly, nullptr);
  if (texts_ == Texts::Bounded) boundReading(handle);
  handle_ = handle;
  // SQLite reads a file lazily: the schema tells at once whether the file is a database at all.
  RowCursor& schema = run(QStringLiteral("SELECT count(*) FROM sqlite_master"));
  schema.next();
  endRun();
}

RowCursor& SqliteRowSource::run(const QString& sql) {
  endRun();
  QString why;
  statement_ = prepareReadingStatement(handle_, sql, why);
  if (!statement_) throw failure(why, sqlite3_extended_errcode(handle_));
  columns_.clear();
  for (int i = 0; i < sqlite3_column_count(statement_); ++i)
    columns_.append(QString::fromUtf8(sqlite3_column_name(statement_, i)));
  return *this;
}

void SqliteRowSource::interrupt() {
  if (sqlite3* handle = handle_.load()) sqlite3_interrupt(handle);
}

void SqliteRowSource::endRun() {
  sqlite3_finalize(statement_);
  statement_ = nullptr;
}

// Reset at once, so that no read transaction stays open between two checks to hold up the
// collector's checkpoints.
std::optional<double> SqliteRowSource::largestNumber() {
  QString why;
  if (!newest_) newest_ = prepareReadingStatement(handle_, kNewestQuery, why);
  if (!newest_) throw failure(why, sqlite3_extended_errcode(handle_));
  const int stepped = sqlite3_step(newest_);
  std::optional<double> largest;
  if (stepped == SQLITE_ROW && sqlite3_column_type(newest_, 0) != SQLITE_NULL) largest = sqlite3_column_double(newest_, 0);
  if (stepped != SQLITE_ROW) why = QString::fromUtf8(sqlite3_errmsg(handle_));
  sqlite3_reset(newest_);
  if (stepped == SQLITE_ROW) return largest;
  if (stopped()) throw cancelledError();
  throw failure(why, stepped);
}

bool SqliteRowSource::next() {
  const int stepped = sqlite3_step(statement_);
  if (stepped == SQLITE_ROW) return true;
  if (stepped == SQLITE_DONE) return false;
  if (stopped()) throw cancelledError();
  throw failure(QString::fromUtf8(sqlite3_errmsg(handle_)), stepped);
}

// The value as SQLite holds it, taken once: its type and contents then cost no more lookups. Safe
// unprotected, as the connection is used by this thread alone.
Cell SqliteRowSource::cell(int column) const {
  sqlite3_value* value = sqlite3_column_value(statement_, column);
  Cell cell;
  switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
      cell.kind = Cell::Integer;
      cell.integer = sqlite3_value_int64(value);
      break;
    case SQLITE_FLOAT:
      cell.kind = Cell::Real;
      cell.real = sqlite3_value_double(value);
      break;
    case SQLITE_TEXT:
      cell.kind = Cell::Text;
      cell.text = QByteArrayView(reinterpret_cast<const char*>(sqlite3_value_text(value)), sqlite3_value_bytes(value));
      break;
    case SQLITE_BLOB:
      cell.kind = Cell::Other;
      break;
    default:
      break;
  }
  return cell;
}

// Bytes, as Qt SQL gives a blob.
QVariant SqliteRowSource::otherValue(int column) const {
  const char* bytes = static_cast<const char*>(sqlite3_column_blob(statement_, column));
  return QByteArray(bytes, sqlite3_column_bytes(statement_, column));
}

}  // namespace kelvane
