#include "MainMenus.h"

#include "Controls.h"
#include "PictureBox.h"
#include "frmAbout.h"
#include "frmAlarmJournal.h"
#include "frmAlarmShelve.h"
#include "frmDecisions.h"
#include "frmLimits.h"
#include "frmPeriod.h"
#include "frmStations.h"
#include "frmSummary.h"
#include "handlers/DatabaseFiles.h"
#include "handlers/ExportAndPrint.h"
#include "handlers/FollowNewRows.h"
#include "handlers/LeakAlarmHandlers.h"
#include "handlers/LeakDecisions.h"
#include "handlers/MainWindowHandlers.h"
#include "handlers/QueryDialog.h"
#include "handlers/SummaryLines.h"
#include "handlers/TimeScale.h"
#include "help/HelpWindow.h"
#include "state/TextResources.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QDir>
#include <QMainWindow>
#include <QMenuBar>

namespace kelvane {

namespace {

// A menu's title names its pop-up for assistive technology too, without the access key's mark.
void setMenuCaption(QMenu* menu, TextId caption) {
  menu->setTitle(LoadCaption(caption));
  menu->setAccessibleName(LoadResString(caption));
}

}  // namespace

MainMenus::MainMenus(QMainWindow* window, PictureBox* chart)
    : window_(window), chart_(chart), CommonDialog1_(window), printDialog_(window) {
  buildFileMenu();
  buildDatabaseMenu();
  buildHelpMenu();
  // Not modal, the summary follows the chart, as new rows come and zooms change it.
  QObject::connect(chart_, &PictureBox::chartKept, window_, [this] {
    if (frmSummary_) frmSummary_->refresh();
  });
}

MainMenus::~MainMenus() = default;

void MainMenus::serve(ProgramServices& services) {
  services_ = &services;
  showTimeScaleItem();
}

void MainMenus::showTimeScaleItem() {
  // Several stations are charted on the time scale alone.
  const bool stations = !program().state.Stations.isEmpty();
  mnuTimeScale_->setChecked(stations || program().state.TimeScale);
  mnuTimeScale_->setEnabled(!stations);
  mnuTimeScale_->setToolTip(stations ? LoadResString(TextId::StationsOnTimeScale) : QString());
}

QMenu* MainMenus::addMenu(const char* name) {
  QMenu* menu = window_->menuBar()->addMenu(QString());
  menu->setObjectName(QString::fromLatin1(name));
  return menu;
}

QAction* MainMenus::addItem(QMenu* menu, const char* name) {
  QAction* item = menu->addAction(QString());
  item->setObjectName(QString::fromLatin1(name));
  return item;
}

void MainMenus::buildFileMenu() {
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

  QObject::connect(mnuFileOpen_, &QAction::triggered, window_, [this] { mnuFileOpen_Click(program(), CommonDialog1_, settings()); });
  QObject::connect(mnuExportChart_, &QAction::triggered, window_,
                   [this] { mnuExportChart_Click(chart_->surface(), CommonDialog1_, program().env); });
  QObject::connect(mnuPrintChart_, &QAction::triggered, window_,
                   [this] { mnuPrintChart_Click(chart_->surface(), printDialog_, program().env); });
  QObject::connect(mnuExportRows_, &QAction::triggered, window_, [this] { mnuExportRows_Click(program(), CommonDialog1_); });
  QObject::connect(mnuExit_, &QAction::triggered, window_, &QWidget::close);
  // Decided as the menu opens: the chart and the lists change while it is closed.
  QObject::connect(mnuFile_, &QMenu::aboutToShow, window_, [this] {
    mnuExportRows_->setEnabled(rowsToExport(program()));
    fillRecentFiles();
  });
}

void MainMenus::buildDatabaseMenu() {
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
  mnuSummary_ = addItem(mnuDataHandling_, "mnuSummary");
  mnuSummary_->setEnabled(false);
  mnuAlarmShelve_ = addItem(mnuDataHandling_, "mnuAlarmShelve");
  mnuAlarmUnshelve_ = addItem(mnuDataHandling_, "mnuAlarmUnshelve");
  mnuAlarmUnshelve_->setEnabled(false);  // nothing shelved at start
  mnuAlarmJournal_ = addItem(mnuDataHandling_, "mnuAlarmJournal");
  mnuStations_ = addItem(mnuDataHandling_, "mnuStations");

  QObject::connect(mnuSQLquery_, &QAction::triggered, window_, [this] { mnuSQLquery_Click(program()); });
  QObject::connect(mnuFollow_, &QAction::triggered, window_,
                   [this](bool checked) { mnuFollow_Click(program(), services_->newRows, checked); });
  // Not modal, as the query dialog is: loaded afresh unless it is open, then only brought forward.
  QObject::connect(mnuPeriod_, &QAction::triggered, window_, [this] {
    if (!frmPeriod_) frmPeriod_ = new frmPeriod(program(), window_);
    bringForward(frmPeriod_);
  });
  QObject::connect(mnuLimits_, &QAction::triggered, window_, [this] { frmLimits(program(), settings(), window_).exec(); });
  QObject::connect(mnuDecisions_, &QAction::triggered, window_, [this] { frmDecisions(program(), window_).exec(); });
  QObject::connect(mnuTimeScale_, &QAction::triggered, window_,
                   [this](bool checked) { mnuTimeScale_Click(program(), settings(), checked); });
  QObject::connect(mnuSummary_, &QAction::triggered, window_, [this] {
    if (!frmSummary_) frmSummary_ = new frmSummary(program(), window_);
    bringForward(frmSummary_);
  });
  QObject::connect(mnuAlarmShelve_, &QAction::triggered, window_, [this] { frmAlarmShelve(program(), window_).exec(); });
  QObject::connect(mnuAlarmUnshelve_, &QAction::triggered, window_, [this] { mnuAlarmUnshelve_Click(program()); });
  QObject::connect(mnuAlarmJournal_, &QAction::triggered, window_, [this] { frmAlarmJournal(program(), window_).exec(); });
  QObject::connect(mnuStations_, &QAction::triggered, window_, [this] {
    frmStations(program(), settings(), CommonDialog1_, window_).exec();
    showTimeScaleItem();
  });
  QObject::connect(mnuDataHandling_, &QMenu::aboutToShow, window_, [this] {
    mnuDecisions_->setEnabled(decisionsAvailable(program()));
    mnuSummary_->setEnabled(summaryAvailable(program()));
    mnuAlarmUnshelve_->setEnabled(unshelveAvailable(program()));
    showTimeScaleItem();
  });
}

void MainMenus::buildHelpMenu() {
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
    QObject::connect(*item, &QAction::triggered, window_, [this, choice = choice] { mnuLanguage_Click(program(), choice, settings()); });
  }
  mnuAbout_ = addItem(mnuHelp_, "mnuAbout");

