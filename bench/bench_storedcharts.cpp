// The charts of stored rows on a GraphData of 1 000 000 rows with an index on number: the
// Database button from click to drawn chart, and an operator's query of 100 000 rows charted.
#include "BenchDatabase.h"
#include "BenchSupport.h"
#include "chart/ChartFonts.h"
#include "chart/PainterSurface.h"
#include "chart/Twips.h"
#include "database/PeriodQuery.h"
#include "database/RecentRecords.h"

#include <QGuiApplication>
#include <QTemporaryDir>

using namespace kelvane;

namespace {

constexpr double kDotsPerInch = 96;

struct FailOnMessage : MessageSink {
  void show(const QString& text, MessageIcon, const QString&) override { qFatal("handler failed: %s", qPrintable(text)); }
};

struct NoLabels : ClockLabels {
  void setTimeCaption(const QString&) override {}
  void setDateCaption(const QString&) override {}
  void setTimeVisible(bool) override {}
  void setDateVisible(bool) override {}
};

struct Query : QueryDialogView {
  QString queryText() const override { return text; }
  void setQueryText(const QString& query) override { text = query; }
  QString text;
};

struct BenchWindow : MainWindowView {
  ClockLabels& clockLabels() override { return labels; }
  DrawingSurface& graphField() override { return picture; }
  QString entryText() const override { return {}; }
  void clearEntry() override {}
  void setFullScreenEnabled(bool) override {}
  void appendResult(const QString&, const QString&, const QString&) override {}
  void clearResults() override {}
  FullScreenView& fullScreenWindow() override { qFatal("not used"); }
  QueryDialogView& showQueryDialog() override { return query; }
  void unloadQueryDialog() override {}

  NoLabels labels;
  PainterSurface picture{twipsToPixels(6855, kDotsPerInch), twipsToPixels(5895, kDotsPerInch), 2, kDotsPerInch};
  Query query;
};

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  installChartFonts();
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("measurements.db"));
  bench::createGraphData(path, 1000000);

  SystemClock clock;
  FailOnMessage messages;
  const Environment env{clock, RegionalForms(QLocale(QLocale::English, QLocale::UnitedKingdom)), messages};
  ProgramState state;
  state.DatabasePath = path;
  BenchWindow window;
  Program program{state, env, window};

  const bench::Timings recent = bench::measure([&] { btnSPRT_Click(program); }, 200, 3000);
  bench::report(QStringLiteral("Database button on 1 000 000 rows, median"), recent.median(), 5);
  bench::report(QStringLiteral("Database button on 1 000 000 rows, p99"), recent.p99());

  window.query.text = QStringLiteral("SELECT Date, Time, number, Data FROM GraphData WHERE number > 450000 AND number <= 550000");
  const bench::Timings query = bench::measure([&] { btnSelect_Click(program, window.query); }, 5, 5000);
  if (state.ChartRecordCount != 100000) qFatal("the query charted %d rows", state.ChartRecordCount);
  bench::report(QStringLiteral("operator query of 100 000 rows charted, median"), query.median(), 1000);
  return 0;
}
