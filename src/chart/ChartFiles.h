#pragma once

#include "DrawingSurface.h"
#include "PainterSurface.h"
#include "state/Services.h"

#include <QPagedPaintDevice>
#include <QFontMetricsF>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace kelvane {

enum class ChartFileType { Png, Svg, Pdf };

// The type a file name asks for by its suffix, none when it has no suffix of the three.
std::optional<ChartFileType> chartFileTypeOf(const QString& path);

// Writes the chart the picture shows into a file, drawn anew: a PNG of the picture's own pixels,
// an SVG or PDF as a drawing of the chart's real size with its texts as text. The file appears
// only when it is complete and is on the disk when the call returns; raises a RuntimeError naming
// it and saying why it cannot be written.
void exportChart(const PainterSurface& picture, const QString& path, ChartFileType type, const Environment& env);

// The heading of a printed page, laid out for its font and the width of a line: of the lines it
// gives, the first two are printed, each cut to the page's width.
using PrintedHeading = std::function<QStringList(const QFontMetricsF& font, double lineWidth)>;

// Prints the chart the picture shows on one page, under the heading: as wide as the page's
// printable area, or as tall as the room under the heading, its proportions kept, drawn as lines
// and texts. Raises a RuntimeError and prints nothing when the printer cannot be painted on or
// the page has no room for the chart at half its real size.
void printChart(const PainterSurface& picture, QPagedPaintDevice& printer, const PrintedHeading& heading,
                const Environment& env);

}  // namespace kelvane
