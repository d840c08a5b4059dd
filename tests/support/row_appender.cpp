// A collector for reliability tests: appends measurement rows as fast as it can until the stop
// file appears, then prints how many it wrote. The database is a SQLite file or a connection
// file (.kvconn), as the program is given.
#include "database/GraphDataTable.h"
#include "state/RuntimeError.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 3) {
    QTextStream(stderr) << "usage: row_appender DATABASE|CONNECTIONFILE STOPFILE\n";
    return 2;
  }
  int written = 0;
  try {
    while (!QFile::exists(args[2])) {
      kelvane::appendMeasurement(args[1], {QStringLiteral("05/12/2010"), QStringLiteral("14:08:45"), -1.0f - written});
      ++written;
    }
  } catch (const kelvane::RuntimeError& error) {
    QTextStream(stderr) << error.description() << '\n';
    return 1;
  }
  QTextStream(stdout) << written << '\n';
  return 0;
}
