#pragma once

#include "entry/Program.h"

#include <QDialog>

class QPlainTextEdit;

namespace kelvane {

// The query dialog: the operator's SQL text, "SELECT query" to chart its rows, "Cancel".
class frmDataBase : public QDialog, public QueryDialogView {
  Q_OBJECT
 public:
  frmDataBase(Program& program, QWidget* mainWindow);

  QString queryText() const override;
  void setQueryText(const QString& text) override;

 private:
  QPlainTextEdit* txtQuery_;
};

}  // namespace kelvane
