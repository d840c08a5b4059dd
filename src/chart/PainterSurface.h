#pragma once

#include "DrawingSurface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QPolygonF>

#include <functional>
#include <memory>

namespace kelvane {

// A picture painted with QPainter. Lengths and positions arrive in the window's twips, or in the
// picture's own coordinate system once SetScale has set one; y then grows upwards.
class PainterSurface : public DrawingSurface {
 public:
  // The size of a picture box's picture, with its border, in the screen's logical pixels; the
  // screen resolution it is for; and how many device pixels a logical pixel has on that screen.
  struct ImageGeometry {
    int outerWidthPixels, outerHeightPixels, borderPixels;
    double dotsPerInch;
    double devicePixelRatio = 1;
  };

  // A picture box's picture: an image of its inner area (inside its border), at the screen's
  // resolution. outerPixels is the size with the border, border its width on each side. The
  // image has devicePixelRatio device pixels a logical pixel each way; twips map to logical
  // pixels, so a chart looks the same on every screen, only sharper on a dense one.
  PainterSurface(int outerWidthPixels, int outerHeightPixels, int borderPixels, double dotsPerInch,
                 double devicePixelRatio = 1);
  explicit PainterSurface(const ImageGeometry& geometry);
  // A picture of its real size in twips drawn into an area of a page or file that a painter is
  // open on (an SVG, a PDF, a printer): pens as wide as on a screen, and each run of joined lines
  // one polyline. Call finish() once the chart is drawn.
  PainterSurface(QPainter& painter, const QRectF& area, float widthTwips, float heightTwips);
  ~PainterSurface() override;

  // The picture as drawn so far (a picture box's only).
  const QImage& image();
  const ImageGeometry& geometry() const { return geometry_; }
  // A blank picture of another size or ratio in place of this one; the kept chart stays kept.
  void setGeometry(const ImageGeometry& geometry);
  // Called once after the first change that follows a call of image(): time to repaint.
  void setChangeListener(std::function<void()> listener) { changed_ = std::move(listener); }
  // Draws what is still held back (a polyline being joined, fills that meet).
  void finish();
  // Where a point of the picture, in logical pixels from its top-left corner, lies in the current
  // coordinate system: the other way round from the drawing.
  QPointF positionOf(const QPointF& pixel) const;

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
  void Fill(float x1, float y1, float x2, float y2, Colour colour) override;
  void SetCurrentX(float x) override;
  void SetCurrentY(float y) override;
  void Print(const QString& text) override;
  float TextWidth(const QString& text, const QString& fontName, float points) const override;
  qint64 PixelColumn(float x) const override;

 private:
  void makeImage();
  QPainter& painter();
  QRectF clipArea() const;
  double deviceX(float x) const;
  QPointF toDevice(float x, float y) const;
  QPen pen(Colour colour) const;
  void drawLine(const QPointF& from, const QPointF& to, Colour colour);

  ImageGeometry geometry_{};
  QImage image_;
  std::unique_ptr<QPainter> ownPainter_;
  QPainter* painter_ = nullptr;
  std::function<void()> changed_;
  QRectF area_;             // where the picture lies on the device
  double penScale_ = 1;     // device units to one logical screen pixel of pen width
  bool cosmeticPens_ = true;
  float outerWidthTwips_ = 0, outerHeightTwips_ = 0;
  double scaleLeft_ = 0, scaleTop_ = 0, scaleWidth_ = 0, scaleHeight_ = 0;
  float currentX_ = 0, currentY_ = 0;
  int drawWidth_ = 1;
  int drawStyle_ = Solid;
  QFont font_;
  std::unique_ptr<QFontMetricsF> metrics_;
  Colour foreColor_ = 0;
  // Joined lines are held back as one polyline while they continue each other in one pen.
  bool joinLines_ = false;
  QPolygonF polyline_;
  QPen polylinePen_;
  // Fills of one colour and height are held back while each meets the one before: a band of many
  // pixel columns is one rectangle.
  QRectF heldFill_;
  QColor heldFillColour_;
};

}  // namespace kelvane
