// Whatever a file of kept rows holds (lines cut short by a crash, any bytes at all), each line is
// read as one whole row or refused, and a row read is written back to the same line's row.
#include "database/PendingLine.h"

#include <cmath>
#include <cstdlib>

using namespace kelvane;

namespace {

bool same(const KeptRow& a, const KeptRow& b) {
  const auto sameNumber = [](float x, float y) { return x == y || (std::isnan(x) && std::isnan(y)); };
  return a.database == b.database && a.measurement.date == b.measurement.date && a.measurement.time == b.measurement.time &&
         sameNumber(a.measurement.data, b.measurement.data) && a.entry == b.entry && a.number == b.number;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
  for (QByteArray line : file.split('\n')) {
    if (line.endsWith('\r')) line.chop(1);
    const std::optional<KeptRow> row = readPendingLine(line);
    if (!row) continue;
    const QByteArray written = pendingLine(*row);
    if (!written.endsWith("\r\n")) std::abort();
    const std::optional<KeptRow> again = readPendingLine(QByteArrayView(written).chopped(2));
    if (!again || !same(*row, *again)) std::abort();
  }
  return 0;
}
