#include "SqliteEngine.h"

#include "SqliteGuards.h"
#include "SqliteRows.h"
#include "state/RuntimeError.h"

#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QUrl>

namespace kelvane {

namespace {

sqlite3* handleFromDriver(const QSqlDriver& driver) {
  const QVariant handle = driver.handle();
  if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) return nullptr;
  return *static_cast<sqlite3* const*>(handle.constData());
}

}  // namespace

// A file: URI with an explicit mode is the only way to open without creating the file.
QString sqliteFileUri(const QString& path, bool readOnly) {
  return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
         (readOnly ? QStringLiteral("?mode=ro") : QStringLiteral("?mode=rw"));
}

Retry SqliteEngine::retryFor(const QSqlError& error) const {
  bool isCode = false;
  const int code = error.nativeErrorCode().toInt(&isCode);
  return isCode ? kelvane::retryFor(code) : Retry::Never;
}

void SqliteEngine::open(QSqlDatabase& database, const QString& dataSource, std::chrono::milliseconds lockWait) const {
  if (dataSource.isEmpty())
    throw RuntimeError(ErrorNumber::DatabaseEngine, name(), QStringLiteral("No database file has been selected"));
  database.setDatabaseName(sqliteFileUri(dataSource, false));
  database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
  if (!database.open()) throw failure(database.lastError());
  sqlite3* handle = handleFromDriver(*database.driver());
  if (!handle) throw RuntimeError(ErrorNumber::DatabaseEngine, name(), QStringLiteral("No SQLite handle"));
  sqlite3_busy_handler(handle, waitBriefly, lockWaitArgument(lockWait));
  // SQLite reads a file lazily: the schema tells at once whether the file is a database at all.
  QSqlQuery schema(database);
  if (!schema.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) throw failure(schema.lastError());
}

std::function<void()> SqliteEngine::interruptOf(const QSqlDatabase& database) const {
  sqlite3* handle = handleFromDriver(*database.driver());
  return [handle] {
    if (handle) sqlite3_interrupt(handle);
  };
}

std::unique_ptr<RowSource> SqliteEngine::rowSource(const QString& dataSource) const {
  return std::make_unique<SqliteRowSource>(dataSource);
}

}  // namespace kelvane
