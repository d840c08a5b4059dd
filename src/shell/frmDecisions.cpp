#include "frmDecisions.h"

#include "Controls.h"
#include "Keyboard.h"
#include "state/TextResources.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QTreeView>
#include <QPushButton>

namespace kelvane {

namespace {

constexpr double kDialogFontSize = 9.75;

// The lines are made as the list shows them: a list of a hundred thousand stretches opens at once.
// With several stations the station of each stretch stands in a column of its own, Station.
class DecisionsModel : public QAbstractTableModel {
 public:
  DecisionsModel(DecisionsList list, const RegionalForms& regional, QObject* parent)
      : QAbstractTableModel(parent),
        list_(std::move(list)),
        regional_(regional),
        stations_(list_.chart && list_.chart->input.severalStations()) {}
  bool stations() const { return stations_; }
  const DecisionsList& list() const { return list_; }
  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : int(std::min<std::size_t>(list_.stretches.size(), INT_MAX));
  }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : stations_ ? 2 : 1; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    const QString line = decisionLine(list_, std::size_t(index.row()), regional_);
    return stations_ ? line.section(QLatin1Char('\t'), index.column(), index.column() == 0 ? 0 : -1) : line;
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section != 0 || !stations_) return {};
    return LoadResString(TextId::StationHeading);
  }

 private:
  const DecisionsList list_;
  const RegionalForms& regional_;
  const bool stations_;
};

}  // namespace

frmDecisions::frmDecisions(Program& program, QWidget* mainWindow) : QDialog(mainWindow) {
  setObjectName(QStringLiteral("frmDecisions"));
  setWindowTitle(LoadResString(TextId::DecisionsDialogTitle));
  setFont(tahoma(kDialogFontSize));
  setFixedSize(twipsOnScreen(7935), twipsOnScreen(4500));
  lstDecisions_ = makeControl<QTreeView>(this, "lstDecisions", kDialogFontSize, 120, 120, 7695, 3735);
  lstDecisions_->setAccessibleName(windowTitle());
  lstDecisions_->setUniformRowHeights(true);
  lstDecisions_->setRootIsDecorated(false);
  lstDecisions_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  auto* model = new DecisionsModel(listDecisions(program), program.env.regional, this);
  lstDecisions_->setModel(model);
  lstDecisions_->setHeaderHidden(!model->stations());
  lstDecisions_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  if (model->rowCount({}) > 0) lstDecisions_->setCurrentIndex(model->index(0, 0));
  // It cancels nothing: choosing a line zooms, this only closes.
  QPushButton* close = makeDialogButton(this, "btnClose", 6600, 3990, 1215, TextId::CloseButton);
  chainTabOrder({lstDecisions_, close});

  connect(lstDecisions_, &QTreeView::activated, this, [this, &program, model](const QModelIndex& index) {
    zoomIntoStretch(program, model->list(), std::size_t(index.row()));
    accept();
  });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

}  // namespace kelvane
