#pragma once

#include "AlarmOutputs.h"
#include "LeakLimits.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace kelvane {

class DrawingSurface;
class JobControl;

// The time and date labels of a chart window, which the clock keeps up to date.
class ClockLabels {
 public:
  virtual ~ClockLabels() = default;
  virtual void setTimeCaption(const QString& text) = 0;
  virtual void setDateCaption(const QString& text) = 0;
  virtual void setTimeVisible(bool visible) = 0;
  virtual void setDateVisible(bool visible) = 0;
};

// The full-screen chart window: its picture box and its own pair of clock labels.
class FullScreenView {
 public:
  virtual ~FullScreenView() = default;
  virtual ClockLabels& clockLabels() = 0;
  virtual DrawingSurface& picMaximized() = 0;
  // Shows the window maximized and in front.
  virtual void showMaximized() = 0;
  // Whether the operator has it on screen.
  virtual bool isShown() const = 0;
};

// The query dialog: a text box with the operator's SQL text.
class QueryDialogView {
 public:
  virtual ~QueryDialogView() = default;
  virtual QString queryText() const = 0;
  virtual void setQueryText(const QString& text) = 0;
};

// The period dialog: the two moments of a period of stored rows.
class PeriodDialogView {
 public:
  virtual ~PeriodDialogView() = default;
  virtual QDateTime from() const = 0;
  virtual QDateTime to() const = 0;
  virtual void setPeriod(const QDateTime& from, const QDateTime& to) = 0;
  // The notice under the fields; an empty text shows none.
  virtual void showNotice(const QString& text) = 0;
  // Runs then on the window's thread once the job has ended, unless the dialog is gone by then;
  // the dialog's going (Cancel) stops the job.
  virtual void whenAnswered(const std::shared_ptr<JobControl>& job, std::function<void()> then) = 0;
  // Discards the dialog.
  virtual void unload() = 0;
};

// The leak test's limits dialog: α, β, the form of the values and the two limits, as typed.
class LimitsDialogView {
 public:
  virtual ~LimitsDialogView() = default;
  virtual LimitsTexts texts() const = 0;
  virtual void setTexts(const LimitsTexts& texts) = 0;
  // Puts the focus in the field, its text selected.
  virtual void focusField(LimitField field) = 0;
  // Closes the dialog.
  virtual void unload() = 0;
};

// The controls of the main window that the handlers read and set.
class MainWindowView {
 public:
  virtual ~MainWindowView() = default;
  virtual ClockLabels& clockLabels() = 0;
  virtual DrawingSurface& graphField() = 0;

  // The entry box Text6.
  virtual QString entryText() const = 0;
  virtual void clearEntry() = 0;
  // The Full screen button.
  virtual void setFullScreenEnabled(bool enabled) = 0;
  // The label lblPending: shown with the text, hidden when it is empty.
  virtual void setPendingCaption(const QString& text) = 0;
  // The label lblDecision beside the entry: what the newest value decides, in its colour; empty
  // while no limits are set.
  virtual void setDecisionCaption(const QString& text, LeakDecision decision) = 0;
  // Created, hidden, on first use; it then lives until the main window closes.
  virtual FullScreenView& fullScreenWindow() = 0;
  // Whether the full-screen window is on screen; asking creates nothing.
  virtual bool fullScreenShown() const = 0;
  // The query dialog, not modal: loaded afresh (with its skeleton text and captions) when it is
  // not open, otherwise only brought forward.
  virtual QueryDialogView& showQueryDialog() = 0;
  // Discards the dialog with its text; nothing happens when it is not open.
  virtual void unloadQueryDialog() = 0;
  // The Database menu's item "Follow new rows".
  virtual void setFollowChecked(bool checked) = 0;
  // Waits for a job that reads rows off the user-interface thread: returns when it has ended, or
  // when the operator cancelled it and it did not end within a second (it is then left to end on
  // its own). No other handler can start meanwhile; a read that lasts longer than half a second
  // shows how many rows it has read in a modal dialog with a Cancel button, while the clock ticks.
  virtual void waitForRows(JobControl& job) = 0;
  // Whether a handler waits for rows being read: what comes back from the background meanwhile must
  // not change the chart under it. A message or a dialog waiting for the operator holds nothing up,
  // so that a leak in new rows is told while it is open.
  virtual bool readingRows() const = 0;
  // The leak alarm's banner, tone and notifications; whether the operator has the window in sight
  // (shown, not minimised, the active window).
  virtual AlarmBanner& alarmBanner() = 0;
  virtual AlarmTone& alarmTone() = 0;
  virtual DesktopNotifier& desktopNotifier() = 0;
  virtual bool inSight() const = 0;
};

}  // namespace kelvane
