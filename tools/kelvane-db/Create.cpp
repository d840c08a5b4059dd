// kelvane-db create: the only place that makes a measurement database, as the program never does.
#include "Commands.h"
#include "Failure.h"
#include "database/Connection.h"
#include "database/ConnectionString.h"
#include "database/SqliteEngine.h"
#include "state/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>
#include <QUuid>

namespace kelvane::db {

namespace {

const QString kSqliteTable = QStringLiteral("CREATE TABLE GraphData (Date TEXT, Time TEXT, number REAL, Data REAL)");
// number is a Double in the program; Data a Single.
const QString kServerTable =
    QStringLiteral("CREATE TABLE GraphData (Date text, Time text, number double precision, Data real)");
const QString kNumberIndex = QStringLiteral("CREATE INDEX GraphDataNumber ON GraphData (number)");

void removeSqliteFiles(const QString& path) {
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) QFile::remove(path + QLatin1String(suffix));
}

void createSqliteTable(const QString& path) {
  const QString name = QStringLiteral("create-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
  {
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    // The file exists already (made empty and exclusively): mode=rw never makes another one.
    database.setDatabaseName(sqliteFileUri(path, false));
    database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
    QString failure;
    QSqlQuery query(database);
    const auto run = [&](const QString& sql) {
      if (failure.isEmpty() && !query.exec(sql)) failure = QStringLiteral("%1: %2").arg(sql, query.lastError().text());
    };
    if (!database.open()) failure = database.lastError().text();
    // The program and the collector write at once: with a write-ahead log neither blocks readers.
    run(QStringLiteral("PRAGMA journal_mode=WAL"));
    if (failure.isEmpty() && (!query.next() || query.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0))
      failure = QStringLiteral("journal_mode WAL was refused");
    run(QStringLiteral("BEGIN"));
    run(kSqliteTable);
    run(kNumberIndex);
    run(kPeriodIndex);
    run(QStringLiteral("COMMIT"));
    query = QSqlQuery();
    database.close();
    if (!failure.isEmpty()) {
      QSqlDatabase::removeDatabase(name);
      throw Failure{Exit::WriteFailed, QStringLiteral("%1: %2").arg(path, failure)};
    }
  }
  QSqlDatabase::removeDatabase(name);
}

void createSqlite(const Target& target) {
  const QString& path = target.path();
  const QFileInfo file(path);
  if (file.exists() || file.isSymLink())
    throw Failure{Exit::TargetExists, QStringLiteral("%1 already exists; it is left as it is").arg(path)};
  if (!file.absoluteDir().exists())
    throw Failure{Exit::Unreachable, QStringLiteral("%1: folder %2 does not exist").arg(path, file.absolutePath())};
  QFile made(path);
  // NewOnly: of two creates at the same moment only one makes the file.
  if (!made.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
    if (QFileInfo::exists(path))
      throw Failure{Exit::TargetExists, QStringLiteral("%1 already exists; it is left as it is").arg(path)};
    throw Failure{Exit::Unreachable, QStringLiteral("%1 cannot be created: %2").arg(path, made.errorString())};
  }
  made.close();
  try {
    createSqliteTable(path);
  } catch (const Failure&) {
    removeSqliteFiles(path);
    throw;
  }
}

void createOnServer(const Target& target) {
  Connection connection;
  target.connect(connection);
  const auto exists = [&] {
    QSqlQuery query = connection.query(QStringLiteral(
        "SELECT count(*) FROM information_schema.tables WHERE table_schema = current_schema() AND table_name = 'graphdata'"));
    return query.next() && query.value(0).toInt() > 0;
  };
  const Failure alreadyThere{Exit::TargetExists,
                             QStringLiteral("%1 already has a table GraphData; it is left as it is").arg(target.shownName())};
  try {
    if (exists()) throw alreadyThere;
    // One transaction: a table is never left without its indexes.
    for (const QString& sql : {QStringLiteral("BEGIN"), kServerTable, kNumberIndex, kPeriodIndex, QStringLiteral("COMMIT")})
      connection.query(sql);
  } catch (const RuntimeError& error) {
    connection.Close();
    Connection again;
    bool raced = false;
    try {
      again.Open(ConnectionString(target.path()));
      again.query(QStringLiteral("SELECT 1 FROM GraphData WHERE 1 = 0"));
      raced = true;
    } catch (const RuntimeError&) {
    }
    if (raced) throw alreadyThere;
    throw Failure{Exit::WriteFailed, QStringLiteral("%1: table GraphData not created: %2").arg(target.shownName(), error.description())};
  }
}

}  // namespace

void createMeasurementDatabase(const Target& target) {
  if (target.onServer())
    createOnServer(target);
  else
    createSqlite(target);
}

int create(const Target& target) {
  createMeasurementDatabase(target);
  if (target.onServer())
    QTextStream(stdout) << "created table GraphData with indexes on number and on Date, Time in " << target.shownName() << '\n';
  else
    QTextStream(stdout) << "created " << target.path()
                        << ": table GraphData with indexes on number and on Date, Time, journal_mode WAL\n";
  return Exit::Ok;
}

}  // namespace kelvane::db
