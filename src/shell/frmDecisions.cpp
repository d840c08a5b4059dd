#include "frmDecisions.h"

#include "Controls.h"
#include "Keyboard.h"
#include "state/TextResources.h"

#include <QAbstractListModel>
#include <QListView>
#include <QPushButton>

namespace kelvane {

namespace {

constexpr double kDialogFontSize = 9.75;
constexpr double kButtonFontSize = 9;

// The lines are made as the list shows them: a list of a hundred thousand stretches opens at once.
class DecisionsModel : public QAbstractListModel {
 public:
  DecisionsModel(DecisionsList list, const RegionalForms& regional, QObject* parent)
      : QAbstractListModel(parent), list_(std::move(list)), regional_(regional) {}
  const DecisionsList& list() const { return list_; }
  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : int(std::min<std::size_t>(list_.stretches.size(), INT_MAX));
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return decisionLine(list_, std::size_t(index.row()), regional_);
  }

 private:
  const DecisionsList list_;
  const RegionalForms& regional_;
};

}  // namespace

frmDecisions::frmDecisions(Program& program, QWidget* mainWindow) : QDialog(mainWindow) {
  setObjectName(QStringLiteral("frmDecisions"));
  setWindowTitle(LoadResString(TextId::DecisionsDialogTitle));
  setFont(tahoma(kDialogFontSize));
  setFixedSize(twipsOnScreen(7935), twipsOnScreen(4500));
  lstDecisions_ = makeControl<QListView>(this, "lstDecisions", kDialogFontSize, 120, 120, 7695, 3735);
  lstDecisions_->setAccessibleName(windowTitle());
  lstDecisions_->setUniformItemSizes(true);
  lstDecisions_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  auto* model = new DecisionsModel(listDecisions(program), program.env.regional, this);
  lstDecisions_->setModel(model);
  if (model->rowCount({}) > 0) lstDecisions_->setCurrentIndex(model->index(0));
  auto* cancel = makeControl<QPushButton>(this, "btnCancel", kButtonFontSize, 6600, 3990, 1215, 375);
  cancel->setText(withAccessKey(LoadResString(TextId::CancelQueryButton), u'C', u'A'));
  cancel->setAutoDefault(false);
  chainTabOrder({lstDecisions_, cancel});

  connect(lstDecisions_, &QListView::activated, this, [this, &program, model](const QModelIndex& index) {
    zoomIntoStretch(program, model->list(), std::size_t(index.row()));
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

}  // namespace kelvane
