#include "ChartFiles.h"

#include "DrawChart.h"
#include "state/RuntimeError.h"

#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <cmath>

namespace kelvane {

namespace {

// Vector files are drawn with one device unit a twip, so that every length stays exact.
constexpr int kTwipsPerInch = 1440;
constexpr double kHeadingFontSize = 9;
constexpr double kHeadingGapTwips = 240;

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
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) throw cannotWrite(path, file.errorString());
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
      if (!pixels.save(&file, "PNG")) throw cannotWrite(path, file.errorString());
    } else if (type == ChartFileType::Svg) {
      QSvgGenerator svg;
      svg.setOutputDevice(&file);
      svg.setResolution(kTwipsPerInch);
      svg.setSize(size);
      svg.setViewBox(QRect(QPoint(0, 0), size));
      svg.setTitle(applicationTitle());
      writeVector(svg, picture, env);
    } else {
      QPdfWriter pdf(&file);
      pdf.setResolution(kTwipsPerInch);
      pdf.setPageSize(QPageSize(QSizeF(size) / kTwipsPerInch, QPageSize::Inch));
      pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
      pdf.setCreator(applicationTitle());
      writeVector(pdf, picture, env);
    }
  } catch (const RuntimeError& error) {
    file.cancelWriting();
    throw cannotWrite(path, error.description());
  }
  if (!file.commit()) throw cannotWrite(path, file.errorString());
}

void writeWholeFile(const QString& path, const QByteArray& contents) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) throw cannotWrite(path, file.errorString());
  if (file.write(contents) != contents.size()) {
    const QString reason = file.errorString();
    file.cancelWriting();
    throw cannotWrite(path, reason);
  }
  if (!file.commit()) throw cannotWrite(path, file.errorString());
}

void printChart(const PainterSurface& picture, QPagedPaintDevice& printer, const QString& heading,
                const Environment& env) {
  QPainter painter;
  if (!painter.begin(&printer))
    throw RuntimeError(ErrorNumber::FileAccess, QStringLiteral("Printer"), QStringLiteral("The printer cannot be used"));
  const double unitsPerTwip = printer.logicalDpiX() / double(kTwipsPerInch);
  const QRectF page = printer.pageLayout().paintRectPixels(printer.logicalDpiX()).translated(
      -printer.pageLayout().paintRectPixels(printer.logicalDpiX()).topLeft());
  QFont font(QStringLiteral("Tahoma"));
  font.setPointSizeF(kHeadingFontSize);
  painter.setFont(font);
  const QRectF headingArea(page.left(), page.top(), page.width(), page.height() / 4);
  const QRectF headingUsed =
      painter.boundingRect(headingArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, heading);
  painter.drawText(headingArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, heading);
  const QSizeF chart(picture.Width() * unitsPerTwip, picture.Height() * unitsPerTwip);
  const double top = headingUsed.bottom() + kHeadingGapTwips * unitsPerTwip;
  const QRectF below(page.left(), top, page.width(), page.bottom() - top);
  drawInto(painter, QRectF(below.center() - QPointF(chart.width(), chart.height()) / 2, chart), picture, env);
  painter.end();
}

}  // namespace kelvane
