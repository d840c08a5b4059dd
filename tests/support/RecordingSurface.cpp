#include "RecordingSurface.h"

namespace kelvane {

QList<RecordingSurface::Entry> RecordingSurface::entries(Op op) const {
  QList<Entry> result;
  for (const Entry& entry : entries_)
    if (entry.op == op) result.append(entry);
  return result;
}

RecordingSurface::Entry& RecordingSurface::add(Op op) {
  Entry entry;
  entry.op = op;
  entries_.append(entry);
  return entries_.last();
}

void RecordingSurface::SetDrawWidth(int pixels) {
  drawWidth_ = pixels;
  add(Op::SetDrawWidth).value = float(pixels);
}

void RecordingSurface::SetDrawStyle(int style) {
  drawStyle_ = style;
  add(Op::SetDrawStyle).value = float(style);
}

void RecordingSurface::SetFont(const QString& name, float points) {
  fontName_ = name;
  fontSize_ = points;
  Entry& entry = add(Op::SetFont);
  entry.text = name;
  entry.value = points;
}

void RecordingSurface::SetFontSize(float points) {
  fontSize_ = points;
  add(Op::SetFontSize).value = points;
}

void RecordingSurface::SetBackColor(Colour colour) {
  add(Op::SetBackColor).colour = colour;
}

void RecordingSurface::SetForeColor(Colour colour) {
  foreColor_ = colour;
  add(Op::SetForeColor).colour = colour;
}

void RecordingSurface::SetScale(float x1, float y1, float x2, float y2) {
  Entry& entry = add(Op::SetScale);
  entry.x1 = x1, entry.y1 = y1, entry.x2 = x2, entry.y2 = y2;
}

void RecordingSurface::Line(float x1, float y1, float x2, float y2, Colour colour) {
  Entry& entry = add(Op::Line);
  entry.x1 = x1, entry.y1 = y1, entry.x2 = x2, entry.y2 = y2;
  entry.colour = colour;
  entry.drawWidth = drawWidth_;
  entry.drawStyle = drawStyle_;
  currentX_ = x2;
  currentY_ = y2;
}

void RecordingSurface::Fill(float x1, float y1, float x2, float y2, Colour colour) {
  Entry& entry = add(Op::Fill);
  entry.x1 = x1, entry.y1 = y1, entry.x2 = x2, entry.y2 = y2;
  entry.colour = colour;
}

void RecordingSurface::Print(const QString& text) {
  Entry& entry = add(Op::Print);
  entry.x1 = currentX_;
  entry.y1 = currentY_;
  entry.text = text;
  entry.colour = foreColor_;
  entry.fontName = fontName_;
  entry.fontSize = fontSize_;
}

}  // namespace kelvane
