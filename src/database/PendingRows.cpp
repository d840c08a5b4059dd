#include "PendingRows.h"

#include "state/DurableFile.h"
#include "state/RuntimeError.h"
#include "state/ShortText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace kelvane {

namespace {

// More copies than this in one folder are no operator's doing.
constexpr int kMostCopies = 99;
// Of the lines moved out of a file, the message at start shows this many, each cut to this length.
constexpr int kLinesShown = 3;
constexpr qsizetype kLineCharacters = 80;

QString ofCopy(const QString& path, int copy) {
  if (copy == 1) return path;
  const QFileInfo file(path);
  return file.dir().filePath(QStringLiteral("%1 %2.%3").arg(file.completeBaseName()).arg(copy).arg(file.suffix()));
}

RuntimeError unreadable(const QString& path, const QString& why) {
  return RuntimeError(ErrorNumber::FileAccess, QFileInfo(path).absoluteFilePath(), why);
}

}  // namespace

QString unreadableLinesPath(const QString& keptRowsPath) {
  const QFileInfo file(keptRowsPath);
  return file.dir().filePath(QStringLiteral("%1 unreadable.%2").arg(file.completeBaseName(), file.suffix()));
}

std::optional<PendingRows::File> PendingRows::lockAndRead(const QString& path, int index, KeptRowsReport& report,
                                                          bool& linesMoved) {
  File file{path, std::make_unique<QLockFile>(path + QStringLiteral(".lock"))};
  // Held as long as the program runs; a lock whose process is gone is taken over.
  file.lock->setStaleLockTime(0);
  if (!file.lock->tryLock(0)) return std::nullopt;
  QFile content(path);
  if (!content.exists()) return file;
  const auto leftAlone = [&](const QString& why) {
    if (!toldUnreadable_.contains(path)) report.unreadableFiles.append(why);
    toldUnreadable_.append(path);
    return std::nullopt;
  };
  if (!content.open(QIODevice::ReadOnly)) return leftAlone(unreadable(path, content.errorString()).sourceAndDescription());
  KeptLines lines = readKeptLines(content.readAll());
  if (!lines.unreadable.isEmpty()) {
    // On the disk beside the file before the file is written without them: a crash in between
    // moves them again, twice rather than never.
    const QString to = unreadableLinesPath(path);
    try {
      appendDurably(to, lines.unreadable.join("\r\n") + "\r\n");
    } catch (const RuntimeError& error) {
      return leftAlone(unreadable(path, QStringLiteral("its lines that hold no row cannot be moved to %1: %2")
                                            .arg(QFileInfo(to).fileName(), error.description()))
                           .sourceAndDescription());
    }
    KeptRowsReport::MovedLines moved{QFileInfo(path).absoluteFilePath(), to, lines.unreadable.size(), {}};
    for (const QByteArray& line : lines.unreadable.first(std::min<qsizetype>(kLinesShown, lines.unreadable.size())))
      moved.first.append(cutShort(QByteArrayView(line), kLineCharacters));
    report.movedLines.append(moved);
    linesMoved = true;
  }
  for (KeptRow& row : lines.rows) rows_.push_back({++lastId_, std::move(row), index, false});
  return file;
}

KeptRowsReport PendingRows::open(const QString& path) {
  QMutexLocker lock(&mutex_);
  path_ = path;
  files_.clear();
  rows_.clear();
  KeptRowsReport report;
  for (int copy = 1; copy <= kMostCopies; ++copy) {
    bool linesMoved = false;
    std::optional<File> own = lockAndRead(ofCopy(path, copy), 0, report, linesMoved);
    if (!own) continue;
    files_.push_back(std::move(own));
    // Rows appended after a line cut short would be read as part of it.
    if (linesMoved) rewrite(0);
    return report;
  }
  throw unreadable(path, QStringLiteral("Every file for kept rows in the folder is in use"));
}

QStringList PendingRows::siblings() const {
  const QFileInfo file(path_);
  const QRegularExpression copies(QStringLiteral("^%1( [0-9]+)?\\.%2$")
                                      .arg(QRegularExpression::escape(file.completeBaseName()),
                                           QRegularExpression::escape(file.suffix())));
  QStringList paths;
  for (const QString& name : file.dir().entryList(QDir::Files))
    if (copies.match(name).hasMatch()) paths.append(file.dir().filePath(name));
  return paths;
}

