#pragma once

#include "entry/Program.h"

#include <QDialog>

class QDateEdit;
class QTreeWidget;

namespace kelvane {

// Database > Alarm journal...: the journal's lines of the days From and To, newest first, and Copy,
// which puts them on the clipboard. Modal.
class frmAlarmJournal : public QDialog {
  Q_OBJECT
 public:
  frmAlarmJournal(Program& program, QWidget* mainWindow);

 private:
  void refresh();

  Program& program_;
  QDateEdit *dtJournalFrom_, *dtJournalTo_;
  QTreeWidget* lstAlarmJournal_;
  QList<QStringList> rows_;
};

}  // namespace kelvane
