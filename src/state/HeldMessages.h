#pragma once

#include "Services.h"

#include <QList>

#include <utility>

namespace kelvane {

// The program's message boxes, held back while a read's progress dialog is up so that none opens
// over it (the clock's tick goes on meanwhile): what they would have said is shown, in order, once
// the last hold ends.
class HeldMessages : public MessageSink {
 public:
  explicit HeldMessages(MessageSink& shown) : shown_(shown) {}

  void show(const QString& text, MessageIcon icon, const QString& title) override;

  class Hold {
   public:
    explicit Hold(HeldMessages& messages) : messages_(&messages) { ++messages.holds_; }
    Hold(Hold&& other) noexcept : messages_(std::exchange(other.messages_, nullptr)) {}
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;
    Hold& operator=(Hold&&) = delete;
    ~Hold() {
      if (messages_) messages_->release();
    }

   private:
    HeldMessages* messages_;
  };
  [[nodiscard]] Hold hold() { return Hold(*this); }

 private:
  struct Message {
    QString text;
    MessageIcon icon;
    QString title;
  };
  void release();

  MessageSink& shown_;
  int holds_ = 0;
  QList<Message> held_;
};

}  // namespace kelvane
