#pragma once

#include "chart/ChartRecord.h"
#include "database/Recordset.h"
#include "state/ProgramState.h"
#include "state/RegionalForms.h"

namespace kelvane {

// Copies count rows, from the current row on, into the record's series (Data times 10000) and
// into PointLabels (number or Time, as NumberOnX says) and, withDates, PointDates. Widens the
// vertical range to the values, with a coarser label step from 20 on. A Data value that is no
// number raises TypeMismatch, an empty one InvalidUseOfNull.
void LoadChartRows(Recordset& rows, qint32 count, ChartRecord& record, int series, bool withDates, ProgramState& state,
                   const RegionalForms& regional);

}  // namespace kelvane
