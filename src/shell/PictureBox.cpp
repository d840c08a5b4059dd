#include "PictureBox.h"

#include "chart/ChartZoom.h"
#include "chart/DrawChart.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace kelvane {

namespace {
constexpr int kBorderPixels = 2;  // a sunken panel, as the picture boxes of the operator's screens
const QColor kBandColour(0, 120, 215, 60);  // translucent: the chart shows through the band
}  // namespace

PictureBox::PictureBox(QWidget* parent, int widthPixels, int heightPixels, double dotsPerInch, const Environment& env)
    : QFrame(parent),
      env_(env),
      surface_(widthPixels, heightPixels, kBorderPixels, dotsPerInch, parent->devicePixelRatioF()) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(kBorderPixels);
  resize(widthPixels, heightPixels);
  setMouseTracking(true);
  surface_.setChangeListener([this] { update(); });
  surface_.setKeepListener([this] { emit chartKept(); });
}

void PictureBox::setZoomable(bool zoomable) {
  zoomable_ = zoomable;
  setFocusPolicy(zoomable ? Qt::ClickFocus : Qt::NoFocus);
}

void PictureBox::paintEvent(QPaintEvent* event) {
  fitSurface();
  QFrame::paintEvent(event);
  QPainter painter(this);
  // The image has the screen's ratio of device pixels, so that each of them is one on screen.
  painter.drawImage(contentsRect().topLeft(), surface_.image());
  if (bandFrom_ && bandTo_) {
    const QRect inside = contentsRect();
    const QRect band(QPoint(std::min(*bandFrom_, *bandTo_), inside.top()), QPoint(std::max(*bandFrom_, *bandTo_), inside.bottom()));
    painter.fillRect(band.intersected(inside), kBandColour);
  }
  // A chart drawn anew under a pointer that stands still has points of its own there.
  showPointCaption();
}

// Checked at each paint, which a resize or a move to a screen of another ratio always brings: a
// run of resizes thus draws the chart once a paint, not once an event.
void PictureBox::fitSurface() {
  const PainterSurface::ImageGeometry& drawn = surface_.geometry();
  const double ratio = devicePixelRatioF();
  if (drawn.outerWidthPixels == width() && drawn.outerHeightPixels == height() && drawn.devicePixelRatio == ratio)
    return;
  surface_.setGeometry({width(), height(), drawn.borderPixels, drawn.dotsPerInch, ratio});
  // Drawn again from what the picture kept: the program's own state stays as it is.
  if (const auto kept = surface_.LastChart()) stdKelvane::DrawChartAgain(surface_, *kept, env_);
}

// The point clamped into the picture: a drag may end beyond its edge.
PicturePosition PictureBox::positionAt(QPoint point) const {
  const QRect inside = contentsRect();
  point.rx() = std::clamp(point.x(), inside.left(), inside.right());
  point.ry() = std::clamp(point.y(), inside.top(), inside.bottom());
  const QPointF pixel = QPointF(point - inside.topLeft()) + QPointF(0.5, 0.5);  // the pixel's centre
  const QPointF at = surface_.positionOf(pixel), beside = surface_.positionOf(pixel + QPointF(0.5, 0));
  return {float(at.x()), float(at.y()), float(std::abs(beside.x() - at.x()))};
}

void PictureBox::showPointCaption() {
  const auto kept = surface_.LastChart();
  const bool over = kept && pointer_ && contentsRect().contains(*pointer_);
  QString caption;
  if (over && kept->input.severalStations()) {
    caption = stationsCaption(*kept, positionAt(*pointer_), env_.regional);
  } else if (const std::optional<int> point = over ? pointNearest(*kept, positionAt(*pointer_)) : std::nullopt) {
    caption = pointCaption(*kept, *point, env_.regional);
  }
  if (caption == caption_) return;
  caption_ = caption;
  emit pointCaptionChanged(caption);
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  pointer_ = event->position().toPoint();
  showPointCaption();
  if (!bandFrom_) return;
  bandTo_ = pointer_->x();
  update();
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  const auto kept = surface_.LastChart();
  if (zoomable_ && event->button() == Qt::LeftButton && kept && zoomable(*kept))
    bandFrom_ = bandTo_ = event->position().toPoint().x();
  QFrame::mousePressEvent(event);
}

// The pointer places the ends of the band by its x alone.
void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  if (!bandFrom_ || event->button() != Qt::LeftButton) return QFrame::mouseReleaseEvent(event);
  const PicturePosition from = positionAt({*bandFrom_, 0}), to = positionAt(event->position().toPoint());
  bandFrom_ = bandTo_ = std::nullopt;
  update();
  zoomBetween(surface_, from, to, env_);
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (zoomable_) zoomOut(surface_, env_);
  QFrame::mouseDoubleClickEvent(event);
}

void PictureBox::keyPressEvent(QKeyEvent* event) {
  if (zoomable_ && event->key() == Qt::Key_Escape) return zoomOut(surface_, env_);
  QFrame::keyPressEvent(event);
}

void PictureBox::leaveEvent(QEvent* event) {
  pointer_ = std::nullopt;
  showPointCaption();
  QFrame::leaveEvent(event);
}

}  // namespace kelvane
