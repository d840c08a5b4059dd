#pragma once

#include <QList>
#include <QString>

namespace kelvane {

// A measurement database charted beside the chosen one: its file (a SQLite file or a connection
// file) and the name the legend shows for it.
struct ComparedStation {
  QString path;
  QString name;
  bool operator==(const ComparedStation& other) const { return path == other.path && name == other.name; }
};

// The most stations charted beside the chosen database.
constexpr int kMostStationsBeside = 5;

// The name a station is first given: its file's base name.
QString stationName(const QString& path);

}  // namespace kelvane
