#pragma once

#include "chart/DrawingSurface.h"
#include "state/Program.h"

#include <QList>
#include <QString>

namespace kelvane {

// A line of the summary: what is told, and its figure in the regional forms.
struct SummaryLine {
  QString name, value;
  bool operator==(const SummaryLine& other) const { return name == other.name && value == other.value; }
};

// Whether Database > Summary... can open: the main window's chart shows stored rows.
bool summaryAvailable(Program& program);
// The summary of the main window's chart, of its zoom while zoomed; none for the live chart. It is
// computed from the rows the chart holds, without reading the database.
QList<SummaryLine> summaryLines(Program& program);
QList<SummaryLine> summaryLines(const KeptChart& chart, const RegionalForms& regional);
// The lines as the clipboard takes them: a tab between name and value, each line ending in CR LF.
QString summaryText(const QList<SummaryLine>& lines);
// A length of time: hh:mm:ss with the regional separator, after the whole days when there are any.
QString durationText(qint64 seconds, const RegionalForms& regional);

}  // namespace kelvane
