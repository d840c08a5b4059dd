#include "MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace kelvane {

void MessageBoxes::show(const QString& text, MessageIcon icon, const QString& title) {
  QMessageBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon, title, text,
                  QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

}  // namespace kelvane
