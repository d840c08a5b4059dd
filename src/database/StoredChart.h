#pragma once

#include "Connection.h"
#include "Recordset.h"
#include "chart/ChartRecord.h"
#include "chart/DrawingSurface.h"
#include "state/Program.h"

namespace kelvane {

// The series of the main window's stored charts, and of the full-screen window's.
constexpr int kMainSeries = 1;
constexpr int kFullScreenSeries = 4;

// One chart of stored rows, as the Database button, the query dialog and the full-screen window
// draw it: a record with its defaults and one series visible, the rows opened on a connection of
// its own, then loaded and drawn. The connection is closed on every way out.
class StoredChart {
 public:
  StoredChart(Program& program, int series);

  // The most recent rows in ascending number order: the newest 20 of a longer table, all rows of
  // a shorter one. The table is counted first, and ChartRecordCount is that count. False when it
  // is empty.
  bool openRecentRows(bool allColumns);
  // The operator's text, unchanged, where it cannot write. False when it returns no row.
  bool openQuery(const QString& sql);
  // Hides the clock of the main window, whose date label takes the Date of the first row.
  void hideClock(ClockLabels& clock) const;
  // ChartRecordCount becomes the number of rows; they are loaded into the series, PointLabels and
  // (withDates) PointDates, and drawn on the picture.
  void draw(DrawingSurface& picture, bool withDates);

 private:
  Program& program_;
  const int series_;
  ChartRecord record_;
  Connection connection_;
  Recordset rows_;
  qint32 count_ = 0;
};

}  // namespace kelvane
