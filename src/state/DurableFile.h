#pragma once

#include <QByteArray>
#include <QString>

namespace kelvane {

// Writes that are on the disk when the call returns, so that neither a crash of the program nor
// a loss of power takes back what was written. Each raises a RuntimeError naming the file when
// it fails.

// Appends the bytes to the file, creating it.
void appendDurably(const QString& path, const QByteArray& bytes);
// Replaces the file's whole content at once: after a crash the file holds the old content or
// the new, never a mix. Empty bytes remove the file.
void replaceDurably(const QString& path, const QByteArray& bytes);

}  // namespace kelvane
