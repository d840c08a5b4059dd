#pragma once

#include "CompactRows.h"
#include "RowSource.h"
#include "state/Background.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>
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
  // largest number; and the rows of the numbers `again`, in number order with them. Its outcome is
  // told to then on the window's thread: what it found, or why it failed; a check that has gone on
  // for kNoAnswer is stopped and fails.
  bool ask(const QString& dataSource, std::optional<double> above, const std::vector<double>& again,
           const LoadPlan& plan, std::function<void(Outcome<NewRows>)> then);
  // Whether a check has been asked and not yet told, here or at a station's watch.
  bool busy() const;
  // The watch of the index-th station beside the chosen database (from 0), each on its own
  // worker with its own connection; made on first use, and stopped with this one.
  NewRowsWatch& station(std::size_t index);
  // Drops a check under way, which is then never told, and closes the connection, without
  // waiting for either; the stations' too.
  void stop();
  // At exit: stops, and waits for the worker up to the deadline; the stations' too.
  void shutdown(std::chrono::steady_clock::time_point deadline);

 private:
  // The connection held from one check to the next; used on the worker's thread only.
  struct Held {
    QString dataSource;
    std::unique_ptr<RowSource> source;
    bool open = false;
  };
  static NewRows check(Held& held, const QString& dataSource, std::optional<double> above,
                       const std::vector<double>& again, const LoadPlan& plan, JobControl& job);

  Worker worker_;
  std::shared_ptr<Held> held_ = std::make_shared<Held>();
  std::shared_ptr<Job<NewRows>> check_;
  std::shared_ptr<bool> told_;  // whether the last check has been told or dropped
  QObject context_;  // of what checks tell: nothing once the watch is gone
  std::vector<std::unique_ptr<NewRowsWatch>> stations_;
};

}  // namespace kelvane
