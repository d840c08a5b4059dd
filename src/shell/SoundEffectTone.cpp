#include "SoundEffectTone.h"

#include <QSoundEffect>
#include <QTimer>

namespace kelvane {

SoundEffectTone::SoundEffectTone(QObject* parent) : QObject(parent), repeat_(new QTimer(this)) {
  repeat_->setInterval(2000);
  connect(repeat_, &QTimer::timeout, this, [this] { effect_->play(); });
}

void SoundEffectTone::setSounding(bool on) {
  if (on == repeat_->isActive()) return;
  if (!on) {
    repeat_->stop();
    effect_->stop();
    return;
  }
  if (!effect_) {
    effect_ = new QSoundEffect(this);
    effect_->setSource(QUrl(QStringLiteral("qrc:/alarm/leak-alarm.wav")));
  }
  effect_->play();  // at once; played as soon as it is loaded the first time
  repeat_->start();
}

}  // namespace kelvane
