#pragma once

#include "DrawingSurface.h"
#include "state/RegionalForms.h"

#include <optional>

namespace kelvane {

// A position on a picture in the coordinate system its chart was drawn in, and the width of half
// a pixel of the picture in the same units.
struct PicturePosition {
  float x = 0, y = 0;
  float halfPixel = 0;
};

// The point of a kept chart nearest to a position: a record of a stored chart or a point of the
// live chart's window, counted from 1. Nearest in x (in time on the time scale); of the records
// that crowd into the pixel column under the position, the nearest in y. None when the chart shows
// no point. Found from the chart's scale, without passing over its points.
std::optional<int> pointNearest(const KeptChart& chart, const PicturePosition& at);

// What lblCursor shows of a point, in the regional forms and three blanks apart: the number, Time,
// Date and Data of a stored record, the entry number and value of a live point.
// series: the stored series the record is of, from 0.
QString pointCaption(const KeptChart& chart, int point, const RegionalForms& regional, std::size_t series = 0);

// What lblCursor shows on a chart of several stations: each station's row nearest in time to the
// position, as pointCaption has it, after the station's name; a station without rows is left out.
QString stationsCaption(const KeptChart& chart, const PicturePosition& at, const RegionalForms& regional);

// A Data value as read: as the Single that holds it, or else as a Double.
QString dataText(double value, const RegionalForms& regional);

}  // namespace kelvane
