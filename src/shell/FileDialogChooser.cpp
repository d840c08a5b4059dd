#include "FileDialogChooser.h"

#include "state/RuntimeError.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

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

std::optional<SaveChoice> FileDialogChooser::chooseSaveFile(const QString& title, const QStringList& filters) {
  QString chosenFilter = filters.value(0);
  // The dialog asks before it lets an existing file be chosen.
  const QString path = QFileDialog::getSaveFileName(owner_, title, QString(), filters.join(QStringLiteral(";;")), &chosenFilter);
  if (path.isEmpty()) return std::nullopt;
  return SaveChoice{path, int(std::max<qsizetype>(0, filters.indexOf(chosenFilter)))};
}

std::unique_ptr<QPagedPaintDevice> PrintDialogChooser::choosePrinter() {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  QPrintDialog dialog(printer.get(), owner_);
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  return printer;
}

}  // namespace kelvane
