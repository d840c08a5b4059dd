#pragma once

#include "Layout.h"

#include <QLabel>

namespace kelvane {

// A control of a window design: its object name, font and position in twips.
template <typename Widget>
Widget* makeControl(QWidget* parent, const char* name, double fontSize, int left, int top, int width, int height) {
  auto* widget = new Widget(parent);
  widget->setObjectName(QString::fromLatin1(name));
  widget->setFont(tahoma(fontSize));
  placeInTwips(widget, left, top, width, height);
  return widget;
}

// Labels wrap and start at the top left, as the designs place their texts.
inline QLabel* makeLabel(QWidget* parent, const char* name, double fontSize, int left, int top, int width,
                         int height) {
  auto* label = makeControl<QLabel>(parent, name, fontSize, left, top, width, height);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(true);
  return label;
}

}  // namespace kelvane
