#include "frmChart.h"

#include "Controls.h"
#include "Layout.h"
#include "handlers/MainWindowHandlers.h"
#include "PictureBox.h"
#include "state/TextResources.h"
#include "entry/CalculationStep.h"
#include "entry/ResetAndClock.h"
#include "handlers/DatabaseFiles.h"
#include "handlers/ExportAndPrint.h"
#include "handlers/StoreAndForward.h"
#include "handlers/FullScreenChart.h"
#include "handlers/LeakDecisions.h"
#include "Keyboard.h"
#include "chart/LimitLines.h"
#include "ProgramIcon.h"
#include "RowsProgress.h"
#include "handlers/FollowNewRows.h"
#include "handlers/PeriodQuery.h"
#include "handlers/RecentRecords.h"
#include "handlers/SummaryDialog.h"
#include "handlers/TimeScale.h"
#include "frmAbout.h"
#include "frmChartMaximized.h"
#include "frmDataBase.h"
#include "frmDecisions.h"
#include "frmLimits.h"
#include "frmPeriod.h"
#include "frmSummary.h"
#include "help/HelpWindow.h"

#include <QActionGroup>
#include <QApplication>
#include <QDir>

#include <QCloseEvent>
#include <QGroupBox>
#include <QLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
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

// A menu's title names its pop-up for assistive technology too, without the access key's mark.
void setMenuCaption(QMenu* menu, const QString& caption, QChar english, QChar german) {
  menu->setTitle(withAccessKey(caption, english, german));
  menu->setAccessibleName(caption);
}

