#include "NumberText.h"

namespace kelvane::stdKelvane {

QString NumberText(float value) {
  if (value == 0) return QStringLiteral("0");
  QString text = QString::number(double(value), 'G', 7);
  if (text.startsWith(QLatin1String("0.")))
    text.remove(0, 1);
  else if (text.startsWith(QLatin1String("-0.")))
    text.remove(1, 1);
  return text;
}

}  // namespace kelvane::stdKelvane
