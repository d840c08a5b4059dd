#include "AppIdentity.h"
#include "MessageBoxes.h"
#include "chart/ChartFonts.h"
#include "frmChart.h"
#include "state/ProgramSettings.h"
#include "state/TextResources.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // The name the desktop knows the program by, in any language.
  QApplication::setApplicationName(QStringLiteral("Kelvane program"));
  QApplication::setApplicationVersion(kelvane::versionText());
  // Lets the desktop match the running window with the menu entry kelvane.desktop and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("kelvane"));
  kelvane::installChartFonts();

  // The settings file gives the language and the start-up state nothing else.
  const kelvane::ProgramSettings settings;
  kelvane::showGerman(kelvane::showsGerman(settings.language(), QLocale()));
  kelvane::ProgramState state;
  state.Limits = settings.leakLimits();
  state.TimeScale = settings.timeScale();
  kelvane::SystemClock clock;
  kelvane::MessageBoxes messages;
  const kelvane::Environment env{clock, kelvane::RegionalForms(QLocale()), messages};
  kelvane::frmChart window(state, env);
  window.Form_Load();
  return app.exec();
}
