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

// How the chart places its points: point p stands at first + (p - 1) * step twips; 1..count.
struct PointPlaces {
  double first = 0, step = 0;
  int count = 0;
  int series = 0;  // the visible series
};

int visibleSeries(const ChartRecord& record) {
  for (int k = 1; k <= record.SeriesCount; ++k)
    if (record.SeriesVisible.contains(k) && record.SeriesVisible.at(k)) return k;
  return 0;
}

// As the renderer places them: a stored record p at PlotXMin + p times the span a record, a
// live point p at PlotXMin + p - 1 of the window's 22 slots.
std::optional<PointPlaces> placesOf(const KeptChart& chart) {
  const ProgramState& s = chart.state;
  const ChartRecord& record = chart.record;
  PointPlaces places;
  places.series = visibleSeries(record);
  if (places.series == 0) return std::nullopt;
  try {
    const int lastPoint = record.Values.upperBound();
    if (s.LiveChart) {
      places.count = std::min(lastPoint, record.Values.lowerBound() + s.PointCounter - 2);
      places.step = double(s.ScaleX) * singleQuotient(s.PlotXMax - s.PlotXMin + 2, lastPoint);
      places.first = s.PlotMargin;
    } else {
      if (!chart.rows.columns) return std::nullopt;
      places.count = std::min(lastPoint, chart.rows.count);
      places.step = double(s.ScaleX) * singleQuotient(s.PlotXMax - s.PlotXMin, lastPoint);
      places.first = s.PlotMargin + places.step;
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

// The record nearest in time to the moment under the position; of the rows that crowd into the
// pixel column under it, the nearest in y.
std::optional<int> timeNearest(const KeptChart& chart, const PicturePosition& at) {
  const ProgramState& s = chart.state;
  const TimeLine* time = chart.timeLine.get();
  const int series = visibleSeries(chart.record);
  if (!time || !time->range() || time->count() == 0 || series == 0 || !(s.ScaleX > 0)) return std::nullopt;
  const auto momentAt = [&](double x) {
    const double moment = double(time->range()->from) + (x - stdKelvane::secondsToSurface(s, 0)) / s.ScaleX;
    return std::isnan(moment) ? 0.0 : std::clamp(moment, -0x1p62, 0x1p62);
  };
  const double moment = momentAt(at.x);
  qint32 nearest = std::min(time->firstAtOrAfter(qint64(std::ceil(moment))), time->count() - 1);
  if (nearest > 0 && moment - double(time->momentAt(nearest - 1)) <= double(time->momentAt(nearest)) - moment) --nearest;
  const double left = momentAt(double(at.x) - at.halfPixel), right = momentAt(double(at.x) + at.halfPixel);
  const qint32 from = time->firstAtOrAfter(qint64(std::ceil(std::min(left, right))));
  const qint32 to = time->firstAtOrAfter(qint64(std::floor(std::max(left, right))) + 1) - 1;
  double closest = INFINITY;
  for (qint32 position = from; position <= to && to > from; ++position) {
    const float y = stdKelvane::toSurface(s.PlotMargin, s.PlotYMin, s.ScaleY,
                                          chart.record.Values.at(time->record(position), series) / kValueScale);
    if (std::abs(double(y) - at.y) < closest) closest = std::abs(double(y) - at.y), nearest = position;
  }
  return time->record(nearest);
}

}  // namespace

std::optional<int> pointNearest(const KeptChart& chart, const PicturePosition& at) {
  if (stdKelvane::onTimeScale(chart)) return timeNearest(chart, at);
  const std::optional<PointPlaces> places = placesOf(chart);
  if (!places) return std::nullopt;
  int nearest = int(std::lround(pointAt(*places, at.x)));
  const double left = pointAt(*places, at.x - at.halfPixel), right = pointAt(*places, at.x + at.halfPixel);
  const int from = int(std::ceil(std::min(left, right))), to = int(std::floor(std::max(left, right)));
  if (to <= from) return nearest;
  const ProgramState& s = chart.state;
  double closest = INFINITY;
  for (int p = from; p <= to; ++p) {
    const float y = stdKelvane::toSurface(s.PlotMargin, s.PlotYMin, s.ScaleY,
                                          chart.record.Values.at(p, places->series) / kValueScale);
    if (std::abs(double(y) - at.y) < closest) closest = std::abs(double(y) - at.y), nearest = p;
  }
  return nearest;
}

QString pointCaption(const KeptChart& chart, int point, const RegionalForms& regional) {
  QStringList fields;
  if (chart.state.LiveChart) {
    // The newest entry numbers belong to the newest points: the last point drawn is the last value.
    const QList<qint64>& entries = chart.state.WindowEntryNumbers;
    const std::optional<PointPlaces> places = placesOf(chart);
    const qsizetype entry = entries.size() - (places ? places->count : 0) + point - 1;
    if (places && entry >= 0 && entry < entries.size()) fields << QString::number(entries.at(entry));
    if (places) fields << regional.singleText(float(chart.record.Values.at(point, places->series) / kValueScale));
    return fields.join(kFieldGap);
  }
  const ShownRows& rows = chart.rows;
  if (!rows.columns) return {};
  const qsizetype row = rows.first + point - 1;
  for (const auto& column : {rows.columns->number, rows.columns->time, rows.columns->date})
    if (row < column->size()) fields << regional.valueText(column->at(row));
  if (row < rows.columns->data->size()) fields << dataText(rows.columns->data->at(row).toDouble(), regional);
  return fields.join(kFieldGap);
}

QString dataText(double value, const RegionalForms& regional) {
  return heldBySingle(value) ? regional.singleText(float(value)) : regional.doubleText(value);
}

}  // namespace kelvane
