#pragma once

#include "chart/DrawingSurface.h"
#include "entry/Program.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace kelvane {

// A line of the summary: what is told, and its figure in the regional forms.
// With several stations, value is the chosen database's and beside holds the others', in order.
struct SummaryLine {
  QString name, value;
  QStringList beside;
  bool operator==(const SummaryLine& other) const {
    return name == other.name && value == other.value && beside == other.beside;
  }
};

// Whether Database > Summary... can open: the main window's chart shows stored rows.
bool summaryAvailable(Program& program);
// The summary of the main window's chart, of its zoom while zoomed; none for the live chart. It is
// computed from the rows the chart holds, without reading the database.
QList<SummaryLine> summaryLines(Program& program);
QList<SummaryLine> summaryLines(const KeptChart& chart, const RegionalForms& regional);
// The names of the stations a chart compares, the heads of the summary's columns; none for one.
QStringList summaryStations(Program& program);
// The lines as the clipboard takes them: a tab between name and each value, each line ending in
// CR LF; after a line of the stations' names when there are several.
QString summaryText(const QList<SummaryLine>& lines, const QStringList& stations = {});
// A length of time: hh:mm:ss with the regional separator, after the whole days when there are any.
QString durationText(qint64 seconds, const RegionalForms& regional);

}  // namespace kelvane
