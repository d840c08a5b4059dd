#pragma once

#include "entry/Program.h"

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace kelvane {

// Database > Shelve the alarm: for 15 minutes, 1 hour or 8 hours, with the operator's comment;
// Shelve and Cancel. Modal.
class frmAlarmShelve : public QDialog, public ShelveDialogView {
  Q_OBJECT
 public:
  frmAlarmShelve(Program& program, QWidget* mainWindow);

  qint64 shelfSeconds() const override;
  QString comment() const override;
  void focusComment() override;
  void unload() override { accept(); }

 private:
  QRadioButton *optShelveQuarterHour_, *optShelveHour_, *optShelveShift_;
  QLineEdit* txtShelveComment_;
};

}  // namespace kelvane
