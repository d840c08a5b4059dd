#pragma once

#include <QRandomGenerator>

namespace kelvane::db {

// A made-up but plausible measurement of a pipeline: a level that drifts slowly with the
// day, wanders a little, jumps now and then (a valve, a pump) and carries noise. The same seed
// gives the same values for the same moments of a run.
class PipelineSignal {
 public:
  explicit PipelineSignal(quint32 seed);

  // The next value, secondsSinceStart into the run; calls come in order of time.
  float next(double secondsSinceStart);

 private:
  double gaussian();

  QRandomGenerator random_;
  double level_ = 1.0;
  double wander_ = 0;
  double lastSeconds_ = 0;
};

}  // namespace kelvane::db
