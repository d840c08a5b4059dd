#pragma once

#include "handlers/StationsSetting.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;

namespace kelvane {

// Database > Stations...: the databases charted beside the chosen one, Add..., Remove, the name
// of the one selected, OK and Cancel. Modal.
class frmStations : public QDialog, public StationsDialogView {
  Q_OBJECT
 public:
  frmStations(Program& program, ProgramSettings& settings, FileChooser& chooser, QWidget* mainWindow);

  QList<ComparedStation> stations() const override { return stations_; }
  void setStations(const QList<ComparedStation>& stations, int selected) override;
  int selectedStation() const override;
  void unload() override { accept(); }

 private:
  void showSelected();

  QList<ComparedStation> stations_;
  QListWidget* lstStations_;
  QLineEdit* txtStationName_;
};

}  // namespace kelvane
