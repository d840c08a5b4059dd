#include "ReadBudget.h"

#include "TextResources.h"

#include <unistd.h>

namespace kelvane {

ReadBudget ReadBudget::ofThisMachine() {
  static const ReadBudget budget = [] {
    const long pages = ::sysconf(_SC_PHYS_PAGES), pageSize = ::sysconf(_SC_PAGE_SIZE);
    // A machine that does not say keeps to what a small station has: 4 GB.
    const qint64 memory = pages > 0 && pageSize > 0 ? qint64(pages) * pageSize : qint64(4) << 30;
    return ofBytes(memory / kShareOfMemory);
  }();
  return budget;
}

RuntimeError ReadBudget::passed() const {
  return {ErrorNumber::OutOfMemory, QStringLiteral("Kelvane program"),
          LoadResString(TextId::ReadTooLarge).arg(rows).arg((bytes + (1 << 19)) >> 20)};
}

}  // namespace kelvane
