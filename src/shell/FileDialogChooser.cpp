#include "FileDialogChooser.h"

#include "state/RuntimeError.h"
#include "state/TextResources.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>

namespace kelvane {

QString FileDialogChooser::chooseDatabaseFile() {
  const QString path = QFileDialog::getOpenFileName(owner_, LoadResString(TextId::SelectDatabaseFileTitle), QString(),
                                                    LoadResString(TextId::DatabaseFileFilters));
  if (path.isEmpty())
    throw RuntimeError(ErrorNumber::DialogCancelled, QStringLiteral("CommonDialog"), QStringLiteral("Cancel was selected."));
  return path;
}

std::optional<SaveChoice> FileDialogChooser::chooseSaveFile(const QString& title, const QStringList& filters) {
  QFileDialog dialog(owner_, title);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  // Qt's own dialog adds the suffix before it asks about an existing file; a platform's dialog
  // may ask about the name as typed and leave the suffix out.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setNameFilters(filters);
  const auto suffixOf = [](const QString& filter) {
    static const QRegularExpression firstPattern(QStringLiteral("\\*\\.(\\w+)"));
    return firstPattern.match(filter).captured(1);
  };
  dialog.setDefaultSuffix(suffixOf(filters.value(0)));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog, suffixOf](const QString& filter) { dialog.setDefaultSuffix(suffixOf(filter)); });
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
