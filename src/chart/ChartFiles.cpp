#include "ChartFiles.h"

#include "DrawChart.h"
#include "state/DurableFile.h"
#include "state/RuntimeError.h"
#include "state/TextResources.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cmath>

namespace kelvane {

namespace {

// Vector files are drawn with one device unit a twip, so that every length stays exact.
constexpr int kTwipsPerInch = 1440;
constexpr double kHeadingFontSize = 9;
constexpr double kHeadingGapTwips = 240;
constexpr qsizetype kHeadingLines = 2;
// Below half its real size the chart's texts, which keep their size, crowd its lines.
constexpr double kSmallestPrintedScale = 0.5;

RuntimeError cannotWrite(const QString& path, const QString& reason) {
  return RuntimeError(ErrorNumber::FileAccess, QFileInfo(path).absoluteFilePath(), reason);
}

const KeptChart& keptChartOf(const PainterSurface& picture) {
  static const KeptChart none;
  const auto kept = picture.LastChart();
  return kept ? *kept : none;
}

// Draws the chart into an area of a painter open on a page or file.
void drawInto(QPainter& painter, const QRectF& area, const PainterSurface& picture, const Environment& env) {
  PainterSurface surface(painter, area, picture.Width(), picture.Height());
  if (const auto kept = picture.LastChart()) stdKelvane::DrawChartAgain(surface, *kept, env);
  surface.finish();
}

void writeVector(QPaintDevice& device, const PainterSurface& picture, const Environment& env) {
  QPainter painter;
  if (!painter.begin(&device)) throw RuntimeError(ErrorNumber::FileAccess, QString(), QStringLiteral("cannot draw"));
  drawInto(painter, QRectF(0, 0, picture.Width(), picture.Height()), picture, env);
  painter.end();
}

}  // namespace

std::optional<ChartFileType> chartFileTypeOf(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("png")) return ChartFileType::Png;
  if (suffix == QLatin1String("svg")) return ChartFileType::Svg;
  if (suffix == QLatin1String("pdf")) return ChartFileType::Pdf;
  return std::nullopt;
}

void exportChart(const PainterSurface& picture, const QString& path, ChartFileType type, const Environment& env) {
  // Drawn whole before the file is touched: a drawing that fails leaves the old file as it was.
  QBuffer drawn;
  drawn.open(QIODevice::WriteOnly);
  const QSize size(qRound(picture.Width()), qRound(picture.Height()));
  try {
    if (type == ChartFileType::Png) {
      PainterSurface copy(picture.geometry());
      stdKelvane::DrawChartAgain(copy, keptChartOf(picture), env);
      // The screen's device pixels, each as small as on the screen: the picture keeps its size.
      QImage pixels = copy.image();
      const double ratio = picture.geometry().devicePixelRatio;
      pixels.setDotsPerMeterX(int(std::lround(pixels.dotsPerMeterX() * ratio)));
      pixels.setDotsPerMeterY(int(std::lround(pixels.dotsPerMeterY() * ratio)));
      if (!pixels.save(&drawn, "PNG")) throw RuntimeError(ErrorNumber::FileAccess, QString(), drawn.errorString());
    } else if (type == ChartFileType::Svg) {
      QSvgGenerator svg;
      svg.setOutputDevice(&drawn);
      svg.setResolution(kTwipsPerInch);
      svg.setSize(size);
      svg.setViewBox(QRect(QPoint(0, 0), size));
      svg.setTitle(applicationTitle());
      writeVector(svg, picture, env);
    } else {
      QPdfWriter pdf(&drawn);
      pdf.setResolution(kTwipsPerInch);
      pdf.setPageSize(QPageSize(QSizeF(size) / kTwipsPerInch, QPageSize::Inch));
      pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
      pdf.setCreator(applicationTitle());
      writeVector(pdf, picture, env);
    }
  } catch (const RuntimeError& error) {
    throw cannotWrite(path, error.description());
  }
  writeWholeFile(path, drawn.data());
}

void printChart(const PainterSurface& picture, QPagedPaintDevice& printer, const PrintedHeading& heading,
                const Environment& env) {
  // Laid out before the printer is started, so that a chart that cannot be placed prints nothing.
  const int dotsPerInch = printer.logicalDpiX();
  const QRectF page(QPointF(0, 0), printer.pageLayout().paintRectPixels(dotsPerInch).size());
  QFont font(QStringLiteral("Tahoma"));
  font.setPointSizeF(kHeadingFontSize);
  const QFontMetricsF metrics(font, &printer);
  QStringList lines = heading(metrics, page.width()).mid(0, kHeadingLines);
  for (QString& line : lines) line = metrics.elidedText(line, Qt::ElideRight, page.width());
  const double unitsPerTwip = dotsPerInch / double(kTwipsPerInch);
  const double top = lines.size() * metrics.lineSpacing() + kHeadingGapTwips * unitsPerTwip;
  // As wide as the page, unless the room under the heading is too low for that.
  const double scale = std::min(page.width() / picture.Width(), (page.height() - top) / picture.Height());
  if (!(scale >= kSmallestPrintedScale * unitsPerTwip))
    throw RuntimeError(ErrorNumber::FileAccess, QStringLiteral("Printer"), LoadResString(TextId::PageTooSmall));
  QPainter painter;
  if (!painter.begin(&printer))
    throw RuntimeError(ErrorNumber::FileAccess, QStringLiteral("Printer"), LoadResString(TextId::PrinterUnusable));
  painter.setFont(font);
  for (qsizetype i = 0; i < lines.size(); ++i) painter.drawText(QPointF(0, i * metrics.lineSpacing() + metrics.ascent()), lines[i]);
  const QSizeF chart(picture.Width() * scale, picture.Height() * scale);
  drawInto(painter, QRectF(QPointF((page.width() - chart.width()) / 2, top), chart), picture, env);
  painter.end();
}

}  // namespace kelvane
