#pragma once

#include "handlers/FollowNewRows.h"

#include "chart/PainterSurface.h"
#include "handlers/StoreAndForward.h"
#include "entry/Program.h"
#include "support/FakeWindows.h"
#include "support/TestEnvironment.h"

#include <QElapsedTimer>
#include <QString>

#include <algorithm>
#include <functional>
#include <vector>

namespace kelvane::bench {

// Times of repeated runs of one piece of work, in milliseconds.
class Timings {
 public:
  void add(double milliseconds) { samples_.push_back(milliseconds); }
  double median() const { return quantile(0.5); }
  double p99() const { return quantile(0.99); }
  std::size_t count() const { return samples_.size(); }

 private:
  double quantile(double q) const;
  std::vector<double> samples_;
};

// Runs the work a few times to warm up, then as often as fits in the time budget (at least
// minRuns times) and returns the times of the measured runs.
Timings measure(const std::function<void()>& work, int minRuns = 20, double budgetMs = 2000);

// One line of a benchmark's report: what was measured, the figure, and the target it must meet
// (none when the target is not positive), both in the unit given.
void report(const QString& what, double figure, double target = 0, const QString& unit = QStringLiteral("ms"));

const Clock& systemClock();

// A program as an operator's station runs it, on the system clock unless another is given, with the
// main window's real picture box (offscreen) and plain values for its other controls.
struct BenchProgram {
  explicit BenchProgram(const Clock& clock = systemClock());
  // Ends the benchmark when a handler showed a message: its figures would measure a failure.
  void requireNoMessage() const;

  const Clock& clock;
  testing::RecordedMessages messages;
  Environment env;
  ProgramState state;
  PainterSurface picture;
  testing::FakeMainWindow window;
  StoreAndForward store;
  Worker reader;
  EnteredValues entered;
  Program program;
};

// The main window's picture box at the screen resolution of the offscreen platform.
PainterSurface mainWindowPicture();

// The resident memory before a chart of the station is read, with the peak reset just before: the
// fonts and picture as the window holds them before a query are in it already.
qint64 residentBeforeChart(BenchProgram& station);
// The peak the chart has added since, in bytes a row.
double peakBytesPerRow(qint64 residentBefore, double rows);

// A tick of following new rows, with its answer heard on this thread.
void followTick(Program& program, NewRowsWatch& watch);

}  // namespace kelvane::bench
