#include "DurableFile.h"

#include "state/RuntimeError.h"

#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSaveFile>
#include <QSet>

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace kelvane {

namespace {

RuntimeError failure(const QString& path, const QString& why) {
  return RuntimeError(ErrorNumber::FileAccess, QFileInfo(path).absoluteFilePath(), why);
}

const QString kFolderUnsynced = QStringLiteral("Cannot write its folder to the disk");

// A new, renamed or removed name is only lasting once its folder is on the disk too.
bool folderSynced(const QString& path) {
  const int folder = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
  const bool synced = folder >= 0 && ::fsync(folder) == 0;
  if (folder >= 0) ::close(folder);
  return synced;
}

void syncFolderOf(const QString& path) {
  if (!folderSynced(path)) throw failure(path, kFolderUnsynced);
}

// What is written is on the disk, only a loss of power might take the file's new name: no failure,
// a warning, once a folder.
void warnUnsyncedFolder(const QString& path) {
  static QMutex mutex;
  static QSet<QString> told;
  const QMutexLocker lock(&mutex);
  const QString folder = QFileInfo(path).absolutePath();
  if (told.contains(folder)) return;
  told.insert(folder);
  qWarning("%s", failure(path, kFolderUnsynced + QStringLiteral("; what was written is kept")).what());
}

}  // namespace

void appendDurably(const QString& path, const QByteArray& bytes) {
  const bool isNew = !QFileInfo::exists(path);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) throw failure(path, file.errorString());
  const qint64 before = file.size();
  QString why;
  if (file.write(bytes) != bytes.size()) why = file.errorString();
  else if (::fsync(file.handle()) != 0) why = qt_error_string(errno);
  if (!why.isEmpty()) {
    // What a full disk let through is taken back: a part of a line would spoil the next one.
    file.resize(before);
    throw failure(path, why);
  }
  file.close();
  if (isNew && !folderSynced(path)) warnUnsyncedFolder(path);
}

void writeWholeFile(const QString& path, const QByteArray& bytes) {
  // The new content goes to a file of its own beside the old one, is written to the disk, and
  // only then takes the old one's name.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
    throw failure(path, file.errorString());
  if (::fsync(file.handle()) != 0) throw failure(path, qt_error_string(errno));
  if (!file.commit()) throw failure(path, file.errorString());
  syncFolderOf(path);
}

void replaceDurably(const QString& path, const QByteArray& bytes) {
  if (!bytes.isEmpty()) return writeWholeFile(path, bytes);
  if (QFile::exists(path) && !QFile::remove(path)) throw failure(path, QStringLiteral("Cannot remove the file"));
  syncFolderOf(path);
}

}  // namespace kelvane
