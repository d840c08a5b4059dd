#include "SqliteEngine.h"

#include "state/RuntimeError.h"

#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QUrl>

#include <sqlite3.h>

#include <chrono>
#include <cstdint>
#include <thread>

namespace kelvane {

namespace {

// What a read-only connection lets a statement do: read tables and call functions. Anything
// else (attaching files, pragmas, transactions, writes) is refused when the text is prepared.
int readsOnly(void*, int action, const char*, const char*, const char*, const char*) {
  switch (action) {
    case SQLITE_SELECT: case SQLITE_READ: case SQLITE_FUNCTION: case SQLITE_RECURSIVE:
      return SQLITE_OK;
    default:
      return SQLITE_DENY;
  }
}

// Waits for another writer's lock in steps of a millisecond up to the connection's lock wait,
// which comes as the handler's argument. SQLite's own handler backs off to long sleeps, so beside
// a writer that takes the lock again at once it can miss every gap and give up although the file
// was free many times. The wait is measured on the clock, as each step lasts longer on a loaded
// machine.
int waitBriefly(void* lockWaitMs, int attempts) {
  using namespace std::chrono;
  thread_local steady_clock::time_point waitingSince;
  const steady_clock::time_point now = steady_clock::now();
  if (attempts == 0) waitingSince = now;
  if (now - waitingSince >= milliseconds(reinterpret_cast<std::intptr_t>(lockWaitMs))) return 0;
  std::this_thread::sleep_for(milliseconds(1));
  return 1;
}

sqlite3* handleFromDriver(const QSqlDriver& driver) {
  const QVariant handle = driver.handle();
  if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) return nullptr;
  return *static_cast<sqlite3* const*>(handle.constData());
}

// Whether the engine takes the text as one statement that changes no file at all.
bool isSingleReadingStatement(sqlite3* handle, const QString& sql, QString& why) {
  const QByteArray text = sql.toUtf8();
  sqlite3_stmt* statement = nullptr;
  const char* tail = nullptr;
  if (sqlite3_prepare_v2(handle, text.constData(), int(text.size()), &statement, &tail) != SQLITE_OK) {
    why = QString::fromUtf8(sqlite3_errmsg(handle));
    return false;
  }
  const bool readOnly = statement && sqlite3_stmt_readonly(statement);
  sqlite3_finalize(statement);
  if (!statement) {
    why = QStringLiteral("The query is empty");
    return false;
  }
  if (!QByteArray(tail).trimmed().isEmpty()) {
    why = QStringLiteral("Only one statement can be run at a time");
    return false;
  }
  if (!readOnly) why = QStringLiteral("A query can only read: the statement would change the database");
  return readOnly;
}

}  // namespace

// A file: URI with an explicit mode is the only way to open without creating the file.
QString sqliteFileUri(const QString& path, bool readOnly) {
  return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
         (readOnly ? QStringLiteral("?mode=ro") : QStringLiteral("?mode=rw"));
}

Cure SqliteEngine::cureFor(const QSqlError& error) const {
  bool isCode = false;
  const int code = error.nativeErrorCode().toInt(&isCode);
  if (!isCode) return Cure::None;
  switch (code & 0xff) {
    case SQLITE_BUSY: case SQLITE_LOCKED: case SQLITE_CANTOPEN: case SQLITE_FULL: case SQLITE_IOERR:
      return Cure::Waiting;
    default:
      return Cure::None;
  }
}

void SqliteEngine::open(QSqlDatabase& database, const QString& dataSource, bool readOnly,
                        std::chrono::milliseconds lockWait) const {
  if (dataSource.isEmpty())
    throw RuntimeError(ErrorNumber::DatabaseEngine, name(), QStringLiteral("No database file has been selected"));
  database.setDatabaseName(sqliteFileUri(dataSource, readOnly));
  QString options = QStringLiteral("QSQLITE_OPEN_URI");
  if (readOnly) options += QStringLiteral(";QSQLITE_OPEN_READONLY");
  database.setConnectOptions(options);
  if (!database.open()) throw failure(database.lastError());
  sqlite3* handle = handleFromDriver(*database.driver());
  if (!handle) throw RuntimeError(ErrorNumber::DatabaseEngine, name(), QStringLiteral("No SQLite handle"));
  sqlite3_busy_handler(handle, waitBriefly, reinterpret_cast<void*>(std::intptr_t(lockWait.count())));
  // SQLite reads a file lazily: the schema tells at once whether the file is a database at all.
  QSqlQuery schema(database);
  if (!schema.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) throw failure(schema.lastError());
  if (readOnly) sqlite3_set_authorizer(handle, readsOnly, nullptr);
}

void SqliteEngine::runReadOnly(QSqlQuery& query, const QString& sql) const {
  // The file is open read-only and the authorizer refuses all but reading; this check also
  // catches what neither sees, such as VACUUM INTO writing a new file.
  sqlite3* handle = query.driver() ? handleFromDriver(*query.driver()) : nullptr;
  QString why = QStringLiteral("No SQLite handle");
  if (!handle || !isSingleReadingStatement(handle, sql, why))
    throw RuntimeError(ErrorNumber::DatabaseEngine, name(), why);
  if (!query.exec(sql)) throw failure(query.lastError());
}

}  // namespace kelvane
