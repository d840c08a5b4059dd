#pragma once

#include "entry/Program.h"

namespace kelvane {

// The Database button: charts the 20 rows of GraphData with the largest number, oldest first,
// or all rows when there are fewer. An empty table leaves the chart as it is; any failure is
// reported with message 49 and the database layer's reason.
void btnSPRT_Click(Program& program);

// What the Database button does, for following new rows too: false when it failed or was
// cancelled. Followable tells what the chart then holds.
bool chartRecentRows(Program& program);

}  // namespace kelvane
