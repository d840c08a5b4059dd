#include "frmChart.h"

#include "AlarmBannerFrame.h"
#include "Controls.h"
#include "Layout.h"
#include "chart/LimitLines.h"
#include "handlers/MainWindowHandlers.h"
#include "PictureBox.h"
#include "state/TextResources.h"
#include "entry/CalculationStep.h"
#include "entry/ResetAndClock.h"
#include "handlers/FullScreenChart.h"
#include "handlers/LeakAlarmHandlers.h"
#include "Keyboard.h"
#include "ProgramIcon.h"
#include "RowsProgress.h"
#include "handlers/DatabaseButton.h"
#include "frmChartMaximized.h"
#include "frmDataBase.h"

#include <QApplication>

#include <QCloseEvent>
#include <QGroupBox>
#include <QLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTimer>

namespace kelvane {

namespace {

constexpr double kFrameFontSize = 9.75;
constexpr double kControlFontSize = 9;

QLabel* makeLabel(QWidget* parent, const char* name, int left, int top, int width, int height) {
  return kelvane::makeLabel(parent, name, kControlFontSize, left, top, width, height);
}

QPushButton* makeButton(QWidget* parent, const char* name, int left, int top) {
  constexpr int kButtonWidth = 1215, kButtonHeight = 375;
  return makeControl<QPushButton>(parent, name, kControlFontSize, left, top, kButtonWidth, kButtonHeight);
}

// The index letters before the entry box are set in an italic serif, as in a formula.
QLabel* makeFormulaLetter(QWidget* parent, const char* name, const char* letter, double points, int left, int top,
                          int width, int height) {
  auto* label = makeControl<QLabel>(parent, name, points, left, top, width, height);
  QFont font(QStringLiteral("Times New Roman"));
  font.setPointSizeF(points);
  font.setItalic(true);
  label->setFont(font);
  label->setText(QString::fromLatin1(letter));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

}  // namespace

frmChart::frmChart(const Environment& env) : env_(env) {
  setObjectName(QStringLiteral("frmChart"));
  setWindowTitle(applicationTitle());
  setWindowIcon(programIcon());
  auto* client = new QWidget(this);
  client->setFixedSize(twipsOnScreen(14460), twipsOnScreen(10470));
  setCentralWidget(client);
  buildFrames();
  buildDataInput();
  buildResults();
  buildChart();
  menus_ = std::make_unique<MainMenus>(this, graphField_);
  // Entering data first, then the chart's buttons, then the lists of what was entered.
  chainTabOrder({Text6_, btnCalculation_, btnReset_, btnSPRT_, btnMaximized_, btnTimeOnX_, btnNumberOnX_, btnClose_,
                 List1_, List2_, List5_});
  clock_ = ClockLabelPair(lblTime_, lblDate_);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

frmChart::~frmChart() = default;

DrawingSurface& frmChart::graphField() { return graphField_->surface(); }

QString frmChart::entryText() const { return Text6_->text(); }

void frmChart::clearEntry() { Text6_->clear(); }

void frmChart::setFullScreenEnabled(bool enabled) { btnMaximized_->setEnabled(enabled); }

void frmChart::setPendingCaption(const QString& text) {
  lblPending_->setText(text);
  lblPending_->setVisible(!text.isEmpty());
}

FullScreenView& frmChart::fullScreenWindow() {
  if (!frmChartMaximized_) {
    frmChartMaximized_ = std::make_unique<frmChartMaximized>(env_);
    connectAlarmButtons(&frmChartMaximized_->alarmFrame());
    if (alarmShown_) frmChartMaximized_->alarmFrame().showAlarm(alarmShown_->first, alarmShown_->second);
  }
  return *frmChartMaximized_;
}

void frmChart::showAlarm(const QString& text, AlarmState state) {
  alarmShown_.emplace(text, state);
  fraAlarm_->showAlarm(text, state);
  if (frmChartMaximized_) frmChartMaximized_->alarmFrame().showAlarm(text, state);
}

void frmChart::hideAlarm() {
  alarmShown_.reset();
  fraAlarm_->hideAlarm();
  if (frmChartMaximized_) frmChartMaximized_->alarmFrame().hideAlarm();
}

void frmChart::connectAlarmButtons(AlarmBannerFrame* banner) {
  connect(banner, &AlarmBannerFrame::acknowledgePressed, this, [this] { btnAlarmAck_Click(program()); });
  connect(banner, &AlarmBannerFrame::silencePressed, this, [this] { btnAlarmSilence_Click(program()); });
}

bool frmChart::fullScreenShown() const { return frmChartMaximized_ && frmChartMaximized_->isShown(); }

QueryDialogView& frmChart::showQueryDialog() {
  if (!frmDataBase_) frmDataBase_ = new frmDataBase(program(), this);
  bringForward(frmDataBase_);
  return *frmDataBase_;
}

void frmChart::unloadQueryDialog() {
  // Gone from the screen at once, so that no read's progress dialog takes it for its window;
  // deleted later, as the dialog may be unloaded from one of its own buttons.
  if (frmDataBase_) {
    frmDataBase_->hide();
    frmDataBase_->deleteLater();
  }
  frmDataBase_ = nullptr;
}

void frmChart::waitForRows(JobControl& job) {
  const QScopedValueRollback<bool> reading(readingRows_, true);
  const auto held = services_->holdMessages();
  // Over the window the press came from: the query dialog, or the full-screen window.
  QWidget* active = QApplication::activeWindow();
  waitWithProgress(job, active ? active : this);
}


void frmChart::setDecisionCaption(const QString& text, LeakDecision decision) {
  const auto colour = [](Colour c) { return QColor(int(c & 0xff), int(c >> 8 & 0xff), int(c >> 16 & 0xff)); };
  QPalette palette = fraDataInput_->palette();
  if (decision == LeakDecision::Leak) palette.setColor(QPalette::WindowText, colour(kUpperLimitColour));
  if (decision == LeakDecision::NoLeak) palette.setColor(QPalette::WindowText, colour(kLowerLimitColour));
  lblDecision_->setPalette(palette);
  lblDecision_->setText(text);
}

void frmChart::setFollowChecked(bool checked) { menus_->setFollowChecked(checked); }

void frmChart::closeEvent(QCloseEvent* event) {
  if (readingRows_) {
    event->ignore();
    return;
  }
  unloadQueryDialog();
  menus_->closeWindows();
  frmChartMaximized_.reset();
  TimerCurrentTime_->stop();
  if (services_) services_->shutdown();
  QMainWindow::closeEvent(event);
}

void frmChart::buildFrames() {
  QWidget* client = centralWidget();
  fraProgrDescr_ = makeControl<QGroupBox>(client, "fraProgrDescr", kFrameFontSize, 120, 120, 4815, 2655);
  fraDataInput_ = makeControl<QGroupBox>(client, "fraDataInput", kFrameFontSize, 5160, 120, 9015, 2655);
  fraResults_ = makeControl<QGroupBox>(client, "fraResults", kFrameFontSize, 120, 2880, 4815, 7335);
  fraChart_ = makeControl<QGroupBox>(client, "fraChart", kFrameFontSize, 5160, 2880, 9015, 7335);
  lblProgrDescr_ = makeControl<QLabel>(fraProgrDescr_, "lblProgrDescr", kFrameFontSize, 360, 480, 4095, 1815);
  lblProgrDescr_->setWordWrap(true);
  lblProgrDescr_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  fraAlarm_ = new AlarmBannerFrame(client, fraProgrDescr_);
  connectAlarmButtons(fraAlarm_);
}

void frmChart::buildDataInput() {
  Text6_ = makeControl<QLineEdit>(fraDataInput_, "Text6", kFrameFontSize, 1920, 960, 3255, 375);
  makeFormulaLetter(fraDataInput_, "Label19", "y", 12, 1560, 960, 255, 255);
  makeFormulaLetter(fraDataInput_, "Label20", "i", 8.25, 1680, 1200, 135, 255);
  btnCalculation_ = makeButton(fraDataInput_, "btnCalculation", 5880, 960);
  btnReset_ = makeButton(fraDataInput_, "btnReset", 5880, 1800);
  lblPending_ = makeLabel(fraDataInput_, "lblPending", 1920, 1800, 3255, 375);
  lblPending_->hide();
  lblDecision_ = makeLabel(fraDataInput_, "lblDecision", 1920, 1380, 3255, 375);

  connect(btnCalculation_, &QPushButton::clicked, this, [this] { btnCalculation_Click(program()); });
  // Enter in the entry box takes the value, as the Input button does.
  connect(Text6_, &QLineEdit::returnPressed, btnCalculation_, &QPushButton::click);
  connect(btnReset_, &QPushButton::clicked, this, [this] { btnReset_Click(program()); });
}

void frmChart::buildResults() {
  lblNumber_ = makeLabel(fraResults_, "lblNumber", 120, 240, 375, 375);
  lblRandVar_ = makeLabel(fraResults_, "lblRandVar", 840, 240, 975, 495);
  lblTimeStamp_ = makeLabel(fraResults_, "lblTimeStamp", 2520, 240, 1215, 495);
  List1_ = makeControl<QListWidget>(fraResults_, "List1", kControlFontSize, 120, 840, 495, 5880);
  List2_ = makeControl<QListWidget>(fraResults_, "List2", kControlFontSize, 600, 840, 1815, 5880);
  List5_ = makeControl<QListWidget>(fraResults_, "List5", kControlFontSize, 2400, 840, 2175, 5880);
}

void frmChart::buildChart() {
  lblChartDescr_ = makeLabel(fraChart_, "lblChartDescr", 480, 240, 6015, 495);
  graphField_ = new PictureBox(fraChart_, twipsOnScreen(6855), twipsOnScreen(5895), screenDotsPerInch(), env_);
  graphField_->setObjectName(QStringLiteral("graphField"));
  graphField_->move(twipsOnScreen(480), twipsOnScreen(840));
  btnSPRT_ = makeButton(fraChart_, "btnSPRT", 7560, 4080);
  btnMaximized_ = makeButton(fraChart_, "btnMaximized", 7560, 4560);
  btnMaximized_->setEnabled(false);
  btnTimeOnX_ = makeButton(fraChart_, "btnTimeOnX", 7560, 5280);
  btnNumberOnX_ = makeButton(fraChart_, "btnNumberOnX", 7560, 5760);
  btnClose_ = makeButton(fraChart_, "btnClose", 7560, 6360);
  lblTime_ = makeLabel(fraChart_, "lblTime", 3000, 6840, 975, 375);
  lblDate_ = makeLabel(fraChart_, "lblDate", 4080, 6840, 975, 375);
  // The value under the pointer, left of the clock. The four fields of a stored record take up to
  // 3700 twips in Tahoma 9, so the label reaches across the picture's width, over the clock labels
  // that a chart of stored rows hides; a live point's two fields stay clear of them.
  lblCursor_ = makeLabel(fraChart_, "lblCursor", 480, 6840, 6855, 375);
  lblCursor_->setWordWrap(false);
  graphField_->setZoomable(true);
  connect(graphField_, &PictureBox::pointCaptionChanged, lblCursor_, &QLabel::setText);
  TimerCurrentTime_ = new QTimer(fraChart_);
  TimerCurrentTime_->setObjectName(QStringLiteral("TimerCurrentTime"));
  TimerCurrentTime_->setInterval(1000);
  connect(TimerCurrentTime_, &QTimer::timeout, this, [this] { services_->tick(); });

  connect(btnSPRT_, &QPushButton::clicked, this, [this] { btnSPRT_Click(program()); });
  connect(btnMaximized_, &QPushButton::clicked, this, [this] { btnMaximized_Click(program()); });
  connect(btnTimeOnX_, &QPushButton::clicked, this, [this] { btnTimeOnX_Click(program().state); });
  connect(btnNumberOnX_, &QPushButton::clicked, this, [this] { btnNumberOnX_Click(program().state); });
  connect(btnClose_, &QPushButton::clicked, this, &QWidget::close);
}

void frmChart::Form_Load(ProgramServices& services) {
  services_ = &services;
  menus_->serve(services);
  showEnteredValues(services.entered);
  show();
  setCaptions();
  services.start();
  TimerCurrentTime_->start();
}

void frmChart::showEnteredValues(EnteredValues& values) {
  values.showWith(
      [this](const EnteredValue& value) {
        for (auto [list, text] : {std::pair{List1_, value.number}, {List2_, value.typedText}, {List5_, value.timeStamp}}) {
          list->addItem(text);
          list->scrollToBottom();  // the newest entry stays in sight
        }
      },
      [this] {
        for (QListWidget* list : {List1_, List2_, List5_}) list->clear();
      });
}

// The captions mark their access keys, in English and in German; the letters of a language are
// unique within the window and within each menu.
void frmChart::setCaptions() {
  fraProgrDescr_->setTitle(LoadResString(TextId::ProgramDescriptionFrame));
  lblProgrDescr_->setText(LoadResString(TextId::ProgramDescription));
  fraDataInput_->setTitle(LoadResString(TextId::DataInputFrame));
  btnCalculation_->setText(LoadCaption(TextId::InputButton));
  btnReset_->setText(LoadCaption(TextId::ResetButton));
  fraResults_->setTitle(LoadResString(TextId::ResultsFrame));
  lblNumber_->setText(LoadResString(TextId::NumberHeading));
  lblRandVar_->setText(LoadResString(TextId::DataHeading));
  lblTimeStamp_->setText(LoadResString(TextId::TimeStampHeading));
  fraChart_->setTitle(LoadResString(TextId::ChartFrame));
  lblChartDescr_->setText(LoadResString(TextId::ChartDescription));
  btnSPRT_->setText(LoadCaption(TextId::DatabaseButton));
  btnMaximized_->setText(LoadCaption(TextId::FullScreenButton));
  btnClose_->setText(LoadCaption(TextId::CloseButton));
  btnNumberOnX_->setText(LoadCaption(TextId::NumberOnXButton));
  btnTimeOnX_->setText(LoadCaption(TextId::TimeOnXButton));
  menus_->setCaptions();
}


}  // namespace kelvane
