#pragma once

#include "handlers/SummaryLines.h"
#include "entry/Program.h"

#include <QDialog>

class QTreeWidget;

namespace kelvane {

// What the main window's chart holds, one figure a line beside its name, and Copy, which puts the
// lines on the clipboard. Not modal: it follows the chart while it is open.
class frmSummary : public QDialog {
  Q_OBJECT
 public:
  frmSummary(Program& program, QWidget* mainWindow);

  // The summary of the chart the main window shows now.
  void refresh();

 private:
  Program& program_;
  QTreeWidget* lstSummary_;
  QList<SummaryLine> lines_;
  QStringList stations_;
};

}  // namespace kelvane
