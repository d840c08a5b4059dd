#include "ShortText.h"

#include <algorithm>

namespace kelvane {

QString cutShort(const QString& text, qsizetype characters) {
  if (text.size() <= characters) return text;
  QString cut = text.left(std::max<qsizetype>(characters - 1, 0));
  if (!cut.isEmpty() && cut.back().isHighSurrogate()) cut.chop(1);  // no half of a character
  return cut + QChar(0x2026);
}

QString cutShort(QByteArrayView utf8, qsizetype characters) {
  // A character takes at most 4 bytes: these tell whether the text is longer than the cut.
  const qsizetype enough = 4 * (characters + 1);
  return cutShort(QString::fromUtf8(utf8.first(std::min(utf8.size(), enough))), characters);
}

}  // namespace kelvane
