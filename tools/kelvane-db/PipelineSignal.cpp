#include "PipelineSignal.h"

#include <cmath>

namespace kelvane::db {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kBaseLevel = 1.0;
constexpr double kDailySwing = 0.15;     // flow, and so the reading, follows the day's demand
constexpr double kWanderPerMinute = 0.004;
constexpr double kWanderPull = 0.02;     // a minute's pull back towards the level
constexpr double kNoise = 0.01;
constexpr double kStepsPerDay = 3;
constexpr double kStepPull = 0.002;      // a step fades over several hours

}  // namespace

PipelineSignal::PipelineSignal(quint32 seed) : random_(seed) {}

double PipelineSignal::gaussian() {
  // Box-Muller on the generator itself keeps the values alike on every standard library.
  const double u = 1.0 - random_.generateDouble();
  const double v = random_.generateDouble();
  return std::sqrt(-2.0 * std::log(u)) * std::cos(2 * kPi * v);
}

float PipelineSignal::next(double secondsSinceStart) {
  const double minutes = std::max(0.0, secondsSinceStart - lastSeconds_) / 60;
  lastSeconds_ = secondsSinceStart;

  wander_ += -kWanderPull * std::min(minutes, 10.0) * wander_ + kWanderPerMinute * std::sqrt(minutes) * gaussian();
  level_ += (kBaseLevel - level_) * std::min(1.0, kStepPull * minutes);
  if (random_.generateDouble() < kStepsPerDay * minutes / (24 * 60)) {
    const double size = 0.1 + 0.3 * random_.generateDouble();
    level_ += random_.generateDouble() < 0.5 ? -size : size;
  }
  const double day = std::sin(2 * kPi * secondsSinceStart / 86400);
  const double value = level_ + kDailySwing * day + wander_ + kNoise * gaussian();
  // Three decimals, as an operator would have typed the reading.
  return float(std::round(value * 1000) / 1000);
}

}  // namespace kelvane::db
