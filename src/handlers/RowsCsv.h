#pragma once

#include "chart/ChartInput.h"
#include "state/RegionalForms.h"
#include "state/RowColumns.h"
#include "entry/EnteredValues.h"

#include <QByteArray>

namespace kelvane {

// The rows a chart shows as comma-separated values, as other programs read them (RFC 4180): a
// header line, fields that hold a comma, a semicolon, a quote, a tab or a line break in quotes, CR
// LF after every line, UTF-8. Numbers have "." whatever the regional settings, in the shortest text
// that reads back to the same value. A text that a spreadsheet would take for a formula (it starts
// with =, +, -, @, a tab or a carriage return) gets a leading apostrophe, and so does each piece of
// it after a ';', where a spreadsheet that splits on ';' starts a cell; numbers are never changed.

// A chart of stored rows: Date, Time, number and Data of each row as read; a Data value a Single
// holds is written as that Single.
QByteArray storedRowsCsv(const ShownRows& rows, const RegionalForms& regional);
// Several stations: the rows of each, the first station's first, after a first column "Station"
// with its name.
QByteArray stationsRowsCsv(const std::vector<ChartSeries>& stations, const RegionalForms& regional);

// The live chart: n, data and time stamp of each value entered, data as the number its typed text
// stands for under the regional settings.
QByteArray listedRowsCsv(const QList<EnteredValue>& values, const RegionalForms& regional);

}  // namespace kelvane
