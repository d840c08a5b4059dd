#pragma once

#include "state/Services.h"

class QWidget;

namespace kelvane {

// The platform's Open dialog, modal over the main window.
class FileDialogChooser : public FileChooser {
 public:
  explicit FileDialogChooser(QWidget* owner) : owner_(owner) {}
  QString chooseDatabaseFile() override;

 private:
  QWidget* owner_;
};

}  // namespace kelvane
