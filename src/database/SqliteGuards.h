#pragma once

#include <QString>

#include <sqlite3.h>

namespace kelvane {

// What every SQLite connection of the program shares: how it waits for another writer, and the
// guards of the texts it runs where it cannot write.

// The busy handler: waits in steps of a millisecond up to the busy timeout. Its argument is a
// std::atomic<bool> that ends the wait once set, or null.
int waitBriefly(void* cancelled, int attempts);
// The authorizer of connections that only read: reading tables and calling functions. Anything
// else (attaching files, pragmas, transactions, writes) is refused when a text is prepared.
int readsOnly(void*, int action, const char*, const char*, const char*, const char*);
// The text prepared as exactly one statement that changes no file at all; null, with the
// reason in why, when it is not.
sqlite3_stmt* prepareReadingStatement(sqlite3* handle, const QString& sql, QString& why);

}  // namespace kelvane
