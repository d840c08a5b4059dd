#include "ChartOracle.h"

#include "TestEnvironment.h"
#include "chart/ChartSummary.h"
#include "chart/ChartZoom.h"
#include "chart/DrawChart.h"
#include "chart/LeakStretches.h"
#include "chart/VerticalRange.h"
#include "support/RecordingSurface.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>
#include <optional>

namespace kelvane::testing {

namespace {

const QString kDateForm = QStringLiteral("dd/MM/yyyy"), kTimeForm = QStringLiteral("HH:mm:ss");
constexpr double kUpper = 6, kLower = -4;  // A and B, as Data values

// ---- The rows ----

// Local moments around which the rows begin: the clocks go forward in Berlin at 02:00 on
// 29/03/2026 and back at 03:00 on 25/10/2026.
QDateTime startOf(quint32 choice, const QTimeZone& zone) {
  switch (choice) {
    case 0: return QDateTime(QDate(2026, 3, 29), QTime(1, 40), zone);
    case 1: return QDateTime(QDate(2026, 10, 25), QTime(1, 50), zone);
    default: return QDateTime(QDate(2026, 12, 5), QTime(23, 45), zone);
  }
}

}  // namespace

OracleCase randomCase(const Pick& pick, int mostRows) {
  OracleCase oracle;
  oracle.zone = pick(3) == 0 ? QTimeZone::utc() : QTimeZone("Europe/Berlin");
  oracle.timeScale = pick(4) != 0;
  oracle.limits = pick(3) != 0;
  oracle.pixelRatio = pick(2) == 0 ? 1 : 2;
  static constexpr qint64 kSteps[] = {1, 10, 60, 600};
  const qint64 step = kSteps[pick(4)];
  qint64 now = startOf(pick(3), oracle.zone).toSecsSinceEpoch();
  double value = 1;
  const int rows = 2 + int(pick(quint32(mostRows - 1)));
  int burst = 0;  // rows still to come at the moment before, as a collector catching up writes them
  for (int n = 0; n < rows; ++n) {
    qint64 stamp = now;
    const quint32 event = burst > 0 ? (--burst, 5) : pick(100);
    if (event == 99) burst = 60 + int(pick(150));
    if (event < 3) {
      // Texts that are no moment.
      oracle.dates << (event == 0 ? QStringLiteral("no date") : QStringLiteral("31/02/2026"));
      oracle.times << (event == 2 ? QStringLiteral("25:00:00") : QStringLiteral("12:00:00"));
    } else {
      if (event < 8) {
        // The same moment as the row before.
      } else if (event < 11) {
        stamp = now += step * (6 + pick(50));  // the collector was away
      } else if (event < 13) {
        stamp = now -= step * pick(30);  // the clock set back
      } else if (event < 18) {
        stamp = now - step * (1 + pick(200));  // kept, and delivered late
      } else {
        stamp = now += step;
      }
      const QDateTime local = QDateTime::fromSecsSinceEpoch(stamp, oracle.zone);
      oracle.dates << local.toString(kDateForm);
      oracle.times << local.toString(kTimeForm);
    }
    value = std::clamp(value + (double(pick(21)) - 10) / 4, -8.0, 12.0);
    oracle.data << (pick(40) == 0 ? 100.0 : value);
    oracle.numbers << n + 1;
  }
  // As "ORDER BY number DESC" or another column than number gives them.
  if (pick(8) == 0) std::reverse(oracle.numbers.begin(), oracle.numbers.end());
  if (pick(8) == 0)
    for (int n = oracle.numbers.size() - 1; n > 0; --n) std::swap(oracle.numbers[n], oracle.numbers[int(pick(quint32(n + 1)))]);
  return oracle;
}

namespace {

// ---- Plain computations ----

// The instants at which the wall clock of the zone shows a date and time: none, one, or two.
QList<qint64> instantsOf(const QDate& date, const QTime& time, const QTimeZone& zone) {
  const qint64 wall = QDateTime(date, time, Qt::UTC).toSecsSinceEpoch();
  QList<qint64> found;
  for (const qint64 probe : {wall - 2 * 86400, wall + 2 * 86400}) {
    const int offset = zone.offsetFromUtc(QDateTime::fromSecsSinceEpoch(probe, Qt::UTC));
    const qint64 instant = wall - offset;
    if (zone.offsetFromUtc(QDateTime::fromSecsSinceEpoch(instant, Qt::UTC)) == offset && !found.contains(instant))
      found << instant;
  }
  std::sort(found.begin(), found.end());
  return found;
}

// The moment of each row, none for texts that are no moment. Of two, in the order of the rows'
// numbers the first up to the widest step back in time that day, the second from there on; in the
// skipped hour, by the offset before the change.
QList<std::optional<qint64>> plainMoments(const OracleCase& oracle) {
  QList<std::optional<qint64>> moments;
  QMap<QDate, QList<int>> repeated;  // the rows of a day's repeated hour
  for (int n = 0; n < oracle.data.size(); ++n) {
    const QDate date = QDate::fromString(oracle.dates[n], kDateForm);
    const QTime time = QTime::fromString(oracle.times[n], kTimeForm);
    if (!date.isValid() || !time.isValid()) {
      moments << std::nullopt;
      continue;
    }
    const QList<qint64> instants = instantsOf(date, time, oracle.zone);
    if (instants.isEmpty()) {
      const qint64 wall = QDateTime(date, time, Qt::UTC).toSecsSinceEpoch();
      moments << wall - oracle.zone.offsetFromUtc(QDateTime::fromSecsSinceEpoch(wall - 2 * 86400, Qt::UTC));
    } else if (instants.size() == 1) {
      moments << instants[0];
    } else {
      repeated[date] << n;
      moments << std::nullopt;  // placed below
    }
  }
  for (auto day = repeated.begin(); day != repeated.end(); ++day) {
    QList<int> rows = day.value();
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) { return oracle.numbers[a] < oracle.numbers[b]; });
    const auto time = [&](int row) { return QTime::fromString(oracle.times[row], kTimeForm); };
    int change = rows.size(), widest = 0;
    for (int i = 1; i < rows.size(); ++i) {
      const int back = time(rows[i]).secsTo(time(rows[i - 1]));
      if (back > widest) widest = back, change = i;
    }
    for (int i = 0; i < rows.size(); ++i) moments[rows[i]] = instantsOf(day.key(), time(rows[i]), oracle.zone)[i < change ? 0 : 1];
  }
  return moments;
}

