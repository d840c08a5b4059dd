// The charts of stored rows on a GraphData of 1 000 000 rows with an index on number: the
// Database button from click to drawn chart, and an operator's query of 100 000 rows charted.
#include "BenchDatabase.h"
#include "BenchSupport.h"
#include "chart/ChartFonts.h"
#include "database/PeriodQuery.h"
#include "database/RecentRecords.h"

#include <QGuiApplication>
#include <QTemporaryDir>

using namespace kelvane;

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  installChartFonts();
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("measurements.db"));
  bench::createGraphData(path, 1000000);

  bench::BenchProgram station;
  ProgramState& state = station.state;
  state.DatabasePath = path;
  Program& program = station.program;
  testing::FakeQueryDialog query;

  const bench::Timings recent = bench::measure([&] { btnSPRT_Click(program); }, 200, 3000);
  bench::report(QStringLiteral("Database button on 1 000 000 rows, median"), recent.median(), 5);
  bench::report(QStringLiteral("Database button on 1 000 000 rows, p99"), recent.p99());

  query.text = QStringLiteral("SELECT Date, Time, number, Data FROM GraphData WHERE number > 450000 AND number <= 550000");
  const bench::Timings charted = bench::measure([&] { btnSelect_Click(program, query); }, 5, 5000);
  if (state.ChartRecordCount != 100000) qFatal("the query charted %d rows", state.ChartRecordCount);
  station.requireNoMessage();
  bench::report(QStringLiteral("operator query of 100 000 rows charted, median"), charted.median(), 1000);
  return 0;
}
