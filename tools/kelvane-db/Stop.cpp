#include "Stop.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <thread>

namespace kelvane::db {

namespace {

std::atomic<bool> stopAsked{false};

extern "C" void askToStop(int) { stopAsked = true; }

}  // namespace

void stopOnSignals() {
  struct sigaction action = {};
  action.sa_handler = askToStop;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

bool stopRequested() { return stopAsked; }

void pauseUntil(std::chrono::steady_clock::time_point until, const std::function<bool()>& stop) {
  using namespace std::chrono;
  while (!stop() && steady_clock::now() < until)
    std::this_thread::sleep_for(std::min<steady_clock::duration>(until - steady_clock::now(), milliseconds(20)));
}

}  // namespace kelvane::db
