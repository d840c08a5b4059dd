#include "DrawChart.h"

#include "LabelStep.h"
#include "LimitLines.h"
#include "NumberText.h"
#include "Polyline.h"
#include "Scaling.h"
#include "Single.h"
#include "StationLegend.h"
#include "StoredSeries.h"
#include "TimeTicks.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

namespace kelvane::stdKelvane {

namespace {

// Lengths of the chart's layout, in twips.
constexpr float kAxisOverhang = 100;   // axes start this far before the lowest value
constexpr float kAxisExtension = 250;  // and end this far beyond the highest, at the arrow tip
constexpr float kArrowBack = 150;      // arrow heads are 100 long and 50 to each side
constexpr float kArrowSide = 50;
constexpr float kTickHalf = 30;
constexpr float kNumberCharWidth = 40;  // label centring: per character of a number or a date
constexpr float kTimeCharWidth = 20;    // and per character of the time text
constexpr float kNearLabelDrop = 70;    // live X labels and odd stored labels; Y labels rise by it
constexpr float kFarLabelDrop = 240;    // even stored labels
constexpr float kEvenDateDrop = 400;
constexpr float kOddDateDrop = 550;
constexpr float kYLabelGap = 150;       // Y labels end this far left of the axis
constexpr float kDateGap = 60;          // dates of one row keep this far apart
constexpr float kDateIndent = 30;       // and start this far right of the Y axis, clear of its labels
constexpr float kLimitLabelGap = 60;   // the limits' labels stand this far right of the plot,
constexpr float kLimitLabelRise = 150;  // and above the X axis when their line is: clear of its arrow
constexpr float kTimeLabelLeft = 630, kTimeLabelDrop = 350;
constexpr float kFullScreenTimeLabelLeft = 800, kFullScreenTimeLabelDrop = 430;
constexpr int kFullScreenPointLimit = 22;
constexpr float kLegendIndent = 200;    // the stations' legend starts right of the Y axis' arrow

// Labels stick out of the plot area by their own width at most; anything this far beyond the
// picture cannot show.
constexpr double kLabelReach = 3000;
// Positions closer than one twip share a device pixel on any screen.
constexpr double kSmallestSpacing = 1;

const QString kFont = QStringLiteral("Tahoma");
constexpr float kStartFontSize = 7, kStoredLabelFontSize = 6, kDateFontSize = 8, kTimeFontSize = 8;

// Where the collector was away, behind grid and series.
constexpr Colour kGapColour = rgbColour(235, 235, 235);

constexpr double kSingleWhole = 0x1p24;  // from here up every Single is a whole number, spaced 2 or more

// The smallest Single not below a Double.
float singleAtOrAbove(double value) {
  const float single = float(value);
  return double(single) < value ? std::nextafter(single, INFINITY) : single;
}

// The Single nearest to from + n, rounded once as exact arithmetic would; n is whole, below 2^53.
float nearestSingle(float from, double n) {
  const double sum = double(from) + n, back = sum - from;
  const double error = (double(from) - (sum - back)) + (n - back);  // from + n == sum + error
  float single = float(sum);
  // The error can only matter where the sum lies halfway between two Singles.
  if (error != 0 && double(single) != sum) {
    const float other = std::nextafter(single, sum > single ? INFINITY : -INFINITY);
    if ((double(single) + other) / 2 == sum && (error > 0) == (other > single)) single = other;
  }
  return single;
}

// The values an axis pass's counter takes: it counts from `from` in steps of 1 while it is at most
// `to`, and each value is used as the nearest Single. The count itself is exact: a Single counter
// would stop moving at 2^24 and never end, and one started at -1E10 would never reach 0.
class CounterValues {
 public:
  CounterValues(float from, float to)
      : from_(from), to_(std::min(to, std::numeric_limits<float>::max())), whole_(std::floor(from) == from) {
    if (runs() && std::isfinite(from)) last_ = lastValue();
  }

  bool runs() const { return from_ <= to_; }
  float first() const { return from_; }

