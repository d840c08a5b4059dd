#include "ClockLabelPair.h"

#include <QLabel>

namespace kelvane {

void ClockLabelPair::setTimeCaption(const QString& text) { time_->setText(text); }
void ClockLabelPair::setDateCaption(const QString& text) { date_->setText(text); }
void ClockLabelPair::setTimeVisible(bool visible) { time_->setVisible(visible); }
void ClockLabelPair::setDateVisible(bool visible) { date_->setVisible(visible); }

}  // namespace kelvane
