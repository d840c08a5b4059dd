#include "PictureBox.h"

#include <QPainter>

namespace kelvane {

namespace {
constexpr int kBorderPixels = 2;  // a sunken panel, as the picture boxes of the operator's screens
}

PictureBox::PictureBox(QWidget* parent, int widthPixels, int heightPixels, double dotsPerInch)
    : QFrame(parent), surface_(widthPixels, heightPixels, kBorderPixels, dotsPerInch) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(kBorderPixels);
  setFixedSize(widthPixels, heightPixels);
  surface_.setChangeListener([this] { update(); });
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  painter.drawImage(contentsRect().topLeft(), surface_.image());
}

}  // namespace kelvane
