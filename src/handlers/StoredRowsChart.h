#pragma once

#include "database/CompactRows.h"
#include "database/StationReads.h"
#include "entry/Program.h"
#include "state/TextResources.h"

#include <QString>

#include <optional>
#include <variant>

namespace kelvane {

class RuntimeError;

// The rows a chart of stored rows shows: the table's most recent rows, the rows of a query, or rows
// held already (those of a chart that follows new rows).
struct RecentRowsWanted {
  bool allColumns = false;
};
struct QueryRowsWanted {
  QString sql;
  bool withNewest = false;  // whether the largest number of the rows is told
};
using RowsToChart = std::variant<RecentRowsWanted, QueryRowsWanted, CompactRows>;

// The main window's picture, whose clock gives way to the first row's date, or the full-screen
// window's, which draws in the mode the main window is in.
enum class ChartPicture { Main, FullScreen };

struct ChartedRows {
  bool any = false;  // whether a row came, and so was drawn
  std::optional<double> newest;
  std::vector<FollowableChart::FollowedStation> stations;  // those charted beside, to follow
};

// Charts stored rows as every chart of them is charted: the chart's defaults, the rows read off the
// window's thread within the read's progress dialog, loaded and drawn. No row leaves the picture as
// it is. A read that fails or is cancelled raises its error before anything is drawn.
// While stations are set (Database > Stations...), each is read as the chosen database is, at
// once, and charted beside it; those that could not be read are named in one message. Rows held
// already come with the stations' rows held.
ChartedRows chartStoredRows(Program& program, RowsToChart rows, ChartPicture where,
                            std::vector<StationRows> heldStations = {});

// A failure of a chart of stored rows told with the text and the reason; a cancel ends it without
// a word.
void reportUnlessCancelled(Program& program, TextId text, const RuntimeError& error);

}  // namespace kelvane
