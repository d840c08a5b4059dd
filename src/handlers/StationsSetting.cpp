#include "StationsSetting.h"

#include "database/StationReads.h"
#include "state/TextResources.h"

#include <QFileInfo>

namespace kelvane {

namespace {

bool sameFile(const QString& one, const QString& other) {
  return QFileInfo(one).absoluteFilePath() == QFileInfo(other).absoluteFilePath();
}

// Reads the table's columns as a chart would, off the window's thread; false, told, when it fails.
bool isMeasurementDatabase(Program& program, const QString& path) {
  const std::shared_ptr<Job<bool>> job = program.reader.start(std::function<bool(JobControl&)>([path](JobControl& control) {
    checkMeasurementTable(path, control);
    return true;
  }));
  program.mainWindow.waitForRows(*job);
  try {
    std::optional<Outcome<bool>> outcome = job->outcome();
    if (!outcome) throw cancelledError();
    return outcome->take();
  } catch (const RuntimeError& error) {
    if (error.number() != ErrorNumber::OperationCancelled)
      program.env.reportFailure(LoadResString(TextId::DatabaseFailed), error);
    return false;
  }
}

}  // namespace

void showStations(Program& program, StationsDialogView& dialog) {
  dialog.setStations(program.state.Stations, program.state.Stations.isEmpty() ? -1 : 0);
}

void btnStationAdd_Click(Program& program, FileChooser& chooser, StationsDialogView& dialog) {
  QList<ComparedStation> stations = dialog.stations();
  if (stations.size() >= kMostStationsBeside) {
    program.env.alert(LoadResString(TextId::StationsFull));
    return;
  }
  QString path;
  try {
    path = chooser.chooseDatabaseFile();
  } catch (const RuntimeError&) {
    return;  // cancelled
  }
  const QString file = QFileInfo(path).fileName();
  if (!program.state.DatabasePath.isEmpty() && sameFile(path, program.state.DatabasePath)) {
    program.env.alert(LoadResString(TextId::StationIsChosen).arg(file));
    return;
  }
  for (const ComparedStation& station : stations)
    if (sameFile(path, station.path)) {
      program.env.alert(LoadResString(TextId::StationListedAlready).arg(file));
      return;
    }
  if (!isMeasurementDatabase(program, path)) return;
  stations.append({path, stationName(path)});
  dialog.setStations(stations, int(stations.size()) - 1);
}

void btnStationRemove_Click(StationsDialogView& dialog) {
  QList<ComparedStation> stations = dialog.stations();
  const int selected = dialog.selectedStation();
  if (selected < 0 || selected >= stations.size()) return;
  stations.removeAt(selected);
  dialog.setStations(stations, std::min(selected, int(stations.size()) - 1));
}

void btnStationsOK_Click(Program& program, StationsDialogView& dialog, ProgramSettings& settings) {
  QList<ComparedStation> stations = dialog.stations();
  for (int i = 0; i < stations.size(); ++i) {
    stations[i].name = stations[i].name.trimmed();
    if (stations[i].name.isEmpty()) {
      program.env.alert(LoadResString(TextId::StationNameMissing));
      dialog.setStations(dialog.stations(), i);
      return;
    }
  }
  program.state.Stations = stations;
  try {
    settings.setStations(stations);
  } catch (const RuntimeError& error) {
    program.env.alert(LoadResString(TextId::NotKeptForNextRun).arg(error.sourceAndDescription()));
  }
  dialog.unload();
}

}  // namespace kelvane
