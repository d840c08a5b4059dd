#pragma once

#include "chart/PainterSurface.h"
#include "state/Services.h"

#include <QFrame>

namespace kelvane {

// A picture box: a sunken frame whose inside shows a chart surface. The drawing is kept in an
// image, so it survives the window being covered and repainted.
class PictureBox : public QFrame {
  Q_OBJECT
 public:
  // The size is the picture's outer size, border included; its window may resize it.
  PictureBox(QWidget* parent, int widthPixels, int heightPixels, double dotsPerInch, const Environment& env);

  PainterSurface& surface() { return surface_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void fitSurface();

  const Environment& env_;
  PainterSurface surface_;
};

}  // namespace kelvane
