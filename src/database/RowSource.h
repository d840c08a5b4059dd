#pragma once

#include "state/Background.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace kelvane {

// One value of a row as the engine holds it. A text points into the engine's buffer and lasts
// until the cursor moves on; values of rarer kinds come from RowCursor::otherValue.
struct Cell {
  enum Kind { Null, Integer, Real, Text, Other };
  Kind kind = Null;
  qint64 integer = 0;
  double real = 0;
  bool single = false;  // a Real the engine holds as a Single
  QByteArrayView text;  // UTF-8
};

// The rows of one result, read forward once, straight from the engine.
class RowCursor {
 public:
  virtual ~RowCursor() = default;
  virtual QStringList columns() const = 0;
  // Moves to the next row; false after the last. Raises the engine's error.
  virtual bool next() = 0;
  virtual Cell cell(int column) const = 0;
  // A value of kind Other: a date, a time, bytes...
  virtual QVariant otherValue(int column) const = 0;

  // The column of that name, without regard to case, as fields are looked up; -1 when the
  // result has none.
  int columnIndex(const QString& name) const;
  // The value as a field gives it: Null, a whole number (qlonglong), a Double, a text, ...
  QVariant field(int column) const;
};

// A connection of its own that reads rows through the engine's own interface, much faster than
// row by row through Qt SQL, and can only read. It closes when destroyed. It is used by one job at
// a time, whose stop ends what it waits for at once.
class RowSource {
 public:
  virtual ~RowSource() = default;
  // The job the source works for from now on, or none (before the job ends, and before the
  // source goes): its stop interrupts the engine.
  void workFor(JobControl* job);
  // Raises a RuntimeError that says why the database cannot be opened.
  virtual void open() = 0;
  // Runs a text as the operator's query is run: exactly one statement, and nothing it says can
  // write. Its rows last until the next run, endRun, or the source closes.
  virtual RowCursor& run(const QString& sql) = 0;
  // A text of the program's own, which needs no guard as the connection only reads: on a server
  // one round trip, where run() takes several. Its rows last as run()'s do.
  virtual RowCursor& runOwn(const QString& sql) = 0;
  // Ends the last run's statement and the transaction it read in, so that a source held between
  // two runs holds up no writer's checkpoint or clean-up.
  virtual void endRun() = 0;
  // The largest number in table GraphData, which the index on number gives at once; none in an
  // empty table. Prepared once a source, as a source is asked again and again, and asked beside
  // any run.
  virtual std::optional<double> largestNumber() = 0;

  // Whether the job the source works for has been stopped.
  bool stopped() const { return stopFlag()->load(std::memory_order_relaxed); }

 protected:
  const std::atomic<bool>* stopFlag() const { return job_ ? &job_->stopFlag() : &kNeverStopped; }
  // Ends what the engine waits for at once, from the thread that stops the job; never waits.
  virtual void interrupt() = 0;

 private:
  static const std::atomic<bool> kNeverStopped;
  JobControl* job_ = nullptr;
};

}  // namespace kelvane
