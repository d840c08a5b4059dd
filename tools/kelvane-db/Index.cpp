// kelvane-db index: the index on (Date, Time) for a table made before create made it, without
// stopping a collector that writes meanwhile.
#include "Commands.h"
#include "Failure.h"
#include "database/Connection.h"
#include "database/PeriodIndex.h"
#include "state/RuntimeError.h"

#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTextStream>

namespace kelvane::db {

const QString kPeriodIndex = QStringLiteral("CREATE INDEX GraphDataDateTime ON GraphData (Date, Time)");

namespace {

// Building holds SQLite's write lock, and on a server CONCURRENTLY waits for every transaction that
// began before it: both wait this long for the collector's rows and the program's reads.
constexpr std::chrono::minutes kLockWait{1};

bool hasPeriodIndexIn(const Target& target) {
  try {
    return hasPeriodIndex(target.path());
  } catch (const RuntimeError& error) {
    throw Failure{Exit::Unreachable, QStringLiteral("%1 cannot be read: %2").arg(target.shownName(), error.description())};
  }
}

void build(const Target& target) {
  Connection connection;
  connection.LockWait = kLockWait;
  target.connect(connection);
  if (!target.onServer()) {
    connection.query(QString(kPeriodIndex).replace(QStringLiteral("INDEX"), QStringLiteral("INDEX IF NOT EXISTS")));
    return;
  }
  // A build that failed or was stopped leaves its index behind, never used: built again.
  QSqlQuery left = connection.query(
      QStringLiteral("SELECT NOT indisvalid FROM pg_index WHERE indexrelid = to_regclass('GraphDataDateTime')"));
  if (left.next() && left.value(0).toBool()) connection.query(QStringLiteral("DROP INDEX CONCURRENTLY GraphDataDateTime"));
  // Not a word of "already exists, skipping" on the error output: the check after says what is there.
  connection.query(QStringLiteral("SET client_min_messages TO warning"));
  connection.query(QString(kPeriodIndex).replace(QStringLiteral("INDEX"), QStringLiteral("INDEX CONCURRENTLY IF NOT EXISTS")));
}

}  // namespace

int addIndex(const Target& target) {
  target.requireGraphData();
  QTextStream out(stdout);
  if (hasPeriodIndexIn(target)) {
    out << target.shownName() << " has an index on Date, Time already; nothing changed\n";
    return Exit::Ok;
  }
  out << "adding index GraphDataDateTime on Date, Time to " << target.shownName() << Qt::endl;
  QElapsedTimer timer;
  timer.start();
  try {
    build(target);
  } catch (const RuntimeError& error) {
    throw Failure{Exit::WriteFailed, QStringLiteral("%1: index not added: %2").arg(target.shownName(), error.description())};
  }
  // IF NOT EXISTS passes over an index of that name on other columns.
  if (!hasPeriodIndexIn(target))
    throw Failure{Exit::WriteFailed, QStringLiteral("%1: index not added: an index named GraphDataDateTime is there, but "
                                                    "not on Date, Time of every row; drop or rename it and run index again")
                                         .arg(target.shownName())};
  out << "added in " << QString::number(timer.elapsed() / 1000.0, 'f', 1) << " s\n";
  return Exit::Ok;
}

}  // namespace kelvane::db
