#include "CollectedRows.h"

#include "Failure.h"
#include "OutageLog.h"
#include "Stop.h"
#include "database/Connection.h"
#include "database/RowSource.h"
#include "state/Background.h"
#include "state/RuntimeError.h"

#include <QFile>
#include <QTextStream>

#include <sys/stat.h>

namespace kelvane::db {

namespace {

// Refusals that will not pass by themselves (a file made read-only) are tried this often.
constexpr int kRefusalsBeforeGivingUp = 3;
// SQLite's wait for a lock sees no stop: a lock is waited for a second at a time, and tried again
// for as long as it lasts, so that a stop is seen within a second.
constexpr std::chrono::seconds kAttemptLockWait{1};
constexpr std::chrono::seconds kBetweenAttempts{1};

}  // namespace

// Holds the database open for the run: a writer's connection is then never the file's last one,
// whose close would copy the write-ahead log back into the file every time. At the end a
// writer's close does that copy once.
class CollectedRows::HeldOpen {
 public:
  explicit HeldOpen(const Target& target) : target_(target) {
    if (target.onServer()) target.requireGraphData();
    else reader_ = target.openReading();
  }
  ~HeldOpen() {
    if (target_.onServer()) return;
    reader_.reset();
    try {
      Connection writer;
      target_.open(writer);
    } catch (const Failure&) {
    }
  }

 private:
  const Target& target_;
  std::unique_ptr<RowSource> reader_;
};

CollectedRows::CollectedRows(const Target& target) : target_(target), held_(std::make_unique<HeldOpen>(target)) {}

// The writer goes before the held reader, whose end copies the log back.
CollectedRows::~CollectedRows() { writer_.reset(); }

std::optional<CollectedRows::FileIdentity> CollectedRows::identityOfTarget() const {
  struct stat file = {};
  if (::stat(QFile::encodeName(target_.path()).constData(), &file) != 0) return std::nullopt;
  return FileIdentity{quint64(file.st_dev), quint64(file.st_ino)};
}

// One connection for the run: opening one for each row would cost a second flush to the disk.
// A file deleted or replaced is opened anew, so that no row goes into a file no longer there.
GraphDataWriter& CollectedRows::writer(JobControl* job) {
  if (writer_ && !target_.onServer() && !(identityOfTarget() == writerFile_)) writer_.reset();
  if (!writer_) {
    if (!target_.onServer()) writerFile_ = identityOfTarget();
    writer_ = std::make_unique<GraphDataWriter>(target_.path(), kAttemptLockWait, job);
  }
  return *writer_;
}

bool CollectedRows::store(const std::vector<CollectedRow>& rows, JobControl* job) {
  const auto stopped = [job] { return job ? job->stopRequested() : stopRequested(); };
  std::vector<MeasurementRow> measurements;
  for (const CollectedRow& row : rows)
    measurements.push_back({regional_.dateText(row.moment.date()), regional_.timeText(row.moment.time()), row.value});
  // The last row's number once given: a connection lost as the server commits may have stored them all.
  std::optional<double> given;
  for (int refusals = 0;;) {
    const auto began = std::chrono::steady_clock::now();
    try {
      GraphDataWriter& to = writer(job);
      if (given && to.isStoredAs(measurements.back(), *given)) {
        lastNumber_ = *given;
      } else {
        given.reset();
        lastNumber_ = to.append(measurements, [&](const std::vector<double>& numbers) { given = numbers.back(); }).back();
      }
      written_ += qint64(rows.size());
      writtenAgain();
      return true;
    } catch (const RuntimeError& error) {
      writer_.reset();  // of no further use after a failure
      if (stopped()) return false;
      if (!error.worthRetrying()) ++refusals;
      failed(error, refusals);
      pauseUntil(began + kBetweenAttempts, stopped);
      if (stopped()) return false;
    }
  }
}

// A file or table that has gone ends the run; a server out of reach may come back, as a lock lets go.
void CollectedRows::requireTable() const {
  try {
    target_.requireGraphData();
  } catch (const Failure& failure) {
    if (!target_.onServer() || failure.code != Exit::Unreachable) throw;
  }
}

void CollectedRows::failed(const RuntimeError& error, int refusals) {
  // One line for the journal, whatever lines the engine's message has.
  const QString reason = error.description().simplified();
  if (!waitingSince_) {
    waitingSince_ = QDateTime::currentDateTime();
    QTextStream(stderr) << "kelvane-db: database outage from " << timeText(*waitingSince_) << ", rows wait: " << reason << Qt::endl;
  }
  if (!waitReasons_.contains(reason)) waitReasons_.append(reason);
  requireTable();
  if (refusals >= kRefusalsBeforeGivingUp)
    throw Failure{Exit::WriteFailed, QStringLiteral("giving up after %1 refusals: %2; %3").arg(refusals).arg(reason, summary())};
}

void CollectedRows::writtenAgain() {
  if (!waitingSince_) return;
  const QDateTime now = QDateTime::currentDateTime();
  QTextStream(stderr) << "kelvane-db: database outage over at " << timeText(now) << " (from " << timeText(*waitingSince_)
                      << ", " << QString::number(double(waitingSince_->msecsTo(now)) / 1000, 'f', 1)
                      << " s): " << waitReasons_.join(QStringLiteral("; ")) << Qt::endl;
  waitingSince_.reset();
  waitReasons_.clear();
}

QString CollectedRows::summary() const {
  QString text = QStringLiteral("%1 rows written to %2").arg(written_).arg(target_.shownName());
  if (written_ > 0) text += QStringLiteral(", last number %1").arg(lastNumber_, 0, 'g', 15);
  return text;
}

void CollectedRows::progress() const {
  QTextStream(stdout) << written_ << " rows, last number " << QString::number(lastNumber_, 'g', 15) << Qt::endl;
}

}  // namespace kelvane::db