  // The smallest value not below t.
  std::optional<float> atOrAbove(double t) const {
    if (!(t <= last_)) return std::nullopt;
    if (whole_ || t >= kSingleWhole) {
      // Every whole Single from `from` to the last one is a value, and from 2^24 on every Single.
      const float value = singleAtOrAbove(std::ceil(std::max(t, double(from_))));
      return value <= last_ ? std::optional(value) : std::nullopt;
    }
    double n = std::max(0.0, std::ceil(t - from_));
    while (n > 0 && valueAt(n - 1) >= t) --n;
    while (valueAt(n) < t) ++n;
    return valueAt(n);
  }
  std::optional<float> after(float value) const { return atOrAbove(std::nextafter(value, INFINITY)); }

 private:
  float valueAt(double n) const { return nearestSingle(from_, n); }

  float lastValue() const {
    if (whole_) return std::floor(to_);
    // The last count lies less than 1 below `to`, which is then its nearest Single.
    if (to_ >= 2 * kSingleWhole) return to_;
    const double span = double(to_) - from_, back = span - to_;
    const double error = (double(to_) - (span - back)) + (-double(from_) - back);  // exactly to - from - span
    const double steps = std::floor(span);
    return valueAt(steps == span && error < 0 ? steps - 1 : steps);
  }

  float from_, to_;
  bool whole_;
  float last_ = NAN;  // no value at all
};

// Visits the values of the counter whose position, about base + slope * value twips, lies within
// lo..hi, in order, and only those at a multiple of step; where they fall closer than a twip
// apart, one a twip. The first value always runs, so that a loop that shows nothing still leaves
// the surface as the whole loop would (its fonts).
template <typename Visit>
void forEachShowing(const CounterValues& counter, double base, double slope, double lo, double hi, double step,
                    Visit&& visit) {
  if (!counter.runs()) return;
  visit(counter.first());
  if (slope == 0) {
    // Every value draws at the same place: the second one adds the grid line a first 0 lacks.
    if (counter.first() == 0)
      if (const auto next = counter.after(0)) visit(*next);
    return;
  }
  double low = (lo - base) / slope, high = (hi - base) / slope;
  if (low > high) std::swap(low, high);
  // Room for the rounding of the Single positions.
  low -= 4 + std::abs(low) * 0x1p-20;
  high += 4 + std::abs(high) * 0x1p-20;
  const double stride = kSmallestSpacing / std::abs(slope);
  const auto atStep = [step](double t) { return step > 1 ? std::ceil(t / step) * step : t; };
  auto value = counter.atOrAbove(atStep(std::max(low, double(std::nextafter(counter.first(), INFINITY)))));
  for (; value && *value <= high;
       value = counter.atOrAbove(atStep(std::max(double(std::nextafter(*value, INFINITY)), *value + stride))))
    visit(*value);
}

class Renderer {
 public:
  Renderer(DrawingSurface& picture, const ChartInput& input, ChartFrame& frame, const Environment& env)
      : pic_(picture),
        in_(input),
        rec_(input.record),
        f_(frame),
        env_(env),
        time_(frame.timeLine()),
        axis_(Colour(quint16(input.record.AxisColor))),
        yLabelStep_(input.yLabelStep) {}

