#pragma once

#include <QString>

namespace kelvane::stdKelvane {

// The axis-label text of a Single: "-" for negatives, "." as decimal point whatever the locale,
// no leading zero before the point (".5"), at most 7 significant digits, integers without a point.
QString NumberText(float value);

}  // namespace kelvane::stdKelvane