struct Timed {
  qint64 at;
  int record;  // from 1
};

// The rows with a moment in time order, those of one moment in number order.
QList<Timed> inTimeOrder(const QList<std::optional<qint64>>& moments) {
  QList<Timed> timed;
  for (int n = 0; n < moments.size(); ++n)
    if (moments[n]) timed << Timed{*moments[n], n + 1};
  std::stable_sort(timed.begin(), timed.end(), [](const Timed& a, const Timed& b) { return a.at < b.at; });
  return timed;
}

// Intervals over five times their median, and over a second, between the rows in time order.
QList<int> plainGaps(const QList<Timed>& timed) {
  QList<qint64> intervals;
  for (int i = 1; i < timed.size(); ++i)
    if (timed[i].at > timed[i - 1].at) intervals << timed[i].at - timed[i - 1].at;
  std::sort(intervals.begin(), intervals.end());
  const double median = intervals.isEmpty() ? 0 : (intervals[(intervals.size() - 1) / 2] + intervals[intervals.size() / 2]) / 2.0;
  QList<int> gaps;
  for (int i = 1; i < timed.size(); ++i) {
    const qint64 interval = timed[i].at - timed[i - 1].at;
    if (interval > 1 && double(interval) > 5 * median) gaps << i - 1;
  }
  return gaps;
}

// ---- The program's chart ----

