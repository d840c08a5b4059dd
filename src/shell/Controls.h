#pragma once

#include "Layout.h"
#include "state/TextResources.h"

#include <QLabel>
#include <QPushButton>

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

// A dialog's push button in the designs' button font and height, its caption a text resource with
// an access key in each language; Enter presses it only when it is the dialog's default.
inline QPushButton* makeDialogButton(QWidget* dialog, const char* name, int left, int top, int width, TextId caption) {
  constexpr double kButtonFontSize = 9;
  auto* button = makeControl<QPushButton>(dialog, name, kButtonFontSize, left, top, width, 375);
  button->setText(LoadCaption(caption));
  button->setAutoDefault(false);
  return button;
}

// Shown, in front and with the focus: a window not modal that is open already only comes forward.
inline void bringForward(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace kelvane
