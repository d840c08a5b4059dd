#pragma once

#include "PendingLine.h"

#include <QDateTime>
#include <QList>
#include <QMutex>
#include <QPair>
#include <QSet>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

namespace kelvane {

// How long a press, and a delivery, waits for another writer's lock before the row waits for the
// next delivery: the window must not freeze.
inline constexpr std::chrono::milliseconds kRowLockWait{500};

// What one delivery of kept rows met: the databases that took rows, and for each database that
// refused for a reason waiting will not cure, the row it refused and why.
struct DeliveryReport {
  QSet<QString> delivered;
  QList<QPair<KeptRow, QString>> refused;
};

// The rows kept while their database did not answer, oldest first: in memory and in a file of the
// working folder, every change on the disk before it returns. Presses keep rows on the
// user-interface thread while a delivery stores them on a thread of its own, so the rows are
// locked; the rest belongs to the user-interface thread.
class PendingRows {
 public:
  // A row as the delivery takes it.
  struct Waiting {
    qint64 id = 0;
    KeptRow row;
    bool mayBeStored = false;  // left by an earlier run, which may have stored it before it stopped
  };

  PendingRows() = default;
  // Waits for a delivery under way to end after its current row.
  ~PendingRows();
  PendingRows(const PendingRows&) = delete;
  PendingRows& operator=(const PendingRows&) = delete;

  // Takes the rows an earlier run left in the file at the path, which keeps the rows from now on.
  // Returns the lines that hold no whole row; they are left out of the file. Raises a RuntimeError
  // when the file is there but cannot be read.
  QStringList load(const QString& path);
  bool hasRowsFor(const QString& database) const;
  // Raises a RuntimeError when the row cannot be written to the file; it is not kept then.
  void keep(const KeptRow& row);
  // How many rows wait, and their databases in the order of their oldest rows.
  qsizetype count() const;
  QStringList databases() const;

  // Starts a delivery of all rows on a thread of its own, when rows wait, no delivery is under way
  // or unreported, and the last one started five seconds or more before now.
  void startDeliveryIfDue(const QDateTime& now);
  // The report of a delivery that has ended, once; a refusal is in it only when its database has
  // not refused since it last took a row.
  std::optional<DeliveryReport> finishedDelivery();
  void waitForDelivery();

  // For the delivery: the oldest row of a database not passed over, and the row taken off once
  // stored (or found stored already). Removing never fails: a file that cannot be written again
  // holds rows that are stored, and an earlier run's rows are looked for before they are stored.
  std::optional<Waiting> oldest(const QSet<QString>& passedOver) const;
  void delivered(qint64 id, bool foundStored);

 private:
  QByteArray lines() const;

  mutable QMutex mutex_;
  QString path_;
  QList<Waiting> rows_;
  qint64 lastId_ = 0;

  std::thread delivery_;
  std::atomic<bool> delivering_ = false;
  std::atomic<bool> stopping_ = false;
  std::optional<DeliveryReport> report_;
  QDateTime lastStart_;
  QSet<QString> refusing_;  // databases whose refusal has been told
};

}  // namespace kelvane
