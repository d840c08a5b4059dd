#include "frmAbout.h"

#include "AppIdentity.h"
#include "Controls.h"
#include "ProgramIcon.h"
#include "state/TextResources.h"
#include "state/Services.h"

#include <QFrame>
#include <QPushButton>

namespace kelvane {

namespace {

constexpr double kFontSize = 9;

// One of the two separator lines: white over grey, as an engraved rule.
QFrame* makeLine(QWidget* parent, const char* name, int top, const QColor& colour) {
  auto* line = new QFrame(parent);
  line->setObjectName(QString::fromLatin1(name));
  placeInTwips(line, 240, top, 5250, 15);
  line->setFixedHeight(1);
  line->setAutoFillBackground(true);
  QPalette palette = line->palette();
  palette.setColor(QPalette::Window, colour);
  line->setPalette(palette);
  return line;
}

}  // namespace

frmAbout::frmAbout(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("frmAbout"));
  setFixedSize(twipsOnScreen(5730), twipsOnScreen(3600));
  auto* picIcon = makeControl<QLabel>(this, "picIcon", kFontSize, 120, 240, 540, 540);
  picIcon->setPixmap(programIcon(32));
  picIcon->setAccessibleName(LoadResString(TextId::ProgramIconName));
  lblTitle_ = makeLabel(this, "lblTitle", kFontSize, 840, 240, 4605, 360);
  QFont titleFont = lblTitle_->font();
  titleFont.setBold(true);
  lblTitle_->setFont(titleFont);
  lblVersion_ = makeLabel(this, "lblVersion", kFontSize, 840, 720, 4605, 225);
  lblAboutDescr_ = makeLabel(this, "lblAboutDescr", kFontSize, 840, 1200, 4605, 1530);
  makeLine(this, "Line1_0", 2760, Qt::gray);
  makeLine(this, "Line1_1", 2775, Qt::white);
  cmdOK_ = makeControl<QPushButton>(this, "cmdOK", kFontSize, 2160, 2880, 1380, 465);
  // Enter presses it as the default button, Esc as the dialog's cancel.
  cmdOK_->setDefault(true);
  connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
  Form_Load();
}

void frmAbout::Form_Load() {
  setWindowTitle(LoadResString(TextId::AboutTitle).arg(applicationTitle()));
  lblVersion_->setText(LoadResString(TextId::VersionLine).arg(versionText()));
  lblTitle_->setText(applicationTitle());
  lblAboutDescr_->setText(LoadResString(TextId::Attribution));
  cmdOK_->setText(LoadResString(TextId::AboutCloseButton));
}

void ShowAboutBox(QWidget* owner) {
  frmAbout about(owner);
  about.exec();
}

}  // namespace kelvane
