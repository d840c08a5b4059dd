#pragma once

#include "ChartPoints.h"
#include "DrawingSurface.h"
#include "state/Services.h"

namespace kelvane {

// Whether the chart is one of stored rows, into which a range of records can be zoomed.
bool zoomable(const KeptChart& chart);

// Draws on the picture the chart of records first..last (either way round) of the chart of stored
// rows it shows, as a chart of just those rows is drawn: their values, labels and dates, the
// vertical range widened from the defaults by their Data values. The chart has a state of its own:
// the program's is not touched, and nothing is read from the database. A live chart, or fewer
// than two records, leave the picture as it is.
void zoomInto(DrawingSurface& picture, int first, int last, const Environment& env);

// The same for the moments of the span (within the chart's X range) of a chart on the time scale:
// the zoom shows its rows over just that span, its vertical range widened by them. Fewer than
// two rows in it leave the picture as it is.
void zoomIntoSpan(DrawingSurface& picture, TimeSpan span, const Environment& env);

// A drag from one position to the other: on the time scale the moments between them, otherwise
// the records nearest to them in x.
void zoomBetween(DrawingSurface& picture, PicturePosition from, PicturePosition to, const Environment& env);

// Draws the whole chart again while the picture shows a zoom into it.
void zoomOut(DrawingSurface& picture, const Environment& env);

}  // namespace kelvane
