#pragma once

#include "support/RecordingSurface.h"
#include "handlers/QueryDialog.h"
#include "entry/EnteredValues.h"
#include "state/Background.h"
#include "state/Views.h"

#include <QStringList>

#include <chrono>
#include <memory>
#include <optional>
#include <thread>

namespace kelvane::testing {

struct FakeClockLabels : ClockLabels {
  void setTimeCaption(const QString& text) override { time = text; }
  void setDateCaption(const QString& text) override { date = text; }
  void setTimeVisible(bool visible) override { timeVisible = visible; }
  void setDateVisible(bool visible) override { dateVisible = visible; }
  QString time, date;
  bool timeVisible = false, dateVisible = false;
};

struct FakeFullScreenWindow : FullScreenView {
  ClockLabels& clockLabels() override { return clock; }
  DrawingSurface& picMaximized() override { return picture; }
  void showMaximized() override { ++timesShown; }
  bool isShown() const override { return timesShown > 0; }
  FakeClockLabels clock;
  RecordingSurface picture{10335, 9495};
  int timesShown = 0;
};

struct FakeQueryDialog : QueryDialogView {
  QString queryText() const override { return text; }
  void setQueryText(const QString& query) override { text = query; }
  QString text = querySkeleton();
};

struct FakeLimitsDialog : LimitsDialogView {
  LimitsTexts texts() const override { return fields; }
  void setTexts(const LimitsTexts& texts) override { fields = texts; }
  void focusField(LimitField field) override { focused = field; }
  void unload() override { unloaded = true; }
  LimitsTexts fields;
  std::optional<LimitField> focused;
  bool unloaded = false;
};

// The leak alarm's banner, tone and notifications as plain values.
struct FakeAlarmBanner : AlarmBanner {
  void showAlarm(const QString& shown, AlarmState look) override { text = shown, state = look; }
  void hideAlarm() override { text.clear(), state = AlarmState::Normal; }
  QString text;  // empty: hidden
  AlarmState state = AlarmState::Normal;
};
struct FakeAlarmTone : AlarmTone {
  void setSounding(bool on) override { sounding = on; }
  bool sounding = false;
};
struct FakeNotifier : DesktopNotifier {
  void notify(const QString& summary, const QString& body) override { shown << summary + ": " + body; }
  void withdraw() override { shown.clear(); }
  QStringList shown;
};

// The main window's controls as plain values; the chart is recorded at graphField's design size.
struct FakeMainWindow : MainWindowView {
  FakeMainWindow() = default;
  // For benchmarks: a painted picture in place of the recording one.
  explicit FakeMainWindow(DrawingSurface& chart) : chart_(&chart) {}

  ClockLabels& clockLabels() override { return clock; }
  DrawingSurface& graphField() override { return *chart_; }
  QString entryText() const override { return entry; }
  void clearEntry() override { entry.clear(); }
  void setFullScreenEnabled(bool enabled) override { fullScreenEnabled = enabled; }
  // List1, List2 and List5 show the values as the window's lists do.
  void showEnteredValues(EnteredValues& values) {
    values.showWith(
        [this](const EnteredValue& value) {
          List1.append(value.number);
          List2.append(value.typedText);
          List5.append(value.timeStamp);
        },
        [this] { List1 = List2 = List5 = {}; });
  }
  void setPendingCaption(const QString& text) override { pendingCaption = text; }
  void setDecisionCaption(const QString& text, LeakDecision kind) override {
    decisionCaption = text;
    decision = kind;
  }
  FullScreenView& fullScreenWindow() override {
    if (!fullScreen) fullScreen = std::make_unique<FakeFullScreenWindow>();
    return *fullScreen;
  }

  bool fullScreenShown() const override { return fullScreen && fullScreen->isShown(); }

  QueryDialogView& showQueryDialog() override {
    if (!queryDialog) {
      queryDialog = std::make_unique<FakeQueryDialog>();
      ++queryDialogsLoaded;
    }
    return *queryDialog;
  }
  void unloadQueryDialog() override { queryDialog.reset(); }
  void setFollowChecked(bool checked) override { followChecked = checked; }
  // Waits as the window does; with cancelAfter set, Cancel is pressed once that much time has
  // passed, and the job left to end on its own after a second.
  void waitForRows(JobControl& job) override {
    if (cancelAfter.count() < 0) {
      job.waitFor(std::chrono::hours(1));
      return;
    }
    if (job.waitFor(cancelAfter)) return;
    job.requestStop();
    job.waitFor(std::chrono::seconds(1));
  }
  bool readingRows() const override { return false; }

  AlarmBanner& alarmBanner() override { return banner; }
  AlarmTone& alarmTone() override { return *tone; }
  DesktopNotifier& desktopNotifier() override { return notifier; }
  bool inSight() const override { return attended; }

  FakeClockLabels clock;
  RecordingSurface picture{6855, 5895};
  QString entry;
  bool fullScreenEnabled = false;
  QStringList List1, List2, List5;
  QString pendingCaption;  // empty: lblPending hidden
  QString decisionCaption;
  LeakDecision decision = LeakDecision::Testing;
  std::unique_ptr<FakeFullScreenWindow> fullScreen;
  std::unique_ptr<FakeQueryDialog> queryDialog;
  int queryDialogsLoaded = 0;
  bool followChecked = false;
  std::chrono::milliseconds cancelAfter{-1};
  FakeAlarmBanner banner;
  FakeAlarmTone fakeTone;
  AlarmTone* tone = &fakeTone;  // a real one where the test listens
  FakeNotifier notifier;
  bool attended = true;

 private:
  DrawingSurface* chart_ = &picture;
};

}  // namespace kelvane::testing
