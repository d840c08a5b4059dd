#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariantList>
#include <QtTest>

namespace kelvane::testing {

// Direct access to a test's SQLite file, past the program's database layer: to lay out a table
// as a collector would have created it and to look at what the program wrote.
class SqliteFile {
 public:
  explicit SqliteFile(const QString& path) : name_(QStringLiteral("test-%1").arg(++made())) {
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    database.setDatabaseName(path);
    if (!database.open()) qFatal("cannot open %s", qPrintable(path));
  }
  ~SqliteFile() {
    QSqlDatabase::database(name_, false).close();
    QSqlDatabase::removeDatabase(name_);
  }

  // Creates table GraphData with its index, as a collector's database has it.
  SqliteFile& withGraphData() {
    run(QStringLiteral("CREATE TABLE GraphData (Date TEXT, Time TEXT, number REAL, Data REAL)"));
    run(QStringLiteral("CREATE INDEX GraphDataNumber ON GraphData (number)"));
    return *this;
  }
  SqliteFile& withRow(double number, const QVariant& data, const QString& date = QStringLiteral("05/12/2010"),
                      const QString& time = QStringLiteral("14:08:45")) {
    QSqlQuery insert(database());
    insert.prepare(QStringLiteral("INSERT INTO GraphData (Date, Time, number, Data) VALUES (?, ?, ?, ?)"));
    for (const QVariant& value : QVariantList{date, time, number, data}) insert.addBindValue(value);
    if (!insert.exec()) qFatal("insert failed: %s", qPrintable(insert.lastError().text()));
    return *this;
  }

  void run(const QString& sql) {
    QSqlQuery query(database());
    if (!query.exec(sql)) qFatal("%s failed: %s", qPrintable(sql), qPrintable(query.lastError().text()));
  }
  // The rows of a query, each as a list of its column values.
  QList<QVariantList> rows(const QString& sql) {
    QSqlQuery query(database());
    if (!query.exec(sql)) qFatal("%s failed: %s", qPrintable(sql), qPrintable(query.lastError().text()));
    QList<QVariantList> result;
    while (query.next()) {
      QVariantList row;
      for (int i = 0; i < query.record().count(); ++i) row.append(query.value(i));
      result.append(row);
    }
    return result;
  }
  QVariant scalar(const QString& sql) { return rows(sql).value(0).value(0); }
  QSqlDatabase database() const { return QSqlDatabase::database(name_, false); }

 private:
  static int& made() {
    static int count = 0;
    return count;
  }
  QString name_;
};

}  // namespace kelvane::testing
