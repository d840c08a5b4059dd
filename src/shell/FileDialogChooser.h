#pragma once

#include "handlers/ExportAndPrint.h"
#include "state/Services.h"

class QWidget;

namespace kelvane {

// The platform's Open and Save dialogs, modal over their window.
class FileDialogChooser : public FileChooser, public SaveFileChooser {
 public:
  explicit FileDialogChooser(QWidget* owner) : owner_(owner) {}
  QString chooseDatabaseFile() override;
  std::optional<SaveChoice> chooseSaveFile(const QString& title, const QStringList& filters) override;

 private:
  QWidget* owner_;
};

// The platform's print dialog, modal over its window.
class PrintDialogChooser : public PrinterChooser {
 public:
  explicit PrintDialogChooser(QWidget* owner) : owner_(owner) {}
  std::unique_ptr<QPagedPaintDevice> choosePrinter() override;

 private:
  QWidget* owner_;
};

}  // namespace kelvane