// Shown, in front and with the focus: a window not modal that is open already only comes forward.
void bringForward(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace

frmChart::frmChart(ProgramState& state, const Environment& env)
    : state_(state), store_(env, *this), program_{state, env, *this, store_, reader_}, CommonDialog1_(this), printDialog_(this) {
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
  buildMenus();
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

void frmChart::appendResult(const QString& number, const QString& typedText, const QString& timeStamp) {
  for (auto [list, text] : {std::pair{List1_, number}, {List2_, typedText}, {List5_, timeStamp}}) {
    list->addItem(text);
    list->scrollToBottom();  // the newest entry stays in sight
  }
}

void frmChart::clearResults() {
  List1_->clear();
  List2_->clear();
  List5_->clear();
}

ResultLists frmChart::results() const {
  ResultLists lists;
  for (auto [list, lines] : {std::pair{List1_, &lists.numbers}, {List2_, &lists.typedTexts}, {List5_, &lists.timeStamps}})
    for (int row = 0; row < list->count(); ++row) lines->append(list->item(row)->text());
  return lists;
}

void frmChart::setPendingCaption(const QString& text) {
  lblPending_->setText(text);
  lblPending_->setVisible(!text.isEmpty());
}

FullScreenView& frmChart::fullScreenWindow() {
  if (!frmChartMaximized_) frmChartMaximized_ = std::make_unique<frmChartMaximized>(program_.env);
  return *frmChartMaximized_;
}

bool frmChart::fullScreenShown() const { return frmChartMaximized_ && frmChartMaximized_->isShown(); }

QueryDialogView& frmChart::showQueryDialog() {
  if (!frmDataBase_) frmDataBase_ = new frmDataBase(program_, this);
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

void frmChart::setFollowChecked(bool checked) { mnuFollow_->setChecked(checked); }

// Not modal, as the query dialog is: loaded afresh unless it is open, then only brought forward.
void frmChart::mnuPeriod_Click() {
  if (!frmPeriod_) frmPeriod_ = new frmPeriod(program_, this);
  bringForward(frmPeriod_);
}

void frmChart::mnuLimits_Click() {
  frmLimits dialog(program_, settings_, this);
  dialog.exec();
}

void frmChart::mnuDecisions_Click() {
  frmDecisions dialog(program_, this);
  dialog.exec();
}

// Not modal: it follows the chart, as new rows come and zooms change it.
void frmChart::mnuSummary_Click() {
  if (!frmSummary_) frmSummary_ = new frmSummary(program_, this);
  bringForward(frmSummary_);
}

void frmChart::mnuHelpFile_Click() {
  // A window of its own beside the main window, as a help viewer would be; a missing file gets
  // no message box, only a page that says so.
  if (!helpWindow_) helpWindow_ = std::make_unique<HelpWindow>();
  helpWindow_->showHelpFile(helpFilePath(QCoreApplication::applicationDirPath()));
}

// Numbered, newest first; the number is the item's access key in either language.
void frmChart::fillRecentFiles() {
  mnuRecent_->clear();
  const QStringList paths = settings_.recentFiles();
  for (int i = 0; i < paths.size() && i < kRecentFiles; ++i) {
    const QString shown = QDir::toNativeSeparators(paths[i]).replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* item = mnuRecent_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
    item->setObjectName(QStringLiteral("mnuRecent_%1").arg(i));
    connect(item, &QAction::triggered, this, [this, path = paths[i]] { mnuRecent_Click(program_, path, settings_); });
  }
  mnuRecent_->setEnabled(!paths.isEmpty());
}

// The clock's tick runs three jobs, in this order.
void frmChart::TimerCurrentTime_Tick() {
  TimerCurrentTime_Timer(program_);
  store_.deliver();
  // Not while rows are read or a message waits: the handler that waits still works on the chart.
  if (!readingRows_ && !QApplication::activeModalWidget()) followNewRows(program_, newRows_);
}

void frmChart::closeEvent(QCloseEvent* event) {
  if (readingRows_) {
    event->ignore();
    return;
  }
  unloadQueryDialog();
  if (frmPeriod_) frmPeriod_->close();
  if (frmSummary_) frmSummary_->close();
  frmChartMaximized_.reset();
  helpWindow_.reset();
  // Whatever the database does, the program ends within the exit's wait; a kept row stays kept.
  TimerCurrentTime_->stop();
  const auto deadline = std::chrono::steady_clock::now() + Worker::kExitWait;
  newRows_.shutdown(deadline);
  store_.shutdown(deadline);
  reader_.stop(deadline);
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

  connect(btnCalculation_, &QPushButton::clicked, this, [this] { btnCalculation_Click(program_); });
  // Enter in the entry box takes the value, as the Input button does.
  connect(Text6_, &QLineEdit::returnPressed, btnCalculation_, &QPushButton::click);
  connect(btnReset_, &QPushButton::clicked, this, [this] { btnReset_Click(program_); });
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
  graphField_ = new PictureBox(fraChart_, twipsOnScreen(6855), twipsOnScreen(5895), screenDotsPerInch(), program_.env);
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
  connect(graphField_, &PictureBox::chartKept, this, [this] {
    if (frmSummary_) frmSummary_->refresh();
  });
  TimerCurrentTime_ = new QTimer(fraChart_);
  TimerCurrentTime_->setObjectName(QStringLiteral("TimerCurrentTime"));
  TimerCurrentTime_->setInterval(1000);
  connect(TimerCurrentTime_, &QTimer::timeout, this, &frmChart::TimerCurrentTime_Tick);

  connect(btnSPRT_, &QPushButton::clicked, this, [this] { btnSPRT_Click(program_); });
  connect(btnMaximized_, &QPushButton::clicked, this, [this] { btnMaximized_Click(program_); });
  connect(btnTimeOnX_, &QPushButton::clicked, this, [this] { btnTimeOnX_Click(state_); });
  connect(btnNumberOnX_, &QPushButton::clicked, this, [this] { btnNumberOnX_Click(state_); });
  connect(btnClose_, &QPushButton::clicked, this, &frmChart::btnClose_Click);
}

void frmChart::buildMenus() {
  const auto addMenu = [this](const char* name) {
    QMenu* menu = menuBar()->addMenu(QString());
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
  };
  const auto addItem = [](QMenu* menu, const char* name) {
    QAction* item = menu->addAction(QString());
    item->setObjectName(QString::fromLatin1(name));
    return item;
  };
  mnuFile_ = addMenu("mnuFile");
  mnuFileOpen_ = addItem(mnuFile_, "mnuFileOpen");
  mnuRecent_ = mnuFile_->addMenu(QString());
  mnuRecent_->setObjectName(QStringLiteral("mnuRecent"));
  mnuFile_->addSeparator();
  mnuExportChart_ = addItem(mnuFile_, "mnuExportChart");
  mnuPrintChart_ = addItem(mnuFile_, "mnuPrintChart");
  mnuExportRows_ = addItem(mnuFile_, "mnuExportRows");
  mnuExportRows_->setEnabled(false);  // nothing to export at start
  mnuFile_->addSeparator();
  mnuExit_ = addItem(mnuFile_, "mnuExit");
  mnuDataHandling_ = addMenu("mnuDataHandling");
  mnuSQLquery_ = addItem(mnuDataHandling_, "mnuSQLquery");
  mnuFollow_ = addItem(mnuDataHandling_, "mnuFollow");
  mnuFollow_->setCheckable(true);
  mnuPeriod_ = addItem(mnuDataHandling_, "mnuPeriod");
  mnuLimits_ = addItem(mnuDataHandling_, "mnuLimits");
  mnuDecisions_ = addItem(mnuDataHandling_, "mnuDecisions");
  mnuDecisions_->setEnabled(false);  // no stored rows at start
  mnuTimeScale_ = addItem(mnuDataHandling_, "mnuTimeScale");
  mnuTimeScale_->setCheckable(true);
  mnuTimeScale_->setChecked(state_.TimeScale);
  mnuSummary_ = addItem(mnuDataHandling_, "mnuSummary");
  mnuSummary_->setEnabled(false);
  mnuHelp_ = addMenu("mnuHelp");
  mnuHelpFile_ = addItem(mnuHelp_, "mnuHelpFile");
  mnuLanguage_ = mnuHelp_->addMenu(QString());
  mnuLanguage_->setObjectName(QStringLiteral("mnuLanguage"));
  auto* languages = new QActionGroup(mnuLanguage_);
  for (auto [item, name, choice] : {std::tuple{&mnuLanguageSystem_, "mnuLanguageSystem", Language::System},
                                    {&mnuLanguageEnglish_, "mnuLanguageEnglish", Language::English},
                                    {&mnuLanguageGerman_, "mnuLanguageGerman", Language::German}}) {
    *item = languages->addAction(addItem(mnuLanguage_, name));
    (*item)->setCheckable(true);
    connect(*item, &QAction::triggered, this, [this, choice = choice] { mnuLanguage_Click(program_, choice, settings_); });
  }
  mnuAbout_ = addItem(mnuHelp_, "mnuAbout");

  connect(mnuFileOpen_, &QAction::triggered, this, [this] { mnuFileOpen_Click(program_, CommonDialog1_, settings_); });
  connect(mnuExit_, &QAction::triggered, this, &frmChart::mnuExit_Click);
  connect(mnuExportChart_, &QAction::triggered, this,
          [this] { mnuExportChart_Click(graphField_->surface(), CommonDialog1_, program_.env); });
  connect(mnuPrintChart_, &QAction::triggered, this,
          [this] { mnuPrintChart_Click(graphField_->surface(), printDialog_, program_.env); });
  connect(mnuExportRows_, &QAction::triggered, this, [this] { mnuExportRows_Click(program_, CommonDialog1_); });
  // Decided as the menu opens: the chart and the lists change while it is closed.
  connect(mnuFile_, &QMenu::aboutToShow, this, [this] {
    mnuExportRows_->setEnabled(rowsToExport(program_));
    fillRecentFiles();
  });
  connect(mnuSQLquery_, &QAction::triggered, this, [this] { mnuSQLquery_Click(program_); });
  connect(mnuFollow_, &QAction::triggered, this, [this](bool checked) { mnuFollow_Click(program_, newRows_, checked); });
  connect(mnuPeriod_, &QAction::triggered, this, &frmChart::mnuPeriod_Click);
  connect(mnuLimits_, &QAction::triggered, this, &frmChart::mnuLimits_Click);
  connect(mnuDecisions_, &QAction::triggered, this, &frmChart::mnuDecisions_Click);
  connect(mnuTimeScale_, &QAction::triggered, this,
          [this](bool checked) { mnuTimeScale_Click(program_, settings_, checked); });
  connect(mnuSummary_, &QAction::triggered, this, &frmChart::mnuSummary_Click);
  connect(mnuDataHandling_, &QMenu::aboutToShow, this, [this] {
    mnuDecisions_->setEnabled(decisionsAvailable(program_));
    mnuSummary_->setEnabled(summaryAvailable(program_));
  });
  connect(mnuHelpFile_, &QAction::triggered, this, &frmChart::mnuHelpFile_Click);
  // The choice kept for the next start, which this run may not show.
  connect(mnuHelp_, &QMenu::aboutToShow, this, [this] {
    const Language kept = settings_.language();
    (kept == Language::German ? mnuLanguageGerman_ : kept == Language::English ? mnuLanguageEnglish_ : mnuLanguageSystem_)
        ->setChecked(true);
  });
  connect(mnuAbout_, &QAction::triggered, this, [this] { ShowAboutBox(this); });
}

void frmChart::Form_Load() {
  show();
  setCaptions();
  startMainWindow(program_);
  // The values an earlier run kept are taken up for delivery.
  store_.load();
  TimerCurrentTime_->start();
}

// Each control's access keys, English and German, go on where its caption is set; the letters of a
// language are unique within the window and within each menu.
void frmChart::setCaptions() {
  fraProgrDescr_->setTitle(LoadResString(TextId::ProgramDescriptionFrame));
  lblProgrDescr_->setText(LoadResString(TextId::ProgramDescription));
  fraDataInput_->setTitle(LoadResString(TextId::DataInputFrame));
  btnCalculation_->setText(withAccessKey(LoadResString(TextId::InputButton), u'I', u'E'));
  btnReset_->setText(withAccessKey(LoadResString(TextId::ResetButton), u'R', u'R'));
  fraResults_->setTitle(LoadResString(TextId::ResultsFrame));
  lblNumber_->setText(LoadResString(TextId::NumberHeading));
  lblRandVar_->setText(LoadResString(TextId::DataHeading));
  lblTimeStamp_->setText(LoadResString(TextId::TimeStampHeading));
  fraChart_->setTitle(LoadResString(TextId::ChartFrame));
  lblChartDescr_->setText(LoadResString(TextId::ChartDescription));
  btnSPRT_->setText(withAccessKey(LoadResString(TextId::DatabaseButton), u'b', u'a'));  // D opens the Database menu, Datei
  btnMaximized_->setText(withAccessKey(LoadResString(TextId::FullScreenButton), u's', u'V'));  // F opens the File menu
  btnClose_->setText(withAccessKey(LoadResString(TextId::CloseButton), u'C', u'S'));
  setMenuCaption(mnuFile_, LoadResString(TextId::FileMenu), u'F', u'D');
  mnuExit_->setText(withAccessKey(LoadResString(TextId::ExitItem), u'x', u'B'));
  setMenuCaption(mnuDataHandling_, LoadResString(TextId::DatabaseMenu), u'D', u'b');
  mnuSQLquery_->setText(withAccessKey(LoadResString(TextId::SqlQueryItem), u'S', u'S'));
  mnuFollow_->setText(withAccessKey(LoadResString(TextId::FollowNewRowsItem), u'F', u'N'));
  mnuPeriod_->setText(withAccessKey(LoadResString(TextId::PeriodItem), u'P', u'Z'));
  mnuLimits_->setText(withAccessKey(LoadResString(TextId::LimitsItem), u'L', u'G'));
  mnuDecisions_->setText(withAccessKey(LoadResString(TextId::DecisionsItem), u'd', u'L'));
  mnuTimeScale_->setText(withAccessKey(LoadResString(TextId::TimeScaleItem), u'T', u't'));
  mnuSummary_->setText(withAccessKey(LoadResString(TextId::SummaryItem), u'm', u'm'));
  setMenuCaption(mnuHelp_, LoadResString(TextId::Help), u'H', u'H');
  mnuHelpFile_->setText(withAccessKey(LoadResString(TextId::Help), u'H', u'H'));
  mnuAbout_->setText(withAccessKey(LoadResString(TextId::AboutItem), u'A', u'I'));
  mnuFileOpen_->setText(withAccessKey(LoadResString(TextId::SelectDatabaseFileItem), u'S', u'a'));
  btnNumberOnX_->setText(withAccessKey(LoadResString(TextId::NumberOnXButton), u'N', u'N'));
  btnTimeOnX_->setText(withAccessKey(LoadResString(TextId::TimeOnXButton), u'T', u'Z'));
  mnuExportChart_->setText(withAccessKey(LoadResString(TextId::ExportChartItem), u'E', u'e'));
  mnuPrintChart_->setText(withAccessKey(LoadResString(TextId::PrintChartItem), u'P', u'D'));
  mnuExportRows_->setText(withAccessKey(LoadResString(TextId::ExportRowsItem), u'r', u'Z'));
  setMenuCaption(mnuRecent_, LoadResString(TextId::RecentFilesMenu), u'f', u'L');
  setMenuCaption(mnuLanguage_, LoadResString(TextId::LanguageMenu), u'L', u'S');
  mnuLanguageSystem_->setText(withAccessKey(LoadResString(TextId::SystemLanguageItem), u'A', u'W'));
  mnuLanguageEnglish_->setText(withAccessKey(LoadResString(TextId::EnglishItem), u'E', u'E'));
  mnuLanguageGerman_->setText(withAccessKey(LoadResString(TextId::GermanItem), u'D', u'D'));
}

void frmChart::btnClose_Click() { close(); }

void frmChart::mnuExit_Click() { close(); }

}  // namespace kelvane
