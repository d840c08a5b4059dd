#include "frmDataBase.h"

#include "Controls.h"
#include "Keyboard.h"
#include "state/TextResources.h"
#include "handlers/QueryDialog.h"

#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

namespace kelvane {

namespace {
constexpr double kDialogFontSize = 9.75;
constexpr double kButtonFontSize = 9;

QString withLineBreaks(const QString& text) { return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }
}  // namespace

frmDataBase::frmDataBase(Program& program, QWidget* mainWindow) : QDialog(mainWindow) {
  setObjectName(QStringLiteral("frmDataBase"));
  setWindowTitle(LoadResString(TextId::QueryDialogTitle));
  setFont(tahoma(kDialogFontSize));
  setFixedSize(twipsOnScreen(8790), twipsOnScreen(5760));

  auto* fraSQLQueryDescr = makeControl<QGroupBox>(this, "fraSQLQueryDescr", kDialogFontSize, 120, 0, 8535, 2535);
  auto* fraSQLQuery = makeControl<QGroupBox>(this, "fraSQLQuery", kDialogFontSize, 120, 2640, 8535, 2895);
  txtQuery_ = makeControl<QPlainTextEdit>(fraSQLQuery, "txtQuery", kDialogFontSize, 120, 360, 8295, 1815);
  auto* btnSelect = makeControl<QPushButton>(fraSQLQuery, "btnSelect", kButtonFontSize, 5640, 2280, 1335, 375);
  auto* btnCancel = makeControl<QPushButton>(fraSQLQuery, "btnCancel", kButtonFontSize, 7080, 2280, 1335, 375);
  QLabel* lblSQLDlgDescr = makeLabel(fraSQLQueryDescr, "lblSQLDlgDescr", kDialogFontSize, 120, 480, 7815, 1815);
  // Enter starts a new line of the query, not the query itself; Tab leaves the query for the buttons.
  btnSelect->setAutoDefault(false);
  btnCancel->setAutoDefault(false);
  txtQuery_->setTabChangesFocus(true);
  chainTabOrder({txtQuery_, btnSelect, btnCancel});

  txtQuery_->setPlainText(withLineBreaks(querySkeleton()));
  fraSQLQueryDescr->setTitle(LoadResString(TextId::QueryDescriptionFrame));
  lblSQLDlgDescr->setText(LoadResString(TextId::QueryInstructions));
  fraSQLQuery->setTitle(LoadResString(TextId::QueryFrame));
  btnSelect->setText(LoadCaption(TextId::SelectQueryButton));
  btnCancel->setText(LoadCaption(TextId::CancelQueryButton));

  connect(btnSelect, &QPushButton::clicked, this, [this, &program] { btnSelect_Click(program, *this); });
  connect(btnCancel, &QPushButton::clicked, this, [this, &program] { btnCancel_Click(program, *this); });
}

QString frmDataBase::queryText() const { return txtQuery_->toPlainText(); }

// Undoable: a text the operator typed, which another one replaces, comes back with Ctrl+Z.
void frmDataBase::setQueryText(const QString& text) {
  QTextCursor all(txtQuery_->document());
  all.select(QTextCursor::Document);
  all.insertText(withLineBreaks(text));
}

}  // namespace kelvane
