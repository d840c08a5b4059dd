#include "frmSummary.h"

#include "Controls.h"
#include "Keyboard.h"
#include "state/TextResources.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

namespace kelvane {

namespace {

constexpr double kDialogFontSize = 9.75;

}  // namespace

frmSummary::frmSummary(Program& program, QWidget* mainWindow) : QDialog(mainWindow), program_(program) {
  setObjectName(QStringLiteral("frmSummary"));
  // Titled as the menu item that opens it.
  setWindowTitle(LoadResString(TextId::SummaryItem).remove(QStringLiteral("...")));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(tahoma(kDialogFontSize));
  setFixedSize(twipsOnScreen(9135), twipsOnScreen(4935));
  lstSummary_ = makeControl<QTreeWidget>(this, "lstSummary", kDialogFontSize, 120, 120, 8895, 4200);
  lstSummary_->setAccessibleName(windowTitle());
  lstSummary_->setColumnCount(2);
  lstSummary_->setHeaderHidden(true);
  lstSummary_->setRootIsDecorated(false);
  lstSummary_->setSelectionMode(QAbstractItemView::NoSelection);
  lstSummary_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  QPushButton* copy = makeDialogButton(this, "btnCopySummary", 6360, 4440, 1215, TextId::CopySummaryButton);
  QPushButton* close = makeDialogButton(this, "btnClose", 7800, 4440, 1215, TextId::CloseBesideCopyButton);
  chainTabOrder({lstSummary_, copy, close});
  copy->setFocus();  // the list's first line would look chosen
  refresh();

  connect(copy, &QPushButton::clicked, this, [this] { QGuiApplication::clipboard()->setText(summaryText(lines_, stations_)); });
  connect(close, &QPushButton::clicked, this, &QDialog::close);
}

void frmSummary::refresh() {
  const QList<SummaryLine> lines = summaryLines(program_);
  const QStringList stations = summaryStations(program_);
  if (lines == lines_ && stations == stations_ && lstSummary_->topLevelItemCount() == lines.size()) return;
  lines_ = lines;
  stations_ = stations;
  lstSummary_->clear();
  // One column a station, headed by its name, while several are compared.
  lstSummary_->setColumnCount(1 + std::max<int>(1, int(stations_.size())));
  lstSummary_->setHeaderLabels(QStringList{QString()} + stations_);
  lstSummary_->setHeaderHidden(stations_.isEmpty());
  for (const SummaryLine& line : lines_)
    lstSummary_->addTopLevelItem(new QTreeWidgetItem(QStringList{line.name, line.value} + line.beside));
}

}  // namespace kelvane
