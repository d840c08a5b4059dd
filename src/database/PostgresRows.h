#pragma once

#include "PostgresGuards.h"
#include "RowSource.h"

#include <atomic>
#include <memory>

namespace kelvane {

// The rows of a PostgreSQL database straight through libpq, one at a time as the server sends
// them, on a connection of its own that can only read.
class PostgresRowSource : public RowSource, private RowCursor {
 public:
  explicit PostgresRowSource(QString connectionFile);
  ~PostgresRowSource() override;
  PostgresRowSource(const PostgresRowSource&) = delete;
  PostgresRowSource& operator=(const PostgresRowSource&) = delete;

  void open() override;
  RowCursor& run(const QString& sql) override;
  RowCursor& runOwn(const QString& sql) override;
  void endRun() override;
  std::optional<double> largestNumber() override;

 private:
  // Resets the connection: a cancel request would wait as long as the statement for a server that
  // went silent, and the server ends the statement of a reset connection by itself.
  void interrupt() override;
  QStringList columns() const override;
  bool next() override;
  Cell cell(int column) const override;
  QVariant otherValue(int column) const override;
  // Takes a result as the current row: false at the end of the rows.
  bool take(PGresult* result);
  RuntimeError failure(const QString& description) const;

  const QString file_;
  QString shown_;
  PGconn* connection_ = nullptr;
  SocketInterrupt interrupt_;  // once connected
  std::unique_ptr<ReadOnlyTransaction> transaction_;
  std::vector<ResultColumn> columns_;
  PGresult* row_ = nullptr;
  PGresult* first_ = nullptr;  // of a text of the program's own, which brought its columns
  bool newestPrepared_ = false;
};

}  // namespace kelvane
