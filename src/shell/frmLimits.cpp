#include "frmLimits.h"

#include "Controls.h"
#include "Keyboard.h"
#include "handlers/LimitsSetting.h"
#include "state/TextResources.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace kelvane {

namespace {

constexpr double kDialogFontSize = 9.75;

// A number box with its label, which names it for a screen reader too.
QLineEdit* makeNumberBox(QWidget* dialog, const char* name, const char* labelName, int top, TextId caption) {
  auto* edit = makeControl<QLineEdit>(dialog, name, kDialogFontSize, 3240, top, 2100, 375);
  QLabel* label = makeLabel(dialog, labelName, kDialogFontSize, 120, top + 60, 3015, 285);
  label->setText(LoadCaption(caption));
  label->setBuddy(edit);
  return edit;
}

QRadioButton* makeOption(QWidget* dialog, const char* name, int top, TextId caption) {
  auto* option = makeControl<QRadioButton>(dialog, name, kDialogFontSize, 120, top, 6135, 315);
  option->setText(LoadCaption(caption));
  return option;
}

void setChanged(QLineEdit* edit, const QString& text) {
  if (edit->text() != text) edit->setText(text);  // the cursor of the box being typed in stays
}

}  // namespace

frmLimits::frmLimits(Program& program, ProgramSettings& settings, QWidget* mainWindow) : QDialog(mainWindow) {
  setObjectName(QStringLiteral("frmLimits"));
  setWindowTitle(LoadResString(TextId::LimitsDialogTitle));
  setFont(tahoma(kDialogFontSize));
  setFixedSize(twipsOnScreen(6855), twipsOnScreen(2760));
  txtAlpha_ = makeNumberBox(this, "txtAlpha", "lblAlpha", 120, TextId::AlphaLabel);
  txtBeta_ = makeNumberBox(this, "txtBeta", "lblBeta", 540, TextId::BetaLabel);
  optLogRatio_ = makeOption(this, "optLogRatio", 1005, TextId::LogRatioOption);
  optRatio_ = makeOption(this, "optRatio", 1335, TextId::RatioOption);
  txtLimitA_ = makeNumberBox(this, "txtLimitA", "lblLimitA", 1740, TextId::LimitALabel);
  txtLimitB_ = makeNumberBox(this, "txtLimitB", "lblLimitB", 2160, TextId::LimitBLabel);
  QPushButton* ok = makeDialogButton(this, "btnLimitsOK", 5520, 120, 1215, TextId::LimitsOkButton);
  QPushButton* clear = makeDialogButton(this, "btnLimitsClear", 5520, 540, 1215, TextId::NoLimitsButton);
  QPushButton* cancel = makeDialogButton(this, "btnLimitsCancel", 5520, 2160, 1215, TextId::CancelQueryButton);
  ok->setDefault(true);
  chainTabOrder({txtAlpha_, txtBeta_, optLogRatio_, optRatio_, txtLimitA_, txtLimitB_, ok, clear, cancel});
  showLimits(program, *this);

  // Only what the operator does: the dialog's own changes to the fields start nothing.
  for (QLineEdit* probability : {txtAlpha_, txtBeta_})
    connect(probability, &QLineEdit::textEdited, this, [this, &program] { probabilitiesChanged(program, *this); });
  for (QRadioButton* form : {optLogRatio_, optRatio_})
    connect(form, &QRadioButton::clicked, this, [this, &program] { probabilitiesChanged(program, *this); });
  for (QLineEdit* limit : {txtLimitA_, txtLimitB_})
    connect(limit, &QLineEdit::textEdited, this, [this] { limitTyped(*this); });
  connect(ok, &QPushButton::clicked, this, [this, &program, &settings] { btnLimitsOK_Click(program, *this, settings); });
  connect(clear, &QPushButton::clicked, this,
          [this, &program, &settings] { btnLimitsClear_Click(program, *this, settings); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

LimitsTexts frmLimits::texts() const {
  return {txtAlpha_->text(), txtBeta_->text(), txtLimitA_->text(), txtLimitB_->text(),
          optRatio_->isChecked() ? LimitForm::Ratio : LimitForm::LogRatio};
}

void frmLimits::setTexts(const LimitsTexts& texts) {
  setChanged(txtAlpha_, texts.alpha);
  setChanged(txtBeta_, texts.beta);
  setChanged(txtLimitA_, texts.upper);
  setChanged(txtLimitB_, texts.lower);
  (texts.form == LimitForm::Ratio ? optRatio_ : optLogRatio_)->setChecked(true);
}

QLineEdit* frmLimits::edit(LimitField field) const {
  switch (field) {
    case LimitField::Alpha: return txtAlpha_;
    case LimitField::Beta: return txtBeta_;
    case LimitField::UpperLimit: return txtLimitA_;
    case LimitField::LowerLimit: break;
  }
  return txtLimitB_;
}

void frmLimits::focusField(LimitField field) {
  edit(field)->setFocus();
  edit(field)->selectAll();
}

}  // namespace kelvane
