#pragma once

#include "Target.h"
#include "database/GraphDataTable.h"
#include "state/RegionalForms.h"

#include <QDateTime>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace kelvane {
class JobControl;
}

namespace kelvane::db {

// A value to be written, stamped with its moment.
struct CollectedRow {
  QDateTime moment;
  float value;
};

// The rows a collector writes, exactly as the program writes its own: through the program's
// database layer, numbered one above the largest, with the Date and Time texts of the regional
// settings, each committed before store returns.
class CollectedRows {
 public:
  // Looks at the target first: raises a Failure when it cannot be opened or has no GraphData.
  explicit CollectedRows(const Target& target);
  ~CollectedRows();
  CollectedRows(const CollectedRows&) = delete;
  CollectedRows& operator=(const CollectedRows&) = delete;

  // Stores the rows in one transaction, in order. A failure that may pass (another writer's
  // lock, a server restarting, a full disk) is tried again, at most once a second, for as long as
  // it lasts; others a few times. A stop ends the trying: the job's when one is given (its stop
  // also ends a wait for the server at once), otherwise Ctrl+C or SIGTERM; false then, nothing
  // stored. Raises a Failure when the file or its table has gone, or a refusal persists.
  bool store(const std::vector<CollectedRow>& rows, JobControl* job = nullptr);
  bool store(const QDateTime& moment, float value) { return store({{moment, value}}); }

  QString summary() const;
  // One line on stdout: the rows so far.
  void progress() const;
  qint64 written() const { return written_; }

 private:
  // A file, or the inode behind its path: a file replaced under a held connection is noticed.
  struct FileIdentity {
    quint64 device, inode;
    bool operator==(const FileIdentity& other) const { return device == other.device && inode == other.inode; }
  };
  std::optional<FileIdentity> identityOfTarget() const;
  GraphDataWriter& writer(JobControl* job);
  void requireTable() const;
  void failed(const RuntimeError& error, int refusals);
  void writtenAgain();

  class HeldOpen;
  const Target& target_;
  std::unique_ptr<HeldOpen> held_;
  RegionalForms regional_;
  std::unique_ptr<GraphDataWriter> writer_;
  std::optional<FileIdentity> writerFile_;
  qint64 written_ = 0;
  double lastNumber_ = 0;
  // Since when rows wait for the database, and why: told once as it begins and once as it ends.
  std::optional<QDateTime> waitingSince_;
  QStringList waitReasons_;
};

}  // namespace kelvane::db
