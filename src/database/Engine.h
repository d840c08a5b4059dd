#pragma once

#include "state/RuntimeError.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
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
  // Opens the database the data source names to write it; a write waits up to lockWait for another
  // writer's lock. Raises a RuntimeError that says why the source cannot be opened. Reading goes
  // through rowSource, where nothing a text says can write.
  virtual void open(QSqlDatabase& database, const QString& dataSource, std::chrono::milliseconds lockWait) const = 0;
  // What ends the wait of an open connection at once, from another thread: the engine's own
  // interrupt, or closing the socket of a server connection. Never waits.
  virtual std::function<void()> interruptOf(const QSqlDatabase& database) const = 0;
  // Start a transaction that writes, run one by one: a row number read in it stays this writer's.
  virtual QStringList beginWriteStatements() const = 0;
  // Whether the engine's own code for a failure says that waiting may cure it.
  virtual Retry retryFor(const QSqlError& error) const = 0;
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
