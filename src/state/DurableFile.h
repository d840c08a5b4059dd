#pragma once

#include <QByteArray>
#include <QString>

namespace kelvane {

// Writes that are on the disk when the call returns, so that neither a crash of the program nor
// a loss of power takes back what was written. Each raises a RuntimeError naming the file when
// it fails.

// Appends the bytes to the file, creating it. A new file whose folder cannot be written to the
// disk holds the bytes all the same: that is a warning, told once a folder, not a failure.
void appendDurably(const QString& path, const QByteArray& bytes);
// Writes the file's whole content at once: the file appears, or takes the old one's place, only
// when it is complete, so that after a crash it holds the old content or the new, never a mix.
void writeWholeFile(const QString& path, const QByteArray& bytes);
// The same, except that empty bytes remove the file.
void replaceDurably(const QString& path, const QByteArray& bytes);

}  // namespace kelvane