  void draw() {
    setPlotRanges(f_, rec_, in_.exactXRange);
    if (time_) {
      // x counts seconds from the range's start; a chart without a moment keeps an empty plot.
      f_.xMin = 0;
      f_.xMax = time_->range() ? float(time_->range()->to - time_->range()->from) : 1;
    }
    if (in_.limits) widenForLimits(f_, *in_.limits, yLabelStep_);
    skipOnFailure([&] { pic_.SetDrawWidth(1); });
    skipOnFailure([&] { pic_.SetFont(kFont, kStartFontSize); });
    skipOnFailure([&] { pic_.SetBackColor(rec_.BackColor); });
    skipOnFailure([&] { pic_.SetForeColor(rec_.ForeColor); });
    setPlotScale(f_, rec_, pic_);
    skipOnFailure([&] { width_ = pic_.Width(); height_ = pic_.Height(); });

    // The stored series are passed over before anything is drawn: where they reach A lies behind
    // the rest.
    std::vector<int> visibleSeries;
    std::vector<StoredSeries> storedSeries;
    const float reach = in_.limits ? carriedUpper(*in_.limits) : INFINITY;
    if (in_.live) {
      for (int k = 1; k <= rec_.SeriesCount; ++k) {
        bool visible = false;
        skipOnFailure([&] { visible = rec_.SeriesVisible.at(k); });
        if (visible) visibleSeries.push_back(k);
      }
    } else {
      for (std::size_t i = 0; i < in_.series.size(); ++i)
        storedSeries.emplace_back(pic_, f_, in_.series[i], reach, i < f_.timeLines.size() ? f_.timeLines[i].get() : nullptr);
    }
    if (time_) drawGaps();
    if (in_.limits) drawLeakBands(storedSeries);

    drawAxes();
    const QDateTime now = env_.clock.now();
    timeTextLength_ = env_.regional.longTime(now.time()).size();
    dateTextLength_ = env_.regional.shortDate(now.date()).size();
    if (time_)
      timeAxisPass();
    else
      xAxisPass();
    yAxisPass();
    for (const int k : visibleSeries) drawLiveSeries(k);
    for (const StoredSeries& series : storedSeries) series.draw(pic_);
    if (in_.severalStations()) drawStationLegend(pic_, in_.series, X(in_.windowStart) + kLegendIndent, rec_.ForeColor);
    if (in_.limits) drawLimitLines(*in_.limits);
  }

 private:
  float X(float x) const { return XToSurface(f_, x); }
  float Y(float y) const { return YToSurface(f_, y); }

  void print(float x, float y, const QString& text) {
    pic_.SetCurrentX(x);
    pic_.SetCurrentY(y);
    pic_.Print(text);
  }

  void dottedLine(float x1, float y1, float x2, float y2) {
    skipOnFailure([&] { pic_.SetDrawStyle(DrawingSurface::Dotted); });
    skipOnFailure([&] { pic_.Line(x1, y1, x2, y2, axis_); });
    skipOnFailure([&] { pic_.SetDrawStyle(DrawingSurface::Solid); });
  }

  void drawAxes() {
    skipOnFailure([&] {
      pic_.Line(X(f_.xMin) - kAxisOverhang, Y(0), X(f_.xMax) + kAxisExtension, Y(0), axis_);
    });
    skipOnFailure([&] {
      pic_.Line(X(in_.windowStart), Y(f_.yMin) - kAxisOverhang, X(in_.windowStart),
                Y(f_.yMax) + kAxisExtension, axis_);
    });
    skipOnFailure([&] {
      const float tipX = X(f_.xMax) + kAxisExtension, backX = X(f_.xMax) + kArrowBack;
      pic_.Line(tipX, Y(0), backX, Y(0) - kArrowSide, axis_);
      pic_.Line(tipX, Y(0), backX, Y(0) + kArrowSide, axis_);
    });
    skipOnFailure([&] {
      const float tipY = Y(f_.yMax) + kAxisExtension, backY = Y(f_.yMax) + kArrowBack;
      pic_.Line(X(in_.windowStart), tipY, X(in_.windowStart) - kArrowSide, backY, axis_);
      pic_.Line(X(in_.windowStart), tipY, X(in_.windowStart) + kArrowSide, backY, axis_);
    });
  }

  void xAxisPass() {
    const double base = double(f_.margin) - double(f_.xMin) * f_.scaleX;  // as XToSurface has it
    if (!in_.live) labelStep_ = storedLabelStep(pic_, f_, in_.labels, env_, kFont, kStoredLabelFontSize);
    forEachShowing(CounterValues(f_.xMin, f_.xMax), base, f_.scaleX, -kLabelReach, width_ + kLabelReach,
                   labelStep_, [&](float i) { xAxisStep(i); });
  }

