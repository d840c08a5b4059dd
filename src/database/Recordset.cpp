#include "Recordset.h"

#include "Connection.h"
#include "state/RuntimeError.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace kelvane {

namespace {

const QString kSource = QStringLiteral("Recordset");

}  // namespace

Recordset::~Recordset() { Close(); }

void Recordset::Open(const QString& source, Connection& connection, CommandTypeEnum type) {
  Close();
  if (type == adCmdTable) {
    table_ = source;
  } else {
    QSqlQuery query = connection.query(source);
    const QSqlRecord record = query.record();
    for (int i = 0; i < record.count(); ++i) columns_.append(record.fieldName(i));
    if (query.next()) {
      row_.emplace();
      for (int i = 0; i < columns_.size(); ++i) row_->append(query.value(i));
    }
  }
  connection_ = &connection;
  connection.attach(this);
}

void Recordset::Close() {
  if (connection_) connection_->detach(this);
  connection_ = nullptr;
  table_.clear();
  columns_.clear();
  row_.reset();
  adding_ = false;
  newRow_.clear();
}

void Recordset::requireOpen() const {
  if (!connection_) throw objectClosedError(kSource);
}

int Recordset::columnOf(const QString& name) const {
  for (int i = 0; i < columns_.size(); ++i)
    if (columns_[i].compare(name, Qt::CaseInsensitive) == 0) return i;
  throw itemNotFoundError(name);
}

QVariant Recordset::Fields(const QString& name) const {
  requireOpen();
  const int column = columnOf(name);
  if (!row_) throw noCurrentRecordError();
  return row_->at(column);
}

void Recordset::AddNew() {
  requireOpen();
  if (table_.isEmpty())
    throw RuntimeError(ErrorNumber::NotUpdatable, kSource, QStringLiteral("The record set cannot take new rows"));
  adding_ = true;
  newRow_.clear();
}

void Recordset::Collect(const QString& name, const QVariant& value) {
  requireOpen();
  if (!adding_) throw RuntimeError(ErrorNumber::NoCurrentRecord, kSource, QStringLiteral("No new row to set"));
  newRow_.append({name, value});
}

void Recordset::Update() {
  requireOpen();
  if (!adding_) return;
  QStringList names, markers;
  QList<QVariant> values;
  for (const auto& [name, value] : std::as_const(newRow_)) {
    names.append(name);
    markers.append(QStringLiteral("?"));
    values.append(value);
  }
  connection_->execute(
      QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table_, names.join(QStringLiteral(", ")), markers.join(QStringLiteral(", "))),
      values);
  adding_ = false;
  newRow_.clear();
}

}  // namespace kelvane
