#include "StoredColumn.h"

#include "ShortText.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kelvane {

namespace {

// A wide cell is a Double's bits, or a NaN whose top 16 bits say what its low 48 bits hold. Every
// NaN a row holds is stored as the one quiet NaN, so that none can be taken for a tag.
constexpr quint64 kTagMask = 0xFFFFull << 48;
constexpr quint64 kIntegerTag = 0xFFF9ull << 48;
constexpr quint64 kTextTag = 0xFFFAull << 48;
constexpr quint64 kOtherTag = 0xFFFBull << 48;
constexpr quint64 kPayload = (1ull << 48) - 1;
constexpr qint64 kLargestInline = (1ll << 47) - 1;
constexpr quint64 kQuietNaN = 0x7FF8ull << 48;
static_assert(kIntegerTag < kTextTag && kTextTag < kOtherTag);

constexpr qint64 kLargestNarrow = (1ll << 19) - 1;

quint64 doubleBits(double value) {
  quint64 bits = kQuietNaN;
  if (!std::isnan(value)) std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// The whole number of 48 bits a wide cell holds under kIntegerTag.
qint64 integerOf(quint64 cell) { return qint64(cell << 16) >> 16; }

}  // namespace

// The wide cell of a narrow one.
quint64 StoredColumn::widened(quint32 cell) {
  switch (cell & kNarrowTagMask) {
    case kNarrowIntegerTag: return kIntegerTag | (quint64(qint64(qint32(cell << 12) >> 12)) & kPayload);
    case kNarrowTextTag: return kTextTag | (cell & kNarrowPayload);
    case kNarrowOtherTag: return kOtherTag | (cell & kNarrowPayload);
    default: {
      float single = 0;
      std::memcpy(&single, &cell, sizeof single);
      return doubleBits(single);
    }
  }
}

void StoredColumn::appendWide(quint64 cell) {
  if (!wide_) widen();
  wideCells_.append(cell);
}

void StoredColumn::widen() {
  wideCells_.reserve(narrowCells_.size() + 1);
  for (quint32 cell : std::as_const(narrowCells_)) wideCells_.append(widened(cell));
  narrowCells_ = {};
  wide_ = true;
}

void StoredColumn::appendWideNumber(double value) { appendWide(doubleBits(value)); }

void StoredColumn::appendInteger(qint64 value) {
  if (!wide_ && value >= -kLargestNarrow - 1 && value <= kLargestNarrow)
    appendNarrow(kNarrowIntegerTag | (quint32(value) & kNarrowPayload));
  else if (value < -kLargestInline - 1 || value > kLargestInline)
    appendOther(addOther(QVariant(qlonglong(value))));
  else
    appendWide(kIntegerTag | (quint64(value) & kPayload));
}

quint32 StoredColumn::addText(QByteArrayView text) {
  texts_.append(text.data(), text.size());
  textEnds_.append(quint32(texts_.size()));
  return quint32(textEnds_.size() - 1);
}

void StoredColumn::appendWideText(quint32 index) { appendWide(kTextTag | index); }

quint32 StoredColumn::addOther(const QVariant& value) {
  others_.append(value);
  return quint32(others_.size() - 1);
}

void StoredColumn::appendOther(quint32 index) {
  if (!wide_ && index <= kNarrowPayload) appendNarrow(kNarrowOtherTag | index);
  else appendWide(kOtherTag | index);
}

void StoredColumn::append(const QVariant& value) {
  if (!value.isNull()) {
    switch (value.metaType().id()) {
      case QMetaType::Double: case QMetaType::Float:
        return appendNumber(value.toDouble());
      case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::Short:
        return appendInteger(value.toLongLong());
      case QMetaType::QString:
        return appendText(addText(value.toString().toUtf8()));
      default:
        break;
    }
  }
  appendOther(addOther(value));
}

void StoredColumn::appendFrom(const StoredColumn& other, qsizetype row) {
  const quint64 cell = other.cellAt(row);
  switch (cell & kTagMask) {
    case kIntegerTag: return appendInteger(integerOf(cell));
    case kTextTag: {
      const QByteArrayView text = other.text(quint32(cell & kPayload));
      const quint32 last = quint32(textCount() - 1);
      return appendText(textCount() > 0 && this->text(last) == text ? last : addText(text));
    }
    case kOtherTag: return appendOther(addOther(other.others_.at(qsizetype(cell & kPayload))));
    default: return appendNumber(doubleOf(cell));
  }
}

std::optional<QByteArrayView> StoredColumn::textAt(qsizetype row) const {
  const quint64 cell = cellAt(row);
  if ((cell & kTagMask) != kTextTag) return std::nullopt;
  return text(quint32(cell & kPayload));
}

quint32 StoredColumn::wideTextIndexAt(qsizetype row) const {
  static_assert(kWideFirstTag == kIntegerTag);
  const quint64 cell = wideCells_.at(row);
  return (cell & kTagMask) == kTextTag ? quint32(cell & kPayload) : kNoText;
}

std::optional<double> StoredColumn::otherNumberAt(qsizetype row) const {
  const quint64 cell = cellAt(row);
  switch (cell & kTagMask) {
    case kIntegerTag: return double(integerOf(cell));
    case kTextTag: case kOtherTag: return std::nullopt;
    default: return doubleOf(cell);
  }
}

QVariant StoredColumn::at(qsizetype row) const {
  const quint64 cell = cellAt(row);
  switch (cell & kTagMask) {
    case kIntegerTag:
      return QVariant(qlonglong(integerOf(cell)));
    case kTextTag:
      return QString::fromUtf8(text(quint32(cell & kPayload)));
    case kOtherTag:
      return others_.at(qsizetype(cell & kPayload));
    default:
      return doubleOf(cell);
  }
}

QVariant StoredColumn::labelAt(qsizetype row) const {
  const quint64 cell = cellAt(row);
  if ((cell & kTagMask) == kTextTag) return cutShort(text(quint32(cell & kPayload)), kLabelCharacters);
  const QVariant value = at(row);
  switch (value.typeId()) {
    case QMetaType::QByteArray: return cutShort(QByteArrayView(value.toByteArray()), kLabelCharacters);
    case QMetaType::QString: return cutShort(value.toString(), kLabelCharacters);
    default: return value;
  }
}

}  // namespace kelvane
