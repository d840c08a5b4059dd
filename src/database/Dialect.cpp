#include "Dialect.h"

#include <QRegularExpression>

namespace kelvane {

QString engineDialect(const QString& programSql) {
  static const QRegularExpression top(QStringLiteral("^\\s*(SELECT)\\s+TOP\\s+(\\d+)\\s+(.*?)\\s*$"),
                                      QRegularExpression::CaseInsensitiveOption |
                                          QRegularExpression::DotMatchesEverythingOption);
  const QRegularExpressionMatch match = top.match(programSql);
  if (!match.hasMatch()) return programSql;
  return QStringLiteral("%1 %2 LIMIT %3").arg(match.captured(1), match.captured(3), match.captured(2));
}

}  // namespace kelvane
