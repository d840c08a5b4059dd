#pragma once

#include "chart/DrawingSurface.h"
#include "chart/PainterSurface.h"

#include <QList>

#include <tuple>

namespace kelvane {

// A picture that draws nothing and keeps every operation, with the pen and font in effect, so
// that a test can read what a chart consists of.
class RecordingSurface : public DrawingSurface {
 public:
  enum class Op { SetDrawWidth, SetDrawStyle, SetFont, SetFontSize, SetBackColor, SetForeColor, SetScale, Line, Print, Fill };

  struct Entry {
    Op op;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Line: both ends; Print: the position; SetScale, Fill: corners
    float value = 0;                       // SetDrawWidth, SetDrawStyle, SetFont, SetFontSize
    Colour colour = 0;                     // Line, Fill, SetBackColor, SetForeColor; Print: the fore colour
    QString text;                          // Print: the text; SetFont: the name
    int drawWidth = 1, drawStyle = Solid;  // in effect for a Line
    QString fontName;                      // in effect for a Print
    float fontSize = 0;
    bool operator==(const Entry& o) const {
      return std::tie(op, x1, y1, x2, y2, value, colour, text, drawWidth, drawStyle, fontName, fontSize) ==
             std::tie(o.op, o.x1, o.y1, o.x2, o.y2, o.value, o.colour, o.text, o.drawWidth, o.drawStyle, o.fontName, o.fontSize);
    }
  };

  RecordingSurface(float widthTwips, float heightTwips) : width_(widthTwips), height_(heightTwips) {}

  const QList<Entry>& entries() const { return entries_; }
  QList<Entry> entries(Op op) const;
  void clear() { entries_.clear(); }

  void SetDrawWidth(int pixels) override;
  void SetDrawStyle(int style) override;
  void SetFont(const QString& name, float points) override;
  void SetFontSize(float points) override;
  void SetBackColor(Colour colour) override;
  void SetForeColor(Colour colour) override;
  float Width() const override { return width_; }
  float Height() const override { return height_; }
  void SetScale(float x1, float y1, float x2, float y2) override;
  // LineTo is kept as the Line from the current position it draws.
  void Line(float x1, float y1, float x2, float y2, Colour colour) override;
  void LineTo(float x2, float y2, Colour colour) override { Line(currentX_, currentY_, x2, y2, colour); }
  void Fill(float x1, float y1, float x2, float y2, Colour colour) override;
  void SetCurrentX(float x) override { currentX_ = x; }
  void SetCurrentY(float y) override { currentY_ = y; }
  void Print(const QString& text) override;
  // An estimate: every character half as wide as the font is high, points x 10 twips.
  float TextWidth(const QString& text, const QString&, float points) const override {
    return float(text.size()) * points * 10;
  }
  // A screen of 96 dots per inch, 15 twips a pixel.
  qint64 PixelColumn(float x) const override { return columnOf(double(x) / 15 + 0.5); }

 private:
  Entry& add(Op op);

  float width_, height_;
  QList<Entry> entries_;
  float currentX_ = 0, currentY_ = 0;
  int drawWidth_ = 1, drawStyle_ = Solid;
  QString fontName_;
  float fontSize_ = 0;
  Colour foreColor_ = 0;
};

// A picture box's picture that draws a series through every point: each a pixel column of its own.
struct EveryPointPicture : PainterSurface {
  using PainterSurface::PainterSurface;
  qint64 PixelColumn(float) const override { return ++column; }
  mutable qint64 column = 0;
};

}  // namespace kelvane
