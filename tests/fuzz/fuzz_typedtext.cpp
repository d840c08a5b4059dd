// Whatever an operator types is read as a finite number or refused, under any regional settings,
// and a number read is charted as the Input button charts it.
#include "chart/DrawChart.h"
#include "support/RecordingSurface.h"
#include "chart/Single.h"
#include "entry/NumberInput.h"
#include "chart/VerticalRange.h"
#include "support/TestEnvironment.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdlib>

using namespace kelvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static testing::TestEnvironment test;
  static const QLocale locales[] = {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedKingdom),
                                    QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::French, QLocale::Switzerland),
                                    QLocale(QLocale::Arabic, QLocale::Egypt), QLocale(QLocale::Hindi, QLocale::India)};
  FuzzedDataProvider in(data, size);
  const QLocale& locale = locales[in.ConsumeIntegralInRange<size_t>(0, std::size(locales) - 1)];
  const QString text = QString::fromUtf8(in.ConsumeRemainingBytesAsString().c_str());
  try {
    if (!std::isfinite(typedSingle(text, locale))) std::abort();
  } catch (const RuntimeError&) {
  }
  try {
    const double scaled = typedDouble(text, locale) * 10000;
    toSingle(scaled);  // as the press, which refuses what the chart cannot carry
    ChartInput input;
    stdKelvane::InitChartRecord(input.record, false);
    input.live = LiveWindow{3, 0, {}, false, {}};  // one value in the window
    input.record.SeriesVisible.at(1) = true;
    input.record.Values.at(1, 1) = toSingle(scaled);
    applyVerticalRange(kLiveRange, input.record, input.yLabelStep, scaled);
    RecordingSurface picture(6855, 5895);
    stdKelvane::DrawChart(picture, input, test.env);
  } catch (const RuntimeError&) {
  }
  return 0;
}
