#pragma once

#include "PendingRows.h"
#include "state/Background.h"

#include <QPair>

#include <optional>

namespace kelvane {

// What one delivery of a database's kept rows met: whether it took them all, or the row it
// refused for a reason a retry will not cure, and why.
struct DeliveryReport {
  bool delivered = false;
  std::optional<QPair<KeptRow, QString>> refused;
};

// Stores the rows kept for the database, oldest first, numbered as they are stored, in
// transactions of their own. A row a write may have stored already (it carries the number it was
// given) is looked for by that number first. A database that fails keeps its rows, in their order,
// for the next delivery. The job's stop ends the delivery at once.
DeliveryReport deliverKeptRows(PendingRows& rows, const QString& database, JobControl& job);

}  // namespace kelvane
