#pragma once

#include "DrawingSurface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPointF>

#include <functional>
#include <memory>

namespace kelvane {

// A picture painted with QPainter on an image that covers its inner area (inside its border).
// Lengths and positions arrive in the window's twips, or in the picture's own coordinate system
// once SetScale has set one; y then grows upwards.
class PainterSurface : public DrawingSurface {
 public:
  // outerPixels is the picture's size with its border, border the border's width on each side.
  PainterSurface(int outerWidthPixels, int outerHeightPixels, int borderPixels, double dotsPerInch);
  ~PainterSurface() override;

  // The picture as drawn so far.
  const QImage& image();
  // Called once after the first change that follows a call of image(): time to repaint.
  void setChangeListener(std::function<void()> listener) { changed_ = std::move(listener); }

  void SetDrawWidth(int pixels) override;
  void SetDrawStyle(int style) override;
  void SetFont(const QString& name, float points) override;
  void SetFontSize(float points) override;
  void SetBackColor(Colour colour) override;
  void SetForeColor(Colour colour) override;
  float Width() const override;
  float Height() const override;
  void SetScale(float x1, float y1, float x2, float y2) override;
  void Line(float x1, float y1, float x2, float y2, Colour colour) override;
  void LineTo(float x2, float y2, Colour colour) override;
  void SetCurrentX(float x) override;
  void SetCurrentY(float y) override;
  void Print(const QString& text) override;

 private:
  QPainter& painter();
  QPointF toPixels(float x, float y) const;
  void setPen(Colour colour);

  QImage image_;
  std::unique_ptr<QPainter> painter_;
  std::function<void()> changed_;
  double dotsPerInch_;
  float outerWidthTwips_, outerHeightTwips_;
  double scaleLeft_ = 0, scaleTop_ = 0, scaleWidth_ = 0, scaleHeight_ = 0;
  float currentX_ = 0, currentY_ = 0;
  int drawWidth_ = 1;
  int drawStyle_ = Solid;
  QFont font_;
  std::unique_ptr<QFontMetricsF> metrics_;
  Colour foreColor_ = 0;
};

}  // namespace kelvane
