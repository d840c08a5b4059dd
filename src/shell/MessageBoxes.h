#pragma once

#include "state/Services.h"

namespace kelvane {

// Message boxes on screen: modal, one OK button; the reply is not used.
class MessageBoxes : public MessageSink {
 public:
  void show(const QString& text, MessageIcon icon, const QString& title) override;
};

}  // namespace kelvane
