#include "AppIdentity.h"
#include "MessageBoxes.h"
#include "chart/ChartFonts.h"
#include "frmChart.h"
#include "handlers/ProgramServices.h"
#include "state/HeldMessages.h"
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
  state.Stations = settings.stations();
  state.AlarmSound = settings.alarmSound();
  kelvane::SystemClock clock;
  kelvane::MessageBoxes boxes;
  kelvane::HeldMessages messages(boxes);
  const kelvane::Environment env{clock, kelvane::RegionalForms(QLocale()), messages};
  kelvane::frmChart window(env);
  // Lives as long as the program: the workers, the rows on their way, the watch and the settings.
  kelvane::ProgramServices services(state, env, window, &messages);
  window.Form_Load(services);
  return app.exec();
}