struct Chart {
  Chart(const OracleCase& oracle) : test(QLocale(QLocale::English, QLocale::UnitedKingdom), oracle.zone) {
    const auto columns = std::make_shared<RowColumns>();
    ChartSeries series;
    for (int n = 0; n < oracle.data.size(); ++n) {
      columns->date->append(oracle.dates[n]);
      columns->time->append(oracle.times[n]);
      columns->data->appendNumber(oracle.data[n]);
      columns->number->appendNumber(oracle.numbers[n]);
      series.values << float(oracle.data[n] * 10000);
    }
    series.rows = {columns, 0, qint32(oracle.data.size())};
    series.colour = rgbColour(0, 0, 255);
    input.series = {series};
    input.exactXRange = true;
    input.datesUnderLabels = true;
    input.timeScale = oracle.timeScale;
    if (oracle.limits) input.limits = LeakLimits{kUpper, kLower, LimitForm::LogRatio, {}, {}};
    stdKelvane::InitChartRecord(input.record, true);
    input.record.XMax = float(oracle.data.size());
    for (const double d : oracle.data)
      if (d >= input.record.YMax || d <= input.record.YMin) applyVerticalRange(kStoredRange, input.record, input.yLabelStep, d);
  }
  void draw(DrawingSurface& picture) const { stdKelvane::DrawChart(picture, input, test.env); }

  TestEnvironment test;
  ChartInput input;
};

template <typename T>
QString differs(const char* what, const T& program, const T& plain) {
  if (program == plain) return {};
  QString text;
  QDebug(&text) << what << "program:" << program << "plain:" << plain;
  return text;
}

QString timeLineDisagreement(const TimeLine& line, const QList<Timed>& timed, const QList<std::optional<qint64>>& moments,
                             const Pick& pick) {
  QList<qint64> programMoments, plainOrder, programOrder;
  for (int p = 1; p <= line.records(); ++p)
    programMoments << (line.moment(p) == TimeLine::kNoMoment ? -1 : line.moment(p));
  QList<qint64> plainMomentList;
  for (const auto& moment : moments) plainMomentList << (moment ? *moment : -1);
  if (QString d = differs("moments", programMoments, plainMomentList); !d.isEmpty()) return d;
  for (const Timed& t : timed) plainOrder << t.record;
  for (qint32 i = 0; i < line.count(); ++i) programOrder << line.record(i);
  if (QString d = differs("time order", programOrder, plainOrder); !d.isEmpty()) return d;
  QList<int> gaps(line.gaps().begin(), line.gaps().end());
  if (QString d = differs("gaps", gaps, plainGaps(timed)); !d.isEmpty()) return d;
  for (int trial = 0; trial < 20 && !timed.isEmpty(); ++trial) {
    const int from = int(pick(quint32(timed.size()))), to = from + int(pick(quint32(timed.size() - from)));
    bool oneAfterAnother = true;
    for (int i = from + 1; i <= to; ++i) oneAfterAnother = oneAfterAnother && timed[i].record == timed[i - 1].record + 1;
    if (QString d = differs("consecutive", line.consecutive(from, to), oneAfterAnother); !d.isEmpty())
      return d + QStringLiteral(" positions %1..%2").arg(from).arg(to);
  }
  return {};
}

// The figures of a summary over the rows of positions from..to of the time order (every row on
// the scale of records), as a plain pass finds them.
QString summaryDisagreement(const ChartSummary& summary, const OracleCase& oracle, const QList<int>& records,
                            const QList<Timed>& timed, const TimeLine* line) {
  QList<double> values;
  for (const int record : records) values << oracle.data[record - 1];
  const auto highest = std::max_element(values.begin(), values.end());
  const auto lowest = std::min_element(values.begin(), values.end());
  if (QString d = differs("rows", summary.rows, qint64(records.size())); !d.isEmpty()) return d;
  if (values.isEmpty()) return {};
  if (QString d = differs("highest", summary.highest ? summary.highest->value : NAN, *highest); !d.isEmpty()) return d;
  if (QString d = differs("lowest", summary.lowest ? summary.lowest->value : NAN, *lowest); !d.isEmpty()) return d;
  if (!summary.secondsAtA || !line) return {};
  qint64 atA = 0;
  for (int i = 1; i < timed.size(); ++i) {
    const qint64 interval = timed[i].at - timed[i - 1].at;
    if (!line->isGap(interval) && oracle.data[timed[i - 1].record - 1] >= kUpper) atA += interval;
  }
  return differs("time at A", *summary.secondsAtA, atA);
}

