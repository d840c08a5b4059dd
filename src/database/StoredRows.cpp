#include "StoredRows.h"

#include <algorithm>

namespace kelvane {

void LoadChartRows(const CompactRows& rows, qint32 count, ChartRecord& record, ChartSeries& series, bool withDates,
                   ProgramState& state) {
  state.PointLabels.redimPreserve(1, count);
  if (withDates) state.PointDates.redimPreserve(1, count);
  series.rows = {rows.columns, rows.first, count};
  series.values = rows.values;
  if (series.values.size() != count) series.values.resize(count);  // only then: a resize copies the shared values
  // The columns may hold rows before the first, and fewer after it than the count.
  const auto within = [&](const StoredColumn& column) {
    return std::clamp<qsizetype>(column.size() - rows.first, 0, count);
  };
  state.PointLabels.assign(1, rows.labels, within(*rows.labels), rows.first);
  const std::shared_ptr<const StoredColumn> dates = rows.columns->date;
  if (withDates) state.PointDates.assign(1, dates, within(*dates), rows.first);
  const qint32 loaded = std::min(rows.loaded, count);
  if (loaded > 0) record.XMax = float(count);
  record.YMin = rows.yMin;
  record.YMax = rows.yMax;
  state.YLabelStep = rows.yLabelStep;
  if (loaded < count) throw rows.stop ? *rows.stop : noCurrentRecordError();
}

}  // namespace kelvane
