#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace kelvane {

class Connection;

enum CommandTypeEnum { adCmdText = 1, adCmdTable = 2 };

// The rows of one result, held in full once opened (so they can be counted), or a table opened to
// take new rows. Closed with its connection.
class Recordset {
 public:
  Recordset() = default;
  ~Recordset();
  Recordset(const Recordset&) = delete;
  Recordset& operator=(const Recordset&) = delete;

  // adCmdText: runs the SQL text and holds its rows, the first row current. adCmdTable: the
  // table named by source takes new rows (AddNew, Collect, Update); none is read.
  void Open(const QString& source, Connection& connection, CommandTypeEnum type = adCmdText);
  void Close();
  bool isOpen() const { return connection_ != nullptr; }

  qint32 RecordCount() const;
  // BOF and EOF: EOF is a macro of the C library, hence the prefix.
  bool IsBOF() const;
  bool IsEOF() const;
  // The value of the named column in the current row; names match without regard to case.
  QVariant Fields(const QString& name) const;
  // Moves that many rows on; moving past the last row leaves the record set at its end.
  void Move(qint32 rows);

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
  QList<QList<QVariant>> rows_;
  qsizetype current_ = 0;
  bool adding_ = false;
  QList<QPair<QString, QVariant>> newRow_;
};

}  // namespace kelvane
