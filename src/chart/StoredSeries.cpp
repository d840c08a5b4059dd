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

StoredSeries::StoredSeries(const DrawingSurface& picture, const ChartRecord& record, const ProgramState& state, int k,
                           float reach)
    : pic_(picture), rec_(record), s_(state), k_(k), reach_(reach) {
  int lastPoint = 0;
  if (!skipOnFailure([&] {
        lastPoint = rec_.Values.upperBound();
        perPoint_ = singleQuotient(s_.PlotXMax - s_.PlotXMin, lastPoint);
      }))
    return;
  float x = 0, y = 0;
  if (placed(1, x, y)) steps_.push_back({x, y, true});
  if (!skipOnFailure([&] { colour_ = rec_.SeriesColor.at(k_); })) return;
  for (int p = 1; p <= lastPoint;) {
    if (!xOf(p, x)) {
      ++p;
      continue;
    }
    const int last = lastInColumn(p, lastPoint, pic_.PixelColumn(x));
    if (last - p + 1 < kCrowdedColumn)
      drawEach(p, last);
    else
      drawCrowded(p, last);
    p = last + 1;
  }
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
bool StoredSeries::xOf(int p, float& x) const {
  x = toSurface(s_.PlotMargin, s_.PlotXMin, s_.ScaleX, float(s_.PlotXMin + double(perPoint_) * p));
  return std::isfinite(x);
}

bool StoredSeries::yOf(int p, float& y) const {
  if (!rec_.Values.contains(p, k_)) return false;
  y = toSurface(s_.PlotMargin, s_.PlotYMin, s_.ScaleY, rec_.Values.at(p, k_) / kValueScale);
  return std::isfinite(y);
}

bool StoredSeries::placed(int p, float& x, float& y) const { return xOf(p, x) && yOf(p, y); }

// The last point from p on in p's pixel column, found in a few steps however many it holds: the
// columns of points in order run in order.
int StoredSeries::lastInColumn(int p, int lastPoint, qint64 column) const {
  const auto inColumn = [&](qint64 q) {
    float x = 0;
    return xOf(int(q), x) && pic_.PixelColumn(x) == column;
  };
  qint64 inside = p, step = 1;
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
  for (int p = from; p <= to; ++p) {
    float x = 0, y = 0;
    if (placed(p, x, y)) drawTo(x, y);
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
  for (int p = from; p <= to; ++p) {
    const float value = rec_.Values.at(p, k_);
    least = std::min(least, value);
    most = std::max(most, value);
  }
  lowest = toSurface(s_.PlotMargin, s_.PlotYMin, s_.ScaleY, least / kValueScale);
  highest = toSurface(s_.PlotMargin, s_.PlotYMin, s_.ScaleY, most / kValueScale);
  if (lowest > highest) std::swap(lowest, highest);
  if (std::isfinite(lowest) && std::isfinite(highest)) return;
  lowest = INFINITY, highest = -INFINITY;
  for (int p = from; p <= to; ++p) {
    float y = 0;
    if (!yOf(p, y)) continue;
    lowest = std::min(lowest, y);
    highest = std::max(highest, y);
  }
}

// A column spans less than two device pixels: its first and last point at or above A lie in the
// very pixels that hold one.
void StoredSeries::noteReach(int from, int to) {
  if (!rec_.Values.contains(from, k_) || !rec_.Values.contains(to, k_)) return;
  // A column's values lie side by side, read without a lookup each; one never written is a single 0.
  const float* values = &rec_.Values.at(from, k_);
  const qint64 stride = &rec_.Values.at(to, k_) - values == to - from ? 1 : 0;
  int first = 0, last = to - from;
  while (first <= last && !(values[first * stride] >= reach_)) ++first;
  if (first > last) return;
  while (!(values[last * stride] >= reach_)) --last;
  float firstX = 0, lastX = 0;
  if (xOf(from + first, firstX) && xOf(from + last, lastX)) reached_.push_back({firstX, lastX});
}

}  // namespace kelvane::stdKelvane
