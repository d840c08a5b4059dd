#include "frmAlarmShelve.h"

#include "Controls.h"
#include "Keyboard.h"
#include "handlers/LeakAlarmHandlers.h"
#include "state/TextResources.h"

#include <QLineEdit>
#include <QRadioButton>

namespace kelvane {

namespace {

constexpr double kDialogFontSize = 9.75;

QRadioButton* makeOption(QWidget* dialog, const char* name, int top, TextId caption) {
  auto* option = makeControl<QRadioButton>(dialog, name, kDialogFontSize, 240, top, 2655, 315);
  option->setText(LoadCaption(caption));
  return option;
}

}  // namespace

frmAlarmShelve::frmAlarmShelve(Program& program, QWidget* mainWindow) : QDialog(mainWindow) {
  setObjectName(QStringLiteral("frmAlarmShelve"));
  setWindowTitle(LoadResString(TextId::ShelveAlarmItem));
  setFont(tahoma(kDialogFontSize));
  setFixedSize(twipsOnScreen(5655), twipsOnScreen(3075));
  QLabel* shelved = makeLabel(this, "lblShelveAlarmOf", kDialogFontSize, 120, 120, 5415, 495);
  shelved->setText(shelfCaption(program));
  optShelveQuarterHour_ = makeOption(this, "optShelveQuarterHour", 660, TextId::ShelveQuarterHour);
  optShelveHour_ = makeOption(this, "optShelveHour", 990, TextId::ShelveHour);
  optShelveShift_ = makeOption(this, "optShelveShift", 1320, TextId::ShelveShift);
  optShelveQuarterHour_->setChecked(true);
  QLabel* why = makeLabel(this, "lblShelveComment", kDialogFontSize, 120, 1740, 5415, 285);
  why->setText(LoadCaption(TextId::ShelveCommentLabel));
  txtShelveComment_ = makeControl<QLineEdit>(this, "txtShelveComment", kDialogFontSize, 120, 2040, 5415, 375);
  why->setBuddy(txtShelveComment_);
  QPushButton* shelve = makeDialogButton(this, "btnShelve", 2940, 2580, 1215, TextId::ShelveButton);
  QPushButton* cancel = makeDialogButton(this, "btnShelveCancel", 4320, 2580, 1215, TextId::CancelQueryButton);
  shelve->setDefault(true);
  chainTabOrder({optShelveQuarterHour_, optShelveHour_, optShelveShift_, txtShelveComment_, shelve, cancel});
  txtShelveComment_->setFocus();

  connect(shelve, &QPushButton::clicked, this, [this, &program] { btnShelve_Click(program, *this); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

qint64 frmAlarmShelve::shelfSeconds() const {
  constexpr qint64 kHour = 3600;
  return optShelveShift_->isChecked() ? 8 * kHour : optShelveHour_->isChecked() ? kHour : kHour / 4;
}

QString frmAlarmShelve::comment() const { return txtShelveComment_->text(); }

void frmAlarmShelve::focusComment() { txtShelveComment_->setFocus(); }

}  // namespace kelvane
