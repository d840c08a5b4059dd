#include "frmAlarmJournal.h"

#include "Controls.h"
#include "Keyboard.h"
#include "handlers/LeakAlarmHandlers.h"
#include "state/TextResources.h"

#include <QClipboard>
#include <QDateEdit>
#include <QGuiApplication>
#include <QHeaderView>
#include <QTreeWidget>

namespace kelvane {

namespace {

constexpr double kDialogFontSize = 9.75;
// The journal opens on the last week.
constexpr qint64 kDaysShown = 7;

QDateEdit* makeDayEdit(QWidget* dialog, const char* name, const char* labelName, int left, TextId caption,
                       const RegionalForms& regional) {
  QLabel* label = makeLabel(dialog, labelName, kDialogFontSize, left, 180, 615, 285);
  auto* edit = makeControl<QDateEdit>(dialog, name, kDialogFontSize, left + 615, 120, 1695, 375);
  edit->setLocale(regional.locale());
  edit->setDisplayFormat(regional.momentPattern().section(QLatin1Char(' '), 0, 0));  // the short date
  edit->setCalendarPopup(true);
  label->setText(LoadCaption(caption));
  label->setBuddy(edit);
  return edit;
}

}  // namespace

frmAlarmJournal::frmAlarmJournal(Program& program, QWidget* mainWindow) : QDialog(mainWindow), program_(program) {
  setObjectName(QStringLiteral("frmAlarmJournal"));
  // Titled as the menu item that opens it.
  setWindowTitle(LoadResString(TextId::AlarmJournalItem).remove(QStringLiteral("...")));
  setFont(tahoma(kDialogFontSize));
  setFixedSize(twipsOnScreen(12015), twipsOnScreen(6015));
  const RegionalForms& regional = program.env.regional;
  dtJournalFrom_ = makeDayEdit(this, "dtJournalFrom", "lblJournalFrom", 120, TextId::PeriodFromLabel, regional);
  dtJournalTo_ = makeDayEdit(this, "dtJournalTo", "lblJournalTo", 2640, TextId::PeriodToLabel, regional);
  const QDate today = program.env.clock.now().date();
  dtJournalFrom_->setDate(today.addDays(1 - kDaysShown));
  dtJournalTo_->setDate(today);
  lstAlarmJournal_ = makeControl<QTreeWidget>(this, "lstAlarmJournal", kDialogFontSize, 120, 600, 11775, 4800);
  lstAlarmJournal_->setAccessibleName(windowTitle());
  lstAlarmJournal_->setHeaderLabels(alarmJournalHeadings());
  lstAlarmJournal_->setRootIsDecorated(false);
  lstAlarmJournal_->setUniformRowHeights(true);
  lstAlarmJournal_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  QPushButton* copy = makeDialogButton(this, "btnCopyAlarmJournal", 9240, 5520, 1215, TextId::CopySummaryButton);
  QPushButton* close = makeDialogButton(this, "btnClose", 10680, 5520, 1215, TextId::CloseBesideCopyButton);
  chainTabOrder({dtJournalFrom_, dtJournalTo_, lstAlarmJournal_, copy, close});
  copy->setFocus();  // the list's first line would look chosen
  refresh();

  for (QDateEdit* day : {dtJournalFrom_, dtJournalTo_}) connect(day, &QDateEdit::dateChanged, this, &frmAlarmJournal::refresh);
  connect(copy, &QPushButton::clicked, this, [this] { QGuiApplication::clipboard()->setText(alarmJournalText(rows_)); });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void frmAlarmJournal::refresh() {
  rows_ = alarmJournalRows(program_, dtJournalFrom_->date(), dtJournalTo_->date());
  lstAlarmJournal_->clear();
  QList<QTreeWidgetItem*> items;
  for (const QStringList& row : std::as_const(rows_)) items.append(new QTreeWidgetItem(row));
  lstAlarmJournal_->addTopLevelItems(items);
}

}  // namespace kelvane
