#include "ChartFonts.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>

namespace kelvane {

void installChartFonts() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  for (const char* file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
    if (QFile::exists(QString::fromLatin1(file))) QFontDatabase::addApplicationFont(QString::fromLatin1(file));
  }
  if (!QFontDatabase::families().contains(QStringLiteral("Tahoma")))
    QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"));
}

}  // namespace kelvane
