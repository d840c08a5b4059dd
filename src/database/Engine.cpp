#include "Engine.h"

#include "SqliteEngine.h"

namespace kelvane {

const Engine& engineFor(const QString&) {
  static const SqliteEngine sqlite;
  return sqlite;
}

}  // namespace kelvane
