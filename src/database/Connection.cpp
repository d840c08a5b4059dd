#include "Connection.h"

#include "ConnectionString.h"
#include "Engine.h"
#include "Recordset.h"
#include "state/Background.h"
#include "state/RuntimeError.h"

#include <QSqlDatabase>
#include <QSqlError>

#include <atomic>

namespace kelvane {

namespace {
// Connections are opened on the user-interface thread and by the delivery of kept rows at once.
std::atomic<int> connectionsMade = 0;
}

Connection::Connection() : name_(QStringLiteral("kelvane-%1").arg(++connectionsMade)) {}

Connection::~Connection() { Close(); }

RuntimeError Connection::engineError(const QSqlError& error) const {
  return RuntimeError(ErrorNumber::DatabaseEngine, engine_ ? engine_->name() : QStringLiteral("Database"),
                      naming(error.text()), engine_ ? engine_->retryFor(error) : Retry::Never);
}

QString Connection::naming(const QString& description) const { return namingDatabase(description, shown_); }

void Connection::requireOpen() const {
  if (!open_) throw objectClosedError(QStringLiteral("Connection"));
}

void Connection::Open(const QString& connectionString) {
  Close();
  const QString dataSource = dataSourceOf(connectionString);
  engine_ = &engineFor(dataSource);
  shown_ = engine_->shownName(dataSource);
  QSqlDatabase database = QSqlDatabase::addDatabase(engine_->driver(), name_);
  try {
    engine_->open(database, dataSource, LockWait);
  } catch (const RuntimeError& error) {
    database = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
    throw error.describedAs(naming(error.description()));
  }
  open_ = true;
  interrupt_ = engine_->interruptOf(database);
  if (job_) job_->setInterrupt(interrupt_);
}

void Connection::workFor(JobControl* job) {
  if (job_) job_->setInterrupt(nullptr);
  job_ = job;
  if (job_ && open_) job_->setInterrupt(interrupt_);
}

void Connection::BeginTrans() {
  requireOpen();
  for (const QString& statement : engine_->beginWriteStatements()) query(statement);
  inTransaction_ = true;
}

void Connection::CommitTrans() {
  if (!open_ || !inTransaction_) return;
  QSqlDatabase database = QSqlDatabase::database(name_, false);
  if (!database.commit()) throw engineError(database.lastError());
  inTransaction_ = false;
}

void Connection::Close() {
  for (Recordset* recordset : std::as_const(recordsets_)) recordset->Close();
  recordsets_.clear();
  if (!open_) return;
  // Nothing may interrupt a connection that is going.
  if (job_) job_->setInterrupt(nullptr);
  interrupt_ = nullptr;
  open_ = false;
  inTransaction_ = false;
  {
    QSqlDatabase database = QSqlDatabase::database(name_, false);
    database.close();  // an open transaction is rolled back with it
  }
  QSqlDatabase::removeDatabase(name_);
}

QSqlQuery Connection::query(const QString& sql) {
  requireOpen();
  QSqlQuery query(QSqlDatabase::database(name_, false));
  query.setForwardOnly(true);
  if (!query.exec(sql)) throw engineError(query.lastError());
  return query;
}

QSqlQuery Connection::execute(const QString& sql, const QList<QVariant>& values) {
  requireOpen();
  QSqlQuery statement(QSqlDatabase::database(name_, false));
  statement.setForwardOnly(true);
  if (!statement.prepare(sql)) throw engineError(statement.lastError());
  for (const QVariant& value : values) statement.addBindValue(value);
  if (!statement.exec()) {
    const RuntimeError error = engineError(statement.lastError());
    // PostgreSQL refuses all but the end of a transaction in which a statement failed, even
    // freeing that statement.
    if (inTransaction_) QSqlDatabase::database(name_, false).rollback();
    inTransaction_ = false;
    throw error;
  }
  return statement;
}

void Connection::attach(Recordset* recordset) {
  if (!recordsets_.contains(recordset)) recordsets_.append(recordset);
}

void Connection::detach(Recordset* recordset) { recordsets_.removeAll(recordset); }

}  // namespace kelvane