  // A window of its own beside the main window, as a help viewer would be; a missing file gets no
  // message box, only a page that says so.
  QObject::connect(mnuHelpFile_, &QAction::triggered, window_, [this] {
    if (!helpWindow_) helpWindow_ = std::make_unique<HelpWindow>();
    helpWindow_->showHelpFile(helpFilePath(QCoreApplication::applicationDirPath()));
  });
  // The choice kept for the next start, which this run may not show.
  QObject::connect(mnuHelp_, &QMenu::aboutToShow, window_, [this] {
    const Language kept = settings().language();
    (kept == Language::German ? mnuLanguageGerman_ : kept == Language::English ? mnuLanguageEnglish_ : mnuLanguageSystem_)
        ->setChecked(true);
  });
  QObject::connect(mnuAbout_, &QAction::triggered, window_, [this] { ShowAboutBox(window_); });
}

// Numbered, newest first; the number is the item's access key in either language.
void MainMenus::fillRecentFiles() {
  mnuRecent_->clear();
  const QStringList paths = settings().recentFiles();
  for (int i = 0; i < paths.size() && i < kRecentFiles; ++i) {
    const QString shown = QDir::toNativeSeparators(paths[i]).replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* item = mnuRecent_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
    item->setObjectName(QStringLiteral("mnuRecent_%1").arg(i));
    QObject::connect(item, &QAction::triggered, window_, [this, path = paths[i]] { mnuRecent_Click(program(), path, settings()); });
  }
  mnuRecent_->setEnabled(!paths.isEmpty());
}

void MainMenus::setFollowChecked(bool checked) { mnuFollow_->setChecked(checked); }

void MainMenus::closeWindows() {
  if (frmPeriod_) frmPeriod_->close();
  if (frmSummary_) frmSummary_->close();
  helpWindow_.reset();
}

void MainMenus::setCaptions() {
  for (auto [menu, caption] : {std::pair{mnuFile_, TextId::FileMenu}, {mnuRecent_, TextId::RecentFilesMenu},
                               {mnuDataHandling_, TextId::DatabaseMenu}, {mnuHelp_, TextId::Help},
                               {mnuLanguage_, TextId::LanguageMenu}})
    setMenuCaption(menu, caption);
  for (auto [item, caption] : {std::pair{mnuFileOpen_, TextId::SelectDatabaseFileItem}, {mnuExportChart_, TextId::ExportChartItem},
                               {mnuPrintChart_, TextId::PrintChartItem}, {mnuExportRows_, TextId::ExportRowsItem},
                               {mnuExit_, TextId::ExitItem}, {mnuSQLquery_, TextId::SqlQueryItem},
                               {mnuFollow_, TextId::FollowNewRowsItem}, {mnuPeriod_, TextId::PeriodItem},
                               {mnuLimits_, TextId::LimitsItem}, {mnuDecisions_, TextId::DecisionsItem},
                               {mnuTimeScale_, TextId::TimeScaleItem}, {mnuSummary_, TextId::SummaryItem},
                               {mnuAlarmShelve_, TextId::ShelveAlarmItem}, {mnuAlarmUnshelve_, TextId::UnshelveAlarmItem},
                               {mnuAlarmJournal_, TextId::AlarmJournalItem}, {mnuStations_, TextId::StationsItem},
                               {mnuHelpFile_, TextId::Help},
                               {mnuLanguageSystem_, TextId::SystemLanguageItem}, {mnuLanguageEnglish_, TextId::EnglishItem},
                               {mnuLanguageGerman_, TextId::GermanItem}, {mnuAbout_, TextId::AboutItem}})
    item->setText(LoadCaption(caption));
}

}  // namespace kelvane
