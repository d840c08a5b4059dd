#include "Services.h"

namespace kelvane {

QDateTime SystemClock::now() const {
  QDateTime moment = QDateTime::currentDateTime();
  return moment.addMSecs(-moment.time().msec());
}

QString applicationTitle() { return QStringLiteral("Kelvane program"); }

}  // namespace kelvane
