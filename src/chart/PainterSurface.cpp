#include "PainterSurface.h"

#include "Twips.h"
#include "state/RuntimeError.h"

#include <QPen>

#include <cmath>

namespace kelvane {

namespace {

QColor toQColor(Colour colour) { return QColor(int(colour & 0xff), int(colour >> 8 & 0xff), int(colour >> 16 & 0xff)); }

// Beyond this a position cannot be a device coordinate of the platform.
constexpr double kLargestPixel = 2147483647.0;
// Pens are given in pixels of a screen of this resolution.
constexpr double kScreenDotsPerInch = 96;

// Cuts the line to the rectangle (Liang-Barsky), so that a line far longer than the picture
// costs no more than one across it. Returns false when nothing of it is inside.
bool clipLine(QPointF& a, QPointF& b, const QRectF& r) {
  double t0 = 0, t1 = 1;
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  const double p[] = {-dx, dx, -dy, dy};
  const double q[] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
  }
  const QPointF start = a;
  a = start + QPointF(dx * t0, dy * t0);
  b = start + QPointF(dx * t1, dy * t1);
  return true;
}

}  // namespace

PainterSurface::PainterSurface(int outerWidthPixels, int outerHeightPixels, int borderPixels, double dotsPerInch,
                               double devicePixelRatio)
    : PainterSurface(ImageGeometry{outerWidthPixels, outerHeightPixels, borderPixels, dotsPerInch, devicePixelRatio}) {}

PainterSurface::PainterSurface(const ImageGeometry& geometry) : geometry_(geometry) { makeImage(); }

void PainterSurface::setGeometry(const ImageGeometry& geometry) {
  ownPainter_.reset();
  painter_ = nullptr;
  polyline_.clear();
  heldFill_ = QRectF();
  metrics_.reset();
  geometry_ = geometry;
  makeImage();
}

void PainterSurface::makeImage() {
  const double ratio = geometry_.devicePixelRatio, dotsPerInch = geometry_.dotsPerInch;
  const QSize logical(std::max(1, geometry_.outerWidthPixels - 2 * geometry_.borderPixels),
                      std::max(1, geometry_.outerHeightPixels - 2 * geometry_.borderPixels));
  image_ = QImage((QSizeF(logical) * ratio).toSize(), QImage::Format_RGB32);
  image_.setDevicePixelRatio(ratio);
  // The logical resolution, so that fonts keep their size in logical pixels as lines do.
  const int dotsPerMeter = int(std::lround(dotsPerInch / 0.0254));
  image_.setDotsPerMeterX(dotsPerMeter);
  image_.setDotsPerMeterY(dotsPerMeter);
  image_.fill(Qt::white);
  area_ = QRectF(QPointF(0, 0), logical);
  // Cosmetic pens are as wide as given in device pixels: widths stay in logical pixels.
  penScale_ = ratio;
  outerWidthTwips_ = float(pixelsToTwips(geometry_.outerWidthPixels, dotsPerInch));
  outerHeightTwips_ = float(pixelsToTwips(geometry_.outerHeightPixels, dotsPerInch));
  scaleLeft_ = scaleTop_ = 0;
  scaleWidth_ = pixelsToTwips(logical.width(), dotsPerInch);
  scaleHeight_ = pixelsToTwips(logical.height(), dotsPerInch);
}

PainterSurface::PainterSurface(QPainter& painter, const QRectF& area, float widthTwips, float heightTwips)
    : painter_(&painter),
      area_(area),
      penScale_(painter.device()->logicalDpiX() / kScreenDotsPerInch),
      cosmeticPens_(false),
      outerWidthTwips_(widthTwips),
      outerHeightTwips_(heightTwips),
      scaleWidth_(widthTwips),
      scaleHeight_(heightTwips),
      joinLines_(true) {}

PainterSurface::~PainterSurface() = default;

