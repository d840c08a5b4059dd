#include "ChmFile.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <chm_lib.h>

#include <limits>

namespace kelvane {

namespace {

constexpr quint16 kDefaultTopicEntry = 2;
const QString kFallbackTopic = QStringLiteral("/index.html");

}  // namespace

ChmFile::ChmFile(const QString& path) : handle_(chm_open(QFile::encodeName(path).constData())) {}

ChmFile::~ChmFile() {
  if (handle_) chm_close(handle_);
}

QString ChmFile::defaultTopic() const {
  const std::optional<QByteArray> system = read(QStringLiteral("/#SYSTEM"));
  if (!system) return kFallbackTopic;
  // A version word, then entries of a code word, a length word and that many bytes.
  const auto* bytes = reinterpret_cast<const uchar*>(system->constData());
  qsizetype at = 4;
  while (at + 4 <= system->size()) {
    const quint16 code = qFromLittleEndian<quint16>(bytes + at);
    const quint16 length = qFromLittleEndian<quint16>(bytes + at + 2);
    at += 4;
    if (at + length > system->size()) break;
    if (code == kDefaultTopicEntry) {
      const QByteArray entry = system->mid(at, length);
      const QString topic = QString::fromUtf8(entry.left(entry.indexOf('\0'))).trimmed();
      if (topic.isEmpty()) break;
      return QDir::cleanPath(QLatin1Char('/') + topic);
    }
    at += length;
  }
  return kFallbackTopic;
}

std::optional<QByteArray> ChmFile::read(const QString& path) const {
  if (!handle_) return std::nullopt;
  const QByteArray objectPath = QDir::cleanPath(QLatin1Char('/') + path).toUtf8();
  chmUnitInfo unit{};
  if (chm_resolve_object(handle_, objectPath.constData(), &unit) != CHM_RESOLVE_SUCCESS) return std::nullopt;
  if (unit.length > static_cast<LONGUINT64>(std::numeric_limits<int>::max())) return std::nullopt;
  QByteArray contents(static_cast<qsizetype>(unit.length), Qt::Uninitialized);
  const LONGINT64 got = chm_retrieve_object(handle_, &unit, reinterpret_cast<unsigned char*>(contents.data()), 0,
                                            static_cast<LONGINT64>(unit.length));
  if (got != static_cast<LONGINT64>(unit.length)) return std::nullopt;
  return contents;
}

}  // namespace kelvane
