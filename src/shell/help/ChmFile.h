#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

struct chmFile;

namespace kelvane {

// A compiled HTML help file opened for reading; closed with the object.
class ChmFile {
 public:
  explicit ChmFile(const QString& path);
  ~ChmFile();
  ChmFile(const ChmFile&) = delete;
  ChmFile& operator=(const ChmFile&) = delete;

  bool isOpen() const { return handle_ != nullptr; }

  // The page the help opens on, as an absolute path inside the file ("/index.html").
  QString defaultTopic() const;

  // The contents of a file inside the help file. Paths are taken from the root whether or not
  // they start with a slash; "." and ".." are resolved first.
  std::optional<QByteArray> read(const QString& path) const;

 private:
  chmFile* handle_;
};

}  // namespace kelvane
