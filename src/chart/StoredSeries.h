#pragma once

#include "ChartInput.h"
#include "DrawingSurface.h"
#include "TimeLine.h"

#include <vector>

namespace kelvane::stdKelvane {

// A series of a stored chart as one polyline, record p at x = p for the usual stored record (x
// range 0..count, points 1..count), starting at the first record; on the time scale each record at
// its moment in time order, a polyline from one gap to the next. A point that cannot be read or
// placed is left out. Of the points that crowd into one pixel column only those that can change a
// pixel are drawn, so that a million records cost what the picture's width does. The one pass over
// the points also finds the pixel columns where the series reaches A, which are drawn first.
class StoredSeries {
 public:
  // The positions from the first to the last point at or above A of one pixel column.
  struct Reach {
    float from, to;
  };

  // reach: A as the values are carried; none reach an infinite one. time: the series' records on the
  // time scale, none by record.
  StoredSeries(const DrawingSurface& picture, const ChartFrame& frame, const ChartSeries& series,
               float reach = INFINITY, const TimeLine* time = nullptr);

  // The columns that reach A, in the order of the points.
  const std::vector<Reach>& reached() const { return reached_; }
  // The polyline.
  void draw(DrawingSurface& picture) const;

 private:
  // The points are counted 1.. in the order they are joined: by record, or in time order.
  int recordAt(int i) const { return time_ ? time_->record(i - 1) : i; }
  bool consecutive(int from, int to) const { return !time_ || time_->consecutive(from - 1, to - 1); }
  void placeByTime();
  void aggregate(int from, int to);
  bool crowded(int from, int to) const;
  float narrowestColumn() const;
  bool xOf(int i, float& x) const;
  bool yOf(int i, float& y) const;
  bool placed(int i, float& x, float& y) const;
  int lastInColumn(int i, int last, qint64 column) const;
  void drawTo(float x, float y) { steps_.push_back({x, y, false}); }
  void drawEach(int from, int to);
  void drawCrowded(int from, int to);
  // The values of points from..to, consecutive records both with a value: they lie side by side,
  // read without a lookup each.
  const float* valuesOf(int from) const { return series_.values.constData() + (recordAt(from) - 1); }
  bool hasValue(int p) const { return p >= 1 && p <= series_.values.size(); }
  float valueOf(int p) const { return series_.values[p - 1]; }
  bool valuesInTable(int from, int to) const { return hasValue(recordAt(from)) && hasValue(recordAt(to)); }
  void extremes(int from, int to, float& lowest, float& highest, float& most) const;
  void noteReach(int from, int to);

  // What the polyline does, in order: a start, or a piece to the next point.
  struct Step {
    float x, y;
    bool start;
  };

  const DrawingSurface& pic_;
  const ChartFrame& f_;
  const ChartSeries& series_;
  const float reach_;
  const TimeLine* const time_;
  const Colour colour_;
  float perPoint_ = 0;
  float columnWidth_ = 0;  // on the time scale
  std::vector<Step> steps_;
  std::vector<Reach> reached_;
};

}  // namespace kelvane::stdKelvane
