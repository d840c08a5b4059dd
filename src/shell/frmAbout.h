#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kelvane {

// The About box: title, version and attribution. Created for each showing.
class frmAbout : public QDialog {
  Q_OBJECT
 public:
  explicit frmAbout(QWidget* owner);

 private:
  void Form_Load();

  QLabel *lblTitle_, *lblVersion_, *lblAboutDescr_;
  QPushButton* cmdOK_;
};

// Shows a new About box modally over the owner and discards it once it has closed.
void ShowAboutBox(QWidget* owner);

}  // namespace kelvane
