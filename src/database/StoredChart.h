#pragma once

#include "CompactRows.h"
#include "StationReads.h"
#include "chart/ChartRecord.h"
#include "chart/DrawingSurface.h"
#include "entry/Program.h"

namespace kelvane {

// The series of the main window's stored charts, and of the full-screen window's.
constexpr int kMainSeries = 1;
constexpr int kFullScreenSeries = 4;

// How rows are loaded into a chart of stored rows: its labels, Data texts as the regional settings
// read a typed value, from the chart's first vertical range on, within the program's read budget.
LoadPlan storedRowsPlan(const Program& program, bool withDates = true);

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
  // Rows held already, as those of a chart that follows new rows; their vertical range is widened
  // anew from the chart's first.
  void show(CompactRows rows);
  const CompactRows& rows() const { return rows_; }
  // The stations beside the chosen database (Database > Stations...), read with it at once, each
  // on a worker of its own: each station's rows, or why it could not be read. A cancel ends them
  // all; only a failure of the chosen database's read is raised.
  const std::vector<StationRows>& stations() const { return stations_; }
  // Rows held already of the stations.
  void showStations(std::vector<StationRows> stations);
  // Hides the clock of the main window, whose date label takes the Date of the first row.
  void hideClock(ClockLabels& clock) const;
  // ChartRecordCount becomes the number of rows; they are loaded into the series, PointLabels and
  // PointDates, and drawn on the picture.
  void draw(DrawingSurface& picture);

 private:
  // Runs the work as a job of the program's reader while the window waits for it.
  template <typename T>
  T read(std::function<T(JobControl&)> work);
  // The chosen database's read and the same read of each station, at once, as one job.
  template <typename T>
  std::vector<Outcome<T>> readEach(std::function<T(const QString&, JobControl&)> readOne);
  // The stations' series, after the chosen database's, in their colours; the record's vertical
  // range widened to their values.
  std::vector<ChartSeries> stationSeries();

  Program& program_;
  const int series_;
  const bool withDates_;
  ChartRecord record_;
  CompactRows rows_;
  qint32 count_ = 0;
  const QList<ComparedStation> stationsSet_;
  std::vector<StationRows> stations_;
};

}  // namespace kelvane
