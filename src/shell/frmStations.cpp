#include "frmStations.h"

#include "Controls.h"
#include "Keyboard.h"
#include "state/TextResources.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace kelvane {

namespace {

constexpr double kDialogFontSize = 9.75;

}  // namespace

frmStations::frmStations(Program& program, ProgramSettings& settings, FileChooser& chooser, QWidget* mainWindow)
    : QDialog(mainWindow) {
  setObjectName(QStringLiteral("frmStations"));
  setWindowTitle(LoadResString(TextId::StationsTitle));
  setFont(tahoma(kDialogFontSize));
  setFixedSize(twipsOnScreen(7455), twipsOnScreen(3660));
  QLabel* lblStations = makeLabel(this, "lblStations", kDialogFontSize, 120, 120, 5655, 285);
  lblStations->setText(LoadCaption(TextId::StationsListLabel));
  lstStations_ = makeControl<QListWidget>(this, "lstStations", kDialogFontSize, 120, 480, 5655, 2055);
  lstStations_->setAccessibleName(LoadResString(TextId::StationsListLabel));
  lblStations->setBuddy(lstStations_);
  QLabel* lblName = makeLabel(this, "lblStationName", kDialogFontSize, 120, 2760, 1800, 285);
  lblName->setText(LoadCaption(TextId::StationNameLabel));
  txtStationName_ = makeControl<QLineEdit>(this, "txtStationName", kDialogFontSize, 1920, 2700, 3855, 375);
  txtStationName_->setAccessibleName(LoadResString(TextId::StationNameLabel));
  lblName->setBuddy(txtStationName_);
  QPushButton* add = makeDialogButton(this, "btnStationAdd", 6000, 480, 1335, TextId::StationAddButton);
  QPushButton* remove =
      makeDialogButton(this, "btnStationRemove", 6000, 960, 1335, TextId::StationRemoveButton);
  QPushButton* ok = makeDialogButton(this, "btnStationsOK", 6000, 2700, 1335, TextId::LimitsOkButton);
  QPushButton* cancel =
      makeDialogButton(this, "btnStationsCancel", 6000, 3180, 1335, TextId::CancelQueryButton);
  ok->setDefault(true);
  chainTabOrder({lstStations_, txtStationName_, add, remove, ok, cancel});
  showStations(program, *this);

  connect(lstStations_, &QListWidget::currentRowChanged, this, [this] { showSelected(); });
  // The name typed is the selected station's at once, in the list too.
  connect(txtStationName_, &QLineEdit::textEdited, this, [this](const QString& name) {
    const int selected = selectedStation();
    if (selected < 0) return;
    stations_[selected].name = name;
    lstStations_->item(selected)->setText(name);
  });
  connect(add, &QPushButton::clicked, this, [this, &program, &chooser] { btnStationAdd_Click(program, chooser, *this); });
  connect(remove, &QPushButton::clicked, this, [this] { btnStationRemove_Click(*this); });
  connect(ok, &QPushButton::clicked, this, [this, &program, &settings] { btnStationsOK_Click(program, *this, settings); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmStations::setStations(const QList<ComparedStation>& stations, int selected) {
  stations_ = stations;
  const QSignalBlocker quiet(lstStations_);
  lstStations_->clear();
  for (const ComparedStation& station : stations_) {
    auto* item = new QListWidgetItem(station.name, lstStations_);
    item->setToolTip(station.path);
  }
  lstStations_->setCurrentRow(selected);
  showSelected();
}

int frmStations::selectedStation() const {
  const int row = lstStations_->currentRow();
  return row >= 0 && row < stations_.size() ? row : -1;
}

void frmStations::showSelected() {
  const int selected = selectedStation();
  txtStationName_->setEnabled(selected >= 0);
  txtStationName_->setText(selected >= 0 ? stations_[selected].name : QString());
  if (selected >= 0) txtStationName_->setToolTip(stations_[selected].path);
}

}  // namespace kelvane
