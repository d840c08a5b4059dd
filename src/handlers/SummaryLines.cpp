#include "SummaryLines.h"

#include "chart/ChartSummary.h"
#include "state/TextResources.h"

namespace kelvane {

namespace {

constexpr qint64 kDay = 86400;

// The local date and time of an instant.
QString momentText(qint64 instant, const RegionalForms& regional) {
  return regional.dateText(regional.localDate(instant)) + QLatin1Char(' ') + regional.timeText(regional.localTime(instant));
}

// Every value in one form, the regional one, with seven significant digits as a Single has:
// whether it was stored as a Single or as a Double, and the mean and deviation too.
QString figureText(const std::optional<double>& value, const RegionalForms& regional) {
  if (!value) return {};
  return *value == 0 ? QStringLiteral("0") : regional.locale().toString(*value, 'G', 7);
}

// A value with the Date and Time of its row as they were read, which a row without a moment has too.
QString foundText(const ChartSummary::Found& found, const ShownRows& rows, const RegionalForms& regional) {
  const qsizetype row = rows.first + found.record - 1;
  QStringList stamp;
  for (const auto& column : {rows.columns->date, rows.columns->time})
    if (row < column->size()) stamp << regional.valueText(column->labelAt(row));
  return LoadResString(TextId::ValueAtMoment).arg(figureText(found.value, regional), stamp.join(QLatin1Char(' ')));
}

}  // namespace

bool summaryAvailable(Program& program) {
  const std::shared_ptr<const KeptChart> kept = program.mainWindow.graphField().LastChart();
  return kept && kept->input.showsStoredRows();
}

QList<SummaryLine> summaryLines(Program& program) {
  if (!summaryAvailable(program)) return {};
  return summaryLines(*program.mainWindow.graphField().LastChart(), program.env.regional);
}

namespace {

// The lines of one station's series; none for one that could not be read.
QList<SummaryLine> stationLines(const KeptChart& chart, const RegionalForms& regional, std::size_t series) {
  const std::optional<ChartSummary> summary = summarize(chart, regional, series);
  if (!summary) return {};
  const ShownRows& rows = chart.input.series[series].rows;
  const auto moment = [&](const std::optional<qint64>& at) { return at ? momentText(*at, regional) : QString(); };
  const auto found = [&](const std::optional<ChartSummary::Found>& f) { return f ? foundText(*f, rows, regional) : QString(); };
  QList<SummaryLine> lines{
      {LoadResString(TextId::SummaryRows), QString::number(summary->rows)},
      {LoadResString(TextId::SummaryFirstMoment), moment(summary->first)},
      {LoadResString(TextId::SummaryLastMoment), moment(summary->last)},
      {LoadResString(TextId::SummaryLowest), found(summary->lowest)},
      {LoadResString(TextId::SummaryHighest), found(summary->highest)},
      {LoadResString(TextId::SummaryMean), figureText(summary->mean, regional)},
      {LoadResString(TextId::SummaryDeviation), figureText(summary->deviation, regional)},
      {LoadResString(TextId::SummaryGaps), QString::number(summary->gaps)},
      {LoadResString(TextId::SummaryLongestGap),
       summary->longestGap ? LoadResString(TextId::DurationFrom)
                                 .arg(durationText(summary->longestGap->seconds, regional),
                                      momentText(summary->longestGap->from, regional))
                           : QString()},
      {LoadResString(TextId::SummaryGapTime), durationText(summary->gapSeconds, regional)},
      {LoadResString(TextId::SummaryLeftOut), QString::number(summary->leftOut)},
  };
  if (summary->rowsAtA) {
    lines.append({LoadResString(TextId::SummaryRowsAtA), QString::number(*summary->rowsAtA)});
    lines.append({LoadResString(TextId::SummaryTimeAtA), durationText(summary->secondsAtA.value_or(0), regional)});
  }
  return lines;
}

}  // namespace

QList<SummaryLine> summaryLines(const KeptChart& chart, const RegionalForms& regional) {
  QList<SummaryLine> lines = stationLines(chart, regional, 0);
  if (!chart.input.severalStations()) return lines;
  for (std::size_t series = 1; series < chart.input.series.size(); ++series) {
    const QList<SummaryLine> beside = stationLines(chart, regional, series);
    if (lines.isEmpty()) {  // the chosen database could not be read: its column stays empty
      lines = beside;
      for (SummaryLine& line : lines) line.beside = QStringList(int(series) - 1, QString()), line.value.clear();
    }
    for (qsizetype i = 0; i < lines.size(); ++i) lines[i].beside << (i < beside.size() ? beside[i].value : QString());
  }
  return lines;
}

QStringList summaryStations(Program& program) {
  if (!summaryAvailable(program)) return {};
  const std::shared_ptr<const KeptChart> kept = program.mainWindow.graphField().LastChart();
  QStringList names;
  if (kept->input.severalStations())
    for (const ChartSeries& series : kept->input.series) names << series.name;
  return names;
}

QString summaryText(const QList<SummaryLine>& lines, const QStringList& stations) {
  QString text;
  const QString tab(QLatin1Char('\t')), end = QStringLiteral("\r\n");
  if (!stations.isEmpty()) text += tab + stations.join(tab) + end;
  for (const SummaryLine& line : lines)
    text += line.name + tab + (QStringList{line.value} + line.beside).join(tab) + end;
  return text;
}

QString durationText(qint64 seconds, const RegionalForms& regional) {
  const QString time = regional.timeText(RegionalForms::wallTime(seconds % kDay));
  return seconds < kDay ? time : LoadResString(TextId::DurationDays).arg(QString::number(seconds / kDay), time);
}

}  // namespace kelvane
