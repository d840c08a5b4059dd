#pragma once

#include <atomic>

namespace kelvane {

class PendingRows;
struct DeliveryReport;

// Stores the kept rows, oldest first, each numbered as it is stored. A database that fails keeps
// its rows, in their order, for the next delivery; the others go on. Ends when no row is left
// to try, or after the current row once stopping is set.
DeliveryReport deliverOldestFirst(PendingRows& rows, const std::atomic<bool>& stopping);

}  // namespace kelvane
