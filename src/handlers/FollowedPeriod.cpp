#include "FollowedPeriod.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace kelvane {

namespace {

std::optional<QByteArrayView> textOf(const StoredColumn& column, qsizetype row) {
  return row < column.size() ? column.textAt(row) : std::nullopt;
}

PeriodTexts::Place placeOf(const PeriodTexts& period, const RowColumns& columns, qsizetype row) {
  return period.placeOf(textOf(*columns.date, row), textOf(*columns.time, row));
}

// The wall seconds a row stands at for the order of rows: its Date and Time, or for a Time that is
// no time the end of its day, when its Date alone tells whether the period has passed it.
std::optional<qint64> orderWallOf(const RowColumns& columns, qsizetype row, const RegionalForms& regional) {
  const std::optional<QByteArrayView> date = textOf(*columns.date, row), time = textOf(*columns.time, row);
  const std::optional<qint64> day = date ? regional.wallDaySeconds(*date) : std::nullopt;
  if (!day) return std::nullopt;
  const std::optional<int> second = time ? regional.wallSecondsOfDay(*time) : std::nullopt;
  return *day + second.value_or(86399);
}

// Rows from..to - 1 of compact rows added to what the order of the rows before them was.
void learnOrder(FollowableChart::HeldOrder& order, const CompactRows& rows, qint32 from, qint32 to,
                const RegionalForms& regional) {
  for (qint32 i = from; i < to; ++i) {
    const std::optional<qint64> wall = orderWallOf(*rows.columns, rows.first + i, regional);
    if (!wall) continue;
    if (order.latest && *wall < *order.latest) order.earliestLate = std::min(order.earliestLate.value_or(*wall), *wall);
    order.latest = std::max(order.latest.value_or(*wall), *wall);
  }
}

// A row's number (NaN for none), Date and Time.
FollowableChart::RowAhead rowAt(const RowColumns& columns, qsizetype row) {
  const auto bytes = [](std::optional<QByteArrayView> text) {
    return text ? std::optional(text->toByteArray()) : std::nullopt;
  };
  const std::optional<double> number = row < columns.number->size() ? columns.number->numberAt(row) : std::nullopt;
  return {number.value_or(qQNaN()), bytes(textOf(*columns.date, row)), bytes(textOf(*columns.time, row))};
}

}  // namespace

PeriodIntake takeIntoPeriod(const CompactRows& found, std::optional<double> seenUpTo,
                            std::vector<FollowableChart::RowAhead> heldAlready, const PeriodTexts& period,
                            const LoadPlan& plan) {
  const RowColumns& columns = *found.columns;
  PeriodIntake intake;
  std::vector<bool> taken(std::size_t(found.loaded), false);
  for (qint32 i = 0; i < found.loaded; ++i) {
    const qsizetype row = found.first + i;
    const FollowableChart::RowAhead texts = rowAt(columns, row);
    const bool numbered = !std::isnan(texts.number);
    if (numbered && seenUpTo && texts.number <= *seenUpTo) {
      const auto held = std::find_if(heldAlready.begin(), heldAlready.end(), [&](const FollowableChart::RowAhead& other) {
        return other.number == texts.number && other.date == texts.date && other.time == texts.time;
      });
      if (held != heldAlready.end()) {
        heldAlready.erase(held);
        continue;
      }
    }
    switch (placeOf(period, columns, row)) {
      case PeriodTexts::Inside:
        taken[std::size_t(i)] = true;
        break;
      case PeriodTexts::After:
        // A row without a number cannot be asked for again: it is none of the period's.
        if (std::isfinite(texts.number)) intake.ahead.push_back(texts);
        break;
      case PeriodTexts::Before:
        break;
    }
  }
  intake.rows = rowsWhere(found, [&](qsizetype row) { return taken[std::size_t(row - found.first)]; }, plan);
  return intake;
}

std::vector<FollowableChart::RowAhead> rowsNumbered(const CompactRows& held, const std::vector<double>& numbers) {
  std::vector<FollowableChart::RowAhead> rows;
  if (numbers.empty()) return rows;
  const std::unordered_set<double> wanted(numbers.begin(), numbers.end());
  for (qint32 i = 0; i < held.loaded; ++i)
    if (FollowableChart::RowAhead row = rowAt(*held.columns, held.first + i); wanted.count(row.number) > 0)
      rows.push_back(std::move(row));
  return rows;
}

std::vector<double> reachedRows(const std::vector<FollowableChart::RowAhead>& ahead, const PeriodTexts& period) {
  std::vector<double> reached;
  const auto view = [](const std::optional<QByteArray>& text) {
    return text ? std::optional<QByteArrayView>(*text) : std::nullopt;
  };
  for (const FollowableChart::RowAhead& row : ahead)
    if (period.placeOf(view(row.date), view(row.time)) != PeriodTexts::After) reached.push_back(row.number);
  return reached;
}

CompactRows heldInSlidingPeriod(const CompactRows& held, const CompactRows& taken, const PeriodTexts& period,
                                std::optional<FollowableChart::HeldOrder>& order, const LoadPlan& plan,
                                const RegionalForms& regional) {
  // Rows kept aside for their time come in among those held: their order is learnt anew.
  if (!numberedAfter(held, taken)) order.reset();
  CompactRows rows = taken.count > 0 ? mergedByNumber(held, taken, plan) : held;
  const auto inPeriod = [&](qsizetype row) { return placeOf(period, *rows.columns, row) != PeriodTexts::Before; };
  const auto lookAtEach = [&] {
    rows = rowsWhere(rows, inPeriod, plan);
    order.emplace();
    learnOrder(*order, rows, 0, rows.loaded, regional);
  };
  if (!order) {
    lookAtEach();
    return rows;
  }
  learnOrder(*order, rows, rows.loaded - taken.loaded, rows.loaded, regional);
  qint32 passed = 0;
  while (passed < rows.loaded && !inPeriod(rows.first + passed)) ++passed;
  rows = withoutFirst(rows, passed, plan);
  if (order->earliestLate && *order->earliestLate < period.fromWall()) lookAtEach();
  return rows;
}

}  // namespace kelvane
