#include "Keyboard.h"

#include "state/TextResources.h"

#include <QWidget>

namespace kelvane {

QString withAccessKey(const QString& caption, QChar english, QChar german) {
  const QChar letter = germanShown() ? german : english;
  QString text = QString(caption).replace(QLatin1Char('&'), QStringLiteral("&&"));
  const qsizetype at = text.indexOf(letter, 0, Qt::CaseInsensitive);
  if (at >= 0) text.insert(at, QLatin1Char('&'));
  return text;
}

void chainTabOrder(std::initializer_list<QWidget*> controls) {
  QWidget* previous = nullptr;
  for (QWidget* control : controls) {
    if (previous) QWidget::setTabOrder(previous, control);
    previous = control;
  }
}

}  // namespace kelvane
