#pragma once

#include "PostgresServer.h"
#include "SqliteFiles.h"

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

// A measurement database of either engine, looked at past the program's database layer: to lay
// out table GraphData as a collector would have created it and to look at what the program wrote.
class MeasurementDatabase {
 public:
  virtual ~MeasurementDatabase() = default;

  // What the program is given as DatabasePath: the SQLite file, or the connection file.
  virtual QString dataSource() const = 0;
  // Creates table GraphData with its index, as a collector's database has it.
  virtual MeasurementDatabase& withGraphData() = 0;
  MeasurementDatabase& withRow(double number, const QVariant& data, const QString& date = QStringLiteral("05/12/2010"),
                               const QString& time = QStringLiteral("14:08:45")) {
    insertRow(QVariantList{date, time, number, data});
    return *this;
  }
  virtual void run(const QString& sql) = 0;
  // The rows of a query, each as a list of its column values.
  virtual QList<QVariantList> rows(const QString& sql) = 0;
  QVariant scalar(const QString& sql) { return rows(sql).value(0).value(0); }

  // Every table the database holds and every row in them, in a fixed order: equal before and
  // after when nothing was changed.
  QStringList contents() {
    QStringList lines;
    for (const QString& table : tableNames()) {
      lines.append(QStringLiteral("table ") + table);
      QStringList tableRows;
      for (const QVariantList& row : rows(QStringLiteral("SELECT * FROM ") + table)) {
        QStringList values;
        for (const QVariant& value : row) values.append(value.isNull() ? QStringLiteral("NULL") : value.toString());
        tableRows.append(table + QStringLiteral(": ") + values.join(QLatin1Char('|')));
      }
      std::sort(tableRows.begin(), tableRows.end());
      lines += tableRows;
    }
    return lines + extraContents();
  }

 protected:
  virtual void insertRow(const QVariantList& values) = 0;
  virtual QStringList tableNames() = 0;
  virtual QStringList extraContents() { return {}; }
};

class SqliteMeasurementDatabase : public MeasurementDatabase {
 public:
  explicit SqliteMeasurementDatabase(const QString& path) : path_(path) {}
  QString dataSource() const override { return path_; }
  MeasurementDatabase& withGraphData() override {
    SqliteFile(path_).withGraphData();
    return *this;
  }
  void run(const QString& sql) override { SqliteFile(path_).run(sql); }
  QList<QVariantList> rows(const QString& sql) override { return SqliteFile(path_).rows(sql); }

 protected:
  void insertRow(const QVariantList& values) override {
    SqliteFile(path_).withRow(values[2].toDouble(), values[3], values[0].toString(), values[1].toString());
  }
  QStringList tableNames() override {
    QStringList names;
    for (const QVariantList& row : rows(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")))
      names.append(row.value(0).toString());
    return names;
  }
  QStringList extraContents() override {
    QStringList indexes;
    for (const QVariantList& row : rows(QStringLiteral("SELECT type, name, sql FROM sqlite_master WHERE type <> 'table' ORDER BY name")))
      indexes.append(row.value(0).toString() + QLatin1Char(' ') + row.value(1).toString() + QLatin1Char(' ') + row.value(2).toString());
    return indexes;
  }

 private:
  QString path_;
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
  // As a collector makes it: owned by the station's user, who could write and drop it.
  MeasurementDatabase& withGraphData() override {
    asStation(QStringLiteral("CREATE TABLE GraphData (Date text, Time text, number double precision, Data real); "
                             "CREATE INDEX GraphDataNumber ON GraphData (number)"));
    return *this;
  }
  void run(const QString& sql) override { asStation(sql); }
  QList<QVariantList> rows(const QString& sql) override { return server_.rows(database_, sql); }

 protected:
  void insertRow(const QVariantList& values) override {
    QStringList literals;
    for (const QVariant& value : values) literals.append(literal(value));
    server_.run(database_, QStringLiteral("INSERT INTO GraphData (Date, Time, number, Data) VALUES (%1)")
                               .arg(literals.join(QStringLiteral(", "))));
  }
  QStringList tableNames() override {
    QStringList names;
    for (const QVariantList& row :
         rows(QStringLiteral("SELECT schemaname || '.' || tablename FROM pg_tables "
                             "WHERE schemaname NOT IN ('pg_catalog', 'information_schema') ORDER BY 1")))
      names.append(row.value(0).toString());
    return names;
  }
  QStringList extraContents() override {
    return {QStringLiteral("large objects: ") +
                scalar(QStringLiteral("SELECT count(*) FROM pg_largeobject_metadata")).toString(),
            QStringLiteral("indexes: ") +
                scalar(QStringLiteral("SELECT string_agg(indexname, ',' ORDER BY indexname) FROM pg_indexes "
                                      "WHERE schemaname = 'public'")).toString()};
  }

 private:
  void asStation(const QString& sql) {
    server_.run(database_, QStringLiteral("SET ROLE %1; %2; RESET ROLE").arg(QLatin1String(PostgresServer::kUser), sql));
  }
  static QString literal(const QVariant& value) {
    if (value.isNull()) return QStringLiteral("NULL");
    if (value.metaType().id() == QMetaType::QString) return QLatin1Char('\'') + value.toString().replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
    return QString::number(value.toDouble(), 'g', 17);
  }

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
    if (engine == EngineKind::Sqlite) return std::make_unique<SqliteMeasurementDatabase>(QDir(folder).filePath(QStringLiteral("m.db")));
    if (!server_ || !server_->isRunning()) qFatal("no PostgreSQL server: %s", qPrintable(errorText()));
    return std::make_unique<PostgresMeasurementDatabase>(*server_, kPostgresDatabase,
                                                         PostgresServer::writeConnectionFile(folder, uri_));
  }

 private:
  std::unique_ptr<PostgresServer> server_;
  QString uri_;
};

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
