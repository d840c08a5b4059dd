#pragma once

#include "RowSource.h"

#include <atomic>

struct sqlite3;
struct sqlite3_stmt;

namespace kelvane {

class RuntimeError;

// The rows of a SQLite file, straight through SQLite's C interface, on a connection of their own
// that opens the file read-only and never creates it.
class SqliteRowSource : public RowSource, private RowCursor {
 public:
  // Bounded: texts and LIKE patterns as long as boundReading allows, as the program reads; Whole,
  // for a check of what a table holds, however long.
  enum class Texts { Bounded, Whole };
  explicit SqliteRowSource(QString path, Texts texts = Texts::Bounded);
  ~SqliteRowSource() override;
  SqliteRowSource(const SqliteRowSource&) = delete;
  SqliteRowSource& operator=(const SqliteRowSource&) = delete;

  void open() override;
  RowCursor& run(const QString& sql) override;
  // The guard costs nothing here: the same as run().
  RowCursor& runOwn(const QString& sql) override { return run(sql); }
  void endRun() override;
  std::optional<double> largestNumber() override;

 private:
  void interrupt() override;
  QStringList columns() const override { return columns_; }
  bool next() override;
  Cell cell(int column) const override;
  QVariant otherValue(int column) const override;
  // Names the database; says whether waiting may cure the failure, from SQLite's result code.
  RuntimeError failure(const QString& description, int resultCode) const;

  const QString path_;
  const Texts texts_;
  std::atomic<sqlite3*> handle_{nullptr};
  sqlite3_stmt* statement_ = nullptr;
  sqlite3_stmt* newest_ = nullptr;
  QStringList columns_;
};

}  // namespace kelvane
