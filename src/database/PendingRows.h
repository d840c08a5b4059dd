#pragma once

#include "PendingLine.h"

#include <QLockFile>
#include <QMutex>
#include <QStringList>

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

namespace kelvane {

// How long a press, and a delivery, waits for another writer's lock before the row waits for the
// next delivery: the window must not freeze.
inline constexpr std::chrono::milliseconds kRowLockWait{250};

// What opening or taking up files of kept rows found for the operator: lines that hold no row (a
// crash cut them short, or they were damaged), moved out of their file as they are, and files that
// cannot be read or whose lines cannot be moved (left as they are, each told once).
struct KeptRowsReport {
  struct MovedLines {
    QString from;  // the file of kept rows
    QString to;    // the file beside it that took them
    qsizetype count = 0;
    QStringList first;  // the first few, each cut short
  };
  QList<MovedLines> movedLines;
  QStringList unreadableFiles;  // each with why
};

// The file beside a file of kept rows that takes its lines that hold no row: "Pending rows
// unreadable.txt" beside "Pending rows.txt". It is appended to and never read.
QString unreadableLinesPath(const QString& keptRowsPath);

// The rows kept while their database did not answer, oldest first: in memory and in files of the
// working folder, every change on the disk before it returns. Each running copy of the program
// owns one file ("Pending rows.txt", or "Pending rows 2.txt"... when another copy owns that one),
// locked beside it; the files a copy that ended left behind are taken up by the next copy that
// delivers, and go once their rows are stored. Presses keep rows on the user-interface thread
// while deliveries and writes store them on a worker, so everything is locked.
class PendingRows {
 public:
  // A row as the delivery takes it.
  struct Waiting {
    qint64 id = 0;
    KeptRow row;
  };

  PendingRows() = default;
  PendingRows(const PendingRows&) = delete;
  PendingRows& operator=(const PendingRows&) = delete;

  // Takes the file at the path, or the first of "... 2.txt", "... 3.txt" beside it that no other
  // running copy owns and that can be read; its rows are those an earlier run left.
  KeptRowsReport open(const QString& path);
  // Takes up the rows of the files beside its own that no running copy owns.
  KeptRowsReport takeUp();

  // The file the copy keeps its rows in; empty when none could be taken.
  QString ownPath() const;
  bool hasRowsFor(const QString& database) const;
  // Whether a row of the database was kept before the row kept as id.
  bool hasRowsBefore(const QString& database, qint64 id) const;
  // Keeps a row behind the others, in the copy's own file. A row in flight is being written: no
  // delivery takes it, nor a later row of its database, until landed(). Raises a RuntimeError
  // when the row cannot be written to the file; it is not kept then.
  qint64 keep(const KeptRow& row, bool inFlight = false);
  // The write of a row in flight ended without storing it: it waits for delivery.
  void landed(qint64 id);
  // How many rows wait, and their databases in the order of their oldest rows.
  qsizetype count() const;
  QStringList databases() const;

  // For the delivery: the rows of a database, oldest first, up to the first one in flight.
  std::vector<Waiting> deliverable(const QString& database) const;
  // A write gave the rows their numbers: noted on the disk before the write commits. Raises a
  // RuntimeError when a file cannot be written; the write must not commit then.
  void given(const std::vector<qint64>& ids, const std::vector<double>& numbers);
  // Taken off once stored, or found stored already. Removing never fails: a file that cannot be
  // written again holds rows that are stored, and such rows carry the number they are found by.
  void delivered(const std::vector<qint64>& ids);

 private:
  // A file of kept rows this copy holds the lock of: its own, or one taken up.
  struct File {
    QString path;
    std::unique_ptr<QLockFile> lock;
  };
  struct Kept {
    qint64 id;
    KeptRow row;
    int file;  // index into files_
    bool inFlight;
  };

  // Locks the file and reads its rows as those of files_[index], unless another copy holds it or
  // it cannot be read (it is then left as it is). Lines that hold no row are moved beside it
  // first, or else the file is left as it is; linesMoved tells whether some were.
  std::optional<File> lockAndRead(const QString& path, int index, KeptRowsReport& report, bool& linesMoved);
  // Writes the file's rows again, removing it and letting it go once it has none left.
  void rewrite(int file);
  QStringList siblings() const;

  mutable QMutex mutex_;
  QString path_;  // as opened, which names its siblings
  std::vector<std::optional<File>> files_;  // files_[0] is the copy's own; a gone one is empty
  std::vector<Kept> rows_;
  qint64 lastId_ = 0;
  QStringList toldUnreadable_;
};

}  // namespace kelvane
