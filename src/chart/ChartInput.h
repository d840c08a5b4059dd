#pragma once

#include "ChartRecord.h"
#include "TimeLine.h"
#include "state/LeakLimits.h"
#include "state/Period.h"
#include "state/PointTexts.h"
#include "state/RowColumns.h"

#include <QList>
#include <QString>
#include <QTime>

#include <algorithm>

#include <memory>
#include <optional>
#include <vector>

namespace kelvane {

// The live chart's window of the newest values, as the renderer places them: the record's points
// 1.. are the window's slots from its start on.
struct LiveWindow {
  qint32 pointCounter = 0;  // one past the last point staged
  qint32 scrollCount = 0;   // how often the window has moved on
  QTime lastEntryTime;      // printed beside the newest point
  bool fullScreen = false;  // the full-screen window's layout of that label
  // The entry number of each value in the window, oldest first, for the value under the pointer.
  QList<qint64> entryNumbers;
};

// One series of stored rows: its rows of the columns, their Data as the chart carries them (times
// 10000, as Singles; values[p - 1] is record p's), and the name and colour it is drawn in.
struct ChartSeries {
  ShownRows rows;
  QList<float> values;
  QString name;
  Colour colour = 0;
  bool unreadable = false;  // a station that could not be read: no rows, its name struck through
};

// Where a chart's rows come from, as a printed page names them: the database, and the operator's
// query with the period it reads, when a query charted them.
struct ChartSource {
  QString database;
  std::optional<QString> query;
  std::optional<Period> period;
};

// All a chart draws: the record (axes, range, colours and the live chart's values), the live window
// or the series of stored rows, the labels of stored records, and how they are shown.
struct ChartInput {
  ChartRecord record;
  std::optional<LiveWindow> live;  // none for a chart of stored rows
  std::vector<ChartSeries> series;
  PointTexts labels;  // each stored record's number or Time, from 1
  PointTexts dates;   // and its Date
  bool datesUnderLabels = false;  // the Database button's charts and queries print the dates of new days
  bool exactXRange = false;       // the X range ends at XMax, not two slots before
  bool timeScale = false;         // stored rows at their moments
  std::optional<TimeSpan> span;   // on the time scale: a period's or a zoom's moments, else first to last
  std::optional<LeakLimits> limits;
  float yLabelStep = 1;
  // The X at which the Y axis stands: the live window's first slot, which charts of stored rows
  // drawn after it keep.
  float windowStart = 0;
  ChartSource source;

  bool stored() const { return !live.has_value(); }
  // Whether it shows stored rows: a series with a row at least.
  bool showsStoredRows() const {
    return stored() && std::any_of(series.begin(), series.end(), [](const ChartSeries& one) {
             return one.rows.columns && one.rows.count > 0;
           });
  }
  // Stored rows of several stations, each a series, named in a legend and drawn on the time scale.
  bool severalStations() const { return stored() && series.size() > 1; }
};

// The frame a chart was drawn in: its plot ranges in data units, the surface's scale (twips per
// unit) and, on the time scale, each series' rows in time order.
struct ChartFrame {
  float margin = 0, xMin = 0, xMax = 0, yMin = 0, yMax = 0;
  float scaleX = 0, scaleY = 0;
  std::vector<std::shared_ptr<const TimeLine>> timeLines;

  // The first series' rows in time order on the time scale; none by record.
  const TimeLine* timeLine() const { return timeLines.empty() ? nullptr : timeLines.front().get(); }
};

}  // namespace kelvane
