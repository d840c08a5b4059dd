#pragma once

#include "Commands.h"
#include "Failure.h"
#include "PostgresServer.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace kelvane::testing {
enum class EngineKind { Sqlite, Postgres };
}  // namespace kelvane::testing

Q_DECLARE_METATYPE(kelvane::testing::EngineKind)

namespace kelvane::testing {

inline QString engineName(EngineKind engine) {
  return engine == EngineKind::Sqlite ? QStringLiteral("SQLite") : QStringLiteral("PostgreSQL");
}

// A measurement database of either engine, reached past the program's database layer: to fill
// table GraphData as a collector would and to look at what the program wrote.
class MeasurementDatabase {
 public:
  virtual ~MeasurementDatabase() = default;

  // What the program is given as DatabasePath: the SQLite file, or the connection file.
  virtual QString dataSource() const = 0;
  // Table GraphData with its index, made as kelvane-db create makes it.
  MeasurementDatabase& withGraphData() {
    try {
      db::createMeasurementDatabase(db::Target(dataSource()));
    } catch (const db::Failure& failure) {
      qFatal("cannot create %s: %s", qPrintable(dataSource()), qPrintable(failure.message));
    }
    return *this;
  }
  MeasurementDatabase& withRow(double number, const QVariant& data, const QString& date = QStringLiteral("05/12/2010"),
                               const QString& time = QStringLiteral("14:08:45")) {
    run(QStringLiteral("INSERT INTO GraphData (Date, Time, number, Data) VALUES (%1, %2, %3, %4)")
            .arg(literal(date), literal(time), literal(number), literal(data)));
    return *this;
  }
  virtual void run(const QString& sql) = 0;
  // The rows of a query, each as a list of its column values.
  virtual QList<QVariantList> rows(const QString& sql) = 0;
  QVariant scalar(const QString& sql) { return rows(sql).value(0).value(0); }
  // Another writer takes the table until it lets go.
  virtual void holdWriteLock() = 0;
  virtual void releaseWriteLock() = 0;

  // Every table and every row in it, with the indexes, in a fixed order: equal before and after
  // when nothing was changed.
  QStringList contents() {
    QStringList lines;
    for (const QVariantList& table : rows(tablesSql())) {
      const QString name = table.value(0).toString();
      QStringList tableRows;
      for (const QVariantList& row : rows(QStringLiteral("SELECT * FROM ") + name)) {
        QStringList values;
        for (const QVariant& value : row) values.append(value.isNull() ? QStringLiteral("NULL") : value.toString());
        tableRows.append(name + QStringLiteral(": ") + values.join(QLatin1Char('|')));
      }
      std::sort(tableRows.begin(), tableRows.end());
      lines += QStringLiteral("table ") + name;
      lines += tableRows;
    }
    for (const QVariantList& row : rows(extrasSql())) lines.append(row.value(0).toString());
    return lines;
  }

 protected:
  virtual QString tablesSql() const = 0;
  virtual QString extrasSql() const = 0;  // indexes and other objects, one text a row

 private:
  static QString literal(const QVariant& value) {
    if (value.isNull()) return QStringLiteral("NULL");
    if (value.metaType().id() != QMetaType::QString) return QString::number(value.toDouble(), 'g', 17);
    return QLatin1Char('\'') + value.toString().replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
  }
};

class SqliteMeasurementDatabase : public MeasurementDatabase {
 public:
  explicit SqliteMeasurementDatabase(const QString& path) : path_(path), name_(QStringLiteral("test-%1").arg(++made())) {}
  ~SqliteMeasurementDatabase() override {
    QSqlDatabase::database(name_, false).close();
    QSqlDatabase::removeDatabase(name_);
  }
  QString dataSource() const override { return path_; }
  void run(const QString& sql) override { exec(sql); }
  QList<QVariantList> rows(const QString& sql) override {
    QSqlQuery query = exec(sql);
    QList<QVariantList> result;
    while (query.next()) {
      QVariantList row;
      for (int i = 0; i < query.record().count(); ++i) row.append(query.value(i));
      result.append(row);
    }
    return result;
  }
  void holdWriteLock() override { run(QStringLiteral("BEGIN EXCLUSIVE")); }
  void releaseWriteLock() override { run(QStringLiteral("ROLLBACK")); }

 protected:
  QString tablesSql() const override {
    return QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
  }
  QString extrasSql() const override {
    return QStringLiteral("SELECT type || ' ' || name || ' ' || sql FROM sqlite_master WHERE type <> 'table' ORDER BY name");
  }

