#pragma once

#include <chrono>
#include <functional>

namespace kelvane::db {

// Ctrl+C and SIGTERM ask a collector to stop: it ends after the row in progress.
void stopOnSignals();
bool stopRequested();

// Sleeps until the moment, waking early when asked to stop.
void pauseUntil(std::chrono::steady_clock::time_point until, const std::function<bool()>& stop = stopRequested);

}  // namespace kelvane::db