  void xAxisStep(float i) {
    skipOnFailure([&] { pic_.Line(X(i), Y(0) + kTickHalf, X(i), Y(0) - kTickHalf, axis_); });
    if (i != 0 && rec_.ShowXGrid) skipOnFailure([&] { dottedLine(X(i), Y(f_.yMin), X(i), Y(f_.yMax)); });
    if (!rec_.ShowXLabels) return;
    if (in_.live) {
      skipOnFailure([&] {
        const QString label = NumberText(i);
        print(X(i) - kNumberCharWidth * label.size(), Y(0) - kNearLabelDrop, label);
      });
      return;
    }
    skipOnFailure([&] { pic_.SetFont(kFont, kStoredLabelFontSize); });
    // The two rows take turns among the printed labels.
    bool even = true;
    skipOnFailure([&] { even = std::fmod(std::floor(indexOf(i) / labelStep_), 2) == 0; });
    skipOnFailure([&] {
      const float x = X(i) - kTimeCharWidth * timeTextLength_;
      const float y = Y(0) - (even ? kFarLabelDrop : kNearLabelDrop);
      print(x, y, env_.regional.valueText(label(indexOf(i))));
    });
    if (!in_.datesUnderLabels) return;
    skipOnFailure([&] { pic_.SetFont(kFont, kDateFontSize); });
    // The date of the next printed label stands under it when it differs from this one's; the
    // first step has no record, so the failing comparison lets the first label's date through.
    bool dateChanges = true;
    skipOnFailure([&] { dateChanges = datesDiffer(date(nextLabel(i)), date(indexOf(i))); });
    if (!dateChanges) return;
    skipOnFailure([&] {
      const float x = X(toSingle(double(i) + labelStep_)) - kNumberCharWidth * dateTextLength_;
      printDate(x, even, env_.regional.valueText(date(nextLabel(i))));
    });
  }

  // A date in its row under the X axis, clear of the Y labels, which reach up to the Y axis; one
  // that would touch the date before it in its row is left out.
  void printDate(float x, bool even, const QString& text) {
    float& rowEnd = even ? evenDatesEnd_ : oddDatesEnd_;
    x = std::max(x, X(in_.windowStart) + kDateIndent);
    if (x < rowEnd + kDateGap) return;
    print(x, Y(0) - (even ? kEvenDateDrop : kOddDateDrop), text);
    rowEnd = x + pic_.TextWidth(text, kFont, kDateFontSize);
  }

  // Read through a const view: tables shared with a chart a picture keeps stay shared, uncopied.
  // Cut short before they are measured or drawn: a row may hold a text of millions.
  QVariant label(int i) const { return in_.labels.labelAt(i); }
  QVariant date(int i) const { return in_.dates.labelAt(i); }

  int nextLabel(float i) const {
    const double next = double(indexOf(i)) + labelStep_;
    if (!(next <= std::numeric_limits<int>::max())) throw subscriptError();
    return int(next);
  }

  bool datesDiffer(const QVariant& next, const QVariant& current) const {
    if (next.isNull() || current.isNull()) return false;  // a comparison with Null is never true
    return env_.regional.valueText(next) != env_.regional.valueText(current);
  }

  float timeX(qint64 moment) const { return toSingle(secondsToSurface(f_, double(moment - time_->range()->from))); }

  // Ticks at round times with dotted grid lines; their labels take turns in two rows as those of
  // records do, and the date stands under the first tick and the first of each new day.
  void timeAxisPass() {
    if (!time_->range()) return;
    const TickStep step = timeTickStep(pic_, env_.regional, f_.scaleX, {kFont, kStoredLabelFontSize, kDateFontSize});
    QDate dated;
    for (const Tick& each : timeTicks(step, *time_->range(), env_.regional.timeZone())) {
      const qint64 tick = each.at;
      float x = 0;
      if (!skipOnFailure([&] { x = timeX(tick); })) continue;
      skipOnFailure([&] { pic_.Line(x, Y(0) + kTickHalf, x, Y(0) - kTickHalf, axis_); });
      if (tick != time_->range()->from && rec_.ShowXGrid)
        skipOnFailure([&] { dottedLine(x, Y(f_.yMin), x, Y(f_.yMax)); });
      if (!rec_.ShowXLabels) continue;
      const bool even = each.number % 2 == 0;
      // Centred under the tick, but not cut by the picture's left edge; none at the Y axis, where
      // it would run into the Y labels.
      if (tick != time_->range()->from) {
        skipOnFailure([&] { pic_.SetFont(kFont, kStoredLabelFontSize); });
        skipOnFailure([&] {
          const QString label = tickLabel(step, tick, env_.regional);
          const float left = std::max(0.0f, x - pic_.TextWidth(label, kFont, kStoredLabelFontSize) / 2);
          print(left, Y(0) - (even ? kFarLabelDrop : kNearLabelDrop), label);
        });
      }
      const QDate date = env_.regional.localDate(tick);
      if (date == dated) continue;
      skipOnFailure([&] { pic_.SetFont(kFont, kDateFontSize); });
      skipOnFailure([&] {
        const QString text = env_.regional.dateText(date);
        printDate(x - pic_.TextWidth(text, kFont, kDateFontSize) / 2, even, text);
      });
      dated = date;
    }
  }

