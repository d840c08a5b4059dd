#pragma once

#include "chart/PainterSurface.h"
#include "entry/Program.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QStringList>

#include <memory>
#include <optional>

namespace kelvane {

// Where to save a file, as a modal save dialog answers: the path, and which of its filters was
// chosen. A name typed without a suffix of the filters gets the chosen filter's (savedName) before
// the dialog asks about an existing file, so that an existing file is only chosen after the
// dialog's own question.
struct SaveChoice {
  QString path;
  int filter = 0;
};
class SaveFileChooser {
 public:
  virtual ~SaveFileChooser() = default;
  // Nothing when the operator cancels.
  virtual std::optional<SaveChoice> chooseSaveFile(const QString& title, const QStringList& filters) = 0;
};

// The name a save dialog takes for the path typed: one whose suffix is none of the filters' (none
// at all, or the end of a name with a dot, "Station 3.5") gets the chosen filter's first suffix.
QString savedName(const QString& path, const QStringList& filters, int chosen);

// The platform's print dialog; printing to a PDF file is one of its choices.
class PrinterChooser {
 public:
  virtual ~PrinterChooser() = default;
  // The printer chosen, ready for one page; none when the operator cancels.
  virtual std::unique_ptr<QPagedPaintDevice> choosePrinter() = 0;
};

// File > Export chart...: the chart on the picture, drawn anew into a PNG, SVG or PDF file named
// as the dialog chose it; the type follows its suffix, or else the filter chosen. A file that
// cannot be written is reported with its name and the reason.
void mnuExportChart_Click(const PainterSurface& picture, SaveFileChooser& chooser, const Environment& env);

// File > Print chart...: the chart on one page, as wide as the page, under a heading of one or two
// lines. A page that cannot hold the chart is reported and not printed.
void mnuPrintChart_Click(const PainterSurface& picture, PrinterChooser& chooser, const Environment& env);

// File > Export rows...: the rows the main window's chart shows, into a CSV file: the stored rows
// of a chart of stored rows (only those of its zoom while it shows one), the lists of entered
// values for the live chart.
void mnuExportRows_Click(Program& program, SaveFileChooser& chooser);
// Whether the main window's chart shows rows to export, which enables the menu item.
bool rowsToExport(Program& program);

// The heading of a printed chart, in lines no wider than lineWidth in the font: what it shows (a
// period by its From and To, a query cut with an ellipsis), from which database, and when it was
// printed; one line when all of it fits, else two.
QStringList printHeading(const KeptChart& chart, const QDateTime& printed, const RegionalForms& regional,
                         const QFontMetricsF& font, double lineWidth);

}  // namespace kelvane
