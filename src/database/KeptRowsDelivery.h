#pragma once

#include "PendingRows.h"
#include "state/Background.h"

#include <QList>
#include <QPair>
#include <QSet>

namespace kelvane {

// What one delivery of kept rows met: the databases that took rows, and for each database that
// refused for a reason a retry will not cure, the row it refused and why.
struct DeliveryReport {
  QSet<QString> delivered;
  QList<QPair<KeptRow, QString>> refused;
};

// Stores the kept rows, oldest first, numbered as they are stored, a database's rows in
// transactions of their own. A row a write may have stored already (it carries the number it was
// given) is looked for by that number first. A database that fails keeps its rows, in their order,
// for the next delivery; the others go on. The job's stop ends the delivery at once.
DeliveryReport deliverKeptRows(PendingRows& rows, JobControl& job);

}  // namespace kelvane
