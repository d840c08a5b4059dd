#pragma once

namespace kelvane {

// Makes "Tahoma" resolve: the real face where the machine has it (Debian's fonts-wine ships a
// metric-compatible one outside fontconfig's path), DejaVu Sans otherwise. Needs a running
// QGuiApplication; later calls do nothing.
void installChartFonts();

}  // namespace kelvane
