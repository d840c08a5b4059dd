#pragma once

#include "Engine.h"

namespace kelvane {

// The file: address that opens a SQLite file without ever creating it, for reading only or for
// reading and writing; open it with QSQLITE_OPEN_URI.
QString sqliteFileUri(const QString& path, bool readOnly);

// Measurement databases in SQLite files. The program never creates a file: opening a path that
// does not exist fails. A busy timeout lets a writer wait for the collector's transactions.
class SqliteEngine : public Engine {
 public:
  QString name() const override { return QStringLiteral("SQLite"); }
  QString driver() const override { return QStringLiteral("QSQLITE"); }
  QString shownName(const QString& dataSource) const override { return dataSource; }
  void open(QSqlDatabase& database, const QString& dataSource, std::chrono::milliseconds lockWait) const override;
  std::function<void()> interruptOf(const QSqlDatabase& database) const override;
  // Immediate: a transaction that reads before it writes would otherwise fail at once, busy
  // timeout or not, when another writer came first.
  QStringList beginWriteStatements() const override { return {QStringLiteral("BEGIN IMMEDIATE")}; }
  // Busy, locked, out of reach, full or failing to read or write: the primary result code.
  Retry retryFor(const QSqlError& error) const override;
  std::unique_ptr<RowSource> rowSource(const QString& dataSource) const override;

 private:
  RuntimeError failure(const QSqlError& error) const {
    return RuntimeError(ErrorNumber::DatabaseEngine, name(), error.text(), retryFor(error));
  }
};

}  // namespace kelvane
