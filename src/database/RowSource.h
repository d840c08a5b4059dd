#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QVariant>

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
// row by row through Qt SQL, and can only read. It closes when destroyed.
class RowSource {
 public:
  virtual ~RowSource() = default;
  // Raises a RuntimeError that says why the database cannot be opened.
  virtual void open() = 0;
  // Runs a text, one a source, as the operator's query is run: exactly one statement, and nothing
  // it says can write. Its rows last until the source closes.
  virtual RowCursor& run(const QString& sql) = 0;
  // Ends what the engine is doing at once; from any thread while the source is open.
  virtual void interrupt() = 0;
  // Whether table GraphData holds a row numbered above the number: its largest number, which the
  // index on number gives at once, by a query prepared once a source, as a source is asked again
  // and again. The query takes no parameter: a parameter's generic plan would scan the table.
  virtual bool hasRowAbove(double number) = 0;
};

}  // namespace kelvane
