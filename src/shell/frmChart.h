#pragma once

#include "ClockLabelPair.h"
#include "FileDialogChooser.h"
#include "database/NewRowsWatch.h"
#include "handlers/StoreAndForward.h"
#include "state/Program.h"
#include "state/ProgramSettings.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTimer;

namespace kelvane {

class PictureBox;
class frmChartMaximized;
class frmDataBase;
class frmPeriod;
class frmSummary;
class HelpWindow;

// The main window: data entry, the list of entered values, the chart with its buttons and the
// menu bar. Each handler is a few lines that call into the program's logic.
class frmChart : public QMainWindow, public MainWindowView {
  Q_OBJECT
 public:
  frmChart(ProgramState& state, const Environment& env);
  ~frmChart() override;

  // Shows the window, sets its captions and draws the empty chart.
  void Form_Load();

  ClockLabels& clockLabels() override { return clock_; }
  DrawingSurface& graphField() override;
  QString entryText() const override;
  void clearEntry() override;
  void setFullScreenEnabled(bool enabled) override;
  void appendResult(const QString& number, const QString& typedText, const QString& timeStamp) override;
  void clearResults() override;
  ResultLists results() const override;
  void setPendingCaption(const QString& text) override;
  void setDecisionCaption(const QString& text, LeakDecision decision) override;
  FullScreenView& fullScreenWindow() override;
  bool fullScreenShown() const override;
  QueryDialogView& showQueryDialog() override;
  void unloadQueryDialog() override;
  void waitForRows(JobControl& job) override;
  void setFollowChecked(bool checked) override;

 protected:
  // Whichever way the window closes, the other windows close with it; not while rows are read,
  // as the handler that waits still works on them.
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildFrames();
  void buildDataInput();
  void buildResults();
  void buildChart();
  void buildMenus();
  void setCaptions();

  void TimerCurrentTime_Tick();
  void btnClose_Click();
  void mnuExit_Click();
  void mnuHelpFile_Click();
  void mnuPeriod_Click();
  void mnuLimits_Click();
  void mnuDecisions_Click();
  void mnuSummary_Click();
  void fillRecentFiles();

  ProgramState& state_;
  StoreAndForward store_;
  Worker reader_;
  Program program_;

  QGroupBox *fraProgrDescr_, *fraDataInput_, *fraResults_, *fraChart_;
  QLabel *lblProgrDescr_, *lblPending_, *lblNumber_, *lblRandVar_, *lblTimeStamp_, *lblChartDescr_, *lblTime_, *lblDate_;
  QLineEdit* Text6_;
  QPushButton *btnCalculation_, *btnReset_, *btnSPRT_, *btnMaximized_, *btnTimeOnX_, *btnNumberOnX_, *btnClose_;
  QListWidget *List1_, *List2_, *List5_;
  PictureBox* graphField_;
  QMenu *mnuFile_, *mnuDataHandling_, *mnuHelp_;
  QAction *mnuFileOpen_, *mnuExit_, *mnuSQLquery_, *mnuHelpFile_, *mnuAbout_;
  QAction *mnuExportChart_, *mnuPrintChart_, *mnuExportRows_;
  QAction *mnuFollow_, *mnuPeriod_;
  QAction *mnuLimits_, *mnuDecisions_;
  QAction *mnuTimeScale_, *mnuSummary_;
  QPointer<frmSummary> frmSummary_;
  QMenu *mnuRecent_, *mnuLanguage_;
  QAction *mnuLanguageSystem_, *mnuLanguageEnglish_, *mnuLanguageGerman_;
  QLabel* lblDecision_;
  ProgramSettings settings_;
  QLabel* lblCursor_;
  QPointer<frmPeriod> frmPeriod_;
  NewRowsWatch newRows_;
  ClockLabelPair clock_;
  QTimer* TimerCurrentTime_;
  std::unique_ptr<frmChartMaximized> frmChartMaximized_;
  QPointer<frmDataBase> frmDataBase_;
  std::unique_ptr<HelpWindow> helpWindow_;
  FileDialogChooser CommonDialog1_;
  bool readingRows_ = false;
  PrintDialogChooser printDialog_;
};

}  // namespace kelvane
