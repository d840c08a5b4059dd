#include "frmPeriod.h"

#include "Controls.h"
#include "Keyboard.h"
#include "state/TextResources.h"
#include "handlers/ChartPeriod.h"
#include "state/Background.h"

#include <QDateTimeEdit>
#include <QPushButton>

namespace kelvane {

namespace {

constexpr double kDialogFontSize = 9.75;
// Far wider than any record kept, and yet the query's list of days stays short.
const QDate kFirstDay(1900, 1, 1);
const QDate kLastDay(2099, 12, 31);
constexpr int kHeight = 2100;
// The notice below the quick ranges: three lines of the dialog's font.
constexpr int kNoticeTop = 1980, kNoticeHeight = 735;

// A moment in the regional forms, the date also picked from a calendar; its label reads it out.
QDateTimeEdit* makeMomentEdit(QWidget* dialog, const char* name, const char* labelName, int top, TextId caption,
                              const RegionalForms& regional) {
  auto* edit = makeControl<QDateTimeEdit>(dialog, name, kDialogFontSize, 960, top, 3000, 375);
  edit->setLocale(regional.locale());
  edit->setDisplayFormat(regional.momentPattern());
  edit->setCalendarPopup(true);
  edit->setDateRange(kFirstDay, kLastDay);
  QLabel* label = makeLabel(dialog, labelName, kDialogFontSize, 120, top + 60, 735, 285);
  label->setText(LoadCaption(caption));
  label->setBuddy(edit);
  return edit;
}

}  // namespace

frmPeriod::frmPeriod(Program& program, QWidget* mainWindow) : QDialog(mainWindow) {
  setObjectName(QStringLiteral("frmPeriod"));
  setWindowTitle(LoadResString(TextId::PeriodDialogTitle));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(tahoma(kDialogFontSize));
  setFixedSize(twipsOnScreen(5655), twipsOnScreen(kHeight));
  const RegionalForms& regional = program.env.regional;
  dtFrom_ = makeMomentEdit(this, "dtFrom", "lblFrom", 120, TextId::PeriodFromLabel, regional);
  dtTo_ = makeMomentEdit(this, "dtTo", "lblTo", 540, TextId::PeriodToLabel, regional);
  QPushButton* lastHour = makeDialogButton(this, "btnLastHour", 960, 1080, 1455, TextId::LastHourButton);
  QPushButton* lastShift = makeDialogButton(this, "btnLastShift", 2505, 1080, 1455, TextId::LastShiftButton);
  QPushButton* lastDay = makeDialogButton(this, "btnLastDay", 960, 1500, 1455, TextId::LastDayButton);
  QPushButton* today = makeDialogButton(this, "btnToday", 2505, 1500, 1455, TextId::TodayButton);
  QPushButton* chart = makeDialogButton(this, "btnChartPeriod", 4200, 120, 1335, TextId::ChartPeriodButton);
  QPushButton* editSql = makeDialogButton(this, "btnEditSql", 4200, 540, 1335, TextId::EditAsSqlButton);
  QPushButton* cancel = makeDialogButton(this, "btnCancel", 4200, 1500, 1335, TextId::CancelBesideChartButton);
  lblNoIndex_ = makeLabel(this, "lblNoIndex", kDialogFontSize, 120, kNoticeTop, 5415, kNoticeHeight);
  lblNoIndex_->hide();
  // Enter charts the period, whichever control has the focus.
  chart->setDefault(true);
  chainTabOrder({dtFrom_, dtTo_, lastHour, lastShift, lastDay, today, chart, editSql, cancel});
  frmPeriod_Load(program, *this);

  for (const auto& [button, range] : {std::pair{lastHour, QuickRange::LastHour}, {lastShift, QuickRange::LastShift},
                                      {lastDay, QuickRange::LastDay}, {today, QuickRange::Today}})
    connect(button, &QPushButton::clicked, this, [this, &program, range = range] { showQuickRange(program, *this, range); });
  connect(chart, &QPushButton::clicked, this, [this, &program] { btnChartPeriod_Click(program, *this); });
  connect(editSql, &QPushButton::clicked, this, [this, &program] { btnEditSql_Click(program, *this); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::close);
}

QDateTime frmPeriod::from() const { return dtFrom_->dateTime(); }

QDateTime frmPeriod::to() const { return dtTo_->dateTime(); }

void frmPeriod::setPeriod(const QDateTime& from, const QDateTime& to) {
  dtFrom_->setDateTime(from);
  dtTo_->setDateTime(to);
}

frmPeriod::~frmPeriod() {
  if (asking_) asking_->requestStop();
}

void frmPeriod::whenAnswered(const std::shared_ptr<JobControl>& job, std::function<void()> then) {
  asking_ = job;
  job->whenFinished(this, std::move(then));
}

// The dialog grows to show the notice, and keeps its size without one.
void frmPeriod::showNotice(const QString& text) {
  lblNoIndex_->setText(text);
  lblNoIndex_->setVisible(!text.isEmpty());
  setFixedSize(twipsOnScreen(5655), twipsOnScreen(text.isEmpty() ? kHeight : kNoticeTop + kNoticeHeight + 60));
}

}  // namespace kelvane
