#pragma once

#include <QString>

namespace kelvane {

// The program's version, as the About box and the application object show it.
struct AppVersion {
  static constexpr int major = 4;
  static constexpr int minor = 2;
  static constexpr int revision = 0;
};

// "4.2.0": each number in plain decimal.
inline QString versionText() {
  return QStringLiteral("%1.%2.%3").arg(AppVersion::major).arg(AppVersion::minor).arg(AppVersion::revision);
}

}  // namespace kelvane
