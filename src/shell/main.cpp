#include "AppIdentity.h"
#include "MessageBoxes.h"
#include "chart/ChartFonts.h"
#include "frmChart.h"
#include "state/ProgramSettings.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(kelvane::applicationTitle());
  QApplication::setApplicationVersion(kelvane::versionText());
  // Lets the desktop match the running window with the menu entry kelvane.desktop and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("kelvane"));
  kelvane::installChartFonts();

  kelvane::ProgramState state;
  // The settings file gives the start-up state nothing else.
  state.Limits = kelvane::ProgramSettings().leakLimits();
  state.TimeScale = kelvane::ProgramSettings().timeScale();
  kelvane::SystemClock clock;
  kelvane::MessageBoxes messages;
  const kelvane::Environment env{clock, kelvane::RegionalForms(QLocale()), messages};
  kelvane::frmChart window(state, env);
  window.Form_Load();
  return app.exec();
}
