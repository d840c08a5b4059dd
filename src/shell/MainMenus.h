#pragma once

#include "FileDialogChooser.h"
#include "handlers/ProgramServices.h"

#include <QPointer>

#include <memory>

class QAction;
class QMainWindow;
class QMenu;

namespace kelvane {

class HelpWindow;
class PictureBox;
class frmPeriod;
class frmSummary;

// The main window's menu bar: File, Database and Help with their items, each calling its handler
// on the program the window is shown on, and the windows the items open.
class MainMenus {
 public:
  MainMenus(QMainWindow* window, PictureBox* chart);
  ~MainMenus();

  // From then on the items work on what serves the window.
  void serve(ProgramServices& services);
  void setCaptions();
  void setFollowChecked(bool checked);
  // The windows the items opened that are not modal close with the main window.
  void closeWindows();

 private:
  QMenu* addMenu(const char* name);
  QAction* addItem(QMenu* menu, const char* name);
  void buildFileMenu();
  void buildDatabaseMenu();
  void buildHelpMenu();
  void fillRecentFiles();
  void showTimeScaleItem();
  Program& program() { return services_->program; }
  ProgramSettings& settings() { return services_->settings; }

  QMainWindow* window_;
  PictureBox* chart_;
  ProgramServices* services_ = nullptr;
  FileDialogChooser CommonDialog1_;
  PrintDialogChooser printDialog_;
  QPointer<frmPeriod> frmPeriod_;
  QPointer<frmSummary> frmSummary_;
  std::unique_ptr<HelpWindow> helpWindow_;

  QMenu *mnuFile_, *mnuRecent_, *mnuDataHandling_, *mnuHelp_, *mnuLanguage_;
  QAction *mnuFileOpen_, *mnuExportChart_, *mnuPrintChart_, *mnuExportRows_, *mnuExit_;
  QAction *mnuSQLquery_, *mnuFollow_, *mnuPeriod_, *mnuLimits_, *mnuDecisions_, *mnuTimeScale_, *mnuSummary_;
  QAction *mnuAlarmShelve_, *mnuAlarmUnshelve_, *mnuAlarmJournal_, *mnuStations_;
  QAction *mnuHelpFile_, *mnuLanguageSystem_, *mnuLanguageEnglish_, *mnuLanguageGerman_, *mnuAbout_;
};

}  // namespace kelvane
