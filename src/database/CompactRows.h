#pragma once

#include "RowSource.h"
#include "chart/DrawingSurface.h"
#include "state/Background.h"
#include "state/ReadBudget.h"
#include "state/RowColumns.h"
#include "state/RuntimeError.h"

#include <QList>
#include <QLocale>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

namespace kelvane {

// How the rows of a chart are to be loaded: what LoadChartRows will do with them.
struct LoadPlan {
  bool numberOnX = false;  // the label of a row is its number, or else its Time
  bool withDates = true;
  qint32 limit = -1;  // at most this many rows are read; -1 for all of them
  float yMin = 0, yMax = 0, yLabelStep = 0;  // the vertical range the loading starts from
  QLocale locale;  // a Data text is read as a typed value is
  bool withNewest = false;  // whether the largest number of the rows is kept
  ReadBudget budget = ReadBudget::ofThisMachine();  // a read that would pass it ends, nothing loaded
};

// The rows of one result as a chart takes them, held compactly: Data times 10000 as the chart's
// Single, and number, Time, Date and Data as read in columns of 4 bytes a row while their values
// fit in them (20 bytes a row in all for the rows the program and the collector write).
// Loading stops where LoadChartRows would stop: at the first row whose Data is empty, no number
// or too large, or whose result lacks a column it reads; the rows after it are only counted.
struct CompactRows {
  qint32 count = 0;     // the rows of the result, at most as many as asked for
  qint32 loaded = 0;    // the rows loaded in full, from the first on
  QList<float> values;  // one a row of the result; 0 after the rows loaded
  std::shared_ptr<const RowColumns> columns = std::make_shared<RowColumns>();
  qsizetype first = 0;  // the row of the columns the result's first row is
  std::shared_ptr<const StoredColumn> labels;  // the column of number or Time, as the plan's label field says
  std::optional<QVariant> firstDate;  // none when the result has no Date
  std::optional<double> newest;  // the largest number of the rows loaded, when the plan asks for it
  float yMin = 0, yMax = 0, yLabelStep = 0;  // the vertical range after the rows loaded
  std::optional<RuntimeError> stop;  // what ended the loading at row loaded + 1
};

// Reads the rows into compact rows, widening the vertical range from the plan's row by row as
// LoadChartRows does; the job's progress is the rows read, and its stop ends the read with error
// OperationCancelled. A read that would pass the plan's budget ends with its error.
CompactRows readRows(RowCursor& rows, const LoadPlan& plan, JobControl& job);
// Counts the rows.
qint32 countRows(RowCursor& rows, JobControl& job);

// For charts that follow new rows. Each keeps the columns it was given as they are (a kept chart
// may show them): the rows go on in columns of their own. The vertical range is widened anew once
// the rows are as they are to be charted.
// The rows a kept chart of stored rows shows, as read: its series, its rows, and their labels as
// the plan's label field says.
// series: which of its stored series, from 0.
CompactRows rowsShown(const KeptChart& chart, const LoadPlan& plan, std::size_t series = 0);
// The rows, loaded in full, then those of a later read.
CompactRows joined(const CompactRows& rows, const CompactRows& later, const LoadPlan& plan);
// Whether every row loaded of a later read is numbered above the last row of the rows.
bool numberedAfter(const CompactRows& rows, const CompactRows& later);
// The rows, loaded in full and in number order, and those of a later read in number order, merged
// into number order.
CompactRows mergedByNumber(const CompactRows& rows, const CompactRows& later, const LoadPlan& plan);
// The rows from the count-th on.
CompactRows withoutFirst(const CompactRows& rows, qint32 count, const LoadPlan& plan);
// The rows loaded of which keep(row of the columns) holds, and those not loaded.
CompactRows rowsWhere(const CompactRows& rows, const std::function<bool(qsizetype)>& keep, const LoadPlan& plan);
// The vertical range widened from the plan's over the rows loaded, as reading widens it.
void widenRange(CompactRows& rows, const LoadPlan& plan);

}  // namespace kelvane
