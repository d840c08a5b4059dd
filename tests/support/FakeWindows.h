#pragma once

#include "support/RecordingSurface.h"
#include "handlers/PeriodQuery.h"
#include "state/Background.h"
#include "state/Views.h"

#include <QStringList>

#include <chrono>
#include <memory>
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
  void appendResult(const QString& number, const QString& typedText, const QString& timeStamp) override {
    List1.append(number);
    List2.append(typedText);
    List5.append(timeStamp);
  }
  void clearResults() override {
    List1.clear();
    List2.clear();
    List5.clear();
  }
  ResultLists results() const override { return {List1, List2, List5}; }
  void setPendingCaption(const QString& text) override { pendingCaption = text; }
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

  FakeClockLabels clock;
  RecordingSurface picture{6855, 5895};
  QString entry;
  bool fullScreenEnabled = false;
  QStringList List1, List2, List5;
  QString pendingCaption;  // empty: lblPending hidden
  std::unique_ptr<FakeFullScreenWindow> fullScreen;
  std::unique_ptr<FakeQueryDialog> queryDialog;
  int queryDialogsLoaded = 0;
  bool followChecked = false;
  std::chrono::milliseconds cancelAfter{-1};

 private:
  DrawingSurface* chart_ = &picture;
};

}  // namespace kelvane::testing
