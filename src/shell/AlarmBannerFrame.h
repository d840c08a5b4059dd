#pragma once

#include "state/AlarmOutputs.h"

#include <QFrame>

class QLabel;
class QPushButton;
class QTimer;

namespace kelvane {

// The leak alarm's banner fraAlarm: its text lblAlarm, and Acknowledge and Silence. Over the main
// window's program description it takes that frame's place and size, the text above the buttons,
// and hides the frame while it shows; across the full-screen window's top it is one strip.
class AlarmBannerFrame : public QFrame, public AlarmBanner {
  Q_OBJECT
 public:
  // Over the frame covered, or across the top of its parent when none is given.
  AlarmBannerFrame(QWidget* parent, QWidget* covered = nullptr);

  void showAlarm(const QString& text, AlarmState state) override;
  void hideAlarm() override;

 signals:
  void acknowledgePressed();
  void silencePressed();
  void shownChanged();

 private:
  void paintLook();

  QWidget* covered_;
  QLabel* lblAlarm_;
  QPushButton *btnAlarmAck_, *btnAlarmSilence_;
  QTimer* blink_;
  AlarmState state_ = AlarmState::Normal;
  bool lit_ = true;  // the blink's phase: white on red, or else red on white
};

}  // namespace kelvane
