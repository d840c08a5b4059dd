#include "FileDialogChooser.h"

#include "state/RuntimeError.h"
#include "state/TextResources.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace kelvane {

QString FileDialogChooser::chooseDatabaseFile() {
  const QString path = QFileDialog::getOpenFileName(owner_, LoadResString(TextId::SelectDatabaseFileTitle), QString(),
                                                    LoadResString(TextId::DatabaseFileFilters));
  if (path.isEmpty())
    throw RuntimeError(ErrorNumber::DialogCancelled, QStringLiteral("CommonDialog"), QStringLiteral("Cancel was selected."));
  return path;
}

namespace {

// Qt's own dialog, which asks about an existing file as it accepts a name: the name gets its suffix
// first. (A platform's dialog may ask about the name as typed.)
class SaveDialog : public QFileDialog {
 public:
  SaveDialog(QWidget* owner, const QString& title, const QStringList& filters) : QFileDialog(owner, title) {
    setAcceptMode(QFileDialog::AcceptSave);
    setOption(QFileDialog::DontUseNativeDialog);
    setNameFilters(filters);
  }
  void accept() override {
    const QStringList typed = selectedFiles();
    if (typed.size() == 1 && !QFileInfo(typed.constFirst()).isDir()) {
      const QString named = savedName(typed.constFirst(), nameFilters(), int(nameFilters().indexOf(selectedNameFilter())));
      if (named != typed.constFirst()) selectFile(named);
    }
    QFileDialog::accept();
  }
};

}  // namespace

std::optional<SaveChoice> FileDialogChooser::chooseSaveFile(const QString& title, const QStringList& filters) {
  SaveDialog dialog(owner_, title, filters);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return SaveChoice{dialog.selectedFiles().constFirst(), int(std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())))};
}

std::unique_ptr<QPagedPaintDevice> PrintDialogChooser::choosePrinter() {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  QPrintDialog dialog(printer.get(), owner_);
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  return printer;
}

}  // namespace kelvane
