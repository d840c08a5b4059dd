#pragma once

#include "ClockLabelPair.h"
#include "DesktopNotifications.h"
#include "SoundEffectTone.h"
#include "MainMenus.h"
#include "handlers/ProgramServices.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

namespace kelvane {

class PictureBox;
class frmChartMaximized;
class frmDataBase;

// The main window: data entry, the list of entered values, the chart with its buttons and the
// menu bar. Each handler is a few lines that call into the program's logic.
class AlarmBannerFrame;

class frmChart : public QMainWindow, public MainWindowView, public AlarmBanner {
  Q_OBJECT
 public:
  explicit frmChart(const Environment& env);
  ~frmChart() override;

  // Shows the window on what serves it, sets its captions and draws the empty chart.
  void Form_Load(ProgramServices& services);

  ClockLabels& clockLabels() override { return clock_; }
  DrawingSurface& graphField() override;
  QString entryText() const override;
  void clearEntry() override;
  void setFullScreenEnabled(bool enabled) override;
  void setPendingCaption(const QString& text) override;
  void setDecisionCaption(const QString& text, LeakDecision decision) override;
  FullScreenView& fullScreenWindow() override;
  bool fullScreenShown() const override;
  QueryDialogView& showQueryDialog() override;
  void unloadQueryDialog() override;
  void waitForRows(JobControl& job) override;
  bool readingRows() const override { return readingRows_; }
  void setFollowChecked(bool checked) override;
  AlarmBanner& alarmBanner() override { return *this; }
  AlarmTone& alarmTone() override { return tone_; }
  DesktopNotifier& desktopNotifier() override { return notifier_; }
  bool inSight() const override { return isActiveWindow() && !isMinimized(); }
  // The banner over the program description, and across the full-screen window while it is open.
  void showAlarm(const QString& text, AlarmState state) override;
  void hideAlarm() override;

 protected:
  // Whichever way the window closes, the other windows close with it; not while rows are read,
  // as the handler that waits still works on them.
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildFrames();
  void buildDataInput();
  void buildResults();
  void buildChart();
  void setCaptions();

  void connectAlarmButtons(AlarmBannerFrame* banner);
  void showEnteredValues(EnteredValues& values);
  Program& program() { return services_->program; }

  const Environment& env_;
  ProgramServices* services_ = nullptr;  // from Form_Load on

  QGroupBox *fraProgrDescr_, *fraDataInput_, *fraResults_, *fraChart_;
  QLabel *lblProgrDescr_, *lblPending_, *lblNumber_, *lblRandVar_, *lblTimeStamp_, *lblChartDescr_, *lblTime_, *lblDate_;
  QLineEdit* Text6_;
  QPushButton *btnCalculation_, *btnReset_, *btnSPRT_, *btnMaximized_, *btnTimeOnX_, *btnNumberOnX_, *btnClose_;
  QListWidget *List1_, *List2_, *List5_;
  PictureBox* graphField_;
  std::unique_ptr<MainMenus> menus_;
  QLabel* lblDecision_;
  QLabel* lblCursor_;
  ClockLabelPair clock_;
  QTimer* TimerCurrentTime_;
  std::unique_ptr<frmChartMaximized> frmChartMaximized_;
  QPointer<frmDataBase> frmDataBase_;
  bool readingRows_ = false;
  AlarmBannerFrame* fraAlarm_;
  std::optional<std::pair<QString, AlarmState>> alarmShown_;  // what the banners show
  SoundEffectTone tone_;
  DesktopNotifications notifier_;
};

}  // namespace kelvane
