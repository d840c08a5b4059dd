#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace kelvane {

class Connection;

enum CommandTypeEnum { adCmdText = 1, adCmdTable = 2 };

// The first row of one result, or a table opened to take new rows. Closed with its connection.
class Recordset {
 public:
  Recordset() = default;
  ~Recordset();
  Recordset(const Recordset&) = delete;
  Recordset& operator=(const Recordset&) = delete;

  // adCmdText: runs the SQL text and holds its first row. adCmdTable: the table named by source
  // takes new rows (AddNew, Collect, Update); none is read.
  void Open(const QString& source, Connection& connection, CommandTypeEnum type = adCmdText);
  void Close();
  bool isOpen() const { return connection_ != nullptr; }

  // The value of the named column in the first row; names match without regard to case.
  QVariant Fields(const QString& name) const;

  void AddNew();
  void Collect(const QString& name, const QVariant& value);
  // Stores the new row; it is in the database when the call returns (or when the connection's
  // transaction commits).
  void Update();

 private:
  void requireOpen() const;
  int columnOf(const QString& name) const;

  Connection* connection_ = nullptr;
  QString table_;
  QStringList columns_;
  std::optional<QList<QVariant>> row_;
  bool adding_ = false;
  QList<QPair<QString, QVariant>> newRow_;
};

}  // namespace kelvane
