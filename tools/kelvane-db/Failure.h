#pragma once

#include <QString>

namespace kelvane::db {

// Exit codes: scripts tell the failures apart by them, so they never change meaning.
namespace Exit {
constexpr int Ok = 0;
constexpr int Usage = 2;          // unknown subcommand or option, missing or extra argument, bad value
constexpr int TargetExists = 3;   // create: the file, or table GraphData on the server, is already there
constexpr int Unreachable = 4;    // the target is missing, cannot be opened or created, or is no database
constexpr int NoGraphData = 5;    // no table GraphData, or one without the columns Date, Time, number, Data
constexpr int WriteFailed = 6;    // a row, the table or the index could not be written
constexpr int Problems = 7;       // check: the database holds rows the program cannot use
}  // namespace Exit

// Ends a subcommand with its exit code and the message for stderr.
struct Failure {
  int code;
  QString message;
};

}  // namespace kelvane::db
