#pragma once

#include <initializer_list>

class QWidget;

namespace kelvane {

// Tab and Shift+Tab go through the controls in this order.
void chainTabOrder(std::initializer_list<QWidget*> controls);

}  // namespace kelvane
