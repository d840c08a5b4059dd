#pragma once

#include "state/RuntimeError.h"

#include <QString>

#include <sqlite3.h>

#include <chrono>

namespace kelvane {

// What every SQLite connection of the program shares: how it waits for another writer, and the
// guards of the texts it runs where it cannot write.

// The busy handler: waits for another writer's lock in steps of a millisecond up to the lock wait
// that lockWaitArgument made its argument.
int waitBriefly(void* lockWaitMs, int attempts);
void* lockWaitArgument(std::chrono::milliseconds lockWait);
// Whether waiting may cure a failure of this result code: busy, locked, out of reach, full or
// failing to read or write.
Retry retryFor(int resultCode);
// The authorizer of connections that only read: reading tables and calling functions. Anything
// else (attaching files, pragmas, transactions, writes) is refused when a text is prepared.
int readsOnly(void*, int action, const char*, const char*, const char*, const char*);
// A reading connection's bounds. One call of an SQL function (LIKE, instr, replace) runs without a
// look at its job's stop, in a time that grows with the product of its texts' lengths; these keep
// the longest such call to about a tenth of a second here, so that a read ends within a second of
// Cancel. A text is thousands of times what a row's Date or Time holds, a LIKE pattern ten times.
inline constexpr int kLongestText = 100'000;
inline constexpr int kLongestPattern = 100;
void boundReading(sqlite3* handle);
// The text prepared as exactly one statement that changes no file at all; null, with the
// reason in why, when it is not.
sqlite3_stmt* prepareReadingStatement(sqlite3* handle, const QString& sql, QString& why);

}  // namespace kelvane
