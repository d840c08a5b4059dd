#include "CompactRows.h"

#include "chart/ChartRecord.h"
#include "chart/Single.h"
#include "chart/VerticalRange.h"
#include "entry/NumberInput.h"

#include <QHash>
#include <QPair>

#include <cstring>
#include <limits>
#include <vector>

namespace kelvane {

namespace {

// What a read holds against its budget: its rows, and the distinct texts and other values kept once
// for them. Taken before it is held, so that no one text of a server's (up to a gigabyte) is
// copied past it.
class Holding {
 public:
  explicit Holding(const ReadBudget& budget) : budget_(budget) { take(0); }

  // Raises the budget's error where the bytes would pass it.
  void take(qint64 bytes) {
    if (bytes_ + bytes > budget_.bytes) throw budget_.passed();
    bytes_ += bytes;
    rowLimit_ = qint32(std::min<qint64>({budget_.rows, (budget_.bytes - bytes_) / ReadBudget::kBytesPerRow,
                                         std::numeric_limits<qint32>::max()}));
  }
  // How many rows the read may count beside the texts and values it holds.
  qint32 rowLimit() const { return rowLimit_; }
  const ReadBudget& budget() const { return budget_; }

 private:
  const ReadBudget budget_;
  qint64 bytes_ = 0;
  qint32 rowLimit_ = 0;
};

// The distinct texts of a column by their bytes: open addressing over their indexes, a few bytes
// a text where a hash of strings would take a hundred.
class TextIndex {
 public:
  TextIndex(StoredColumn& column, Holding& holding) : column_(column), holding_(holding), slots_(1024, kEmpty) {}

  quint32 indexOf(QByteArrayView text) {
    if (std::size_t(column_.textCount() + 1) * 2 > slots_.size()) grow();
    for (std::size_t slot = qHash(text) & (slots_.size() - 1);; slot = (slot + 1) & (slots_.size() - 1)) {
      if (slots_[slot] == kEmpty) {
        holding_.take(text.size() + kBytesPerText);
        return slots_[slot] = column_.addText(text);
      }
      if (column_.text(slots_[slot]) == text) return slots_[slot];
    }
  }

 private:
  static constexpr quint32 kEmpty = ~0u;
  // What a text takes beside its bytes: its end in the column, and two slots here (at most half of
  // them are full), doubled while they grow.
  static constexpr qint64 kBytesPerText = 4 + 2 * 4 * 2;

  void grow() {
    slots_.assign(slots_.size() * 2, kEmpty);
    for (quint32 index = 0; index < quint32(column_.textCount()); ++index) {
      std::size_t slot = qHash(column_.text(index)) & (slots_.size() - 1);
      while (slots_[slot] != kEmpty) slot = (slot + 1) & (slots_.size() - 1);
      slots_[slot] = index;
    }
  }

  StoredColumn& column_;
  Holding& holding_;
  std::vector<quint32> slots_;  // a power of two of them, at most half full
};

// Appends one column of the result to a StoredColumn, each distinct text (and each value of a
// rarer kind) kept once.
class ColumnBuilder {
 public:
  ColumnBuilder(StoredColumn& column, Holding& holding) : column_(column), holding_(holding), texts_(column, holding) {}

  void append(const RowCursor& rows, int column) {
    const Cell cell = rows.cell(column);
    switch (cell.kind) {
      case Cell::Real: return column_.appendNumber(cell.real);
      case Cell::Integer: return column_.appendInteger(cell.integer);
      case Cell::Text: return column_.appendText(textIndex(cell.text));
      case Cell::Null: case Cell::Other: return column_.appendOther(otherIndex(rows.field(column)));
    }
  }

