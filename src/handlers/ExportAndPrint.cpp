#include "ExportAndPrint.h"

#include "RowsCsv.h"
#include "state/TextResources.h"
#include "chart/ChartFiles.h"
#include "database/Engine.h"
#include "state/DurableFile.h"
#include "state/RuntimeError.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace kelvane {

namespace {

// In the order of the export dialog's filters.
constexpr ChartFileType kFilterTypes[] = {ChartFileType::Png, ChartFileType::Svg, ChartFileType::Pdf};

void reportUnwritten(const RuntimeError& error, const Environment& env) {
  env.alert(LoadResString(TextId::FileNotWritten).arg(error.source(), error.description()));
}

// The suffixes of a filter's patterns, "PNG picture (*.png)".
QStringList suffixesOf(const QString& filter) {
  static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
  QStringList suffixes;
  for (const QRegularExpressionMatch& match : pattern.globalMatch(filter)) suffixes.append(match.captured(1));
  return suffixes;
}

// The main window's chart, when it shows rows to export.
std::shared_ptr<const KeptChart> chartWithRows(Program& program) {
  auto kept = program.mainWindow.graphField().LastChart();
  if (!kept) return nullptr;
  const bool rows = kept->input.live ? !program.entered.values().isEmpty() : kept->input.showsStoredRows();
  return rows ? kept : nullptr;
}

}  // namespace

void mnuExportChart_Click(const PainterSurface& picture, SaveFileChooser& chooser, const Environment& env) {
  const std::optional<SaveChoice> choice =
      chooser.chooseSaveFile(LoadResString(TextId::ExportChartItem), LoadResString(TextId::ChartFileFilters).split(QStringLiteral(";;")));
  if (!choice) return;
  // The name as the dialog asked about it, with no suffix added here: a file of that name would be
  // replaced without a question.
  const ChartFileType type = chartFileTypeOf(choice->path).value_or(kFilterTypes[std::clamp(choice->filter, 0, 2)]);
  try {
    exportChart(picture, choice->path, type, env);
  } catch (const RuntimeError& error) {
    reportUnwritten(error, env);
  }
}

void mnuExportRows_Click(Program& program, SaveFileChooser& chooser) {
  const auto kept = chartWithRows(program);
  if (!kept) return;
  const std::optional<SaveChoice> choice =
      chooser.chooseSaveFile(LoadResString(TextId::ExportRowsItem), {LoadResString(TextId::RowsFileFilter)});
  if (!choice) return;
  const Environment& env = program.env;
  try {
    const ChartInput& input = kept->input;
    writeWholeFile(choice->path, input.live                ? listedRowsCsv(program.entered.values(), env.regional)
                                 : input.severalStations() ? stationsRowsCsv(input.series, env.regional)
                                                           : storedRowsCsv(input.series.front().rows, env.regional));
  } catch (const RuntimeError& error) {
    reportUnwritten(error, env);
  }
}

bool rowsToExport(Program& program) { return chartWithRows(program) != nullptr; }

QString savedName(const QString& path, const QStringList& filters, int chosen) {
  const QStringList own = suffixesOf(filters.value(chosen));
  const QString suffix = QFileInfo(path).suffix();
  for (const QString& filter : filters)
    if (suffixesOf(filter).contains(suffix, Qt::CaseInsensitive)) return path;
  if (own.isEmpty()) return path;
  // "Station 3." ends in the dot of its suffix already.
  return (path.endsWith(QLatin1Char('.')) ? path : path + QLatin1Char('.')) + own.constFirst();
}

void mnuPrintChart_Click(const PainterSurface& picture, PrinterChooser& chooser, const Environment& env) {
  const std::unique_ptr<QPagedPaintDevice> printer = chooser.choosePrinter();
  if (!printer) return;
  const auto kept = picture.LastChart();
  const auto heading = [&](const QFontMetricsF& font, double lineWidth) {
    return kept ? printHeading(*kept, env.clock.now(), env.regional, font, lineWidth) : QStringList();
  };
  try {
    printChart(picture, *printer, heading, env);
  } catch (const RuntimeError& error) {
    env.alert(LoadResString(TextId::ChartNotPrinted).arg(error.description()));
  }
}

QStringList printHeading(const KeptChart& chart, const QDateTime& printed, const RegionalForms& regional,
                         const QFontMetricsF& font, double lineWidth) {
  const ChartSource& source = chart.input.source;
  const QString database = source.database.isEmpty() ? QString() : engineFor(source.database).shownName(source.database);
  QString shows;
  if (chart.input.live) {
    shows = LoadResString(TextId::PrintedLiveChart);
  } else if (source.period) {
    // With their times, midnight too: a bare date would read as the whole day.
    const auto stamp = [&](const QDateTime& at) { return regional.dateText(at.date()) + QLatin1Char(' ') + regional.timeText(at.time()); };
    shows = LoadResString(TextId::PrintedPeriod).arg(stamp(source.period->from), stamp(source.period->to), database);
  } else if (source.query) {
    // The query gets what the line leaves it; the database after it stays whole.
    const QString text = LoadResString(TextId::PrintedQueryChart);
    const double room = lineWidth - font.horizontalAdvance(text.arg(QString(), database));
    shows = text.arg(font.elidedText(source.query->simplified(), Qt::ElideRight, std::max(0.0, room)), database);
  } else {
    shows = LoadResString(TextId::PrintedRecentRows).arg(database);
  }
  const QString moment = LoadResString(TextId::PrintedAt).arg(regional.generalDate(printed));
  const QString oneLine = shows + QStringLiteral("  \u2014  ") + moment;
  if (font.horizontalAdvance(oneLine) <= lineWidth) return {oneLine};
  return {shows, moment};
}

}  // namespace kelvane
