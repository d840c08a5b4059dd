#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTimeZone>

#include <functional>

namespace kelvane::testing {

// A number from 0 up to bound - 1: from a generator with a fixed seed in a test, from the fuzzer's
// bytes in a fuzz target.
using Pick = std::function<quint32(quint32 bound)>;

// Rows of GraphData in number order, as a collector, late deliveries, a clock set back and copies'
// files taken up leave them: Date and Time in the British forms of the local wall clock of a zone.
struct OracleCase {
  QTimeZone zone;
  QStringList dates, times;
  QList<double> data;     // each held by a Single
  QList<double> numbers;  // as written; the rows come in their order, or as a query may give them
  bool timeScale = true;
  bool limits = false;
  double pixelRatio = 1;
};

// Rows out of time order, of equal moments, with gaps, with no moment, across the clocks' changes
// of spring and autumn in Berlin, in the order of their numbers or against it; up to mostRows of
// them.
OracleCase randomCase(const Pick& pick, int mostRows);

// The chart of the rows, its zoom into a span, summary and leak decisions as the program makes
// them, against each worked out plainly: the picture against one drawn through every point, the
// rest against loops over the rows in the time order of their moments. The first disagreement in
// words; empty when all agree.
QString disagreement(const OracleCase& oracle, const Pick& pick);

}  // namespace kelvane::testing
