#include "SummaryDialog.h"

#include "chart/ChartPoints.h"
#include "chart/ChartSummary.h"
#include "state/TextResources.h"

namespace kelvane {

namespace {

constexpr qint64 kDay = 86400;

QString momentText(qint64 seconds, const RegionalForms& regional) {
  return regional.dateText(RegionalForms::wallDate(seconds)) + QLatin1Char(' ') +
         regional.timeText(RegionalForms::wallTime(seconds));
}

// A value with the Date and Time of its row as they were read, which a row without a moment has too.
QString foundText(const ChartSummary::Found& found, const KeptChart& chart, const RegionalForms& regional) {
  const qsizetype row = chart.rows.first + found.record - 1;
  QStringList stamp;
  for (const auto& column : {chart.rows.columns->date, chart.rows.columns->time})
    if (row < column->size()) stamp << regional.valueText(column->at(row));
  return LoadResString(TextId::ValueAtMoment).arg(dataText(found.value, regional), stamp.join(QLatin1Char(' ')));
}

// Seven significant digits, as the chart's values have.
QString figureText(const std::optional<double>& value, const RegionalForms& regional) {
  if (!value) return {};
  return *value == 0 ? QStringLiteral("0") : regional.locale().toString(*value, 'G', 7);
}

}  // namespace

bool summaryAvailable(Program& program) {
  const std::shared_ptr<const KeptChart> kept = program.mainWindow.graphField().LastChart();
  return kept && !kept->state.LiveChart && kept->rows.columns && kept->rows.count > 0;
}

QList<SummaryLine> summaryLines(Program& program) {
  if (!summaryAvailable(program)) return {};
  return summaryLines(*program.mainWindow.graphField().LastChart(), program.env.regional);
}

QList<SummaryLine> summaryLines(const KeptChart& chart, const RegionalForms& regional) {
  const std::optional<ChartSummary> summary = summarize(chart, regional);
  if (!summary) return {};
  const auto moment = [&](const std::optional<qint64>& at) { return at ? momentText(*at, regional) : QString(); };
  const auto found = [&](const std::optional<ChartSummary::Found>& f) { return f ? foundText(*f, chart, regional) : QString(); };
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

QString summaryText(const QList<SummaryLine>& lines) {
  QString text;
  for (const SummaryLine& line : lines) text += line.name + QLatin1Char('\t') + line.value + QStringLiteral("\r\n");
  return text;
}

QString durationText(qint64 seconds, const RegionalForms& regional) {
  const QString time = regional.timeText(RegionalForms::wallTime(seconds % kDay));
  return seconds < kDay ? time : LoadResString(TextId::DurationDays).arg(QString::number(seconds / kDay), time);
}

}  // namespace kelvane
