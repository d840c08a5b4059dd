#include "Stations.h"

#include <QFileInfo>

namespace kelvane {

QString stationName(const QString& path) { return QFileInfo(path).completeBaseName(); }

}  // namespace kelvane
