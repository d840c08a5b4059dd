#include "PostgresGuards.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kelvane {

RuntimeError postgresError(const QString& description, Retry retry) {
  return RuntimeError(ErrorNumber::DatabaseEngine, QStringLiteral("PostgreSQL"), description, retry);
}

QString errorOf(PGconn* connection, const PGresult* result) {
  QString text = QString::fromUtf8(result ? PQresultErrorMessage(result) : "").trimmed();
  if (text.isEmpty()) text = QString::fromUtf8(PQerrorMessage(connection)).trimmed();
  return text;
}

SocketInterrupt::~SocketInterrupt() {
  if (const int socket = socket_.load(); socket >= 0) ::close(socket);
}

void SocketInterrupt::keep(int socket) {
  if (socket >= 0) socket_ = ::fcntl(socket, F_DUPFD_CLOEXEC, 0);
}

void SocketInterrupt::operator()() const {
  const int socket = socket_.load();
  if (socket < 0) return;
  const linger reset{1, 0};
  ::setsockopt(socket, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
  ::shutdown(socket, SHUT_RDWR);
}

PGresult* nextResult(PGconn* connection, const std::atomic<bool>* stopped) {
  while (PQisBusy(connection)) {
    if (stopped && stopped->load()) return nullptr;
    pollfd socket{PQsocket(connection), POLLIN, 0};
    if (socket.fd < 0) break;
    ::poll(&socket, 1, kServerPollMs);
    if (!PQconsumeInput(connection)) break;  // the connection is lost: the result says so
  }
  return PQgetResult(connection);
}

PGresult* lastResult(PGconn* connection, int sent, const std::atomic<bool>* stopped) {
  PGresult* last = nullptr;
  if (!sent) return last;
  while (PGresult* result = nextResult(connection, stopped)) {
    PQclear(last);
    last = result;
  }
  return last;
}

ReadOnlyTransaction::ReadOnlyTransaction(PGconn* connection, const std::atomic<bool>* stopped)
    : connection_(connection), stopped_(stopped) {
  const QByteArray begin = QByteArray("BEGIN TRANSACTION READ ONLY; SET LOCAL statement_timeout = '") + kQueryTimeout + "'";
  expect(PQsendQuery(connection_, begin.constData()), PGRES_COMMAND_OK);
}

ReadOnlyTransaction::~ReadOnlyTransaction() {
  // Nothing is wanted from a stopped job's abandoned connection: the session ends with the
  // connection, which takes the transaction and all it held along, and the server notices within
  // a second. Rows not read yet are read past, so that the connection serves the next text.
  if (PQtransactionStatus(connection_) == PQTRANS_UNKNOWN || (stopped_ && stopped_->load())) return;
  while (PQtransactionStatus(connection_) == PQTRANS_ACTIVE) {
    PGresult* rest = nextResult(connection_, stopped_);
    if (!rest) break;
    PQclear(rest);
  }
  if (PQtransactionStatus(connection_) == PQTRANS_ACTIVE) return;
  // One round trip: a connection held between two reads goes through this each time.
  QByteArray end = "ROLLBACK; ";
  if (prepared_) end += QByteArray("DEALLOCATE ") + kStatement + "; ";
  end += "SELECT pg_advisory_unlock_all()";
  PQclear(lastResult(connection_, PQsendQuery(connection_, end.constData()), stopped_));
}

void ReadOnlyTransaction::expect(int sent, ExecStatusType status) {
  PGresult* result = lastResult(connection_, sent, stopped_);
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
  PGresult* description = lastResult(connection_, PQsendDescribePrepared(connection_, kStatement), stopped_);
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
