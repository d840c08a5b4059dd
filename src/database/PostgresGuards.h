#pragma once

#include "state/RuntimeError.h"

#include <QString>

#include <libpq-fe.h>

#include <atomic>
#include <vector>

namespace kelvane {

// What every PostgreSQL connection of the program shares: how it waits for the server, and the
// guard of the texts it runs where it cannot write.

// How often a wait for the server looks whether it has been cancelled.
inline constexpr int kServerPollMs = 50;

RuntimeError postgresError(const QString& description, Cure cure = Cure::None);
// The error text of a result, or of the connection when the result has none.
QString errorOf(PGconn* connection, const PGresult* result);

// The next result of what was sent, or null when there is none left. While cancelled is set, the
// server is asked to cancel the statement, again every 50 ms: a request that reaches it before
// the statement starts is dropped. A null cancelled waits for the result whatever comes.
PGresult* nextResult(PGconn* connection, const std::atomic<bool>* cancelled);
// The last result of what was sent, as PQexec gives it, waiting as nextResult does; null when
// nothing could be sent.
PGresult* lastResult(PGconn* connection, int sent, const std::atomic<bool>* cancelled);

struct ResultColumn {
  QString name;
  Oid type;
};

// The operator's statement runs in a transaction of its own that never commits, whatever the
// statement did in it; its prepared form goes with it, and so do the advisory locks it took,
// which outlive a transaction. A statement whose rows are not all read when the transaction ends
// is cancelled, and its connection must then be closed.
class ReadOnlyTransaction {
 public:
  static constexpr const char* kStatement = "kelvane_operator_query";

  // Waits as nextResult does with cancelled.
  explicit ReadOnlyTransaction(PGconn* connection, const std::atomic<bool>* cancelled = nullptr);
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
  const std::atomic<bool>* cancelled_;
  bool prepared_ = false;
};

}  // namespace kelvane
