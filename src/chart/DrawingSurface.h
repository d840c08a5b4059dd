#pragma once

#include "ChartInput.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>

namespace kelvane {

// What a picture keeps of the last chart drawn on it: what it was drawn from and the frame it was
// drawn in, so that the chart can be drawn again on any surface (at a new size, into a file, on a
// printer) and a point of the picture can be told which record it shows.
struct KeptChart {
  ChartInput input;
  ChartFrame frame;
  // The whole chart of stored rows while this one is a zoom into it.
  std::shared_ptr<const KeptChart> whole;
};

// The picture a chart is drawn on. Lengths are in the units of the window that holds the
// picture (twips) until SetScale sets a coordinate system of its own. The surface keeps its pen,
// font, colours and current position between calls. Any operation may raise a RuntimeError.
class DrawingSurface {
 public:
  enum DrawStyle { Solid = 0, Dashed = 1, Dotted = 2 };

  virtual ~DrawingSurface() = default;

  // 0 draws the finest line of the device: one device pixel wide.
  virtual void SetDrawWidth(int pixels) = 0;
  virtual void SetDrawStyle(int style) = 0;
  virtual void SetFont(const QString& name, float points) = 0;
  virtual void SetFontSize(float points) = 0;
  // Fills the whole surface with the colour and erases everything drawn on it.
  virtual void SetBackColor(Colour colour) = 0;
  virtual void SetForeColor(Colour colour) = 0;
  // The outer size of the picture, in the units of its window.
  virtual float Width() const = 0;
  virtual float Height() const = 0;
  // The top-left corner becomes (x1, y1) and the bottom-right corner (x2, y2).
  virtual void SetScale(float x1, float y1, float x2, float y2) = 0;
  // A straight line; the current position becomes (x2, y2).
  virtual void Line(float x1, float y1, float x2, float y2, Colour colour) = 0;
  virtual void LineTo(float x2, float y2, Colour colour) = 0;
  // Fills the rectangle between two corners, widened to whole device pixels: each pixel that a
  // point of it falls in is filled, also where it has no width.
  virtual void Fill(float x1, float y1, float x2, float y2, Colour colour) = 0;
  virtual void SetCurrentX(float x) = 0;
  virtual void SetCurrentY(float y) = 0;
  // Draws the text in the fore colour, its top-left corner at the current position, which it
  // leaves where it was.
  virtual void Print(const QString& text) = 0;

  // Queries that change nothing and never fail.
  // The width the text would take printed in the font given, in the units of the current
  // coordinate system.
  virtual float TextWidth(const QString& text, const QString& fontName, float points) const = 0;
  // The column that a position of the current coordinate system falls in, for a series of many
  // points: at most a device pixel wide, such that an upright line of the series' pen anywhere in
  // it covers the same pixels and a level one within it none; on a device without pixels (a file,
  // a printer), a twip wide. Positions in order fall in columns in order.
  virtual qint64 PixelColumn(float x) const = 0;

  // The renderer hands over what it drew from when it is done; the picture keeps it.
  void KeepChart(KeptChart chart) {
    kept_ = std::make_shared<const KeptChart>(std::move(chart));
    if (keepListener_) keepListener_();
  }
  // Called after each chart the picture keeps: a window that tells what the chart holds follows it.
  void setKeepListener(std::function<void()> listener) { keepListener_ = std::move(listener); }
  // None until a chart has been drawn on the picture.
  std::shared_ptr<const KeptChart> LastChart() const { return kept_; }

 protected:
  // The column of a device position counted in columns, also for positions far off the device.
  static qint64 columnOf(double position) {
    constexpr double kFarthest = 0x1p62;
    return std::isnan(position) ? 0 : qint64(std::floor(std::clamp(position, -kFarthest, kFarthest)));
  }

 private:
  std::shared_ptr<const KeptChart> kept_;
  std::function<void()> keepListener_;
};

}  // namespace kelvane
