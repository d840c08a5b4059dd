#pragma once

#include "DrawingSurface.h"
#include "PainterSurface.h"
#include "state/Services.h"

#include <QPagedPaintDevice>
#include <QString>

#include <optional>

namespace kelvane {

enum class ChartFileType { Png, Svg, Pdf };

// The type a file name asks for by its suffix, none when it has no suffix of the three.
std::optional<ChartFileType> chartFileTypeOf(const QString& path);

// Writes the chart the picture shows into a file, drawn anew: a PNG of the picture's own pixels,
// an SVG or PDF as a drawing of the chart's real size with its texts as text. The file appears
// only when it is complete; raises a RuntimeError naming it and saying why it cannot be written.
void exportChart(const PainterSurface& picture, const QString& path, ChartFileType type, const Environment& env);

// Writes the contents into the file, which appears only when it is complete; raises a
// RuntimeError naming it and saying why it cannot be written.
void writeWholeFile(const QString& path, const QByteArray& contents);

// Prints the chart the picture shows on one page, at its real size and centred, under a heading
// line; raises a RuntimeError when the printer cannot be painted on.
void printChart(const PainterSurface& picture, QPagedPaintDevice& printer, const QString& heading,
                const Environment& env);

}  // namespace kelvane
