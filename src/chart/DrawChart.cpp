#include "DrawChart.h"

#include "NumberText.h"
#include "Scaling.h"
#include "Single.h"

#include <algorithm>
#include <cmath>

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
constexpr float kTimeLabelLeft = 630, kTimeLabelDrop = 350;
constexpr float kFullScreenTimeLabelLeft = 800, kFullScreenTimeLabelDrop = 430;
constexpr int kFullScreenPointLimit = 22;
constexpr float kValueScale = 10000;

// Labels stick out of the plot area by their own width at most; anything this far beyond the
// picture cannot show.
constexpr double kLabelReach = 3000;
// Positions closer than one twip share a device pixel on any screen.
constexpr double kSmallestSpacing = 1;

const QString kFont = QStringLiteral("Tahoma");
constexpr float kStartFontSize = 7, kStoredLabelFontSize = 6, kDateFontSize = 8, kTimeFontSize = 8;

// The counts n of a loop over the positions base + n * step (n = 0..last, surface units) that
// can show within lo..hi, at most one for each twip. Bounding the loop by the picture keeps a
// large range from drawing millions of ticks that fall off it or onto one pixel, and a Single
// counter from sticking beyond 2^24. The first count always runs, so that a loop that shows
// nothing still leaves the surface as the full loop would (its fonts).
struct CountRange {
  double first = 1, last = 0, stride = 1;  // the counts after the first one
};

CountRange visibleCounts(double base, double step, double last, double lo, double hi) {
  CountRange range;
  if (!(last >= 1) || !std::isfinite(base) || !std::isfinite(step)) return range;
  if (step == 0) {
    // Every count draws at the same place: the second one adds all that later ones would.
    if (base >= lo && base <= hi) range.last = std::min(last, 1.0);
    return range;
  }
  double from = (lo - base) / step, to = (hi - base) / step;
  if (from > to) std::swap(from, to);
  range.first = std::max(1.0, std::ceil(from));
  range.last = std::min(std::floor(last), std::floor(to));
  range.stride = std::max(1.0, std::floor(kSmallestSpacing / std::abs(step)));
  return range;
}

template <typename Visit>
void forEachCount(const CountRange& range, Visit&& visit) {
  visit(0.0);
  for (double n = range.first; n <= range.last; n += range.stride) visit(n);
}

// Draws a polyline whose first point that can be placed is its start, so that a point that fails
// never leaves a stroke from wherever the surface last stood.
class Polyline {
 public:
  explicit Polyline(DrawingSurface& picture) : picture_(picture) {}
  void moveTo(float x, float y) {
    picture_.SetCurrentX(x);
    picture_.SetCurrentY(y);
    started_ = true;
  }
  void lineTo(float x, float y, Colour colour) {
    if (started_)
      picture_.LineTo(x, y, colour);
    else
      moveTo(x, y);
  }

 private:
  DrawingSurface& picture_;
  bool started_ = false;
};

class Renderer {
 public:
  Renderer(DrawingSurface& picture, const ChartRecord& record, ProgramState& state, const Environment& env)
      : pic_(picture), rec_(record), s_(state), env_(env), axis_(Colour(quint16(record.AxisColor))) {}

  void draw() {
    setPlotRanges(s_, rec_);
    skipOnFailure([&] { pic_.SetDrawWidth(1); });
    skipOnFailure([&] { pic_.SetFont(kFont, kStartFontSize); });
    skipOnFailure([&] { pic_.SetBackColor(rec_.BackColor); });
    skipOnFailure([&] { pic_.SetForeColor(rec_.ForeColor); });
    setPlotScale(s_, rec_, pic_);
    skipOnFailure([&] { width_ = pic_.Width(); height_ = pic_.Height(); });

    drawAxes();
    const QDateTime now = env_.clock.now();
    timeTextLength_ = env_.regional.longTime(now.time()).size();
    dateTextLength_ = env_.regional.shortDate(now.date()).size();
    xAxisPass();
    yAxisPass();
    for (int k = 1; k <= rec_.SeriesCount; ++k) {
      bool visible = false;
      skipOnFailure([&] { visible = rec_.SeriesVisible.at(k); });
      if (!visible) continue;
      if (s_.LiveChart)
        drawLiveSeries(k);
      else
        drawStoredSeries(k);
    }
  }

