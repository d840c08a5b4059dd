#pragma once

#include <QMainWindow>
#include <QUrl>

namespace kelvane {

class ChmBrowser;

// The help file's own window: a browser over the pages of a compiled HTML help file, with
// Back, Forward and Contents. Links to web pages open in the desktop's browser.
class HelpWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);
  ~HelpWindow() override;

  // Opens the help file on its default topic and brings the window up. A file that is missing
  // or is no help file gives a page that says so instead of the help.
  void showHelpFile(const QString& chmPath);

 private:
  ChmBrowser* browser_;
  QAction* contents_;
  QUrl contentsPage_;
};

}  // namespace kelvane
