#pragma once

#include "entry/Program.h"
#include "state/ProgramSettings.h"

namespace kelvane {

// The dialog frmStations: the list of stations beside the chosen database as edited, and the one
// selected in it (-1 for none), whose name txtStationName shows.
class StationsDialogView {
 public:
  virtual ~StationsDialogView() = default;
  virtual QList<ComparedStation> stations() const = 0;
  virtual void setStations(const QList<ComparedStation>& stations, int selected) = 0;
  virtual int selectedStation() const = 0;
  // Closes the dialog.
  virtual void unload() = 0;
};

// Database > Stations...: the dialog opens on the stations set.
void showStations(Program& program, StationsDialogView& dialog);
// Add: the program's file dialog chooses a database, which is added at the end with its file's
// base name and selected. A sixth station, the chosen database, one listed already, or a file
// that is not a measurement database (read as the Database button reads it, and told as it tells
// it) is refused and leaves the list as it was.
void btnStationAdd_Click(Program& program, FileChooser& chooser, StationsDialogView& dialog);
// Remove: the station selected leaves the list; the one after it is selected.
void btnStationRemove_Click(StationsDialogView& dialog);
// OK: the stations are set and kept for the next run (a settings file that cannot be written is
// told, and they hold for this run all the same). A station without a name is refused.
void btnStationsOK_Click(Program& program, StationsDialogView& dialog, ProgramSettings& settings);

}  // namespace kelvane
