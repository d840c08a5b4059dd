#pragma once

#include "state/ProgramSettings.h"
#include "entry/Program.h"

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace kelvane {

// The leak test's limits: α and β, the form of the values, and A and B, which follow α and β or
// are typed as they are; OK, No limits and Cancel. Modal.
class frmLimits : public QDialog, public LimitsDialogView {
  Q_OBJECT
 public:
  frmLimits(Program& program, ProgramSettings& settings, QWidget* mainWindow);

  LimitsTexts texts() const override;
  void setTexts(const LimitsTexts& texts) override;
  void focusField(LimitField field) override;
  void unload() override { accept(); }

 private:
  QLineEdit* edit(LimitField field) const;

  QLineEdit *txtAlpha_, *txtBeta_, *txtLimitA_, *txtLimitB_;
  QRadioButton *optLogRatio_, *optRatio_;
};

}  // namespace kelvane
