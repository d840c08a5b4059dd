// kelvane-screenshots FOLDER: saves pictures of the windows, as the documentation shows them,
// into FOLDER. Run it on the offscreen platform (QT_QPA_PLATFORM=offscreen).
#include "chart/ChartFonts.h"
#include "shell/frmChart.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

#include <cstdio>

namespace {

using namespace kelvane;

// Records messages instead of showing them: nothing waits for an operator here.
class SilentMessages : public MessageSink {
 public:
  void show(const QString&, MessageIcon, const QString&) override {}
};

bool save(QWidget& window, const QDir& folder, const QString& name) {
  QApplication::processEvents();  // pending layout, such as the menu bar's after its captions
  const QString path = folder.filePath(name + QStringLiteral(".png"));
  const bool saved = window.grab().save(path);
  QTextStream(stdout) << (saved ? "saved " : "could not save ") << path << '\n';
  return saved;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: kelvane-screenshots FOLDER\n");
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.exists()) {
    std::fprintf(stderr, "kelvane-screenshots: no folder %s\n", argv[1]);
    return 2;
  }
  installChartFonts();
  SetClock clock(QDateTime(QDate(2026, 12, 6), QTime(14, 8, 45)));
  SilentMessages messages;
  const Environment env{clock, RegionalForms(QLocale(QLocale::English, QLocale::UnitedKingdom)), messages};

  ProgramState state;
  frmChart mainWindow(state, env);
  mainWindow.Form_Load();
  bool allSaved = save(mainWindow, folder, QStringLiteral("main-window"));
  return allSaved ? 0 : 1;
}
