#pragma once

#include "state/RuntimeError.h"

#include <QString>

#include <libpq-fe.h>

#include <atomic>
#include <vector>

namespace kelvane {

// What every PostgreSQL connection of the program shares: how it waits for the server, and the
// guard of the texts it runs where it cannot write.

// How often a wait for the server looks whether its job has been stopped.
inline constexpr int kServerPollMs = 50;

RuntimeError postgresError(const QString& description, Retry retry = Retry::Never);
// The error text of a result, or of the connection when the result has none.
QString errorOf(PGconn* connection, const PGresult* result);

// The next result of what was sent, or null when there is none left. Once stopped is set the
// wait ends with null: the job no longer wants the result, and its connection is abandoned (a
// cancel request would wait as long as the statement for a server that went silent). A null
// stopped waits for the result whatever comes.
PGresult* nextResult(PGconn* connection, const std::atomic<bool>* stopped);
// The last result of what was sent, as PQexec gives it, waiting as nextResult does; null when
// nothing could be sent.
PGresult* lastResult(PGconn* connection, int sent, const std::atomic<bool>* stopped);

// A server connection's socket as an interrupt from another thread reaches it. The descriptor is
// one of its own: libpq closes its descriptor when it finds the connection lost, and the number
// could then name another file of the program.
class SocketInterrupt {
 public:
  SocketInterrupt() = default;
  explicit SocketInterrupt(int socket) { keep(socket); }
  ~SocketInterrupt();
  SocketInterrupt(const SocketInterrupt&) = delete;
  SocketInterrupt& operator=(const SocketInterrupt&) = delete;

  // Once, for an interrupt made before the connection was: another thread may interrupt meanwhile.
  void keep(int socket);
  // Shuts the connection down, to be reset instead of closed in turn when its last descriptor
  // closes (this one goes with its holder, right after): a server blocked writing rows into a
  // closed socket waits, its statement running, until the kernel drops the socket a minute or
  // more later. A reset ends the statement at once. Never waits.
  void operator()() const;

 private:
  std::atomic<int> socket_{-1};
};

struct ResultColumn {
  QString name;
  Oid type;
};

// How long the operator's statement may run: a year's rows of one a second come in about 15 s
// here, a scan of years without an index in a minute or two, and a statement that runs away (a
// join without a condition, a sleep) ends by itself within minutes instead of holding a server
// process, and what it locked, until Cancel.
inline constexpr const char* kQueryTimeout = "5min";

// The operator's statement runs in a transaction of its own that never commits, whatever the
// statement did in it, under kQueryTimeout; its prepared form goes with it, and so do the advisory locks it took,
// which outlive a transaction. When the statement's rows are not all read as the transaction
// ends, its connection must be closed: the server then ends the statement.
class ReadOnlyTransaction {
 public:
  static constexpr const char* kStatement = "kelvane_operator_query";

  // Waits as nextResult does with stopped.
  explicit ReadOnlyTransaction(PGconn* connection, const std::atomic<bool>* stopped = nullptr);
  ~ReadOnlyTransaction();
  ReadOnlyTransaction(const ReadOnlyTransaction&) = delete;
  ReadOnlyTransaction& operator=(const ReadOnlyTransaction&) = delete;

  // PQprepare takes exactly one statement. QSqlQuery::prepare does not: QPSQL sends the text
  // behind a PREPARE in one string, so a second statement in it would run.
  void prepare(const QString& sql);
  // The columns of the rows the statement returns. Only a statement that returns rows is a
  // query: SET, COMMIT, COPY, DO and the like, which return none, are refused.
  std::vector<ResultColumn> rowColumns();
  // Runs the statement; its rows come one by one from nextResult.
  void sendForRows();

 private:
  void expect(int sent, ExecStatusType status);

  PGconn* connection_;
  const std::atomic<bool>* stopped_;
  bool prepared_ = false;
};

}  // namespace kelvane
