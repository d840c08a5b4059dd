#include "ExportAndPrint.h"

#include "RowsCsv.h"
#include "state/TextResources.h"
#include "chart/ChartFiles.h"
#include "database/Engine.h"
#include "state/DurableFile.h"
#include "state/RuntimeError.h"

namespace kelvane {

namespace {

// In the order of the export dialog's filters.
constexpr ChartFileType kFilterTypes[] = {ChartFileType::Png, ChartFileType::Svg, ChartFileType::Pdf};

void reportUnwritten(const RuntimeError& error, const Environment& env) {
  env.alert(LoadResString(TextId::FileNotWritten).arg(error.source(), error.description()));
}

// The main window's chart, when it shows rows to export.
std::shared_ptr<const KeptChart> chartWithRows(Program& program) {
  auto kept = program.mainWindow.graphField().LastChart();
  if (!kept) return nullptr;
  const bool rows = kept->state.LiveChart ? !program.mainWindow.results().numbers.isEmpty()
                                          : kept->rows.columns && kept->rows.count > 0;
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
    writeWholeFile(choice->path, kept->state.LiveChart ? listedRowsCsv(program.mainWindow.results(), env.regional)
                                                       : storedRowsCsv(kept->rows, env.regional));
  } catch (const RuntimeError& error) {
    reportUnwritten(error, env);
  }
}

bool rowsToExport(Program& program) { return chartWithRows(program) != nullptr; }

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
  const ProgramState& state = chart.state;
  const QString database = state.DatabasePath.isEmpty() ? QString() : engineFor(state.DatabasePath).shownName(state.DatabasePath);
  QString shows;
  if (state.LiveChart) {
    shows = LoadResString(TextId::PrintedLiveChart);
  } else if (state.OperatingMode == Mode::SQLquery && state.PeriodCharted) {
    // With their times, midnight too: a bare date would read as the whole day.
    const auto stamp = [&](const QDateTime& at) { return regional.dateText(at.date()) + QLatin1Char(' ') + regional.timeText(at.time()); };
    shows = LoadResString(TextId::PrintedPeriod).arg(stamp(state.PeriodCharted->from), stamp(state.PeriodCharted->to), database);
  } else if (state.OperatingMode == Mode::SQLquery) {
    // The query gets what the line leaves it; the database after it stays whole.
    const QString text = LoadResString(TextId::PrintedQueryChart);
    const double room = lineWidth - font.horizontalAdvance(text.arg(QString(), database));
    shows = text.arg(font.elidedText(state.QueryText.simplified(), Qt::ElideRight, std::max(0.0, room)), database);
  } else {
    shows = LoadResString(TextId::PrintedRecentRows).arg(database);
  }
  const QString moment = LoadResString(TextId::PrintedAt).arg(regional.generalDate(printed));
  const QString oneLine = shows + QStringLiteral("  \u2014  ") + moment;
  if (font.horizontalAdvance(oneLine) <= lineWidth) return {oneLine};
  return {shows, moment};
}

}  // namespace kelvane
