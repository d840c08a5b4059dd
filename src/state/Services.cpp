#include "Services.h"

namespace kelvane {

QDateTime SystemClock::now() const {
  QDateTime moment = QDateTime::currentDateTime();
  return moment.addMSecs(-moment.time().msec());
}

QString applicationTitle() { return LoadResString(TextId::ApplicationTitle); }

}  // namespace kelvane