QString decisionsDisagreement(const KeptChart& kept, const OracleCase& oracle, const QList<Timed>& timed) {
  const QList<int> records = [&] {
    QList<int> order;
    if (stdKelvane::onTimeScale(kept))
      for (const Timed& t : timed) order << t.record;
    else
      for (int p = 1; p <= oracle.data.size(); ++p) order << p;
    return order;
  }();
  QStringList plain, program;
  bool inside = false;
  for (const int record : records) {
    const bool reaches = float(oracle.data[record - 1] * 10000) >= carriedUpper(*kept.input.limits);
    if (reaches && !inside) plain << QString::number(record);
    if (reaches) plain.last() = plain.last().section(QLatin1Char('-'), 0, 0) + QLatin1Char('-') + QString::number(record);
    inside = reaches;
  }
  for (const LeakStretch& stretch : leakStretches(kept, *kept.input.limits))
    program << QStringLiteral("%1-%2").arg(stretch.first).arg(stretch.last);
  return differs("leak decisions", program, plain);
}

}  // namespace

QString disagreement(const OracleCase& oracle, const Pick& pick) {
  Chart chart(oracle);
  const QList<std::optional<qint64>> moments = plainMoments(oracle);
  const QList<Timed> timed = inTimeOrder(moments);

  // The picture, drawn through the few points of each pixel column that can change a pixel and
  // through every point.
  PainterSurface fewer(321, 241, 2, 96, oracle.pixelRatio);
  EveryPointPicture every(321, 241, 2, 96, oracle.pixelRatio);
  chart.draw(fewer);
  chart.draw(every);
  if (fewer.image() != every.image()) return QStringLiteral("the picture differs from the one through every point");

  const std::shared_ptr<const KeptChart> kept = fewer.LastChart();
  const TimeLine* line = kept->frame.timeLine();
  if (line) {
    if (QString d = timeLineDisagreement(*line, timed, moments, pick); !d.isEmpty()) return d;
  }
  QList<int> all;
  for (int p = 1; p <= oracle.data.size(); ++p) all << p;
  const std::optional<ChartSummary> summary = summarize(*kept, chart.test.env.regional);
  if (summary && line) {
    QList<int> charted;
    for (const Timed& t : timed) charted << t.record;
    for (int p = 1; p <= oracle.data.size(); ++p)
      if (!moments[p - 1]) charted << p;  // counted, though not placed
    if (QString d = summaryDisagreement(*summary, oracle, charted, timed, line); !d.isEmpty()) return QStringLiteral("summary: ") + d;
  }
  if (oracle.limits)
    if (QString d = decisionsDisagreement(*kept, oracle, timed); !d.isEmpty()) return d;

  // A zoom into a span of the time scale shows the rows of its moments, no others.
  if (line && line->range() && timed.size() >= 2) {
    const qint64 from = timed[int(pick(quint32(timed.size())))].at, to = from + qint64(pick(7200));
    QList<Timed> inSpan;
    for (const Timed& t : timed)
      if (t.at >= from && t.at <= to) inSpan << t;
    RecordingSurface zoomed(6855, 5895);
    chart.draw(zoomed);
    zoomIntoSpan(zoomed, {from, to}, chart.test.env);
    const std::shared_ptr<const KeptChart> zoom = zoomed.LastChart();
    if (inSpan.size() < 2) return zoom->whole ? QStringLiteral("a zoom of fewer than two rows") : QString();
    if (!zoom->whole || !zoom->frame.timeLine()) return QStringLiteral("no zoom into %1 rows").arg(inSpan.size());
    QList<int> program, plain;
    const qint32 offset = qint32(zoom->input.series.front().rows.first - kept->input.series.front().rows.first);
    for (qint32 i = 0; i < zoom->frame.timeLine()->count(); ++i) program << zoom->frame.timeLine()->record(i) + offset;
    for (const Timed& t : inSpan) plain << t.record;
    if (QString d = differs("zoom's rows", program, plain); !d.isEmpty()) return d;
    const ChartSummary figures = summarize(*zoom, chart.test.env.regional).value();
    if (QString d = differs("zoom's highest", figures.highest ? figures.highest->value : NAN,
                            oracle.data[std::max_element(inSpan.begin(), inSpan.end(), [&](const Timed& a, const Timed& b) {
                                          return oracle.data[a.record - 1] < oracle.data[b.record - 1];
                                        })->record - 1]);
        !d.isEmpty())
      return d;
  }
  return {};
}

}  // namespace kelvane::testing
