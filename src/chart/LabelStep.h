#pragma once

#include "ChartInput.h"
#include "DrawingSurface.h"
#include "state/Services.h"

#include <QString>

namespace kelvane::stdKelvane {

// How many records apart the X labels of a stored chart are printed: the smallest of 1, 2, 5,
// 10, 20, 50, ... that keeps the labels of one row, two steps apart, from touching, judged by the
// widest of a few of the labels in the font they are printed in. Ticks and grid lines follow it.
double storedLabelStep(const DrawingSurface& picture, const ChartFrame& frame, const PointTexts& labels,
                       const Environment& env, const QString& fontName, float points);

}  // namespace kelvane::stdKelvane
