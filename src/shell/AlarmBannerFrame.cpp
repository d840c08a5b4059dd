#include "AlarmBannerFrame.h"

#include "Controls.h"
#include "state/TextResources.h"

#include <QBoxLayout>
#include <QTimer>

namespace kelvane {

namespace {

// Larger than the frames' text: the banner is to be seen from across the room.
constexpr double kTextFontSize = 11;
constexpr double kButtonFontSize = 9;
constexpr int kButtonWidth = 1695, kButtonHeight = 375;
// The program description's place and size, which the banner takes over.
constexpr int kLeft = 120, kTop = 120, kWidth = 4815, kHeight = 2655;
// Across the full-screen window: two lines of text.
constexpr int kStripHeight = 855;

const QColor kRed(200, 0, 0), kAmber(255, 191, 0);

}  // namespace

AlarmBannerFrame::AlarmBannerFrame(QWidget* parent, QWidget* covered) : QFrame(parent), covered_(covered) {
  setObjectName(QStringLiteral("fraAlarm"));
  setAccessibleName(LoadResString(TextId::LeakAlarmTitle));
  setFrameShape(QFrame::Box);
  setAutoFillBackground(true);
  lblAlarm_ = makeLabel(this, "lblAlarm", kTextFontSize, 120, 120, kWidth - 240, kHeight - 840);
  btnAlarmAck_ = makeControl<QPushButton>(this, "btnAlarmAck", kButtonFontSize, 120, kHeight - 600, kButtonWidth, kButtonHeight);
  btnAlarmSilence_ = makeControl<QPushButton>(this, "btnAlarmSilence", kButtonFontSize, 240 + kButtonWidth, kHeight - 600,
                                              kButtonWidth, kButtonHeight);
  // The main window's own letters are taken: Alt+A acknowledges from anywhere in it.
  btnAlarmAck_->setText(LoadCaption(TextId::AcknowledgeButton));
  btnAlarmSilence_->setText(LoadCaption(TextId::SilenceButton));
  for (QPushButton* button : {btnAlarmAck_, btnAlarmSilence_}) button->setAutoDefault(false);
  if (covered_) {
    placeInTwips(this, kLeft, kTop, kWidth, kHeight);
  } else {
    auto* strip = new QHBoxLayout(this);
    strip->addWidget(lblAlarm_, 1);
    for (QPushButton* button : {btnAlarmAck_, btnAlarmSilence_}) {
      button->setFixedSize(twipsOnScreen(kButtonWidth), twipsOnScreen(kButtonHeight));
      strip->addWidget(button);
    }
    setFixedHeight(twipsOnScreen(kStripHeight));
  }
  hide();
  blink_ = new QTimer(this);
  blink_->setInterval(500);  // once a second: lit for half of it
  connect(blink_, &QTimer::timeout, this, [this] {
    lit_ = !lit_;
    paintLook();
  });
  connect(btnAlarmAck_, &QPushButton::clicked, this, &AlarmBannerFrame::acknowledgePressed);
  connect(btnAlarmSilence_, &QPushButton::clicked, this, &AlarmBannerFrame::silencePressed);
}

void AlarmBannerFrame::showAlarm(const QString& text, AlarmState state) {
  lblAlarm_->setText(text);
  if (state != state_) lit_ = true;
  state_ = state;
  const bool unacknowledged = state != AlarmState::Acknowledged;
  btnAlarmAck_->setEnabled(unacknowledged);
  btnAlarmSilence_->setEnabled(unacknowledged);
  if (state == AlarmState::Unacknowledged)
    blink_->start();
  else
    blink_->stop();
  paintLook();
  if (!isHidden()) return;
  if (covered_) covered_->hide();
  show();
  raise();
  emit shownChanged();
}

void AlarmBannerFrame::hideAlarm() {
  blink_->stop();
  state_ = AlarmState::Normal;
  if (isHidden()) return;
  hide();
  if (covered_) covered_->show();
  emit shownChanged();
}

void AlarmBannerFrame::paintLook() {
  QPalette look = palette();
  const bool amber = state_ == AlarmState::ReturnedUnacknowledged;
  look.setColor(QPalette::Window, amber ? kAmber : lit_ ? kRed : QColor(Qt::white));
  look.setColor(QPalette::WindowText, amber ? QColor(Qt::black) : lit_ ? QColor(Qt::white) : kRed);
  setPalette(look);
}

}  // namespace kelvane
