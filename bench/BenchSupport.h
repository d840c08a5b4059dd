#pragma once

#include "chart/PainterSurface.h"
#include "handlers/StoreAndForward.h"
#include "state/Program.h"
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

// A program as an operator's station runs it, on the system clock, with the main window's real
// picture box (offscreen) and plain values for its other controls.
struct BenchProgram {
  BenchProgram();
  // Ends the benchmark when a handler showed a message: its figures would measure a failure.
  void requireNoMessage() const;

  SystemClock clock;
  testing::RecordedMessages messages;
  Environment env;
  ProgramState state;
  PainterSurface picture;
  testing::FakeMainWindow window;
  StoreAndForward store;
  Worker reader;
  Program program;
};

// The main window's picture box at the screen resolution of the offscreen platform.
PainterSurface mainWindowPicture();

}  // namespace kelvane::bench
