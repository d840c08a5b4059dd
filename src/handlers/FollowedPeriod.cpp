#include "FollowedPeriod.h"

#include <algorithm>

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

}  // namespace

PeriodIntake takeIntoPeriod(const CompactRows& found, std::optional<double> foundNewest, std::optional<double> askedAbove,
                            const PeriodTexts& period, const LoadPlan& plan) {
  const RowColumns& columns = *found.columns;
  qint32 waiting = found.loaded;  // the first row that waits for its time
  for (qint32 i = 0; i < found.loaded; ++i) {
    const qsizetype row = found.first + i;
    if (placeOf(period, columns, row) != PeriodTexts::After) continue;
    const std::optional<qint64> ahead = period.secondsAfter(textOf(*columns.date, row), textOf(*columns.time, row));
    if (ahead && *ahead <= kRowAheadWait) {
      waiting = i;
      break;
    }
  }
  PeriodIntake intake;
  intake.rows = rowsWhere(found, [&](qsizetype row) {
    return row < found.first + waiting && placeOf(period, columns, row) == PeriodTexts::Inside;
  }, plan);
  if (waiting == found.loaded) {
    intake.askAbove = foundNewest;
  } else if (waiting > 0) {
    const qsizetype before = found.first + waiting - 1;
    intake.askAbove = before < columns.number->size() ? columns.number->numberAt(before) : askedAbove;
  } else {
    intake.askAbove = askedAbove;
  }
  return intake;
}

CompactRows heldInSlidingPeriod(const CompactRows& held, const CompactRows& taken, const PeriodTexts& period,
                                std::optional<FollowableChart::HeldOrder>& order, const LoadPlan& plan,
                                const RegionalForms& regional) {
  CompactRows rows = taken.count > 0 ? joined(held, taken, plan) : held;
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
