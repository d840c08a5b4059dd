#pragma once

#include "CompactRows.h"
#include "chart/ChartRecord.h"
#include "chart/DrawingSurface.h"
#include "state/Program.h"

namespace kelvane {

// The series of the main window's stored charts, and of the full-screen window's.
constexpr int kMainSeries = 1;
constexpr int kFullScreenSeries = 4;

// One chart of stored rows, as the Database button, the query dialog and the full-screen window
// draw it: a record with its defaults and one series visible, the rows read off the
// user-interface thread on connections of their own (which are closed on every way out), then
// loaded and drawn. The program state changes in the order the charts have always changed it; a
// read that fails or is cancelled raises its error where the rows are opened.
class StoredChart {
 public:
  // withDates: whether PointDates takes the rows' dates.
  StoredChart(Program& program, int series, bool withDates);

  // The most recent rows in ascending number order: the newest 20 of a longer table, all rows of
  // a shorter one. The table is counted first, and ChartRecordCount is that count. False when it
  // is empty.
  bool openRecentRows(bool allColumns);
  // The largest number of the rows opened; none from an empty table.
  std::optional<double> newest() const { return rows_.newest; }
  // The operator's text, unchanged, where it cannot write. False when it returns no row.
  // withNewest: newest() tells the largest number of the rows.
  bool openQuery(const QString& sql, bool withNewest = false);
  // Rows held already, as those of a chart that follows new rows.
  void show(CompactRows rows);
  const CompactRows& rows() const { return rows_; }
  // How rows are to be loaded into this chart.
  LoadPlan plan() const;
  // Hides the clock of the main window, whose date label takes the Date of the first row.
  void hideClock(ClockLabels& clock) const;
  // ChartRecordCount becomes the number of rows; they are loaded into the series, PointLabels and
  // PointDates, and drawn on the picture.
  void draw(DrawingSurface& picture);

 private:
  // Runs the work as a job of the program's reader while the window waits for it.
  template <typename T>
  T read(std::function<T(JobControl&)> work);

  Program& program_;
  const int series_;
  const bool withDates_;
  ChartRecord record_;
  CompactRows rows_;
  qint32 count_ = 0;
};

}  // namespace kelvane
