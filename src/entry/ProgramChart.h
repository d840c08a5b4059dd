#pragma once

#include "chart/ChartInput.h"
#include "chart/DrawingSurface.h"
#include "state/ProgramState.h"
#include "state/Services.h"

#include <optional>

namespace kelvane {

// Gives the record its defaults for the program's next chart (an exact X range while ExactXRange),
// and YLabelStep the step that goes with them.
void prepareChartRecord(ProgramState& state, ChartRecord& record);

// What a chart draws of the program's state: the live window while LiveChart, else the series of
// stored rows with PointLabels and PointDates; the limits, the time scale, and the period a query
// charted as the span of its time scale.
// stations: the series of the stations beside the chosen database, drawn after its own.
ChartInput chartInput(const ProgramState& state, const ChartRecord& record, const RegionalForms& regional,
                      std::optional<ChartSeries> series = std::nullopt, std::vector<ChartSeries> stations = {});

// Draws that chart on the picture.
ChartFrame drawChart(DrawingSurface& picture, const ProgramState& state, const ChartRecord& record,
                     const Environment& env, std::optional<ChartSeries> series = std::nullopt,
                     std::vector<ChartSeries> stations = {});

}  // namespace kelvane
