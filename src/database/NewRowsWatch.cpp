#include "NewRowsWatch.h"

#include "Engine.h"
#include "state/PlainNumber.h"

#include <QScopeGuard>

#include <cmath>

namespace kelvane {

namespace {

// The number as a literal, not a parameter: a parameter's generic plan would scan the table.
QString rowsAbove(double above) {
  if (std::isinf(above) && above < 0) return QStringLiteral("SELECT Date, Time, number, Data FROM GraphData ORDER BY number");
  return QStringLiteral("SELECT Date, Time, number, Data FROM GraphData WHERE number > %1 ORDER BY number")
      .arg(QString::fromLatin1(plainNumber(above)));
}

}  // namespace

NewRows NewRowsWatch::check(Held& held, const QString& dataSource, std::optional<double> above, const LoadPlan& plan,
                            JobControl& job) {
  if (!held.source || held.dataSource != dataSource) {
    held.source = engineFor(dataSource).rowSource(dataSource);
    held.dataSource = dataSource;
    held.open = false;
  }
  RowSource& source = *held.source;
  source.workFor(&job);
  bool failed = false;
  const auto done = qScopeGuard([&] {
    source.workFor(nullptr);
    // Opened afresh for the next check: a stop closed its socket.
    if (failed || job.stopRequested()) held.source.reset();
  });
  try {
    if (!held.open) source.open();
    held.open = true;
    NewRows found;
    found.newest = source.largestNumber();
    // Most ticks find no new row: the look into the index on number is all they cost.
    if (!above || !found.newest || *found.newest <= *above) return found;
    LoadPlan all = plan;
    all.withNewest = true;
    found.rows = readRows(source.runOwn(rowsAbove(*above)), all, job);
    source.endRun();
    // Rows added between the two queries came with the second.
    if (found.rows.newest && *found.rows.newest > *found.newest) found.newest = found.rows.newest;
    return found;
  } catch (const RuntimeError&) {
    failed = true;
    throw;
  }
}

bool NewRowsWatch::ask(const QString& dataSource, std::optional<double> above, const LoadPlan& plan) {
  if (check_ && !check_->finished()) return false;
  check_ = worker_.start<NewRows>([held = held_, dataSource, above, plan](JobControl& job) {
    return check(*held, dataSource, above, plan, job);
  });
  askedFor_ = dataSource;
  askedAt_ = std::chrono::steady_clock::now();
  return true;
}

std::optional<Outcome<NewRows>> NewRowsWatch::answer(std::chrono::milliseconds wait) {
  if (!check_) return std::nullopt;
  check_->waitFor(wait);
  if (std::optional<Outcome<NewRows>> outcome = check_->outcome()) {
    check_.reset();
    return outcome;
  }
  if (std::chrono::steady_clock::now() - askedAt_ < kNoAnswer) return std::nullopt;
  stop();
  const Engine& engine = engineFor(askedFor_);
  const QString why = QStringLiteral("No answer within %1 seconds").arg(kNoAnswer.count());
  return Outcome<NewRows>{{}, RuntimeError(ErrorNumber::DatabaseEngine, engine.name(),
                                           namingDatabase(why, engine.shownName(askedFor_)), Retry::Later)};
}

void NewRowsWatch::stop() {
  if (check_) check_->requestStop();
  check_.reset();
  // Behind the check, which a stop ends at once: the connection goes on the worker's thread.
  worker_.start<bool>([held = held_](JobControl&) {
    held->source.reset();
    return true;
  });
}

void NewRowsWatch::shutdown(std::chrono::steady_clock::time_point deadline) {
  if (check_) check_->requestStop();
  check_.reset();
  worker_.stop(deadline);
}

}  // namespace kelvane
