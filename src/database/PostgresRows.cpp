#include "PostgresRows.h"

#include "Engine.h"
#include "PostgresEngine.h"

#include <QDate>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QTime>

#include <charconv>
#include <cstring>
#include <utility>

#include <poll.h>

namespace kelvane {

namespace {

constexpr const char* kNewest = "kelvane_newest_number";

// The server's type numbers (pg_type.oid) of the values that do not come as texts.
constexpr Oid kBool = 16, kBytes = 17, kInt8 = 20, kInt2 = 21, kInt4 = 23, kObjectId = 26;
constexpr Oid kFloat4 = 700, kFloat8 = 701, kNumeric = 1700;
constexpr Oid kDate = 1082, kTime = 1083, kTimestamp = 1114, kTimestampWithZone = 1184;

// As Qt SQL reads a time stamp: a zone of whole hours gains its minutes, and the moment is local.
QDateTime timestampOf(QString text, bool withZone) {
  if (!withZone) return QDateTime::fromString(text, Qt::ISODateWithMs);
  const QChar sign = text.size() >= 3 ? text.at(text.size() - 3) : QChar();
  if (sign == QLatin1Char('+') || sign == QLatin1Char('-')) text += QStringLiteral(":00");
  return QDateTime::fromString(text, Qt::ISODateWithMs).toLocalTime();
}

}  // namespace

PostgresRowSource::PostgresRowSource(QString connectionFile) : file_(std::move(connectionFile)) {}

PostgresRowSource::~PostgresRowSource() {
  PQclear(row_);
  // Rows still coming are not read past, which for a query without end would never end: the
  // server ends the statement of a reset connection.
  if (connection_ && PQtransactionStatus(connection_) == PQTRANS_ACTIVE) interrupt();
  transaction_.reset();
  PQfinish(connection_);
}

RuntimeError PostgresRowSource::failure(const QString& description) const {
  return postgresError(namingDatabase(description, shown_));
}

// Connected step by step, so that a cancel ends the wait for a server that does not answer;
// libpq leaves the connect timeout to the caller then.
void PostgresRowSource::open() {
  const ServerAddress address = serverAddressIn(file_);
  shown_ = address.shown;
  connection_ = PQconnectStart(readingConnectionInfo(address).toUtf8().constData());
  if (!connection_) throw outOfMemoryError();
  QDeadlineTimer deadline(QDeadlineTimer::Forever);
  if (address.connectTimeoutS > 0) deadline.setRemainingTime(qint64(address.connectTimeoutS) * 1000);
  PostgresPollingStatusType polling =
      PQstatus(connection_) == CONNECTION_BAD ? PGRES_POLLING_FAILED : PGRES_POLLING_WRITING;
  while (polling == PGRES_POLLING_READING || polling == PGRES_POLLING_WRITING) {
    if (stopped()) throw cancelledError();
    if (deadline.hasExpired()) throw connectionFailure(address, QStringLiteral("timeout expired"));
    pollfd socket{PQsocket(connection_), short(polling == PGRES_POLLING_READING ? POLLIN : POLLOUT), 0};
    if (::poll(&socket, 1, kServerPollMs) > 0) polling = PQconnectPoll(connection_);
  }
  if (polling != PGRES_POLLING_OK)
    throw connectionFailure(address, QString::fromUtf8(PQerrorMessage(connection_)).trimmed());
  PQsetNoticeProcessor(connection_, [](void*, const char*) {}, nullptr);
  if (const QByteArray check = connectionCheckSetting(PQserverVersion(connection_)); !check.isEmpty()) {
    PGresult* set = lastResult(connection_, PQsendQuery(connection_, check.constData()), stopFlag());
    const bool done = PQresultStatus(set) == PGRES_COMMAND_OK;
    const QString why = errorOf(connection_, set);
    PQclear(set);
    if (!done) throw stopped() ? cancelledError() : connectionFailure(address, why);
  }
  interrupt_.keep(PQsocket(connection_));
}

void PostgresRowSource::interrupt() {
  interrupt_();
}

RowCursor& PostgresRowSource::run(const QString& sql) {
  endRun();
  try {
    transaction_ = std::make_unique<ReadOnlyTransaction>(connection_, stopFlag());
    transaction_->prepare(sql);
    columns_ = transaction_->rowColumns();
    transaction_->sendForRows();
  } catch (const RuntimeError& error) {
    throw failure(error.description());
  }
  return *this;
}

RowCursor& PostgresRowSource::runOwn(const QString& sql) {
  endRun();
  if (!PQsendQuery(connection_, sql.toUtf8().constData()) || !PQsetSingleRowMode(connection_))
    throw failure(errorOf(connection_, nullptr));
  first_ = nextResult(connection_, stopFlag());
  const ExecStatusType status = PQresultStatus(first_);
  if (status != PGRES_SINGLE_TUPLE && status != PGRES_TUPLES_OK) {
    const QString why = errorOf(connection_, first_);
    endRun();
    throw stopped() ? cancelledError() : failure(why);
  }
  columns_.clear();
  for (int i = 0; i < PQnfields(first_); ++i) columns_.push_back({QString::fromUtf8(PQfname(first_, i)), PQftype(first_, i)});
  return *this;
}

void PostgresRowSource::endRun() {
  PQclear(std::exchange(first_, nullptr));
  PQclear(std::exchange(row_, nullptr));
  if (transaction_) {
    transaction_.reset();
    return;
  }
  // A text of the program's own is read past its last rows, so that the connection serves the next.
  while (!stopped() && PQtransactionStatus(connection_) == PQTRANS_ACTIVE) {
    PGresult* rest = nextResult(connection_, stopFlag());
    if (!rest) break;
    PQclear(rest);
  }
}

// The session can only read, so the program's own query needs no transaction of its own.
std::optional<double> PostgresRowSource::largestNumber() {
  endRun();
  if (!newestPrepared_) {
    PGresult* prepared = lastResult(
        connection_, PQsendPrepare(connection_, kNewest, "SELECT max(number) FROM GraphData", 0, nullptr), stopFlag());
    newestPrepared_ = PQresultStatus(prepared) == PGRES_COMMAND_OK;
    const QString why = errorOf(connection_, prepared);
    PQclear(prepared);
    if (!newestPrepared_) throw stopped() ? cancelledError() : failure(why);
  }
  PGresult* result =
      lastResult(connection_, PQsendQueryPrepared(connection_, kNewest, 0, nullptr, nullptr, nullptr, 0), stopFlag());
  const bool answered = PQresultStatus(result) == PGRES_TUPLES_OK && PQntuples(result) == 1;
  // Read as a row's number is read, so that the chart's newest and the table's compare alike.
  const char* text = answered && !PQgetisnull(result, 0, 0) ? PQgetvalue(result, 0, 0) : nullptr;
  double newest = 0;
  const bool read = text && std::from_chars(text, text + std::strlen(text), newest).ec == std::errc();
  const QString why = errorOf(connection_, result);
  PQclear(result);
  if (!answered) throw stopped() ? cancelledError() : failure(why);
  return read ? std::optional(newest) : std::nullopt;
}

QStringList PostgresRowSource::columns() const {
  QStringList names;
  for (const ResultColumn& column : columns_) names.append(column.name);
  return names;
}

bool PostgresRowSource::next() { return take(first_ ? std::exchange(first_, nullptr) : nextResult(connection_, stopFlag())); }

bool PostgresRowSource::take(PGresult* result) {
  PQclear(row_);
  row_ = result;
  switch (PQresultStatus(row_)) {
    case PGRES_SINGLE_TUPLE:
      return true;
    case PGRES_TUPLES_OK:  // the end of the rows, with none in it
      PQclear(row_);
      row_ = nullptr;
      while (PGresult* rest = nextResult(connection_, stopFlag())) PQclear(rest);
      return false;
    default:
      if (stopped()) throw cancelledError();
      throw failure(errorOf(connection_, row_));
  }
}

Cell PostgresRowSource::cell(int column) const {
  Cell cell;
  if (PQgetisnull(row_, 0, column)) return cell;
  const char* text = PQgetvalue(row_, 0, column);
  const int size = PQgetlength(row_, 0, column);
  switch (columns_[column].type) {
    case kInt2: case kInt4: case kInt8: case kObjectId:
      if (std::from_chars(text, text + size, cell.integer).ec == std::errc()) {
        cell.kind = Cell::Integer;
        return cell;
      }
      break;
    case kFloat4: case kFloat8: case kNumeric:
      if (std::from_chars(text, text + size, cell.real).ec == std::errc()) {
        cell.kind = Cell::Real;
        cell.single = columns_[column].type == kFloat4;
        return cell;
      }
      break;
    case kBool: case kBytes: case kDate: case kTime: case kTimestamp: case kTimestampWithZone:
      cell.kind = Cell::Other;
      return cell;
    default:
      break;
  }
  cell.kind = Cell::Text;
  cell.text = QByteArrayView(text, size);
  return cell;
}

// As Qt SQL gives them: a Boolean, a date, a time, a date and time, bytes.
QVariant PostgresRowSource::otherValue(int column) const {
  const char* text = PQgetvalue(row_, 0, column);
  switch (columns_[column].type) {
    case kBool: return qstrcmp(text, "t") == 0;
    case kDate: return QDate::fromString(QString::fromLatin1(text), Qt::ISODate);
    case kTime: return QTime::fromString(QString::fromLatin1(text), Qt::ISODateWithMs);
    case kTimestamp: return timestampOf(QString::fromLatin1(text), false);
    case kTimestampWithZone: return timestampOf(QString::fromLatin1(text), true);
    default: break;
  }
  size_t length = 0;
  unsigned char* bytes = PQunescapeBytea(reinterpret_cast<const unsigned char*>(text), &length);
  const QByteArray value(reinterpret_cast<const char*>(bytes), qsizetype(length));
  PQfreemem(bytes);
  return value;
}

}  // namespace kelvane
