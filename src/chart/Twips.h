#pragma once

#include <cmath>

namespace kelvane {

// Window designs and chart lengths are in twips, 1/1440 inch; the screen's logical resolution
// turns them into pixels here and nowhere else.
constexpr double kTwipsPerInch = 1440;

inline int twipsToPixels(double twips, double dotsPerInch) { return int(std::lround(twips * dotsPerInch / kTwipsPerInch)); }
inline double pixelsToTwips(double pixels, double dotsPerInch) { return pixels * kTwipsPerInch / dotsPerInch; }

}  // namespace kelvane
