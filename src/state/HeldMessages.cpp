#include "HeldMessages.h"

namespace kelvane {

void HeldMessages::show(const QString& text, MessageIcon icon, const QString& title) {
  // While the held ones are being shown, a new one waits behind them.
  if (holds_ > 0 || !held_.isEmpty()) {
    held_.append({text, icon, title});
    return;
  }
  shown_.show(text, icon, title);
}

void HeldMessages::release() {
  --holds_;
  // A box shown waits in an event loop of its own, in which a new hold may start: what is left then
  // waits for that one.
  while (holds_ == 0 && !held_.isEmpty()) {
    const Message next = held_.takeFirst();
    shown_.show(next.text, next.icon, next.title);
  }
}

}  // namespace kelvane
