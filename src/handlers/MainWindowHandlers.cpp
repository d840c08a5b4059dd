#include "MainWindowHandlers.h"

#include "entry/ProgramChart.h"

#include <QDir>
#include <QFileInfo>

namespace kelvane {

void startMainWindow(Program& program) {
  ProgramState& state = program.state;
  const RegionalForms& regional = program.env.regional;
  state.LiveChart = true;
  state.takeEntryMoment(program.env.clock.now(), regional);
  ClockLabels& clock = program.mainWindow.clockLabels();
  clock.setTimeCaption(regional.longTime(state.LastEntryTime));
  clock.setTimeVisible(true);
  clock.setDateCaption(regional.shortDate(state.LastEntryDate));
  ChartRecord record;
  prepareChartRecord(state, record);
  drawChart(program.mainWindow.graphField(), state, record, program.env);
}

void btnNumberOnX_Click(ProgramState& state) { state.NumberOnX = true; }
void btnTimeOnX_Click(ProgramState& state) { state.NumberOnX = false; }

void mnuLanguage_Click(Program& program, Language choice, ProgramSettings& settings) {
  try {
    settings.setLanguage(choice);
  } catch (const RuntimeError& error) {
    program.env.alert(LoadResString(TextId::NotKeptForNextRun).arg(error.sourceAndDescription()));
    return;
  }
  const bool german = showsGerman(choice, program.env.regional.locale());
  program.env.messages.show(LoadResString(TextId::LanguageAtNextStart, german), MessageIcon::Exclamation,
                            LoadResString(TextId::ApplicationTitle, german));
}

QString helpFilePath(const QString& programFolder) {
  const QDir folder(programFolder);
  const QString shown = folder.filePath(LoadResString(TextId::HelpFileName));
  return QFileInfo::exists(shown) ? shown : folder.filePath(LoadResString(TextId::HelpFileName, false));
}

}  // namespace kelvane