 private:
  // Rows come in the order they were written: a text is mostly the one before it (a date), or the
  // one that came after that one when it first came (the times of the next day).
  quint32 textIndex(QByteArrayView text) {
    if (column_.textCount() > 0) {
      if (same(column_.text(last_), text)) return last_;
      if (last_ + 1 < column_.textCount() && same(column_.text(last_ + 1), text)) return ++last_;
    }
    return last_ = texts_.indexOf(text);
  }
  // Times and dates are 8 to 16 bytes: two loads of 8 compare them without a call.
  static bool same(QByteArrayView a, QByteArrayView b) {
    const std::size_t size = std::size_t(a.size());
    if (size != std::size_t(b.size())) return false;
    if (size < 8 || size > 16) return std::memcmp(a.data(), b.data(), size) == 0;
    return word(a.data()) == word(b.data()) && word(a.data() + size - 8) == word(b.data() + size - 8);
  }
  static quint64 word(const char* bytes) {
    quint64 value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
  }
  quint32 otherIndex(const QVariant& value) {
    const QPair<int, QString> key(value.metaType().id(), value.toString());
    auto found = others_.constFind(key);
    if (found == others_.constEnd()) {
      holding_.take(2 * (key.second.size() + 32));  // the value and its key
      found = others_.insert(key, column_.addOther(value));
    }
    return found.value();
  }

