// Any chart an input can describe is drawn, and drawn in bounded time.
#include "chart/DrawChart.h"
#include "support/RecordingSurface.h"
#include "support/TestEnvironment.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstring>

using namespace kelvane;

namespace {

// Small whole numbers and the powers of ten of the range rules find more than evenly spread values.
float anyValue(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0: return float(in.ConsumeIntegralInRange(-40, 40));
    case 1: return (in.ConsumeBool() ? -1 : 1) * std::pow(10.0f, float(in.ConsumeIntegralInRange(0, 38)));
    case 2: return in.ConsumeFloatingPointInRange(-3.4e38f, 3.4e38f);
    default: {
      const quint32 bits = in.ConsumeIntegral<quint32>();  // NaN, infinities and subnormals too
      float value;
      std::memcpy(&value, &bits, sizeof value);
      return value;
    }
  }
}

QVariant anyEntry(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0: return QVariant();
    case 1: return anyValue(in);
    default: return QString::fromStdString(in.ConsumeRandomLengthString(12));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static testing::TestEnvironment test;
  FuzzedDataProvider in(data, size);
  ChartInput input;
  input.exactXRange = in.ConsumeBool();
  ChartRecord& record = input.record;
  stdKelvane::InitChartRecord(record, input.exactXRange);
  if (in.ConsumeBool())
    input.live = LiveWindow{in.ConsumeIntegral<qint32>(), in.ConsumeIntegral<qint32>(),
                            QTime::fromMSecsSinceStartOfDay(in.ConsumeIntegralInRange(0, 86399999)), in.ConsumeBool(), {}};
  input.datesUnderLabels = in.ConsumeBool();
  record.XMin = anyValue(in);
  record.XMax = anyValue(in);
  record.YMin = anyValue(in);
  record.YMax = anyValue(in);
  input.yLabelStep = anyValue(in);
  input.windowStart = anyValue(in);
  record.EqualScale = in.ConsumeBool();
  record.ShowXLabels = in.ConsumeBool();
  record.ShowYLabels = in.ConsumeBool();
  record.ShowXGrid = in.ConsumeBool();
  record.ShowYGrid = in.ConsumeBool();
  for (int k = 1; k <= record.SeriesCount; ++k) record.SeriesVisible.at(k) = in.ConsumeBool();

  const int low = in.ConsumeIntegralInRange(-2, 2), rows = in.ConsumeIntegralInRange(0, 40);
  record.Values.redim(low, low + rows - 1, in.ConsumeIntegralInRange(0, 2), in.ConsumeIntegralInRange(0, 6));
  for (int p = low; p < low + rows; ++p)
    for (int k = 1; k <= record.SeriesCount; ++k)
      if (record.Values.contains(p, k)) record.Values.at(p, k) = anyValue(in);
  const int labels = in.ConsumeIntegralInRange(0, 40);
  input.labels.redim(1, labels);
  input.dates.redim(1, in.ConsumeIntegralInRange(0, 40));
  for (int i = 1; i <= labels; ++i) input.labels.set(i, anyEntry(in));
  for (int i = 1; input.dates.contains(i); ++i) input.dates.set(i, anyEntry(in));

  if (in.ConsumeBool()) input.limits = LeakLimits{anyValue(in), anyValue(in), LimitForm::LogRatio, {}, {}};

  RecordingSurface picture(in.ConsumeFloatingPointInRange(0.0f, 20000.0f), in.ConsumeFloatingPointInRange(0.0f, 20000.0f));
  stdKelvane::DrawChart(picture, input, test.env);
  return 0;
}