 private:
  // Opened at first use, so that kelvane-db can still create the file.
  QSqlQuery exec(const QString& sql) {
    if (!QSqlDatabase::contains(name_)) {
      QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
      database.setDatabaseName(path_);
      if (!database.open()) qFatal("cannot open %s", qPrintable(path_));
    }
    QSqlQuery query(QSqlDatabase::database(name_, false));
    if (!query.exec(sql)) qFatal("%s failed: %s", qPrintable(sql), qPrintable(query.lastError().text()));
    return query;
  }
  static int& made() {
    static int count = 0;
    return count;
  }
  QString path_;
  QString name_;
};

// A database on the test program's server, emptied for each case: creating a database takes
// about half a second here, emptying one a few milliseconds.
class PostgresMeasurementDatabase : public MeasurementDatabase {
 public:
  PostgresMeasurementDatabase(PostgresServer& server, const QString& database, const QString& connectionFile)
      : server_(server), database_(database), connectionFile_(connectionFile) {
    server_.run(database_, QStringLiteral("DROP SCHEMA public CASCADE; "
                                          "CREATE SCHEMA public AUTHORIZATION pg_database_owner; "
                                          "GRANT USAGE ON SCHEMA public TO PUBLIC; "
                                          "SELECT lo_unlink(oid) FROM pg_largeobject_metadata"));
  }
  QString dataSource() const override { return connectionFile_; }
  // As the station's user, who owns the table the station made.
  void run(const QString& sql) override {
    server_.run(database_, QStringLiteral("SET ROLE %1; %2; RESET ROLE").arg(QLatin1String(PostgresServer::kUser), sql));
  }
  QList<QVariantList> rows(const QString& sql) override { return server_.rows(database_, sql); }
  void holdWriteLock() override {
    server_.run(database_, QStringLiteral("BEGIN; LOCK TABLE GraphData IN SHARE ROW EXCLUSIVE MODE"));
  }
  void releaseWriteLock() override { server_.run(database_, QStringLiteral("ROLLBACK")); }

 protected:
  QString tablesSql() const override {
    return QStringLiteral("SELECT schemaname || '.' || tablename FROM pg_tables "
                          "WHERE schemaname NOT IN ('pg_catalog', 'information_schema') ORDER BY 1");
  }
  QString extrasSql() const override {
    return QStringLiteral("SELECT 'index ' || indexname FROM pg_indexes WHERE schemaname = 'public' UNION ALL "
                          "SELECT 'large objects: ' || count(*) FROM pg_largeobject_metadata ORDER BY 1");
  }

 private:
  PostgresServer& server_;
  QString database_;
  QString connectionFile_;
};

// The databases of one test program's cases: SQLite files in each case's folder, and databases on
// one PostgreSQL server that the program starts in initTestCase.
class MeasurementDatabases {
 public:
  // The server's database that every PostgreSQL case empties and fills again.
  static inline const QString kPostgresDatabase = QStringLiteral("measurements");

  // The server starts here; a test whose server cannot start fails.
  bool start() {
    server_ = std::make_unique<PostgresServer>();
    if (server_->isRunning()) uri_ = server_->createDatabase(kPostgresDatabase);
    return server_->isRunning();
  }
  QString errorText() const { return server_ ? server_->errorText() : QStringLiteral("not started"); }
  PostgresServer& server() { return *server_; }
  QString uri() const { return uri_; }

  // An empty database of the engine, reached from folder.
  std::unique_ptr<MeasurementDatabase> make(EngineKind engine, const QString& folder) {
    if (engine == EngineKind::Sqlite)
      return std::make_unique<SqliteMeasurementDatabase>(QDir(folder).filePath(QStringLiteral("m.db")));
    if (!server_ || !server_->isRunning()) qFatal("no PostgreSQL server: %s", qPrintable(errorText()));
    return std::make_unique<PostgresMeasurementDatabase>(*server_, kPostgresDatabase,
                                                         PostgresServer::writeConnectionFile(folder, uri_));
  }

 private:
  std::unique_ptr<PostgresServer> server_;
  QString uri_;
};

// Whether every connection the program's layer opened is closed again; the tests' own stay.
inline bool programHoldsNoConnection() {
  const QStringList names = QSqlDatabase::connectionNames();
  return std::none_of(names.begin(), names.end(), [](const QString& name) { return name.startsWith(QLatin1String("kelvane-")); });
}

inline const QList<EngineKind> kEngines{EngineKind::Sqlite, EngineKind::Postgres};

// A case table's rows run on each engine: the first column names it.
inline void addEngineColumn() { QTest::addColumn<EngineKind>("engine"); }
inline QTestData& newEngineRow(EngineKind engine, const QString& name) {
  return QTest::newRow(qPrintable(engineName(engine) + QStringLiteral(": ") + name)) << engine;
}
// For a test whose only case is the engine.
inline void addEngineRows() {
  addEngineColumn();
  for (EngineKind engine : kEngines) QTest::newRow(qPrintable(engineName(engine))) << engine;
}

}  // namespace kelvane::testing
