#pragma once

#include "handlers/LeakDecisions.h"
#include "entry/Program.h"

#include <QDialog>

class QTreeView;

namespace kelvane {

// The stretches of the main window's chart of stored rows at or above A, one line each; a
// double-click (or Enter) zooms the chart into one and closes the list. Modal.
class frmDecisions : public QDialog {
  Q_OBJECT
 public:
  frmDecisions(Program& program, QWidget* mainWindow);

 private:
  QTreeView* lstDecisions_;
};

}  // namespace kelvane