  // A band over the plot's height across each gap; gaps that meet in a pixel column are one band.
  void drawGaps() {
    float bottom = 0, top = 0;
    if (!skipOnFailure([&] { bottom = Y(f_.yMin), top = Y(f_.yMax); })) return;
    std::optional<std::pair<float, float>> held;
    qint64 heldEnd = 0;  // the pixel column the held band ends in
    const auto fill = [&] {
      if (held) skipOnFailure([&] { pic_.Fill(held->first, bottom, held->second, top, kGapColour); });
    };
    for (const qint32 gap : time_->gaps()) {
      float from = 0, to = 0;
      if (!skipOnFailure([&] { from = timeX(time_->momentAt(gap)), to = timeX(time_->momentAt(gap + 1)); })) continue;
      if (held && pic_.PixelColumn(from) <= heldEnd) {
        held->second = to;
      } else {
        fill();
        held = {from, to};
      }
      heldEnd = pic_.PixelColumn(to);
    }
    fill();
  }

  void yAxisPass() {
    const double base = double(f_.margin) - double(f_.yMin) * f_.scaleY;  // as YToSurface has it
    forEachShowing(CounterValues(f_.yMin, f_.yMax), base, double(f_.scaleY) * yLabelStep_, -kLabelReach,
                   height_ + kLabelReach, 1, [&](float j) {
                     float y = 0;
                     if (skipOnFailure([&] { y = singleProduct(j, yLabelStep_); })) yAxisStep(j, y);
                   });
  }

  void yAxisStep(float j, float y) {
    skipOnFailure([&] {
      pic_.Line(X(in_.windowStart) + kTickHalf, Y(y), X(in_.windowStart) - kTickHalf, Y(y), axis_);
    });
    if (j != 0 && rec_.ShowYGrid) skipOnFailure([&] { dottedLine(X(f_.xMin), Y(y), X(f_.xMax), Y(y)); });
    if (rec_.ShowYLabels) {
      skipOnFailure([&] {
        const QString label = NumberText(y);
        print(X(in_.windowStart) - kYLabelGap - kNumberCharWidth * label.size(), Y(y) + kNearLabelDrop, label);
      });
    }
  }