 private:
  float X(float x) const { return XToSurface(s_, x); }
  float Y(float y) const { return YToSurface(s_, y); }

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
      pic_.Line(X(s_.PlotXMin) - kAxisOverhang, Y(0), X(s_.PlotXMax) + kAxisExtension, Y(0), axis_);
    });
    skipOnFailure([&] {
      pic_.Line(X(s_.WindowStart), Y(s_.PlotYMin) - kAxisOverhang, X(s_.WindowStart),
                Y(s_.PlotYMax) + kAxisExtension, axis_);
    });
    skipOnFailure([&] {
      const float tipX = X(s_.PlotXMax) + kAxisExtension, backX = X(s_.PlotXMax) + kArrowBack;
      pic_.Line(tipX, Y(0), backX, Y(0) - kArrowSide, axis_);
      pic_.Line(tipX, Y(0), backX, Y(0) + kArrowSide, axis_);
    });
    skipOnFailure([&] {
      const float tipY = Y(s_.PlotYMax) + kAxisExtension, backY = Y(s_.PlotYMax) + kArrowBack;
      pic_.Line(X(s_.WindowStart), tipY, X(s_.WindowStart) - kArrowSide, backY, axis_);
      pic_.Line(X(s_.WindowStart), tipY, X(s_.WindowStart) + kArrowSide, backY, axis_);
    });
  }

  // The range of a pass over PlotMin..PlotMax in steps of 1, bounded by what can show.
  CountRange passCounts(float plotMin, float plotMax, double base, double step, double extent) const {
    const double last = std::floor(double(plotMax) - double(plotMin));
    return visibleCounts(base, step, last, -kLabelReach, extent + kLabelReach);
  }

  void xAxisPass() {
    double base = 0;
    skipOnFailure([&] { base = X(s_.PlotXMin); });
    const CountRange counts = passCounts(s_.PlotXMin, s_.PlotXMax, base, s_.ScaleX, width_);
    if (!(s_.PlotXMin <= s_.PlotXMax)) return;
    forEachCount(counts, [&](double n) { xAxisStep(float(double(s_.PlotXMin) + n)); });
  }

  void xAxisStep(float i) {
    skipOnFailure([&] { pic_.Line(X(i), Y(0) + kTickHalf, X(i), Y(0) - kTickHalf, axis_); });
    if (i != 0 && rec_.ShowXGrid) skipOnFailure([&] { dottedLine(X(i), Y(s_.PlotYMin), X(i), Y(s_.PlotYMax)); });
    if (!rec_.ShowXLabels) return;
    if (s_.LiveChart) {
      skipOnFailure([&] {
        const QString label = NumberText(i);
        print(X(i) - kNumberCharWidth * label.size(), Y(0) - kNearLabelDrop, label);
      });
      return;
    }
    skipOnFailure([&] { pic_.SetFont(kFont, kStoredLabelFontSize); });
    bool even = true;
    skipOnFailure([&] { even = indexOf(i) % 2 == 0; });
    skipOnFailure([&] {
      const float x = X(i) - kTimeCharWidth * timeTextLength_;
      const float y = Y(0) - (even ? kFarLabelDrop : kNearLabelDrop);
      const QVariant& label = s_.PointLabels.at(indexOf(i));
      print(x, y, env_.regional.valueText(label));
    });
    if (s_.OperatingMode != Mode::Database && s_.OperatingMode != Mode::SQLquery) return;
    skipOnFailure([&] { pic_.SetFont(kFont, kDateFontSize); });
    // The date of a record stands under it when it differs from the one before; the first
    // record has no predecessor, so the failing comparison lets its date through.
    bool dateChanges = true;
    skipOnFailure([&] { dateChanges = datesDiffer(s_.PointDates.at(indexOf(i) + 1), s_.PointDates.at(indexOf(i))); });
    if (!dateChanges) return;
    skipOnFailure([&] {
      const float x = X(i + 1) - kNumberCharWidth * dateTextLength_;
      const float y = Y(0) - (even ? kEvenDateDrop : kOddDateDrop);
      print(x, y, env_.regional.valueText(s_.PointDates.at(indexOf(i) + 1)));
    });
  }

  bool datesDiffer(const QVariant& next, const QVariant& current) const {
    if (next.isNull() || current.isNull()) return false;  // a comparison with Null is never true
    return env_.regional.valueText(next) != env_.regional.valueText(current);
  }

  void yAxisPass() {
    double base = 0, step = 0;
    skipOnFailure([&] {
      base = Y(singleProduct(s_.PlotYMin, s_.YLabelStep));
      step = double(s_.ScaleY) * s_.YLabelStep;
    });
    const CountRange counts = passCounts(s_.PlotYMin, s_.PlotYMax, base, step, height_);
    if (!(s_.PlotYMin <= s_.PlotYMax)) return;
    forEachCount(counts, [&](double n) {
      const float j = float(double(s_.PlotYMin) + n);
      float y = 0;
      if (skipOnFailure([&] { y = singleProduct(j, s_.YLabelStep); })) yAxisStep(j, y);
    });
  }

  void yAxisStep(float j, float y) {
    skipOnFailure([&] {
      pic_.Line(X(s_.WindowStart) + kTickHalf, Y(y), X(s_.WindowStart) - kTickHalf, Y(y), axis_);
    });
    if (j != 0 && rec_.ShowYGrid) skipOnFailure([&] { dottedLine(X(s_.PlotXMin), Y(y), X(s_.PlotXMax), Y(y)); });
    if (rec_.ShowYLabels) {
      skipOnFailure([&] {
        const QString label = NumberText(y);
        print(X(s_.WindowStart) - kYLabelGap - kNumberCharWidth * label.size(), Y(y) + kNearLabelDrop, label);
      });
    }
  }

  // Record p stands at x = p for the usual stored record (x range 0..count, points 1..count).
  void drawStoredSeries(int k) {
    int lastPoint = 0;
    if (!skipOnFailure([&] { lastPoint = rec_.Values.upperBound(); })) return;
    const auto pointX = [&](int p) {
      return X(toSingle(s_.PlotXMin + double(singleQuotient(s_.PlotXMax - s_.PlotXMin, lastPoint)) * p));
    };
    const auto valueY = [&](int p) { return Y(rec_.Values.at(p, k) / kValueScale); };
    Polyline line(pic_);
    skipOnFailure([&] { line.moveTo(pointX(1), valueY(1)); });
    for (int p = 1; p <= lastPoint; ++p) {
      skipOnFailure([&] { pic_.SetDrawWidth(2); });
      skipOnFailure([&] { line.lineTo(pointX(p), valueY(p), rec_.SeriesColor.at(k)); });
    }
  }

  // Point p stands at x = PlotXMin + p - 1 for the live record (x range XMin..XMin + 22).
  void drawLiveSeries(int k) {
    skipOnFailure([&] { pic_.SetDrawWidth(2); });
    drawTimeLabel();
    int lowPoint = 0, lastPoint = 0;
    if (!skipOnFailure([&] { lowPoint = rec_.Values.lowerBound(); lastPoint = rec_.Values.upperBound(); })) return;
    const qint64 lastDrawn = std::min<qint64>(qint64(lowPoint) + s_.PointCounter - 2, lastPoint);
    Polyline line(pic_);
    for (int p = 1; p <= lastDrawn; ++p) {
      skipOnFailure([&] {
        const float y = Y(rec_.Values.at(p, k) / kValueScale);
        if (p == 1) {
          line.moveTo(X(s_.PlotXMin), y);
          return;
        }
        const float offset = singleQuotient(singleProduct(s_.PlotXMax - s_.PlotXMin + 2, p - 1), lastPoint);
        line.lineTo(X(toSingle(double(s_.PlotXMin) + offset)), y, rec_.SeriesColor.at(k));
      });
    }
  }

  // The time of the last entry, beside the newest point.
  void drawTimeLabel() {
    bool placed = skipOnFailure([&] {
      const qint64 slot = qint64(s_.PointCounter) + s_.ScrollCount;
      if (s_.MaximizedChart) {
        const qint64 point = s_.PointCounter <= kFullScreenPointLimit ? slot - 2 : slot - 3;
        pic_.SetCurrentX(X(float(point)) - kFullScreenTimeLabelLeft);
        pic_.SetCurrentY(Y(0) - kFullScreenTimeLabelDrop);
      } else {
        pic_.SetCurrentX(X(float(slot - 2)) - kTimeLabelLeft);
        pic_.SetCurrentY(Y(0) - kTimeLabelDrop);
      }
    });
    skipOnFailure([&] { pic_.SetFontSize(kTimeFontSize); });
    if (placed) skipOnFailure([&] { pic_.Print(env_.regional.longTime(s_.LastEntryTime)); });
  }

  DrawingSurface& pic_;
  const ChartRecord& rec_;
  ProgramState& s_;
  const Environment& env_;
  const Colour axis_;
  float width_ = 0, height_ = 0;
  int timeTextLength_ = 0, dateTextLength_ = 0;
};

}  // namespace

void DrawChart(DrawingSurface& picture, const ChartRecord& record, ProgramState& state, const Environment& env) {
  Renderer(picture, record, state, env).draw();
  picture.KeepChart(record, state);
}

void DrawChartAgain(DrawingSurface& picture, const KeptChart& chart, const Environment& env) {
  ProgramState state = chart.state;
  DrawChart(picture, chart.record, state, env);
}

}  // namespace kelvane::stdKelvane
