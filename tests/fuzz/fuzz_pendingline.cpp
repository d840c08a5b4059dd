// Whatever a file of kept rows holds (lines cut short by a crash, any bytes at all), each line is
// read as one whole row or refused, and a row read is written back to the same line's row. Taken
// up at start, the file keeps its rows and the file beside it takes every line refused, as it was:
// no line is lost.
#include "database/PendingRows.h"
#include "state/DurableFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstdlib>

using namespace kelvane;

namespace {

bool same(const KeptRow& a, const KeptRow& b) {
  const auto sameNumber = [](float x, float y) { return x == y || (std::isnan(x) && std::isnan(y)); };
  return a.database == b.database && a.measurement.date == b.measurement.date && a.measurement.time == b.measurement.time &&
         sameNumber(a.measurement.data, b.measurement.data) && a.entry == b.entry && a.number == b.number;
}

QByteArray contentOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
  QByteArray rewritten;
  QList<QByteArray> refused;
  for (QByteArray line : file.split('\n')) {
    if (line.endsWith('\r')) line.chop(1);
    const std::optional<KeptRow> row = readPendingLine(line);
    if (!row) {
      if (!line.isEmpty()) refused.append(line);
      continue;
    }
    const QByteArray written = pendingLine(*row);
    if (!written.endsWith("\r\n")) std::abort();
    const std::optional<KeptRow> again = readPendingLine(QByteArrayView(written).chopped(2));
    if (!again || !same(*row, *again)) std::abort();
    rewritten += written;
  }

  static QTemporaryDir folder;
  const QString kept = folder.filePath(QStringLiteral("Pending rows.txt"));
  QFile::remove(unreadableLinesPath(kept));
  writeWholeFile(kept, file);
  {
    PendingRows rows;
    const KeptRowsReport report = rows.open(kept);
    const qsizetype moved = report.movedLines.isEmpty() ? 0 : report.movedLines.first().count;
    if (moved != refused.size() || report.movedLines.size() > 1) std::abort();
  }
  const QByteArray beside = contentOf(unreadableLinesPath(kept));
  if (beside != (refused.isEmpty() ? QByteArray() : refused.join("\r\n") + "\r\n")) std::abort();
  // A file whose every line was read is left as it was.
  if (contentOf(kept) != (refused.isEmpty() ? file : rewritten)) std::abort();
  return 0;
}
