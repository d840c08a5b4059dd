#include "Target.h"

#include "Failure.h"
#include "database/Connection.h"
#include "database/ConnectionString.h"
#include "database/Engine.h"
#include "database/PostgresEngine.h"
#include "database/RowSource.h"
#include "database/SqliteRows.h"
#include "state/RuntimeError.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextStream>

namespace kelvane::db {

namespace {

const QStringList kColumns{QStringLiteral("Date"), QStringLiteral("Time"), QStringLiteral("number"),
                           QStringLiteral("Data")};
const QString kNoRows = QStringLiteral("SELECT * FROM GraphData WHERE 1 = 0");

// The server a connection file names, read as the program reads it.
ServerAddress addressIn(const QString& path) {
  if (!QFileInfo(path).isFile())
    throw Failure{Exit::Unreachable, QStringLiteral("%1: no such connection file").arg(path)};
  try {
    return serverAddressIn(path);
  } catch (const RuntimeError& error) {
    throw Failure{Exit::Unreachable, QStringLiteral("%1: %2").arg(path, error.description())};
  }
}

}  // namespace

Target::Target(const QString& path)
    : path_(path), onServer_(dynamic_cast<const PostgresEngine*>(&engineFor(path)) != nullptr) {
  if (!onServer_) return;
  const ServerAddress address = addressIn(path);
  shownAddress_ = address.shown;
  // The file holds a password: others reading it is worth a word, not a refusal.
  if (QFileInfo(path).permissions() & (QFile::ReadGroup | QFile::ReadOther))
    QTextStream(stderr) << "kelvane-db: warning: " << path
                        << " can be read by other users; chmod 600 it, it holds the password\n";
}

QString Target::shownName() const {
  if (!onServer()) return path_;
  return QStringLiteral("%1 (%2)").arg(path_, shownAddress_);
}

void Target::requireFile() const {
  const QFileInfo file(path_);
  if (file.isFile()) return;
  throw Failure{Exit::Unreachable, file.exists() ? QStringLiteral("%1 is not a file").arg(path_)
                                                 : QStringLiteral("%1: no such file").arg(path_)};
}

Failure Target::unreachable(const RuntimeError& error, const QString& shownByLayer) const {
  // The layer names the database, as the message here does already.
  QString reason = error.description();
  reason.remove(QStringLiteral(" (%1)").arg(shownByLayer));
  return Failure{Exit::Unreachable, QStringLiteral("%1 cannot be opened: %2").arg(shownName(), reason)};
}

void Target::connect(Connection& connection) const {
  if (!onServer()) requireFile();
  try {
    connection.Open(ConnectionString(path_));
  } catch (const RuntimeError& error) {
    throw unreachable(error, connection.shownName());
  }
}

template <typename Columns>
void Target::requireColumns(Columns&& columns) const {
  QStringList names;
  try {
    names = columns();
  } catch (const RuntimeError& error) {
    throw Failure{Exit::NoGraphData, QStringLiteral("%1 has no table GraphData: %2").arg(shownName(), error.description())};
  }
  QStringList missing;
  for (const QString& column : kColumns)
    if (!names.contains(column, Qt::CaseInsensitive)) missing.append(column);
  if (!missing.isEmpty())
    throw Failure{Exit::NoGraphData, QStringLiteral("%1: table GraphData has no column %2")
                                         .arg(shownName(), missing.join(QStringLiteral(", ")))};
}

void Target::open(Connection& connection) const {
  connect(connection);
  requireColumns([&] {
    const QSqlRecord record = connection.query(kNoRows).record();
    QStringList names;
    for (int i = 0; i < record.count(); ++i) names.append(record.fieldName(i));
    return names;
  });
}

std::unique_ptr<RowSource> Target::openReading(bool wholeTexts) const {
  if (!onServer()) requireFile();
  std::unique_ptr<RowSource> source =
      wholeTexts && !onServer() ? std::make_unique<SqliteRowSource>(path_, SqliteRowSource::Texts::Whole)
                                : engineFor(path_).rowSource(path_);
  try {
    source->open();
  } catch (const RuntimeError& error) {
    throw unreachable(error, onServer() ? shownAddress_ : path_);
  }
  requireColumns([&] {
    const QStringList names = source->run(kNoRows).columns();
    source->endRun();
    return names;
  });
  return source;
}

void Target::requireGraphData() const { openReading(); }

}  // namespace kelvane::db
