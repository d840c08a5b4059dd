#pragma once

#include "LeakAlarms.h"

#include <QString>

namespace kelvane {

// How the leak alarm reaches the operator. Each stands for something of the desktop: the banner
// over the program description (and across the full-screen window), the tone, and the desktop's
// notifications; tests put plain values in their place.

class AlarmBanner {
 public:
  virtual ~AlarmBanner() = default;
  // Shows the text in the look of the state: white on red, blinking while not acknowledged and
  // steady once acknowledged; black on amber while returned unacknowledged.
  virtual void showAlarm(const QString& text, AlarmState state) = 0;
  // The program description shows again.
  virtual void hideAlarm() = 0;
};

class AlarmTone {
 public:
  virtual ~AlarmTone() = default;
  // The alarm tone repeats while on; off stops it at once. A machine without sound output stays
  // silent and raises the alarm all the same.
  virtual void setSounding(bool on) = 0;
};

class DesktopNotifier {
 public:
  virtual ~DesktopNotifier() = default;
  // A critical notification, which does not expire; nothing where the desktop has no notification
  // service.
  virtual void notify(const QString& summary, const QString& body) = 0;
  // Takes back the notifications given, once nothing is left to acknowledge.
  virtual void withdraw() = 0;
};

// What Database > Shelve the alarm asks: for how long, and why.
class ShelveDialogView {
 public:
  virtual ~ShelveDialogView() = default;
  virtual qint64 shelfSeconds() const = 0;
  virtual QString comment() const = 0;
  // Puts the focus in the comment's box.
  virtual void focusComment() = 0;
  virtual void unload() = 0;
};

}  // namespace kelvane
