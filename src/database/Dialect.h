#pragma once

#include <QString>

namespace kelvane {

// The program's own SQL texts ask for their first rows with "SELECT TOP n ..."; the engines
// behind the database layer take "SELECT ... LIMIT n". Texts without TOP pass unchanged. An
// operator's text never comes here.
QString engineDialect(const QString& programSql);

}  // namespace kelvane
