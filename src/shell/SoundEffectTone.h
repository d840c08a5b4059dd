#pragma once

#include "state/AlarmOutputs.h"

#include <QObject>

class QSoundEffect;
class QTimer;

namespace kelvane {

// The alarm tone built into the program, played through Qt Multimedia every two seconds while on.
// The player is made at the first sound, so that a program that never sounds an alarm never opens
// the sound output.
class SoundEffectTone : public QObject, public AlarmTone {
  Q_OBJECT
 public:
  explicit SoundEffectTone(QObject* parent = nullptr);

  void setSounding(bool on) override;

 private:
  QSoundEffect* effect_ = nullptr;
  QTimer* repeat_;
};

}  // namespace kelvane
