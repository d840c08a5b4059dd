#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

namespace kelvane::db {

struct CollectOptions {
  double rate = 1;                   // rows a second, steady mode
  std::optional<qint64> count;       // rows to write; none: until stopped, or up to now
  std::optional<QDateTime> start;    // back-fill from this moment
  qint64 step = 60;                  // seconds between back-filled rows
  std::optional<quint32> seed;       // none: a fresh one, printed so a run can be repeated
};

struct Command {
  enum Kind { Help, Create, Collect, Check, Index };
  Kind kind = Help;
  QString target;
  CollectOptions collect;
};

// The command the arguments ask for (arguments[0] is the program); raises a Failure with
// Exit::Usage and the reason when they do not make one.
Command parseCommandLine(const QStringList& arguments);

QString usageText();

}  // namespace kelvane::db
