#include "SqliteGuards.h"

#include <cstdint>
#include <thread>

namespace kelvane {

// SQLite's own handler backs off to long sleeps, so beside a writer that takes the lock again at
// once it can miss every gap and give up although the file was free many times. The wait is
// measured on the clock, as each step lasts longer on a loaded machine.
int waitBriefly(void* lockWaitMs, int attempts) {
  using namespace std::chrono;
  thread_local steady_clock::time_point waitingSince;
  const steady_clock::time_point now = steady_clock::now();
  if (attempts == 0) waitingSince = now;
  if (now - waitingSince >= milliseconds(reinterpret_cast<std::intptr_t>(lockWaitMs))) return 0;
  std::this_thread::sleep_for(milliseconds(1));
  return 1;
}

// The wait itself is the argument, so that it lives as long as the connection whatever happens to
// its owner.
void* lockWaitArgument(std::chrono::milliseconds lockWait) {
  return reinterpret_cast<void*>(std::intptr_t(lockWait.count()));
}

Retry retryFor(int resultCode) {
  switch (resultCode & 0xff) {
    case SQLITE_BUSY: case SQLITE_LOCKED: case SQLITE_CANTOPEN: case SQLITE_FULL: case SQLITE_IOERR:
      return Retry::Later;
    default:
      return Retry::Never;
  }
}

int readsOnly(void*, int action, const char*, const char*, const char*, const char*) {
  switch (action) {
    case SQLITE_SELECT: case SQLITE_READ: case SQLITE_FUNCTION: case SQLITE_RECURSIVE:
      return SQLITE_OK;
    default:
      return SQLITE_DENY;
  }
}

void boundReading(sqlite3* handle) {
  sqlite3_limit(handle, SQLITE_LIMIT_LENGTH, kLongestText);
  sqlite3_limit(handle, SQLITE_LIMIT_LIKE_PATTERN_LENGTH, kLongestPattern);
}

// The file is open read-only and the authorizer refuses all but reading; this check also catches
// what neither sees, such as VACUUM INTO writing a new file.
sqlite3_stmt* prepareReadingStatement(sqlite3* handle, const QString& sql, QString& why) {
  const QByteArray text = sql.toUtf8();
  sqlite3_stmt* statement = nullptr;
  const char* tail = nullptr;
  if (sqlite3_prepare_v2(handle, text.constData(), int(text.size()), &statement, &tail) != SQLITE_OK) {
    why = QString::fromUtf8(sqlite3_errmsg(handle));
    return nullptr;
  }
  if (!statement) {
    why = QStringLiteral("The query is empty");
  } else if (!QByteArray(tail).trimmed().isEmpty()) {
    why = QStringLiteral("Only one statement can be run at a time");
  } else if (!sqlite3_stmt_readonly(statement)) {
    why = QStringLiteral("A query can only read: the statement would change the database");
  } else {
    return statement;
  }
  sqlite3_finalize(statement);
  return nullptr;
}

}  // namespace kelvane
