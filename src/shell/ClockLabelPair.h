#pragma once

#include "state/Views.h"

class QLabel;

namespace kelvane {

// The lblTime and lblDate of a chart window.
class ClockLabelPair : public ClockLabels {
 public:
  ClockLabelPair() = default;
  ClockLabelPair(QLabel* time, QLabel* date) : time_(time), date_(date) {}
  void setTimeCaption(const QString& text) override;
  void setDateCaption(const QString& text) override;
  void setTimeVisible(bool visible) override;
  void setDateVisible(bool visible) override;

 private:
  QLabel* time_ = nullptr;
  QLabel* date_ = nullptr;
};

}  // namespace kelvane
