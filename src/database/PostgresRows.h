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
  PostgresRowSource(QString connectionFile, const std::atomic<bool>& cancelled);
  ~PostgresRowSource() override;
  PostgresRowSource(const PostgresRowSource&) = delete;
  PostgresRowSource& operator=(const PostgresRowSource&) = delete;

  void open() override;
  RowCursor& run(const QString& sql) override;
  // The reading thread itself asks the server to cancel, within 50 ms (see nextResult): a
  // cancel request can wait long for a server that does not answer, and must not hold the window.
  void interrupt() override {}
  // The session can only read, so the program's own query needs no transaction of its own.
  bool hasRowAbove(double number) override;

 private:
  QStringList columns() const override;
  bool next() override;
  Cell cell(int column) const override;
  QVariant otherValue(int column) const override;
  RuntimeError failure(const QString& description) const;

  const QString file_;
  const std::atomic<bool>& cancelled_;
  QString shown_, password_;
  PGconn* connection_ = nullptr;
  std::unique_ptr<ReadOnlyTransaction> transaction_;
  std::vector<ResultColumn> columns_;
  PGresult* row_ = nullptr;
  bool newestPrepared_ = false;
};

}  // namespace kelvane
