#include "ChartPoints.h"

#include "DrawChart.h"
#include "Single.h"
#include "Scaling.h"
#include "state/RuntimeError.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace kelvane {

namespace {

const QString kFieldGap = QStringLiteral("   ");
const QString kStationGap = QStringLiteral("  |  ");

// How the chart places its points: point p stands at first + (p - 1) * step twips; 1..count.
struct PointPlaces {
  double first = 0, step = 0;
  int count = 0;
};

// The live chart's visible series; 0 when none is.
int visibleSeries(const ChartRecord& record) {
  for (int k = 1; k <= record.SeriesCount; ++k)
    if (record.SeriesVisible.contains(k) && record.SeriesVisible.at(k)) return k;
  return 0;
}

// The value point p of the chart's series (from 0) shows, as carried.
std::optional<float> valueOf(const KeptChart& chart, int p, std::size_t series = 0) {
  const ChartInput& input = chart.input;
  if (input.live) {
    const int visible = visibleSeries(input.record);
    if (visible == 0 || !input.record.Values.contains(p, visible)) return std::nullopt;
    return input.record.Values.at(p, visible);
  }
  if (series >= input.series.size() || p < 1 || p > input.series[series].values.size()) return std::nullopt;
  return input.series[series].values[p - 1];
}

// As the renderer places them: a stored record p at the X range's start + p times the span a
// record, a live point p at its start + p - 1 of the window's 22 slots.
std::optional<PointPlaces> placesOf(const KeptChart& chart) {
  const ChartInput& input = chart.input;
  const ChartFrame& f = chart.frame;
  PointPlaces places;
  try {
    if (input.live) {
      const ChartRecord& record = input.record;
      if (visibleSeries(record) == 0) return std::nullopt;
      const int lastPoint = record.Values.upperBound();
      places.count = std::min(lastPoint, record.Values.lowerBound() + input.live->pointCounter - 2);
      places.step = double(f.scaleX) * singleQuotient(f.xMax - f.xMin + 2, lastPoint);
      places.first = f.margin;
    } else {
      if (input.series.empty() || !input.series.front().rows.columns) return std::nullopt;
      const int lastPoint = int(input.series.front().values.size());
      places.count = std::min(lastPoint, input.series.front().rows.count);
      places.step = double(f.scaleX) * singleQuotient(f.xMax - f.xMin, lastPoint);
      places.first = f.margin + places.step;
    }
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
  if (places.count < 1 || !std::isfinite(places.step) || places.step == 0) return std::nullopt;
  return places;
}

// The point a position falls on, counted from 1 and kept within the points.
double pointAt(const PointPlaces& places, double x) {
  return std::clamp((x - places.first) / places.step + 1, 1.0, double(places.count));
}

// Of the points from..to, the one whose height lies nearest to y; nearest when none has a value.
template <typename PointOf>
int nearestInY(const KeptChart& chart, qint64 from, qint64 to, double y, int nearest, PointOf&& pointOf,
               std::size_t series = 0) {
  const ChartFrame& f = chart.frame;
  double closest = INFINITY;
  for (qint64 i = from; i <= to; ++i) {
    const std::optional<float> value = valueOf(chart, pointOf(i), series);
    if (!value) continue;
    const float height = stdKelvane::toSurface(f.margin, f.yMin, f.scaleY, *value / kValueScale);
    if (std::abs(double(height) - y) < closest) closest = std::abs(double(height) - y), nearest = pointOf(i);
  }
  return nearest;
}

// The record nearest in time to the moment under the position; of the rows that crowd into the
// pixel column under it, the nearest in y.
std::optional<int> timeNearest(const KeptChart& chart, const PicturePosition& at, std::size_t series = 0) {
  const ChartFrame& f = chart.frame;
  const TimeLine* time = series < f.timeLines.size() ? f.timeLines[series].get() : nullptr;
  if (!time || !time->range() || time->count() == 0 || !(f.scaleX > 0)) return std::nullopt;
  const auto momentAt = [&](double x) {
    const double moment = double(time->range()->from) + (x - stdKelvane::secondsToSurface(f, 0)) / f.scaleX;
    return std::isnan(moment) ? 0.0 : std::clamp(moment, -0x1p62, 0x1p62);
  };
  const double moment = momentAt(at.x);
  qint32 nearest = std::min(time->firstAtOrAfter(qint64(std::ceil(moment))), time->count() - 1);
  if (nearest > 0 && moment - double(time->momentAt(nearest - 1)) <= double(time->momentAt(nearest)) - moment) --nearest;
  const double left = momentAt(double(at.x) - at.halfPixel), right = momentAt(double(at.x) + at.halfPixel);
  const qint32 from = time->firstAtOrAfter(qint64(std::ceil(std::min(left, right))));
  const qint32 to = time->firstAtOrAfter(qint64(std::floor(std::max(left, right))) + 1) - 1;
  if (to <= from) return time->record(nearest);
  return nearestInY(
      chart, from, to, at.y, time->record(nearest), [&](qint64 position) { return time->record(qint32(position)); },
      series);
}

}  // namespace

std::optional<int> pointNearest(const KeptChart& chart, const PicturePosition& at) {
  if (stdKelvane::onTimeScale(chart)) return timeNearest(chart, at);
  const std::optional<PointPlaces> places = placesOf(chart);
  if (!places) return std::nullopt;
  const int nearest = int(std::lround(pointAt(*places, at.x)));
  const double left = pointAt(*places, at.x - at.halfPixel), right = pointAt(*places, at.x + at.halfPixel);
  const int from = int(std::ceil(std::min(left, right))), to = int(std::floor(std::max(left, right)));
  if (to <= from) return nearest;
  return nearestInY(chart, from, to, at.y, nearest, [](qint64 p) { return int(p); });
}

QString pointCaption(const KeptChart& chart, int point, const RegionalForms& regional, std::size_t series) {
  QStringList fields;
  const ChartInput& input = chart.input;
  if (input.live) {
    // The newest entry numbers belong to the newest points: the last point drawn is the last value.
    const QList<qint64>& entries = input.live->entryNumbers;
    const std::optional<PointPlaces> places = placesOf(chart);
    const qsizetype entry = entries.size() - (places ? places->count : 0) + point - 1;
    if (places && entry >= 0 && entry < entries.size()) fields << QString::number(entries.at(entry));
    if (const std::optional<float> value = places ? valueOf(chart, point) : std::nullopt)
      fields << regional.singleText(float(*value / kValueScale));
    return fields.join(kFieldGap);
  }
  if (series >= input.series.size() || !input.series[series].rows.columns) return {};
  const ShownRows& rows = input.series[series].rows;
  const qsizetype row = rows.first + point - 1;
  for (const auto& column : {rows.columns->number, rows.columns->time, rows.columns->date})
    if (row < column->size()) fields << regional.valueText(column->labelAt(row));
  if (row < rows.columns->data->size()) fields << dataText(rows.columns->data->at(row).toDouble(), regional);
  return fields.join(kFieldGap);
}

QString stationsCaption(const KeptChart& chart, const PicturePosition& at, const RegionalForms& regional) {
  QStringList stations;
  for (std::size_t series = 0; series < chart.input.series.size(); ++series) {
    const ChartSeries& one = chart.input.series[series];
    if (const std::optional<int> point = timeNearest(chart, at, series))
      stations << one.name + QStringLiteral(": ") + pointCaption(chart, *point, regional, series);
  }
  return stations.join(kStationGap);
}

QString dataText(double value, const RegionalForms& regional) {
  return heldBySingle(value) ? regional.singleText(float(value)) : regional.doubleText(value);
}

}  // namespace kelvane
