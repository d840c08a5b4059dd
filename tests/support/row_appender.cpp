// A second writer for reliability tests: appends measurement rows to a database as fast as it
// can until the stop file appears, then prints how many it wrote.
#include "database/GraphDataTable.h"
#include "state/RuntimeError.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 3) {
    QTextStream(stderr) << "usage: row_appender DATABASE STOPFILE\n";
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
