#pragma once

#include "CompactRows.h"
#include "RowSource.h"
#include "state/Background.h"

#include <QString>

#include <chrono>
#include <memory>
#include <optional>

namespace kelvane {

// How long a check may go on before it counts as failed: beyond the wait for another writer's lock.
inline constexpr std::chrono::seconds kNoAnswer{10};

// What a check found: the rows numbered above the number it was asked about, in number order, and
// the largest number it knows of (none in an empty table).
struct NewRows {
  CompactRows rows;
  std::optional<double> newest;
};

// Asks for the rows of GraphData numbered above a number, on a worker of its own, so that a busy
// file or a server that does not answer never holds the window. The connection stays open from one
// check to the next, as opening one every second would cost far more than the check (a look into
// the index on number); it closes when the watch stops, after a failure, and for another database.
class NewRowsWatch {
 public:
  NewRowsWatch() = default;
  NewRowsWatch(const NewRowsWatch&) = delete;
  NewRowsWatch& operator=(const NewRowsWatch&) = delete;

  // Starts a check unless one is under way, and says whether it started one: the rows numbered
  // above `above` read as the plan says (every row for -infinity), or with none only the table's
  // largest number.
  bool ask(const QString& dataSource, std::optional<double> above, const LoadPlan& plan);
  // What the check found, once; nothing while it goes on, after waiting up to wait for it. A check
  // that has gone on for kNoAnswer is stopped and fails.
  std::optional<Outcome<NewRows>> answer(std::chrono::milliseconds wait = {});
  // Drops a check under way and closes the connection, without waiting for either.
  void stop();
  // At exit: stops, and waits for the worker up to the deadline.
  void shutdown(std::chrono::steady_clock::time_point deadline);

 private:
  // The connection held from one check to the next; used on the worker's thread only.
  struct Held {
    QString dataSource;
    std::unique_ptr<RowSource> source;
    bool open = false;
  };
  static NewRows check(Held& held, const QString& dataSource, std::optional<double> above, const LoadPlan& plan,
                       JobControl& job);

  Worker worker_;
  std::shared_ptr<Held> held_ = std::make_shared<Held>();
  std::shared_ptr<Job<NewRows>> check_;
  QString askedFor_;
  std::chrono::steady_clock::time_point askedAt_;
};

}  // namespace kelvane
