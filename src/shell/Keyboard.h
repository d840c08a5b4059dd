#pragma once

#include <QString>

#include <initializer_list>

class QWidget;

namespace kelvane {

// The caption with its access key underlined: '&' before the first occurrence of the letter of the
// language shown, in either case. Each language has its own letters, distinct within each window
// and menu. An '&' of the caption itself is shown as it is; a caption without the letter goes
// without an access key.
QString withAccessKey(const QString& caption, QChar english, QChar german);

// Tab and Shift+Tab go through the controls in this order.
void chainTabOrder(std::initializer_list<QWidget*> controls);

}  // namespace kelvane
