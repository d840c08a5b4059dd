#include "PointTexts.h"

#include "RuntimeError.h"

namespace kelvane {

void PointTexts::redim(int low, int high) {
  low_ = low;
  size_ = high >= low ? qint64(high) - low + 1 : 0;
  runs_.clear();
}

void PointTexts::redimPreserve(int low, int high) {
  if (size_ == 0) low_ = low;
  size_ = high >= low_ ? qint64(high) - low_ + 1 : 0;
  runs_ = within(low_, low_ + size_ - 1);
}

// The runs clipped to the entries first..last.
std::vector<PointTexts::Run> PointTexts::within(qint64 first, qint64 last) const {
  std::vector<Run> kept;
  for (const Run& run : runs_) {
    const qint64 from = std::max(run.first, first), to = std::min(run.first + run.count - 1, last);
    if (from <= to) kept.push_back({from, to - from + 1, run.column, run.offset + (from - run.first)});
  }
  return kept;
}

void PointTexts::assign(int first, std::shared_ptr<const StoredColumn> column, qsizetype count, qsizetype offset) {
  if (count <= 0) return;
  const qint64 last = qint64(first) + count - 1;
  if (!contains(first) || last - low_ >= size_ || offset + count > column->size()) throw subscriptError();
  std::vector<Run> runs = within(low_, qint64(first) - 1);
  runs.push_back({first, count, std::move(column), offset});
  for (Run& run : within(last + 1, low_ + size_ - 1)) runs.push_back(std::move(run));
  runs_ = std::move(runs);
}

void PointTexts::set(int i, const QVariant& value) {
  if (!contains(i)) throw subscriptError();
  // Entries written one after the other, as a table is filled, go into one column while no copy
  // of the table shares it.
  if (written_ && written_.use_count() == 2 && !runs_.empty()) {
    Run& last = runs_.back();
    if (last.column == written_ && last.first + last.count == i && last.offset + last.count == written_->size()) {
      written_->append(value);
      ++last.count;
      return;
    }
  }
  written_ = std::make_shared<StoredColumn>();
  written_->append(value);
  assign(i, written_, 1);
}

PointTexts PointTexts::section(int first, int last) const {
  if (!contains(first) || !contains(last) || last < first) throw subscriptError();
  PointTexts part;
  part.redim(1, last - first + 1);
  for (Run& run : within(first, last)) {
    run.first -= first - 1;
    part.runs_.push_back(std::move(run));
  }
  return part;
}

std::optional<std::pair<const PointTexts::Run*, qsizetype>> PointTexts::placeOf(int i) const {
  if (!contains(i)) throw subscriptError();
  const auto after = std::upper_bound(runs_.begin(), runs_.end(), qint64(i),
                                      [](qint64 index, const Run& run) { return index < run.first; });
  if (after == runs_.begin()) return std::nullopt;
  const Run& run = *(after - 1);
  if (i >= run.first + run.count) return std::nullopt;
  return std::pair(&run, run.offset + (i - run.first));
}

const QVariant PointTexts::at(int i) const {
  const auto place = placeOf(i);
  return place ? place->first->column->at(place->second) : QVariant();
}

const QVariant PointTexts::labelAt(int i) const {
  const auto place = placeOf(i);
  return place ? place->first->column->labelAt(place->second) : QVariant();
}

}  // namespace kelvane
