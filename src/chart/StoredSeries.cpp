#include "StoredSeries.h"

#include "Polyline.h"
#include "Scaling.h"
#include "Single.h"
#include "state/RuntimeError.h"

#include <QPointF>

#include <algorithm>
#include <cmath>

namespace kelvane::stdKelvane {

namespace {

// Stored records stand evenly spaced: a pixel column holding more than 65 holds them less than
// 1/64 pixel apart, the finest step of Qt's raster engine. Each short piece of line between them
// then covers what an upright piece at its upper end would, or nothing where it is as short
// upright too; upright strokes from the column's first point through its lowest and highest cover
// the very pixels that all its points do. Columns of fewer points are drawn through every point:
// a slanting line across a column covers pixels of its own.
constexpr int kCrowdedColumn = 66;

}  // namespace

StoredSeries::StoredSeries(const DrawingSurface& picture, const ChartFrame& frame, const ChartSeries& series,
                           float reach, const TimeLine* time)
    : pic_(picture), f_(frame), series_(series), reach_(reach), time_(time), colour_(series.colour) {
  if (time_) {
    placeByTime();
    return;
  }
  const int lastPoint = int(series_.values.size());
  if (!skipOnFailure([&] { perPoint_ = singleQuotient(f_.xMax - f_.xMin, lastPoint); })) return;
  float x = 0, y = 0;
  if (placed(1, x, y)) steps_.push_back({x, y, true});
  aggregate(1, lastPoint);
}

// No line crosses a gap: each stretch between two is a polyline of its own.
void StoredSeries::placeByTime() {
  if (!time_->range()) return;
  columnWidth_ = narrowestColumn();
  int from = 1;
  const auto stretch = [&](int to) {
    float x = 0, y = 0;
    while (from <= to && !placed(from, x, y)) ++from;
    if (from > to) return;
    steps_.push_back({x, y, true});
    aggregate(from, to);
  };
  for (const qint32 gap : time_->gaps()) {
    stretch(gap + 1);
    from = gap + 2;
  }
  stretch(time_->count());
}

void StoredSeries::aggregate(int from, int to) {
  for (int i = from; i <= to;) {
    float x = 0;
    if (!xOf(i, x)) {
      ++i;
      continue;
    }
    const int last = lastInColumn(i, to, pic_.PixelColumn(x));
    if (crowded(i, last))
      drawCrowded(i, last);
    else
      drawEach(i, last);
    i = last + 1;
  }
}

// Records stand evenly spaced. Rows on the time scale may not: a column of them is drawn as
// crowded only where no two lie as far apart as records of a crowded column would.
bool StoredSeries::crowded(int from, int to) const {
  if (to - from + 1 < kCrowdedColumn) return false;
  if (!time_) return true;
  const double widest = columnWidth_ / double(f_.scaleX) / (kCrowdedColumn - 1);
  // Within a stretch no step is longer than the longest that is no gap.
  if (time_->longestStep() < widest) return true;
  qint64 previous = time_->momentAt(from - 1);
  for (int i = from + 1; i <= to; ++i) {
    const qint64 at = time_->momentAt(i - 1);
    if (double(at - previous) >= widest) return false;
    previous = at;
  }
  return true;
}

// The narrowest of a few pixel columns where the plot starts: they are alike across the picture.
float StoredSeries::narrowestColumn() const {
  const auto nextEdge = [&](float x) {
    const qint64 column = pic_.PixelColumn(x);
    float reach = 1.0f / 1024, outside = x + reach;
    while (pic_.PixelColumn(outside) == column && reach < 1e9f) outside = x + (reach *= 2);
    float inside = x;
    for (float middle = inside + (outside - inside) / 2; middle > inside && middle < outside;
         middle = inside + (outside - inside) / 2)
      (pic_.PixelColumn(middle) == column ? inside : outside) = middle;
    return outside;
  };
  float edge = nextEdge(secondsToSurface(f_, 0)), narrowest = INFINITY;
  for (int n = 0; n < 3; ++n) {
    const float next = nextEdge(edge);
    narrowest = std::min(narrowest, next - edge);
    edge = next;
  }
  return narrowest;
}

void StoredSeries::draw(DrawingSurface& picture) const {
  Polyline line(picture);
  for (const Step& step : steps_) {
    if (step.start) {
      line.moveTo(step.x, step.y);
      continue;
    }
    skipOnFailure([&] { picture.SetDrawWidth(2); });
    skipOnFailure([&] { line.lineTo(step.x, step.y, colour_); });
  }
}

// A position that cannot be placed comes out infinite or not a number: no exception for each of a
// million points.
bool StoredSeries::xOf(int i, float& x) const {
  if (time_)
    x = secondsToSurface(f_, double(time_->momentAt(i - 1) - time_->range()->from));
  else
    x = toSurface(f_.margin, f_.xMin, f_.scaleX, float(f_.xMin + double(perPoint_) * i));
  return std::isfinite(x);
}

bool StoredSeries::yOf(int i, float& y) const {
  const int p = recordAt(i);
  if (!hasValue(p)) return false;
  y = toSurface(f_.margin, f_.yMin, f_.scaleY, valueOf(p) / kValueScale);
  return std::isfinite(y);
}

bool StoredSeries::placed(int i, float& x, float& y) const { return xOf(i, x) && yOf(i, y); }

// The last point from i on in i's pixel column, found in a few steps however many it holds: the
// columns of points in order run in order.
int StoredSeries::lastInColumn(int i, int lastPoint, qint64 column) const {
  const auto inColumn = [&](qint64 q) {
    float x = 0;
    return xOf(int(q), x) && pic_.PixelColumn(x) == column;
  };
  qint64 inside = i, step = 1;
  for (; step <= lastPoint - inside && inColumn(inside + step); step *= 2) inside += step;
  qint64 outside = std::min(inside + step, qint64(lastPoint) + 1);
  while (outside - inside > 1) {
    const qint64 middle = inside + (outside - inside) / 2;
    (inColumn(middle) ? inside : outside) = middle;
  }
  return int(inside);
}

void StoredSeries::drawEach(int from, int to) {
  if (std::isfinite(reach_)) noteReach(from, to);
  for (int i = from; i <= to; ++i) {
    float x = 0, y = 0;
    if (placed(i, x, y)) drawTo(x, y);
  }
}

// From the first point upright through the lowest and highest to the last one's height, then level
// to the last point: the pieces the raster engine draws as the crowded points' own.
void StoredSeries::drawCrowded(int from, int to) {
  int first = from, last = to;
  float firstX = 0, firstY = 0, lastX = 0, lastY = 0, lowest = 0, highest = 0, most = -INFINITY;
  while (first <= to && !placed(first, firstX, firstY)) ++first;
  while (last > first && !placed(last, lastX, lastY)) --last;
  if (first > to) return;
  if (last == first) lastX = firstX, lastY = firstY;
  extremes(first, last, lowest, highest, most);
  if (most >= reach_) noteReach(first, last);
  const QPointF path[] = {{firstX, firstY}, {firstX, lowest}, {firstX, highest}, {firstX, lastY}, {lastX, lastY}};
  for (const QPointF& point : path)
    if (&point == path || point != *(&point - 1)) drawTo(float(point.x()), float(point.y()));
}

// The lowest and highest height of the points from..to, and their largest value. Heights follow
// the values in order (or in reverse), so the extremes of the values alone are mapped, unless one
// of them cannot be.
void StoredSeries::extremes(int from, int to, float& lowest, float& highest, float& most) const {
  float least = INFINITY;  // a value that is not a number is passed over
  const auto take = [&](float value) {
    least = std::min(least, value);
    most = std::max(most, value);
  };
  if (consecutive(from, to) && valuesInTable(from, to)) {
    const float* values = valuesOf(from);
    for (int i = 0; i <= to - from; ++i) take(values[i]);
  } else {
    for (int i = from; i <= to; ++i) take(valueOf(recordAt(i)));
  }
  lowest = toSurface(f_.margin, f_.yMin, f_.scaleY, least / kValueScale);
  highest = toSurface(f_.margin, f_.yMin, f_.scaleY, most / kValueScale);
  if (lowest > highest) std::swap(lowest, highest);
  if (std::isfinite(lowest) && std::isfinite(highest)) return;
  lowest = INFINITY, highest = -INFINITY;
  for (int i = from; i <= to; ++i) {
    float y = 0;
    if (!yOf(i, y)) continue;
    lowest = std::min(lowest, y);
    highest = std::max(highest, y);
  }
}

// A column spans less than two device pixels: its first and last point at or above A lie in the
// very pixels that hold one.
void StoredSeries::noteReach(int from, int to) {
  if (!valuesInTable(from, to)) return;
  int first = 0, last = to - from;
  if (consecutive(from, to)) {
    const float* values = valuesOf(from);
    while (first <= last && !(values[first] >= reach_)) ++first;
    if (first > last) return;
    while (!(values[last] >= reach_)) --last;
  } else {
    const auto reaches = [&](int i) { return valueOf(recordAt(from + i)) >= reach_; };
    while (first <= last && !reaches(first)) ++first;
    if (first > last) return;
    while (!reaches(last)) --last;
  }
  float firstX = 0, lastX = 0;
  if (xOf(from + first, firstX) && xOf(from + last, lastX)) reached_.push_back({firstX, lastX});
}

}  // namespace kelvane::stdKelvane
