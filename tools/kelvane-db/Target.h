#pragma once

#include "Failure.h"

#include <QString>

#include <memory>

namespace kelvane {
class Connection;
class RowSource;
class RuntimeError;
}

namespace kelvane::db {

// The database a subcommand works on: a SQLite file, or the PostgreSQL database that a
// connection file (.kvconn) names.
class Target {
 public:
  // Reads the connection file of a server target; raises a Failure (Exit::Unreachable) when it
  // is missing or names no server.
  explicit Target(const QString& path);

  const QString& path() const { return path_; }
  bool onServer() const { return onServer_; }
  // For messages: the path, and for a server its URI without the password.
  QString shownName() const;

  // For a SQLite target: raises a Failure with Exit::Unreachable unless the file is there.
  void requireFile() const;
  // Opens the database to write it, through the program's layer; raises a Failure with
  // Exit::Unreachable when it cannot be opened.
  void connect(Connection& connection) const;
  // Opens it to write and looks at its table; raises a Failure with Exit::Unreachable when it
  // cannot be opened and Exit::NoGraphData when it has no usable table GraphData.
  void open(Connection& connection) const;
  // Opens it to read only, as the program reads rows (nothing a text says can write), and looks at
  // its table as open() does. wholeTexts: a SQLite file's texts are read however long they are,
  // where the program's reads refuse those beyond their bound.
  std::unique_ptr<RowSource> openReading(bool wholeTexts = false) const;
  // Opens it to read just to see that it is there and holds GraphData.
  void requireGraphData() const;

 private:
  Failure unreachable(const RuntimeError& error, const QString& shownByLayer) const;
  template <typename Columns>
  void requireColumns(Columns&& columns) const;

  QString path_;
  bool onServer_;
  QString shownAddress_;
};

}  // namespace kelvane::db
