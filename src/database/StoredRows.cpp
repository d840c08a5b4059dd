#include "StoredRows.h"

#include "chart/Single.h"
#include "chart/VerticalRange.h"
#include "entry/NumberInput.h"
#include "state/RuntimeError.h"

namespace kelvane {

namespace {

// A stored Data value as a number: texts are read as typed values are.
double numberOf(const QVariant& data, const RegionalForms& regional) {
  if (data.isNull()) throw invalidUseOfNullError();
  if (data.metaType().id() == QMetaType::QString) return typedDouble(data.toString(), regional.locale());
  bool ok = false;
  const double value = data.toDouble(&ok);
  if (!ok) throw typeMismatchError();
  return value;
}

}  // namespace

void LoadChartRows(Recordset& rows, qint32 count, ChartRecord& record, int series, bool withDates, ProgramState& state,
                   const RegionalForms& regional) {
  record.Values.redim(1, count, 1, record.SeriesCount);
  state.PointLabels.redimPreserve(1, count);
  if (withDates) state.PointDates.redimPreserve(1, count);
  const QString labelField = state.NumberOnX ? QStringLiteral("Number") : QStringLiteral("Time");
  for (qint32 i = 1; i <= count; ++i) {
    const double d = numberOf(rows.Fields(QStringLiteral("Data")), regional);
    record.Values.at(i, series) = singleProduct(d, 10000);
    state.PointLabels.at(i) = rows.Fields(labelField);
    if (withDates) state.PointDates.at(i) = rows.Fields(QStringLiteral("Date"));
    record.XMax = float(count);
    applyVerticalRange(kStoredRange, record, state.YLabelStep, d);
    rows.Move(1);
  }
}

}  // namespace kelvane
