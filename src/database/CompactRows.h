#pragma once

#include "RowSource.h"
#include "state/PointTexts.h"
#include "state/RuntimeError.h"

#include <QList>
#include <QLocale>

#include <atomic>
#include <memory>
#include <optional>

namespace kelvane {

// How the rows of a chart are to be loaded: what LoadChartRows will do with them.
struct LoadPlan {
  QString labelField;  // "Number" or "Time", as NumberOnX says
  bool withDates = true;
  qint32 limit = -1;  // at most this many rows are read; -1 for all of them
  float yMin = 0, yMax = 0, yLabelStep = 0;  // the vertical range the loading starts from
  QLocale locale;  // a Data text is read as a typed value is
  bool withNewest = false;  // whether the largest number of the rows is kept
};

// How far a read has come, and whether it is to end: shared with the thread that cancels it.
struct ReadProgress {
  std::atomic<qint64> rows{0};
  std::atomic<bool> cancelled{false};
};

// The rows of one result as a chart takes them, held compactly: Data times 10000 as the chart's
// Single, and the label and the Date in columns of 8 bytes a row (20 bytes a row in all).
// Loading stops where LoadChartRows would stop: at the first row whose Data is empty, no number
// or too large, or whose result lacks a column it reads; the rows after it are only counted.
struct CompactRows {
  qint32 count = 0;     // the rows of the result, at most as many as asked for
  qint32 loaded = 0;    // the rows loaded in full, from the first on
  QList<float> values;  // one a row of the result; 0 after the rows loaded
  std::shared_ptr<StoredColumn> labels = std::make_shared<StoredColumn>();
  std::shared_ptr<StoredColumn> dates = std::make_shared<StoredColumn>();
  std::optional<QVariant> firstDate;  // none when the result has no Date
  std::optional<double> newest;  // the largest number of the rows loaded, when the plan asks for it
  float yMin = 0, yMax = 0, yLabelStep = 0;  // the vertical range after the rows loaded
  std::optional<RuntimeError> stop;  // what ended the loading at row loaded + 1
};

// Reads the rows into compact rows, widening the vertical range from the plan's row by row as
// LoadChartRows does; a cancel ends the read with error OperationCancelled.
CompactRows readRows(RowCursor& rows, const LoadPlan& plan, ReadProgress& progress);
// Counts the rows.
qint32 countRows(RowCursor& rows, ReadProgress& progress);

}  // namespace kelvane
