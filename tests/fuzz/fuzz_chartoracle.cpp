// Charts of rows in any order agree with plain loops over the rows in time order: the picture with
// one drawn through every point, the zoom's rows, the summary and the leak decisions.
#include "chart/ChartFonts.h"
#include "support/ChartOracle.h"

#include <QGuiApplication>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

using namespace kelvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static int argc = 1;
  static char name[] = "fuzz_chartoracle";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* application = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    auto* app = new QGuiApplication(argc, argv);
    installChartFonts();
    return app;
  }();
  (void)application;
  FuzzedDataProvider in(data, size);
  const testing::Pick pick = [&](quint32 bound) { return bound == 0 ? 0u : in.ConsumeIntegralInRange<quint32>(0, bound - 1); };
  const testing::OracleCase oracle = testing::randomCase(pick, 1500);
  const QString found = testing::disagreement(oracle, pick);
  if (!found.isEmpty()) {
    std::fprintf(stderr, "%s\nzone %s, time scale %d, limits %d, pixel ratio %g; rows:\n", qPrintable(found),
                 oracle.zone.id().constData(), oracle.timeScale, oracle.limits, oracle.pixelRatio);
    for (int n = 0; n < oracle.data.size(); ++n)
      std::fprintf(stderr, "%d %s %s %g\n", n + 1, qPrintable(oracle.dates[n]), qPrintable(oracle.times[n]), oracle.data[n]);
    std::abort();
  }
  return 0;
}
