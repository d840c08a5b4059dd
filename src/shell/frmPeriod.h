#pragma once

#include "entry/Program.h"

#include <QDialog>

class QDateTimeEdit;
class QLabel;

namespace kelvane {

// The period dialog: From and To with their calendars, the quick ranges, and Chart, Edit as SQL
// and Cancel. Not modal, as the query dialog is; discarded when it closes.
class frmPeriod : public QDialog, public PeriodDialogView {
  Q_OBJECT
 public:
  frmPeriod(Program& program, QWidget* mainWindow);

  QDateTime from() const override;
  QDateTime to() const override;
  void setPeriod(const QDateTime& from, const QDateTime& to) override;
  void showNotice(const QString& text) override;
  ~frmPeriod() override;
  void whenAnswered(const std::shared_ptr<JobControl>& job, std::function<void()> then) override;
  void unload() override { close(); }

 private:
  std::shared_ptr<JobControl> asking_;
  QDateTimeEdit* dtFrom_;
  QDateTimeEdit* dtTo_;
  QLabel* lblNoIndex_;
};

}  // namespace kelvane