const QImage& PainterSurface::image() {
  finish();
  if (ownPainter_) {
    ownPainter_.reset();  // the image is complete once its painter has ended
    painter_ = nullptr;
  }
  return image_;
}

void PainterSurface::finish() {
  if (polyline_.size() > 1) {
    painter().setPen(polylinePen_);
    painter().drawPolyline(polyline_);
  }
  polyline_.clear();
  if (!heldFill_.isEmpty()) painter().fillRect(heldFill_, heldFillColour_);
  heldFill_ = QRectF();
}

QPainter& PainterSurface::painter() {
  if (!painter_) {
    ownPainter_ = std::make_unique<QPainter>(&image_);
    painter_ = ownPainter_.get();
    if (changed_) changed_();
  }
  return *painter_;
}

// Lines are cut a little beyond the picture, so that a wide pen along an edge keeps its width.
QRectF PainterSurface::clipArea() const { return area_.adjusted(-2, -2, 2, 2); }

double PainterSurface::deviceX(float x) const { return area_.left() + (double(x) - scaleLeft_) * area_.width() / scaleWidth_; }

QPointF PainterSurface::positionOf(const QPointF& pixel) const {
  return {scaleLeft_ + (pixel.x() - area_.left()) * scaleWidth_ / area_.width(),
          scaleTop_ + (pixel.y() - area_.top()) * scaleHeight_ / area_.height()};
}

QPointF PainterSurface::toDevice(float x, float y) const {
  const double px = deviceX(x);
  const double py = area_.top() + (double(y) - scaleTop_) * area_.height() / scaleHeight_;
  if (!(std::abs(px) <= kLargestPixel && std::abs(py) <= kLargestPixel)) throw overflowError();
  return {px, py};
}

QPen PainterSurface::pen(Colour colour) const {
  const Qt::PenStyle style = drawStyle_ == Dotted ? Qt::DotLine : drawStyle_ == Dashed ? Qt::DashLine : Qt::SolidLine;
  // A width of 0 is Qt's own finest line: one device pixel.
  QPen pen(toQColor(colour), drawWidth_ * penScale_, style, Qt::FlatCap);
  pen.setCosmetic(cosmeticPens_);
  return pen;
}

void PainterSurface::SetDrawWidth(int pixels) {
  if (pixels < 0) throw invalidArgumentError();
  drawWidth_ = pixels;
}

void PainterSurface::SetDrawStyle(int style) {
  if (style != Solid && style != Dashed && style != Dotted) throw invalidArgumentError();
  drawStyle_ = style;
}

void PainterSurface::SetFont(const QString& name, float points) {
  font_ = QFont(name);
  SetFontSize(points);
}

void PainterSurface::SetFontSize(float points) {
  if (!(points > 0)) throw invalidArgumentError();
  font_.setPointSizeF(points);
  metrics_.reset();
}

void PainterSurface::SetBackColor(Colour colour) {
  polyline_.clear();  // erased with everything else
  heldFill_ = QRectF();
  painter().fillRect(area_, toQColor(colour));
}

void PainterSurface::SetForeColor(Colour colour) { foreColor_ = colour; }

float PainterSurface::Width() const { return outerWidthTwips_; }
float PainterSurface::Height() const { return outerHeightTwips_; }

void PainterSurface::SetScale(float x1, float y1, float x2, float y2) {
  if (x1 == x2 || y1 == y2 || !std::isfinite(x1 + y1 + x2 + y2)) throw invalidArgumentError();
  scaleLeft_ = x1;
  scaleTop_ = y1;
  scaleWidth_ = double(x2) - x1;
  scaleHeight_ = double(y2) - y1;
}

void PainterSurface::Line(float x1, float y1, float x2, float y2, Colour colour) {
  const QPointF from = toDevice(x1, y1), to = toDevice(x2, y2);
  currentX_ = x2;
  currentY_ = y2;
  finish();
  drawLine(from, to, colour);
}

