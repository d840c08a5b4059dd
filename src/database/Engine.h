#pragma once

#include "state/RuntimeError.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <memory>

namespace kelvane {

class RowSource;

// How one kind of measurement database is reached: a SQLite file, or a PostgreSQL server that
// a connection file names.
class Engine {
 public:
  virtual ~Engine() = default;

  // The name its errors carry as their source.
  virtual QString name() const = 0;
  virtual QString driver() const = 0;
  // How messages name the database: the file, or the server's address without its password.
  virtual QString shownName(const QString& dataSource) const = 0;
  // Opens the database the data source names; read-only connections can never write, and a write
  // waits up to lockWait for another writer's lock. Raises a RuntimeError that says why the
  // source cannot be opened.
  virtual void open(QSqlDatabase& database, const QString& dataSource, bool readOnly,
                    std::chrono::milliseconds lockWait) const = 0;
  // Start a transaction that writes, run one by one: a row number read in it stays this writer's.
  virtual QStringList beginWriteStatements() const = 0;
  // Whether the engine's own code for a failure says that waiting may cure it.
  virtual Retry retryFor(const QSqlError& error) const = 0;
  // Runs an operator's text, unchanged, on a read-only connection: exactly one statement, and
  // nothing it says can write. Raises a RuntimeError with the engine's reason when it refuses.
  virtual void runReadOnly(QSqlQuery& query, const QString& sql) const = 0;
  // Reads the data source's rows straight through the engine's own interface.
  virtual std::unique_ptr<RowSource> rowSource(const QString& dataSource) const = 0;
};

// The engine for a data source: connection files (.kvconn) name a PostgreSQL server, anything
// else is taken for a SQLite file.
const Engine& engineFor(const QString& dataSource);

// Every message of the layer says which database it is about, and none repeats the connection
// text with its provider part: the description with the database's shown name, unless it names
// it already.
QString namingDatabase(const QString& description, const QString& shownName);

}  // namespace kelvane
