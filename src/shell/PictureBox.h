#pragma once

#include "chart/ChartPoints.h"
#include "chart/PainterSurface.h"
#include "state/Services.h"

#include <QFrame>

#include <optional>

namespace kelvane {

// A picture box: a sunken frame whose inside shows a chart surface. The drawing is kept in an
// image, so it survives the window being covered and repainted. It tells the point of the chart
// under the pointer, and a zoomable one zooms into the records a drag with the left button marks.
class PictureBox : public QFrame {
  Q_OBJECT
 public:
  // The size is the picture's outer size, border included; its window may resize it.
  PictureBox(QWidget* parent, int widthPixels, int heightPixels, double dotsPerInch, const Environment& env);

  PainterSurface& surface() { return surface_; }
  // Double-click and Esc leave the zoom.
  void setZoomable(bool zoomable);

 signals:
  // The caption of the point nearest to the pointer; empty when it leaves or no point is drawn.
  void pointCaptionChanged(const QString& caption);
  // A chart was drawn on the picture and kept.
  void chartKept();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void fitSurface();
  PicturePosition positionAt(QPoint point) const;
  void showPointCaption();

  const Environment& env_;
  PainterSurface surface_;
  bool zoomable_ = false;
  std::optional<QPoint> pointer_;     // while the pointer is over the picture
  std::optional<int> bandFrom_, bandTo_;  // the x of a drag's start and of the pointer, in pixels
  QString caption_;
};

}  // namespace kelvane
