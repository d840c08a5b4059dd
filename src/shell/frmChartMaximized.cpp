#include "frmChartMaximized.h"

#include "Controls.h"
#include "PictureBox.h"
#include "TextResources.h"

#include <QAction>

namespace kelvane {

namespace {
constexpr double kClockFontSize = 9;
}

frmChartMaximized::frmChartMaximized(const Environment& env) : saveDialog_(this) {
  setObjectName(QStringLiteral("frmChartMaximized"));
  setWindowTitle(QStringLiteral("Chart maximized"));
  auto* client = new QWidget(this);
  client->setMinimumSize(twipsOnScreen(15240), twipsOnScreen(10725));
  setCentralWidget(client);
  picMaximized_ = new PictureBox(client, twipsOnScreen(10335), twipsOnScreen(9495), screenDotsPerInch());
  picMaximized_->setObjectName(QStringLiteral("picMaximized"));
  picMaximized_->move(twipsOnScreen(240), twipsOnScreen(240));
  QLabel* time = makeLabel(client, "lblTime", kClockFontSize, 3840, 9960, 975, 375);
  QLabel* date = makeLabel(client, "lblDate", kClockFontSize, 5040, 9960, 975, 375);
  clock_ = ClockLabelPair(time, date);

  // The chart goes into a file from here too, by the picture's context menu.
  auto* exportChart = new QAction(LoadResString(TextId::ExportChartItem), picMaximized_);
  exportChart->setObjectName(QStringLiteral("mnuExportChart"));
  picMaximized_->addAction(exportChart);
  picMaximized_->setContextMenuPolicy(Qt::ActionsContextMenu);
  connect(exportChart, &QAction::triggered, this,
          [this, &env] { mnuExportChart_Click(picMaximized_->surface(), saveDialog_, env); });
}

DrawingSurface& frmChartMaximized::picMaximized() { return picMaximized_->surface(); }

void frmChartMaximized::showMaximized() {
  QMainWindow::showMaximized();
  raise();
  activateWindow();
}

}  // namespace kelvane