  // Point p stands at x = PlotXMin + p - 1 for the live record (x range XMin..XMin + 22). A point
  // that cannot be read repeats the last value read.
  void drawLiveSeries(int k) {
    skipOnFailure([&] { pic_.SetDrawWidth(2); });
    drawTimeLabel();
    int lowPoint = 0, lastPoint = 0;
    if (!skipOnFailure([&] { lowPoint = rec_.Values.lowerBound(); lastPoint = rec_.Values.upperBound(); })) return;
    const qint64 lastDrawn = qint64(lowPoint) + in_.live->pointCounter - 2;
    const float span = f_.xMax - f_.xMin + 2;
    // The points move across the picture one way: past its edge nothing more can show. Points
    // that repeat a value continue one horizontal line, drawn with one point a twip.
    const double perPoint = double(f_.scaleX) * span / lastPoint;
    const double edge = perPoint > 0 ? width_ + kLabelReach : -kLabelReach;
    const qint64 stride = std::abs(perPoint) >= kSmallestSpacing ? 1
                          : std::abs(perPoint) > 0 ? qint64(std::min(1e15, std::ceil(kSmallestSpacing / std::abs(perPoint))))
                                                   : lastDrawn;
    Polyline line(pic_);
    for (qint64 p = 1; p <= lastDrawn;) {
      const bool read = p <= lastPoint && skipOnFailure([&] { value_ = rec_.Values.at(int(p), k); });
      float x = 0;
      const bool placed = skipOnFailure([&] {
        const float y = Y(value_ / kValueScale);
        if (p == 1) {
          line.moveTo(x = X(f_.xMin), y);
          return;
        }
        const float offset = singleQuotient(singleProduct(span, double(p - 1)), lastPoint);
        line.lineTo(x = X(toSingle(double(f_.xMin) + offset)), y, rec_.SeriesColor.at(k));
      });
      if (placed && (perPoint > 0 ? x > edge : perPoint < 0 && x < edge)) break;
      if (read) {
        ++p;
        continue;
      }
      // A point that cannot be placed fails the same way up to the next one that can be read.
      const qint64 runEnd = p < lowPoint ? std::min<qint64>(lowPoint - 1, lastDrawn) : lastDrawn;
      p = p >= runEnd ? p + 1 : placed ? std::min(runEnd, p + stride) : runEnd;
    }
  }

  // A band over the plot's height for each pixel column where a stored series reaches A.
  void drawLeakBands(const std::vector<StoredSeries>& series) {
    float bottom = 0, top = 0;
    if (!skipOnFailure([&] { bottom = Y(f_.yMin), top = Y(f_.yMax); })) return;
    for (const StoredSeries& one : series)
      for (const StoredSeries::Reach& reach : one.reached())
        skipOnFailure([&] { pic_.Fill(reach.from, bottom, reach.to, top, kLeakBandColour); });
  }

  // Dashed lines across the plot, one device pixel wide, labelled at its right end in the line's
  // colour.
  void drawLimitLines(const LeakLimits& limits) {
    struct LimitLine {
      double value;
      Colour colour;
      const char* name;
    };
    for (const LimitLine& line :
         {LimitLine{limits.upper, kUpperLimitColour, "A"}, LimitLine{limits.lower, kLowerLimitColour, "B"}}) {
      float y = 0;
      if (!skipOnFailure([&] { y = Y(toSingle(line.value)); })) continue;
      skipOnFailure([&] { pic_.SetDrawWidth(0); });
      skipOnFailure([&] { pic_.SetDrawStyle(DrawingSurface::Dashed); });
      skipOnFailure([&] { pic_.Line(X(f_.xMin), y, X(f_.xMax), y, line.colour); });
      skipOnFailure([&] { pic_.SetDrawStyle(DrawingSurface::Solid); });
      skipOnFailure([&] { pic_.SetFont(kFont, kStartFontSize); });
      skipOnFailure([&] { pic_.SetForeColor(line.colour); });
      skipOnFailure([&] {
        const float top = line.value >= 0 ? std::max(y + kNearLabelDrop, Y(0) + kLimitLabelRise) : y + kNearLabelDrop;
        print(X(f_.xMax) + kLimitLabelGap, top, QString::fromLatin1(line.name));
      });
    }
    skipOnFailure([&] { pic_.SetForeColor(rec_.ForeColor); });
  }

  // The time of the last entry, beside the newest point.
  void drawTimeLabel() {
    bool placed = skipOnFailure([&] {
      const LiveWindow& window = *in_.live;
      const qint64 slot = qint64(window.pointCounter) + window.scrollCount;
      if (window.fullScreen) {
        const qint64 point = window.pointCounter <= kFullScreenPointLimit ? slot - 2 : slot - 3;
        pic_.SetCurrentX(X(float(point)) - kFullScreenTimeLabelLeft);
        pic_.SetCurrentY(Y(0) - kFullScreenTimeLabelDrop);
      } else {
        pic_.SetCurrentX(X(float(slot - 2)) - kTimeLabelLeft);
        pic_.SetCurrentY(Y(0) - kTimeLabelDrop);
      }
    });
    skipOnFailure([&] { pic_.SetFontSize(kTimeFontSize); });
    if (placed) skipOnFailure([&] { pic_.Print(env_.regional.longTime(in_.live->lastEntryTime)); });
  }

