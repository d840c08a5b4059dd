#include "FileDialogChooser.h"

#include "state/RuntimeError.h"

#include <QFileDialog>

namespace kelvane {

QString FileDialogChooser::chooseDatabaseFile() {
  const QString path = QFileDialog::getOpenFileName(
      owner_, QStringLiteral("Select Database file"), QString(),
      QStringLiteral("Measurement databases (*.db *.sqlite *.sqlite3 *.kvconn);;"
                     "SQLite databases (*.db *.sqlite *.sqlite3);;"
                     "Connection files (*.kvconn);;All files (*)"));
  if (path.isEmpty())
    throw RuntimeError(ErrorNumber::DialogCancelled, QStringLiteral("CommonDialog"), QStringLiteral("Cancel was selected."));
  return path;
}

}  // namespace kelvane
