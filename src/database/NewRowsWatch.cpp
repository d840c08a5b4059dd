#include "NewRowsWatch.h"

#include "Engine.h"
#include "state/PlainNumber.h"

#include <QScopeGuard>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace kelvane {

namespace {

// The numbers as literals, not parameters: a parameter's generic plan would scan the table. At
// least one is asked for, or every row (above -infinity).
QString rowsAsked(std::optional<double> above, const std::vector<double>& again) {
  const bool everyRow = above && std::isinf(*above) && *above < 0;
  QStringList conditions;
  if (above && !everyRow) conditions << QStringLiteral("number > ") + QString::fromLatin1(plainNumber(*above));
  if (!again.empty()) {
    QStringList numbers;
    for (double number : again) numbers << QString::fromLatin1(plainNumber(number));
    conditions << QStringLiteral("number IN (") + numbers.join(QStringLiteral(", ")) + u')';
  }
  const QString where = everyRow ? QString() : QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" OR "));
  return QStringLiteral("SELECT Date, Time, number, Data FROM GraphData") + where + QStringLiteral(" ORDER BY number");
}

}  // namespace

NewRows NewRowsWatch::check(Held& held, const QString& dataSource, std::optional<double> above,
                            const std::vector<double>& again, const LoadPlan& plan, JobControl& job) {
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
    const bool newRows = above && found.newest && *found.newest > *above;
    if (!newRows && again.empty()) return found;
    LoadPlan all = plan;
    all.withNewest = true;
    found.rows = readRows(source.runOwn(rowsAsked(newRows ? above : std::nullopt, again)), all, job);
    source.endRun();
    // Rows added between the two queries came with the second.
    if (found.rows.newest && *found.rows.newest > *found.newest) found.newest = found.rows.newest;
    return found;
  } catch (const RuntimeError&) {
    failed = true;
    throw;
  }
}

bool NewRowsWatch::ask(const QString& dataSource, std::optional<double> above, const std::vector<double>& again,
                       const LoadPlan& plan, std::function<void(Outcome<NewRows>)> then) {
  if (told_ && !*told_) return false;  // its own check; the stations ask on their own
  const auto job = worker_.start<NewRows>([held = held_, dataSource, above, again, plan](JobControl& control) {
    return check(*held, dataSource, above, again, plan, control);
  });
  const auto told = std::make_shared<bool>(false);
  const auto tell = [told, then = std::move(then)](Outcome<NewRows> outcome) {
    if (*told) return;  // told already, or dropped
    *told = true;
    then(std::move(outcome));
  };
  job->whenFinished(&context_, [job, tell] { tell(*job->outcome()); });
  QTimer::singleShot(kNoAnswer, &context_, [this, job, tell, dataSource] {
    if (job->finished()) return;
    const Engine& engine = engineFor(dataSource);
    const QString why = QStringLiteral("No answer within %1 seconds").arg(kNoAnswer.count());
    tell({{}, RuntimeError(ErrorNumber::DatabaseEngine, engine.name(), namingDatabase(why, engine.shownName(dataSource)),
                           Retry::Later)});
    if (check_ == job) stop();
  });
  check_ = job;
  told_ = told;
  return true;
}

bool NewRowsWatch::busy() const {
  if (told_ && !*told_) return true;
  return std::any_of(stations_.begin(), stations_.end(), [](const auto& station) { return station->busy(); });
}

NewRowsWatch& NewRowsWatch::station(std::size_t index) {
  while (stations_.size() <= index) stations_.push_back(std::make_unique<NewRowsWatch>());
  return *stations_[index];
}

void NewRowsWatch::stop() {
  for (const auto& station : stations_) station->stop();
  if (check_) check_->requestStop();
  check_.reset();
  if (told_) *told_ = true;
  // Behind the check, which a stop ends at once: the connection goes on the worker's thread.
  worker_.start<bool>([held = held_](JobControl&) {
    held->source.reset();
    return true;
  });
}

void NewRowsWatch::shutdown(std::chrono::steady_clock::time_point deadline) {
  for (const auto& station : stations_) station->shutdown(deadline);
  if (check_) check_->requestStop();
  check_.reset();
  if (told_) *told_ = true;
  worker_.stop(deadline);
}

}  // namespace kelvane
