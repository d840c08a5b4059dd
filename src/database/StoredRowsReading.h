#pragma once

#include "CompactRows.h"
#include "state/Views.h"

#include <functional>
#include <mutex>
#include <optional>

namespace kelvane {

class RowSource;

// What the reading thread found, kept for the handler until its Part comes to it: the value, or
// the error that ended the read.
template <typename T>
struct Outcome {
  std::optional<T> value;
  std::optional<RuntimeError> failure;
  T take() {
    if (failure) throw *failure;
    return std::move(*value);
  }
};

// The reads of the charts of stored rows, off the user-interface thread, each on connections of
// its own that it closes before it ends. A cancel ends the read however far it got, with error
// OperationCancelled in place of what the engine said.
class StoredRowsReading : public RowReading {
 public:
  void cancel() override;
  qint64 rowsRead() const override { return progress_.rows; }

 protected:
  // Opens a source on the data source, runs the work on it and closes it again; says why that
  // failed, if it did.
  std::optional<RuntimeError> read(const QString& dataSource, const std::function<void(RowSource&)>& work);
  ReadProgress progress_;

 private:
  void setOpen(RowSource* source);
  std::mutex mutex_;
  RowSource* open_ = nullptr;  // the source a cancel interrupts
};

// The operator's query, run as the query dialog and the full-screen window run it.
class QueryReading : public StoredRowsReading {
 public:
  QueryReading(QString dataSource, QString sql, LoadPlan plan);
  void run() override;
  // Raises the error that ended the read.
  CompactRows rows() { return rows_.take(); }

 private:
  const QString dataSource_, sql_;
  const LoadPlan plan_;
  Outcome<CompactRows> rows_;
};

// The most recent rows of GraphData: counted first, then read on a new connection, the newest 20
// in ascending number order or all rows of a shorter table in the engine's order.
class RecentRowsReading : public StoredRowsReading {
 public:
  // allColumns: every column, as the full-screen window asks for them, or the four.
  RecentRowsReading(QString dataSource, bool allColumns, LoadPlan plan);
  void run() override;
  // Each raises the error that ended its query; the rows are read only when the count is not 0.
  qint32 count() { return count_.take(); }
  CompactRows rows() { return rows_.take(); }

 private:
  const QString dataSource_;
  const bool allColumns_;
  LoadPlan plan_;
  Outcome<qint32> count_;
  Outcome<CompactRows> rows_;
};

}  // namespace kelvane
