#include "PostgresGuards.h"

#include <poll.h>

namespace kelvane {

namespace {

void askToCancel(PGconn* connection) {
  PGcancel* cancel = PQgetCancel(connection);
  if (!cancel) return;
  char why[256];
  PQcancel(cancel, why, sizeof why);
  PQfreeCancel(cancel);
}

}  // namespace

RuntimeError postgresError(const QString& description, Cure cure) {
  return RuntimeError(ErrorNumber::DatabaseEngine, QStringLiteral("PostgreSQL"), description, cure);
}

QString errorOf(PGconn* connection, const PGresult* result) {
  QString text = QString::fromUtf8(result ? PQresultErrorMessage(result) : "").trimmed();
  if (text.isEmpty()) text = QString::fromUtf8(PQerrorMessage(connection)).trimmed();
  return text;
}

PGresult* nextResult(PGconn* connection, const std::atomic<bool>* cancelled) {
  while (PQisBusy(connection)) {
    if (cancelled && cancelled->load()) askToCancel(connection);
    pollfd socket{PQsocket(connection), POLLIN, 0};
    if (socket.fd < 0) break;
    ::poll(&socket, 1, kServerPollMs);
    if (!PQconsumeInput(connection)) break;  // the connection is lost: the result says so
  }
  return PQgetResult(connection);
}

PGresult* lastResult(PGconn* connection, int sent, const std::atomic<bool>* cancelled) {
  PGresult* last = nullptr;
  if (!sent) return last;
  while (PGresult* result = nextResult(connection, cancelled)) {
    PQclear(last);
    last = result;
  }
  return last;
}

ReadOnlyTransaction::ReadOnlyTransaction(PGconn* connection, const std::atomic<bool>* cancelled)
    : connection_(connection), cancelled_(cancelled) {
  expect(PQsendQuery(connection_, "BEGIN TRANSACTION READ ONLY"), PGRES_COMMAND_OK);
}

ReadOnlyTransaction::~ReadOnlyTransaction() {
  // Rows not read yet are not wanted: the server stops sending them, and the session ends with
  // the connection, which takes the transaction and all it held along.
  if (PQtransactionStatus(connection_) == PQTRANS_ACTIVE) {
    askToCancel(connection_);
    return;
  }
  PQclear(lastResult(connection_, PQsendQuery(connection_, "ROLLBACK"), nullptr));
  if (prepared_)
    PQclear(lastResult(connection_, PQsendQuery(connection_, (QByteArray("DEALLOCATE ") + kStatement).constData()),
                       nullptr));
  PQclear(lastResult(connection_, PQsendQuery(connection_, "SELECT pg_advisory_unlock_all()"), nullptr));
}

void ReadOnlyTransaction::expect(int sent, ExecStatusType status) {
  PGresult* result = lastResult(connection_, sent, cancelled_);
  const bool ok = PQresultStatus(result) == status;
  const QString why = errorOf(connection_, result);
  PQclear(result);
  if (!ok) throw postgresError(why);
}

void ReadOnlyTransaction::prepare(const QString& sql) {
  expect(PQsendPrepare(connection_, kStatement, sql.toUtf8().constData(), 0, nullptr), PGRES_COMMAND_OK);
  prepared_ = true;
}

std::vector<ResultColumn> ReadOnlyTransaction::rowColumns() {
  PGresult* description = lastResult(connection_, PQsendDescribePrepared(connection_, kStatement), cancelled_);
  std::vector<ResultColumn> columns;
  if (PQresultStatus(description) == PGRES_COMMAND_OK)
    for (int i = 0; i < PQnfields(description); ++i)
      columns.push_back({QString::fromUtf8(PQfname(description, i)), PQftype(description, i)});
  PQclear(description);
  if (columns.empty()) throw postgresError(QStringLiteral("A query can only read: the statement returns no rows"));
  return columns;
}

void ReadOnlyTransaction::sendForRows() {
  if (!PQsendQueryPrepared(connection_, kStatement, 0, nullptr, nullptr, nullptr, 0) || !PQsetSingleRowMode(connection_))
    throw postgresError(errorOf(connection_, nullptr));
}

}  // namespace kelvane
