// kelvane-icon SIZE FILE: writes the program's icon as a PNG of SIZE pixels for the desktop's
// icon theme, drawn by the code that draws it in the window and the About box.
#include "shell/ProgramIcon.h"

#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char* argv[]) {
  bool isNumber = false;
  const int size = argc == 3 ? QString::fromLocal8Bit(argv[1]).toInt(&isNumber) : 0;
  if (!isNumber || size <= 0) {
    std::fputs("Usage: kelvane-icon SIZE FILE.png\n", stderr);
    return 2;
  }
  const QImage icon = kelvane::programIconImage(size);
  if (icon.isNull() || !icon.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "kelvane-icon: could not draw or write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
