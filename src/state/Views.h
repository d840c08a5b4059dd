#pragma once

#include <QString>

namespace kelvane {

class DrawingSurface;

// The time and date labels of a chart window, which the clock keeps up to date.
class ClockLabels {
 public:
  virtual ~ClockLabels() = default;
  virtual void setTimeCaption(const QString& text) = 0;
  virtual void setDateCaption(const QString& text) = 0;
  virtual void setTimeVisible(bool visible) = 0;
  virtual void setDateVisible(bool visible) = 0;
};

// The controls of the main window that the handlers read and set.
class MainWindowView {
 public:
  virtual ~MainWindowView() = default;
  virtual ClockLabels& clockLabels() = 0;
  virtual DrawingSurface& graphField() = 0;
};

}  // namespace kelvane
