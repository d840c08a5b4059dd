#include "frmChartMaximized.h"

#include "Controls.h"
#include "PictureBox.h"
#include "state/TextResources.h"

#include <QAction>

#include <algorithm>

namespace kelvane {

namespace {

constexpr double kClockFontSize = 9;
// The window's design in twips: its client area, the picture, and the clock labels' top, 225
// below the picture.
constexpr int kClientWidth = 15240, kClientHeight = 10725;
constexpr int kPictureLeft = 240, kPictureTop = 240, kPictureWidth = 10335, kPictureHeight = 9495;
constexpr int kLabelTop = 9960;

}  // namespace

frmChartMaximized::frmChartMaximized(const Environment& env) : saveDialog_(this) {
  setObjectName(QStringLiteral("frmChartMaximized"));
  setWindowTitle(LoadResString(TextId::FullScreenTitle));
  auto* client = new QWidget(this);
  client->setMinimumSize(twipsOnScreen(kClientWidth), twipsOnScreen(kClientHeight));
  setCentralWidget(client);
  picMaximized_ = new PictureBox(client, twipsOnScreen(kPictureWidth), twipsOnScreen(kPictureHeight),
                                 screenDotsPerInch(), env);
  picMaximized_->setObjectName(QStringLiteral("picMaximized"));
  fraAlarm_ = new AlarmBannerFrame(client);
  connect(fraAlarm_, &AlarmBannerFrame::shownChanged, this, &frmChartMaximized::placeControls);
  picMaximized_->move(twipsOnScreen(kPictureLeft), twipsOnScreen(kPictureTop));
  lblTime_ = makeLabel(client, "lblTime", kClockFontSize, 3840, kLabelTop, 975, 375);
  lblDate_ = makeLabel(client, "lblDate", kClockFontSize, 5040, kLabelTop, 975, 375);
  clock_ = ClockLabelPair(lblTime_, lblDate_);
  // As wide as the picture, as the main window's: over the clock labels, which stored rows hide.
  lblCursor_ = makeLabel(client, "lblCursor", kClockFontSize, kPictureLeft, kLabelTop, kPictureWidth, 375);
  lblCursor_->setWordWrap(false);
  connect(picMaximized_, &PictureBox::pointCaptionChanged, lblCursor_, &QLabel::setText);

  // The chart goes into a file from here too, by the picture's context menu.
  auto* exportChart = new QAction(LoadResString(TextId::ExportChartItem), picMaximized_);
  exportChart->setObjectName(QStringLiteral("mnuExportChart"));
  picMaximized_->addAction(exportChart);
  picMaximized_->setContextMenuPolicy(Qt::ActionsContextMenu);
  connect(exportChart, &QAction::triggered, this,
          [this, &env] { mnuExportChart_Click(picMaximized_->surface(), saveDialog_, env); });
}

DrawingSurface& frmChartMaximized::picMaximized() { return picMaximized_->surface(); }

void frmChartMaximized::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  placeControls();
}

// Beyond its design size the window gives its new height to the picture, and its new width too,
// as well as the design's wide strip right of the picture, until that margin is as narrow as the
// left one. The clock labels and lblCursor keep their place below the picture. The alarm's banner
// spans the top, and the picture gives it its height while it shows.
void frmChartMaximized::placeControls() {
  const QSize client = centralWidget()->size();
  const int wider = client.width() - twipsOnScreen(kClientWidth);
  const int taller = client.height() - twipsOnScreen(kClientHeight);
  const int margin = twipsOnScreen(kPictureLeft);
  fraAlarm_->setGeometry(margin, margin, client.width() - 2 * margin, fraAlarm_->height());
  const int banner = fraAlarm_->isHidden() ? 0 : fraAlarm_->height() + margin;
  picMaximized_->setGeometry(margin, twipsOnScreen(kPictureTop) + banner,
                             std::min(client.width() - 2 * margin, twipsOnScreen(kPictureWidth) + 2 * wider),
                             twipsOnScreen(kPictureHeight) + taller - banner);
  for (QLabel* label : {lblTime_, lblDate_, lblCursor_}) label->move(label->x(), twipsOnScreen(kLabelTop) + taller);
}

void frmChartMaximized::showMaximized() {
  QMainWindow::showMaximized();
  raise();
  activateWindow();
}

}  // namespace kelvane