  DrawingSurface& pic_;
  const ChartInput& in_;
  const ChartRecord& rec_;
  ChartFrame& f_;
  const Environment& env_;
  const TimeLine* const time_;  // on the time scale
  const Colour axis_;
  float width_ = 0, height_ = 0;
  float value_ = 0;  // the last value read, kept when a read fails
  int timeTextLength_ = 0, dateTextLength_ = 0;
  float evenDatesEnd_ = -INFINITY, oddDatesEnd_ = -INFINITY;  // where the last date of each row ends
  double labelStep_ = 1;  // records from one printed X label to the next
  float yLabelStep_;      // widened with the range for the limits, never in the program's state
};

}  // namespace

namespace {

// On the time scale, each series' rows in time order: over the input's span when it has one
// (a period's, a zoom's), else from their first moment to their last, the first and last of all
// the stations' when there are several.
std::vector<std::shared_ptr<const TimeLine>> timeLinesOf(const ChartInput& input, const RegionalForms& regional) {
  std::vector<std::shared_ptr<const TimeLine>> lines;
  if (!onTimeScale(input)) return lines;
  std::vector<std::shared_ptr<TimeLine>> made;
  std::optional<TimeSpan> all;
  for (const ChartSeries& series : input.series) {
    ShownRows rows = series.rows;
    if (!rows.columns) rows = {std::make_shared<const RowColumns>(), 0, 0};
    made.push_back(std::make_shared<TimeLine>(rows, regional, input.span));
    if (const auto& range = made.back()->range())
      all = all ? TimeSpan{std::min(all->from, range->from), std::max(all->to, range->to)} : *range;
  }
  for (const auto& line : made) {
    if (all) line->widenRange(*all);
    lines.push_back(line);
  }
  return lines;
}

// The frame of a chart drawn again: its time lines kept while it stays on the time scale.
ChartFrame frameAgain(const KeptChart& chart, const RegionalForms& regional) {
  ChartFrame frame;
  if (onTimeScale(chart.input))
    frame.timeLines = chart.frame.timeLines.empty() ? timeLinesOf(chart.input, regional) : chart.frame.timeLines;
  return frame;
}

}  // namespace

bool onTimeScale(const ChartInput& input) {
  return (input.timeScale || input.severalStations()) && input.showsStoredRows();
}

std::shared_ptr<const TimeLine> timeLineOf(const KeptChart& chart, const RegionalForms& regional, std::size_t series) {
  if (series < chart.frame.timeLines.size()) return chart.frame.timeLines[series];
  if (!chart.input.stored() || series >= chart.input.series.size() || !chart.input.series[series].rows.columns)
    return nullptr;
  return std::make_shared<const TimeLine>(chart.input.series[series].rows, regional, chart.input.span);
}

ChartFrame DrawChart(DrawingSurface& picture, const ChartInput& input, const Environment& env) {
  ChartFrame frame;
  frame.timeLines = timeLinesOf(input, env.regional);
  Renderer(picture, input, frame, env).draw();
  picture.KeepChart({input, frame, nullptr});
  return frame;
}

void DrawChartAgain(DrawingSurface& picture, const KeptChart& chart, const Environment& env) {
  KeptChart again = chart;
  again.frame = frameAgain(chart, env.regional);
  Renderer(picture, again.input, again.frame, env).draw();
  picture.KeepChart(std::move(again));
}

void drawAgainChanged(DrawingSurface& picture, const std::function<void(ChartInput&)>& change, const Environment& env) {
  const std::function<KeptChart(const KeptChart&)> changed = [&](const KeptChart& chart) {
    KeptChart again = chart;
    change(again.input);
    if (chart.whole) again.whole = std::make_shared<const KeptChart>(changed(*chart.whole));
    // The chart a zoom is into lists its leak decisions as it would be drawn.
    again.frame = frameAgain(again, env.regional);
    return again;
  };
  if (const auto kept = picture.LastChart()) DrawChartAgain(picture, changed(*kept), env);
}

}  // namespace kelvane::stdKelvane
