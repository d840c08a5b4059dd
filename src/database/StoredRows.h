#pragma once

#include "CompactRows.h"
#include "chart/ChartInput.h"
#include "state/ProgramState.h"

namespace kelvane {

// Copies count rows into the series (Data times 10000) and into PointLabels (number or Time, as
// NumberOnX says) and, withDates, PointDates, resized to 1..count keeping the entries that fit.
// Widens the record's vertical range to the values, with a coarser label step from 20 on. Where
// the read stopped loading, the rows before are loaded and the error is raised: an empty Data
// value raises InvalidUseOfNull, one that is no number TypeMismatch, too few rows NoCurrentRecord.
// The series and the tables take the rows' columns as they are, without a copy.
void LoadChartRows(const CompactRows& rows, qint32 count, ChartRecord& record, ChartSeries& series, bool withDates,
                   ProgramState& state);

}  // namespace kelvane
