#include "PictureBox.h"

#include "chart/DrawChart.h"

#include <QPainter>

namespace kelvane {

namespace {
constexpr int kBorderPixels = 2;  // a sunken panel, as the picture boxes of the operator's screens
}

PictureBox::PictureBox(QWidget* parent, int widthPixels, int heightPixels, double dotsPerInch, const Environment& env)
    : QFrame(parent),
      env_(env),
      surface_(widthPixels, heightPixels, kBorderPixels, dotsPerInch, parent->devicePixelRatioF()) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(kBorderPixels);
  resize(widthPixels, heightPixels);
  surface_.setChangeListener([this] { update(); });
}

void PictureBox::paintEvent(QPaintEvent* event) {
  fitSurface();
  QFrame::paintEvent(event);
  QPainter painter(this);
  // The image has the screen's ratio of device pixels, so that each of them is one on screen.
  painter.drawImage(contentsRect().topLeft(), surface_.image());
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

}  // namespace kelvane
