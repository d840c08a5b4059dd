#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QVariant>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace kelvane {

// Whether a Single holds the number exactly, as it holds each Data value the program and the
// collector store; infinities and NaN too.
inline bool heldBySingle(double value) {
  if (!std::isfinite(value)) return true;
  return std::abs(value) <= std::numeric_limits<float>::max() && double(float(value)) == value;
}

// One column of stored rows: a number as itself, a text (or a value of another kind: a date,
// Null...) as the index of an entry in the column's table of the distinct ones. Times and dates
// repeat, so a million rows of them hold a few thousand texts. A row takes 4 bytes while every
// value fits in them (a Double a Single holds exactly, an index below 2^20, a whole number of 20
// bits), and the whole column 8 a row from the first value that does not.
class StoredColumn {
 public:
  // Inline where a row fits in 4 bytes: each row of a read comes this way.
  void appendNumber(double value) {
    if (!wide_ && heldBySingle(value)) return appendNarrow(narrowNumber(value));
    appendWideNumber(value);
  }
  void appendInteger(qint64 value);
  // A text kept once, in UTF-8; every row that holds it appends its index.
  quint32 addText(QByteArrayView text);
  void appendText(quint32 index) {
    if (!wide_ && index <= kNarrowPayload) return appendNarrow(kNarrowTextTag | index);
    appendWideText(index);
  }
  QByteArrayView text(quint32 index) const {
    const quint32 start = index == 0 ? 0 : textEnds_[index - 1];
    return QByteArrayView(texts_.constData() + start, textEnds_[index] - start);
  }
  qsizetype textCount() const { return textEnds_.size(); }
  // A value of another kind, kept once in the same way.
  quint32 addOther(const QVariant& value);
  void appendOther(quint32 index);
  // Numbers as numbers, anything else as a distinct value of its own.
  void append(const QVariant& value);
  // The value of a row of another column; a text the same as the last one added is kept once.
  void appendFrom(const StoredColumn& other, qsizetype row);

  qsizetype size() const { return wide_ ? wideCells_.size() : narrowCells_.size(); }
  // The value as the engine gave it: a Double, a whole number (qlonglong), a text, a date...
  QVariant at(qsizetype row) const;
  // The same for a label: a text, or bytes, cut short to kLabelCharacters, decoding no more of it.
  QVariant labelAt(qsizetype row) const;
  // A text as its bytes, without the cost of a QVariant; none for a value of another kind.
  std::optional<QByteArrayView> textAt(qsizetype row) const;
  // A number as a Double, without the cost of a QVariant; none for a value of another kind.
  // Inline for a Single, as charts read millions of them.
  std::optional<double> numberAt(qsizetype row) const {
    if (!wide_) {
      const quint32 cell = narrowCells_.at(row);
      if ((cell & kNarrowTagMask) < kNarrowIntegerTag) return double(singleOf(cell));
    } else if (const quint64 cell = wideCells_.at(row); cell < kWideFirstTag) {
      return doubleOf(cell);
    }
    return otherNumberAt(row);
  }
  // The index of a row's text in the column's table of them; kNoText for a value of another kind
  // and for a row the column does not hold. A plain number, which a loop over millions keeps in a
  // register.
  static constexpr quint32 kNoText = ~0u;
  quint32 textIndexAt(qsizetype row) const {
    if (row < 0 || row >= size()) return kNoText;
    if (wide_) return wideTextIndexAt(row);
    const quint32 cell = narrowCells_.at(row);
    return (cell & kNarrowTagMask) == kNarrowTextTag ? cell & kNarrowPayload : kNoText;
  }
  // Calls number(value) for each row from..to - 1 that holds a number, in order; as fast as a pass
  // over an array, as charts of millions of rows take their values this way.
  template <typename Number>
  void forEachNumber(qsizetype from, qsizetype to, Number&& number) const {
    if (wide_) {
      // A Double is passed on straight: through an optional it would cost a trip through memory.
      for (qsizetype row = from; row < to; ++row) {
        const quint64 cell = wideCells_[row];
        if (cell < kWideFirstTag)
          number(doubleOf(cell));
        else if (const std::optional<double> value = otherNumberAt(row))
          number(*value);
      }
      return;
    }
    for (qsizetype row = from; row < to; ++row) {
      const quint32 cell = narrowCells_[row];
      const quint32 tag = cell & kNarrowTagMask;
      if (tag == kNarrowIntegerTag)
        number(double(qint32(cell << 12) >> 12));
      else if (tag != kNarrowTextTag && tag != kNarrowOtherTag)
        number(double(singleOf(cell)));
    }
  }

 private:
  // A narrow cell is a Single's bits, or a NaN whose top 12 bits say what its low 20 bits hold.
  // Every NaN a row holds is stored as the one quiet NaN, so that none can be taken for a tag.
  static constexpr quint32 kNarrowTagMask = 0xFFFu << 20;
  static constexpr quint32 kNarrowIntegerTag = 0xFFDu << 20;
  static constexpr quint32 kNarrowTextTag = 0xFFEu << 20;
  static constexpr quint32 kNarrowOtherTag = 0xFFFu << 20;
  static constexpr quint32 kNarrowPayload = (1u << 20) - 1;
  static constexpr quint32 kNarrowQuietNaN = 0x7FCu << 20;
  // The first tag of a wide cell: every cell below it holds a Double.
  static constexpr quint64 kWideFirstTag = 0xFFF9ull << 48;

  static float singleOf(quint32 cell) {
    float single = 0;
    std::memcpy(&single, &cell, sizeof single);
    return single;
  }
  static double doubleOf(quint64 cell) {
    double value = 0;
    std::memcpy(&value, &cell, sizeof value);
    return value;
  }
  static quint32 narrowNumber(double value) {
    if (std::isnan(value)) return kNarrowQuietNaN;
    const float single = float(value);
    quint32 bits = 0;
    std::memcpy(&bits, &single, sizeof bits);
    return bits;
  }
  void appendNarrow(quint32 cell) { narrowCells_.append(cell); }
  void appendWideNumber(double value);
  void appendWideText(quint32 index);
  void appendWide(quint64 cell);
  quint32 wideTextIndexAt(qsizetype row) const;
  std::optional<double> otherNumberAt(qsizetype row) const;
  quint64 cellAt(qsizetype row) const { return wide_ ? wideCells_.at(row) : widened(narrowCells_.at(row)); }
  static quint64 widened(quint32 cell);
  void widen();

  bool wide_ = false;
  QList<quint32> narrowCells_;  // until the first value that needs 8 bytes
  QList<quint64> wideCells_;    // from then on, for every row
  QByteArray texts_;         // the distinct texts one after the other
  QList<quint32> textEnds_;  // where each of them ends
  QList<QVariant> others_;
};

}  // namespace kelvane