void PainterSurface::LineTo(float x2, float y2, Colour colour) {
  if (!joinLines_) return Line(currentX_, currentY_, x2, y2, colour);
  const QPointF from = toDevice(currentX_, currentY_), to = toDevice(x2, y2);
  currentX_ = x2;
  currentY_ = y2;
  const QPen linePen = pen(colour);
  QPointF start = from, end = to;
  const bool shows = clipLine(start, end, clipArea());
  // A whole line that continues the held one in its pen joins it.
  if (shows && start == from && end == to && !polyline_.isEmpty() && polyline_.last() == from && polylinePen_ == linePen) {
    polyline_.append(to);
    return;
  }
  finish();
  if (!shows) return;
  polyline_ = {start, end};
  polylinePen_ = linePen;
  if (end != to) finish();  // it leaves the picture: the next line starts anew
}

void PainterSurface::Fill(float x1, float y1, float x2, float y2, Colour colour) {
  const QPointF a = toDevice(x1, y1), b = toDevice(x2, y2);
  // A device pixel in the painter's units; on a file or printer, a pixel of the screen pens are for.
  const double pixel = image_.isNull() ? penScale_ : 1 / geometry_.devicePixelRatio;
  const auto low = [pixel](double p, double q) { return std::floor(std::min(p, q) / pixel) * pixel; };
  const auto high = [pixel](double p, double q) { return (std::floor(std::max(p, q) / pixel) + 1) * pixel; };
  const QRectF rect =
      QRectF(QPointF(low(a.x(), b.x()), low(a.y(), b.y())), QPointF(high(a.x(), b.x()), high(a.y(), b.y())))
          .intersected(area_);
  if (rect.isEmpty()) return;
  const QColor fillColour = toQColor(colour);
  if (!heldFill_.isEmpty() && fillColour == heldFillColour_ && rect.top() == heldFill_.top() &&
      rect.bottom() == heldFill_.bottom() && rect.left() <= heldFill_.right() && rect.right() >= heldFill_.left()) {
    heldFill_ |= rect;
    return;
  }
  finish();
  heldFill_ = rect;
  heldFillColour_ = fillColour;
}

void PainterSurface::drawLine(const QPointF& from, const QPointF& to, Colour colour) {
  QPointF start = from, end = to;
  if (!clipLine(start, end, clipArea())) return;
  painter().setPen(pen(colour));
  painter().drawLine(start, end);
}

void PainterSurface::SetCurrentX(float x) { currentX_ = x; }
void PainterSurface::SetCurrentY(float y) { currentY_ = y; }

void PainterSurface::Print(const QString& text) {
  const QPointF topLeft = toDevice(currentX_, currentY_);
  finish();
  QPainter& p = painter();
  if (!metrics_) metrics_ = std::make_unique<QFontMetricsF>(font_, p.device());
  p.setFont(font_);
  p.setPen(toQColor(foreColor_));
  p.drawText(topLeft + QPointF(0, metrics_->ascent()), text);
}

float PainterSurface::TextWidth(const QString& text, const QString& fontName, float points) const {
  QFont font(fontName);
  if (points > 0) font.setPointSizeF(points);
  const QFontMetricsF metrics(font, painter_ ? painter_->device() : &image_);
  return float(metrics.horizontalAdvance(text) * std::abs(scaleWidth_ / area_.width()));
}

qint64 PainterSurface::PixelColumn(float x) const {
  // Files and printers have no pixels of their own: a column as fine as a twip leaves out nothing
  // that could show.
  if (image_.isNull()) return columnOf((double(x) - scaleLeft_) * outerWidthTwips_ / scaleWidth_);
  // A line 2 logical pixels wide covers the pixel centres within half its width either side of
  // it: the ones it covers change where one of its edges meets a centre. Columns also end at the
  // centres, so that a level piece within one never covers a centre.
  const double ratio = geometry_.devicePixelRatio, device = deviceX(x) * ratio - 0.5;
  return columnOf(device - ratio) + columnOf(device) + columnOf(device + ratio);
}

}  // namespace kelvane
