#pragma once

#include <QList>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <chrono>
#include <functional>

namespace kelvane {

class Engine;
class JobControl;
class Recordset;
class RuntimeError;

// How long a connection waits for another writer's lock unless told otherwise: long beside a
// collector's one-row transactions.
inline constexpr std::chrono::milliseconds kLockWait{5000};

// One connection to the measurement database, opened from a connection text and closed by its
// owner, at the latest when it goes out of scope: no file stays held after a handler returns.
class Connection {
 public:
  Connection();
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Set before Open: how long a statement waits for another writer's lock before it fails.
  std::chrono::milliseconds LockWait = kLockWait;

  void Open(const QString& connectionString);
  // Starts a write transaction; CommitTrans without one does nothing. Closing a connection
  // with its transaction still open rolls the transaction back.
  void BeginTrans();
  void CommitTrans();
  // Closes the record sets opened on it too.
  void Close();
  bool isOpen() const { return open_; }
  // The database as messages name it: the file, or the server's address without its password.
  const QString& shownName() const { return shown_; }
  // The job the connection works for from now on, or none (before the job ends, and before the
  // connection closes): its stop ends what the connection waits for at once.
  void workFor(JobControl* job);

  // For record sets: runs a text or a statement with bound values, whose rows can be read
  // forward; raise a RuntimeError when the engine refuses.
  QSqlQuery query(const QString& sql);
  QSqlQuery execute(const QString& sql, const QList<QVariant>& values);
  void attach(Recordset* recordset);
  void detach(Recordset* recordset);

 private:
  void requireOpen() const;
  RuntimeError engineError(const QSqlError& error) const;
  QString naming(const QString& description) const;

  QString name_;  // each connection gets its own, as Qt SQL keeps them by name
  QString shown_;  // the database as messages name it: never the connection text
  const Engine* engine_ = nullptr;
  bool open_ = false;
  bool inTransaction_ = false;
  QList<Recordset*> recordsets_;
  std::function<void()> interrupt_;  // of the open connection
  JobControl* job_ = nullptr;
};

}  // namespace kelvane
