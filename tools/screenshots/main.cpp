// kelvane-screenshots FOLDER: saves pictures of the windows, as the documentation shows them,
// into FOLDER. Run it on the offscreen platform (QT_QPA_PLATFORM=offscreen).
#include "chart/ChartFonts.h"
#include "shell/frmChart.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
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

// Types the values one by one into the entry box and presses Input, a few seconds apart.
void enterValues(frmChart& window, SetClock& clock, const QList<double>& values) {
  auto* entry = window.findChild<QLineEdit*>(QStringLiteral("Text6"));
  auto* input = window.findChild<QPushButton*>(QStringLiteral("btnCalculation"));
  for (double value : values) {
    clock.set(clock.now().addSecs(3));
    entry->setText(QString::number(value));
    input->click();
  }
}

// A signal as the leak detection reports it: a slow rise with small jitter.
QList<double> measuredValues(int count) {
  QList<double> values;
  for (int i = 0; i < count; ++i) values.append(2 + i * 0.35 + ((i * 7) % 5 - 2) * 0.4);
  return values;
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
  Environment env{clock, RegionalForms(QLocale(QLocale::English, QLocale::UnitedKingdom)), messages};
  const QTemporaryDir logFolder;  // the pictures leave no log behind
  env.logFilePath = logFolder.filePath(QStringLiteral("Logfile.txt"));

  ProgramState state;
  frmChart mainWindow(state, env);
  mainWindow.Form_Load();
  bool allSaved = save(mainWindow, folder, QStringLiteral("main-window"));
  enterValues(mainWindow, clock, measuredValues(25));
  allSaved &= save(mainWindow, folder, QStringLiteral("live-chart"));
  return allSaved ? 0 : 1;
}