KeptRowsReport PendingRows::takeUp() {
  QMutexLocker lock(&mutex_);
  KeptRowsReport report;
  if (path_.isEmpty()) return report;
  for (const QString& path : siblings()) {
    const bool held = std::any_of(files_.begin(), files_.end(), [&](const std::optional<File>& file) {
      return file && QFileInfo(file->path) == QFileInfo(path);
    });
    if (held) continue;
    const int index = int(files_.size());
    bool linesMoved = false;
    std::optional<File> file = lockAndRead(path, index, report, linesMoved);
    if (!file) continue;
    files_.push_back(std::move(file));
    // A file taken up without rows goes at once, and so does its lock.
    const bool empty = std::none_of(rows_.begin(), rows_.end(), [&](const Kept& kept) { return kept.file == index; });
    if (linesMoved || empty) rewrite(index);
  }
  return report;
}

void PendingRows::rewrite(int file) {
  QByteArray lines;
  for (const Kept& kept : rows_)
    if (kept.file == file) lines += pendingLine(kept.row);
  replaceDurably(files_[file]->path, lines);
  if (lines.isEmpty() && file > 0) files_[file].reset();
}

QString PendingRows::ownPath() const {
  QMutexLocker lock(&mutex_);
  return !files_.empty() && files_[0] ? files_[0]->path : QString();
}

bool PendingRows::hasRowsFor(const QString& database) const {
  QMutexLocker lock(&mutex_);
  return std::any_of(rows_.begin(), rows_.end(), [&](const Kept& kept) { return kept.row.database == database; });
}

bool PendingRows::hasRowsBefore(const QString& database, qint64 id) const {
  QMutexLocker lock(&mutex_);
  return std::any_of(rows_.begin(), rows_.end(),
                     [&](const Kept& kept) { return kept.id < id && kept.row.database == database; });
}

qint64 PendingRows::keep(const KeptRow& row, bool inFlight) {
  QMutexLocker lock(&mutex_);
  if (files_.empty() || !files_[0]) throw unreadable(path_, QStringLiteral("No file for kept rows could be opened"));
  appendDurably(files_[0]->path, pendingLine(row));
  rows_.push_back({++lastId_, row, 0, inFlight});
  return lastId_;
}

void PendingRows::landed(qint64 id) {
  QMutexLocker lock(&mutex_);
  for (Kept& kept : rows_)
    if (kept.id == id) kept.inFlight = false;
}

qsizetype PendingRows::count() const {
  QMutexLocker lock(&mutex_);
  return qsizetype(rows_.size());
}

QStringList PendingRows::databases() const {
  QMutexLocker lock(&mutex_);
  QStringList databases;
  for (const Kept& kept : rows_)
    if (!databases.contains(kept.row.database)) databases.append(kept.row.database);
  return databases;
}

std::vector<PendingRows::Waiting> PendingRows::deliverable(const QString& database) const {
  QMutexLocker lock(&mutex_);
  std::vector<Waiting> rows;
  for (const Kept& kept : rows_) {
    if (kept.row.database != database) continue;
    if (kept.inFlight) break;  // rows are stored in order
    rows.push_back({kept.id, kept.row});
  }
  return rows;
}

void PendingRows::given(const std::vector<qint64>& ids, const std::vector<double>& numbers) {
  QMutexLocker lock(&mutex_);
  std::vector<int> files;
  for (std::size_t i = 0; i < ids.size(); ++i)
    for (Kept& kept : rows_)
      if (kept.id == ids[i]) {
        kept.row.number = numbers[i];
        files.push_back(kept.file);
      }
  std::sort(files.begin(), files.end());
  files.erase(std::unique(files.begin(), files.end()), files.end());
  for (int file : files) rewrite(file);
}

void PendingRows::delivered(const std::vector<qint64>& ids) {
  QMutexLocker lock(&mutex_);
  std::vector<int> files;
  const auto stored = [&](const Kept& kept) { return std::find(ids.begin(), ids.end(), kept.id) != ids.end(); };
  for (const Kept& kept : rows_)
    if (stored(kept)) files.push_back(kept.file);
  rows_.erase(std::remove_if(rows_.begin(), rows_.end(), stored), rows_.end());
  std::sort(files.begin(), files.end());
  files.erase(std::unique(files.begin(), files.end()), files.end());
  for (int file : files) {
    try {
      rewrite(file);
    } catch (const RuntimeError& error) {
      qWarning("%s", error.what());
    }
  }
}

}  // namespace kelvane