  StoredColumn& column_;
  Holding& holding_;
  TextIndex texts_;
  quint32 last_ = 0;
  QHash<QPair<int, QString>, quint32> others_;
};

// A stored Data value as a number: texts are read as typed values are.
double dataValue(const RowCursor& rows, const Cell& cell, int column, const QLocale& locale) {
  switch (cell.kind) {
    case Cell::Real: return cell.real;
    case Cell::Integer: return double(cell.integer);
    case Cell::Null: throw invalidUseOfNullError();
    case Cell::Text: return typedDouble(QString::fromUtf8(cell.text), locale);
    case Cell::Other: break;
  }
  const QVariant value = rows.otherValue(column);
  if (value.metaType().id() == QMetaType::QString) return typedDouble(value.toString(), locale);
  bool ok = false;
  const double number = value.toDouble(&ok);
  if (!ok) throw typeMismatchError();
  return number;
}

// A number stored as a text, or none, is no row number to follow.
void keepNewest(std::optional<double>& newest, const Cell& number) {
  const double value = number.kind == Cell::Integer ? double(number.integer) : number.real;
  if ((number.kind == Cell::Integer || number.kind == Cell::Real) && (!newest || value > *newest)) newest = value;
}

using ColumnOf = std::shared_ptr<StoredColumn> RowColumns::*;
constexpr ColumnOf kColumns[] = {&RowColumns::number, &RowColumns::time, &RowColumns::date, &RowColumns::data};

// Moves to the next row and counts it; a result of more rows than a Long counts overflows, and
// one of more than the budget's passes it.
bool nextRow(RowCursor& rows, qint32& count, JobControl& job, const Holding* holding = nullptr) {
  if (job.stopRequested()) throw cancelledError();
  if (!rows.next()) return false;
  if (count >= (holding ? holding->rowLimit() : std::numeric_limits<qint32>::max()))
    throw count == std::numeric_limits<qint32>::max() ? overflowError() : holding->budget().passed();
  job.setProgress(++count);
  return true;
}


// The rows in columns of their own, from the row at first of theirs.
CompactRows copiedFrom(const CompactRows& rows, qsizetype first) {
  CompactRows copy = rows;
  const auto columns = std::make_shared<RowColumns>();
  for (ColumnOf column : kColumns) {
    const StoredColumn& from = *((*rows.columns).*column);
    StoredColumn& to = *((*columns).*column);
    for (qsizetype row = first; row < rows.first + rows.loaded && row < from.size(); ++row) to.appendFrom(from, row);
  }
  copy.columns = columns;
  copy.first = 0;
  return copy;
}

}  // namespace

CompactRows readRows(RowCursor& rows, const LoadPlan& plan, JobControl& job) {
  CompactRows read;
  const auto filled = std::make_shared<RowColumns>();
  read.columns = filled;
  RowColumns& columns = *filled;
  read.labels = plan.numberOnX ? columns.number : columns.time;
  const QString labelField = plan.numberOnX ? QStringLiteral("Number") : QStringLiteral("Time");
  const int data = rows.columnIndex(QStringLiteral("Data"));
  const int number = rows.columnIndex(QStringLiteral("Number"));
  const int time = rows.columnIndex(QStringLiteral("Time"));
  const int date = rows.columnIndex(QStringLiteral("Date"));
  const int label = plan.numberOnX ? number : time;
  Holding holding(plan.budget);
  ColumnBuilder numbers(*columns.number, holding), times(*columns.time, holding), dates(*columns.date, holding);
  StoredRange range{plan.yMin, plan.yMax, plan.yLabelStep};
  while (read.count != plan.limit && nextRow(rows, read.count, job, &holding)) {
    if (read.count == 1 && date >= 0) read.firstDate = rows.field(date);
    if (read.stop) continue;
    try {
      // The steps of LoadChartRows for one row, in its order: a missing column fails where it is read.
      if (data < 0) throw itemNotFoundError(QStringLiteral("Data"));
      const Cell cell = rows.cell(data);
      const double d = dataValue(rows, cell, data, plan.locale);
      read.values.append(singleProduct(d, kValueScale));
      columns.data->appendNumber(cell.single ? double(float(d)) : d);
      if (label < 0) throw itemNotFoundError(labelField);
      // The column not charted is kept too, where the result has it, for the rows' own texts.
      if (number >= 0) numbers.append(rows, number);
      if (time >= 0) times.append(rows, time);
      if (plan.withDates && date < 0) throw itemNotFoundError(QStringLiteral("Date"));
      if (date >= 0) dates.append(rows, date);
      range.widen(d);
      ++read.loaded;
      if (plan.withNewest && number >= 0) keepNewest(read.newest, rows.cell(number));
    } catch (const RuntimeError& error) {
      if (error.number() == ErrorNumber::OutOfMemory) throw;  // the budget's: nothing is loaded
      read.stop = error;
    }
  }
  read.values.resize(read.count);
  read.yMin = range.yMin;
  read.yMax = range.yMax;
  read.yLabelStep = range.yLabelStep;
  return read;
}

qint32 countRows(RowCursor& rows, JobControl& job) {
  qint32 count = 0;
  while (nextRow(rows, count, job)) {
  }
  return count;
}

void widenRange(CompactRows& rows, const LoadPlan& plan) {
  StoredRange range{plan.yMin, plan.yMax, plan.yLabelStep};
  const StoredColumn& data = *rows.columns->data;
  data.forEachNumber(rows.first, std::min(rows.first + rows.loaded, data.size()), [&](double d) { range.widen(d); });
  rows.yMin = range.yMin;
  rows.yMax = range.yMax;
  rows.yLabelStep = range.yLabelStep;
}

CompactRows rowsShown(const KeptChart& chart, const LoadPlan& plan, std::size_t series) {
  CompactRows rows;
  if (series >= chart.input.series.size() || !chart.input.series[series].rows.columns) return rows;
  const ChartSeries& shown = chart.input.series[series];
  rows.columns = shown.rows.columns;
  rows.first = shown.rows.first;
  rows.count = rows.loaded = shown.rows.count;
  rows.values = shown.values;
  rows.values.resize(rows.count);
  rows.labels = plan.numberOnX ? rows.columns->number : rows.columns->time;
  const StoredColumn& dates = *rows.columns->date;
  if (rows.first < dates.size()) rows.firstDate = dates.at(rows.first);
  return rows;
}

namespace {

double numberOf(const CompactRows& rows, qint32 i) {
  const StoredColumn& numbers = *rows.columns->number;
  const qsizetype row = rows.first + i;
  return row < numbers.size() ? numbers.numberAt(row).value_or(qQNaN()) : qQNaN();
}

// The counts of rows joined by those of a later read.
void countLater(CompactRows& both, const CompactRows& later) {
  both.count += later.count;
  both.loaded += later.loaded;
  if (!both.stop) both.stop = later.stop;
  if (later.newest && (!both.newest || *later.newest > *both.newest)) both.newest = later.newest;
}

}  // namespace

CompactRows joined(const CompactRows& rows, const CompactRows& later, const LoadPlan& plan) {
  if (rows.count == 0) return later;
  // Columns only grow, and whatever shows them reads its own rows of them: the later rows go on
  // in the same columns, where a kept chart of the rows before never looks, unless rows that no
  // chart shows came after these.
  const qsizetype end = rows.first + rows.count;
  const bool endsThere = std::all_of(std::begin(kColumns), std::end(kColumns),
                                     [&](ColumnOf column) { return ((*rows.columns).*column)->size() == end; });
  CompactRows both = endsThere ? rows : copiedFrom(rows, rows.first);
  for (ColumnOf column : kColumns) {
    StoredColumn& to = *((*both.columns).*column);
    const StoredColumn& from = *((*later.columns).*column);
    for (qsizetype row = later.first; row < later.first + later.loaded && row < from.size(); ++row) to.appendFrom(from, row);
  }
  both.labels = plan.numberOnX ? both.columns->number : both.columns->time;
  both.values += later.values;
  countLater(both, later);
  return both;
}

bool numberedAfter(const CompactRows& rows, const CompactRows& later) {
  if (rows.loaded == 0 || later.loaded == 0) return true;
  return numberOf(later, 0) > numberOf(rows, rows.loaded - 1);
}

CompactRows mergedByNumber(const CompactRows& rows, const CompactRows& later, const LoadPlan& plan) {
  if (rows.count == 0 || numberedAfter(rows, later)) return joined(rows, later, plan);
  const auto columns = std::make_shared<RowColumns>();
  QList<float> values;
  const auto take = [&](const CompactRows& from, qint32 i) {
    const qsizetype row = from.first + i;
    for (ColumnOf column : kColumns) {
      const StoredColumn& source = *((*from.columns).*column);
      if (row < source.size()) ((*columns).*column)->appendFrom(source, row);
    }
    values.append(from.values.value(i));
  };
  qint32 i = 0, j = 0;
  while (i < rows.loaded || j < later.loaded) {
    // A row without a number keeps its place behind the rows before it.
    if (j < later.loaded && (i == rows.loaded || numberOf(later, j) < numberOf(rows, i))) take(later, j++);
    else take(rows, i++);
  }
  CompactRows both = rows;
  countLater(both, later);
  both.columns = columns;
  both.first = 0;
  both.values = values + later.values.mid(later.loaded);
  both.labels = plan.numberOnX ? columns->number : columns->time;
  both.firstDate.reset();
  if (both.count > 0 && columns->date->size() > 0) both.firstDate = columns->date->at(0);
  return both;
}

CompactRows rowsWhere(const CompactRows& rows, const std::function<bool(qsizetype)>& keep, const LoadPlan& plan) {
  qint32 kept = 0;
  while (kept < rows.loaded && keep(rows.first + kept)) ++kept;
  if (kept == rows.loaded) return rows;
  const auto columns = std::make_shared<RowColumns>();
  QList<float> values;
  qint32 left = 0;
  for (qint32 i = 0; i < rows.loaded; ++i) {
    const qsizetype row = rows.first + i;
    // Those before the first left out are known to be kept, and that one to be left out.
    if (i >= kept && (i == kept || !keep(row))) {
      ++left;
      continue;
    }
    for (ColumnOf column : kColumns) {
      const StoredColumn& from = *((*rows.columns).*column);
      if (row < from.size()) ((*columns).*column)->appendFrom(from, row);
    }
    values.append(rows.values.value(i));
  }
  CompactRows result = rows;
  result.columns = columns;
  result.first = 0;
  result.count -= left;
  result.loaded -= left;
  result.values = values + rows.values.mid(rows.loaded);
  result.labels = plan.numberOnX ? columns->number : columns->time;
  result.firstDate.reset();
  if (result.count > 0 && columns->date->size() > 0) result.firstDate = columns->date->at(0);
  return result;
}

CompactRows withoutFirst(const CompactRows& rows, qint32 count, const LoadPlan& plan) {
  CompactRows rest = rows;
  count = std::min(count, rows.count);
  rest.first += count;
  rest.count -= count;
  rest.loaded = std::max(0, rest.loaded - count);
  rest.values.remove(0, count);
  // Rows no chart shows any more are let go once they outnumber those it shows.
  if (rest.first > rest.count) rest = copiedFrom(rest, rest.first);
  rest.labels = plan.numberOnX ? rest.columns->number : rest.columns->time;
  const StoredColumn& dates = *rest.columns->date;
  rest.firstDate.reset();
  if (rest.count > 0 && rest.first < dates.size()) rest.firstDate = dates.at(rest.first);
  return rest;
}

}  // namespace kelvane
