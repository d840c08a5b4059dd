// kelvane-db check: what in a measurement database the program would stumble over, and whether
// it finds a period's rows through an index. Reads only.
#include "Commands.h"
#include "Failure.h"
#include "database/RowSource.h"
#include "database/PeriodIndex.h"
#include "database/SqliteEngine.h"
#include "state/RegionalForms.h"
#include "state/RuntimeError.h"
#include "state/ShortText.h"

#include <QDate>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextStream>
#include <QUuid>

#include <optional>

namespace kelvane::db {

namespace {

// PRAGMA integrity_check, on a connection of its own: the program's read-only path refuses
// pragmas. mode=ro never creates the file nor writes to it.
QStringList integrityProblems(const QString& path) {
  const QString name = QStringLiteral("check-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
  QStringList problems;
  QString failure;
  {
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    database.setDatabaseName(sqliteFileUri(path, true));
    database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_OPEN_READONLY"));
    if (!database.open()) {
      failure = database.lastError().text();
    } else {
      QSqlQuery query(database);
      if (!query.exec(QStringLiteral("PRAGMA integrity_check"))) failure = query.lastError().text();
      while (failure.isEmpty() && query.next())
        if (query.value(0).toString() != QLatin1String("ok")) problems.append(query.value(0).toString());
    }
    database.close();
  }
  QSqlDatabase::removeDatabase(name);
  if (!failure.isEmpty()) throw Failure{Exit::Unreachable, QStringLiteral("%1 is not a usable database: %2").arg(path, failure)};
  return problems;
}

// Whether a stored text is one the program writes: the roundtrip through its own forms leaves it
// unchanged, which also pins the separators to the regional ones.
std::optional<QDate> programDate(const QString& text, const RegionalForms& regional) {
  static const QRegularExpression form(QStringLiteral("^(\\d\\d)\\D+(\\d\\d)\\D+(\\d{4})$"));
  const QRegularExpressionMatch match = form.match(text);
  if (!match.hasMatch()) return std::nullopt;
  const QDate date(match.captured(3).toInt(), match.captured(2).toInt(), match.captured(1).toInt());
  if (!date.isValid() || regional.dateText(date) != text) return std::nullopt;
  return date;
}

bool isProgramTime(const QString& text, const RegionalForms& regional) {
  static const QRegularExpression form(QStringLiteral("^(\\d\\d)\\D+(\\d\\d)\\D+(\\d\\d)$"));
  const QRegularExpressionMatch match = form.match(text);
  if (!match.hasMatch()) return false;
  const QTime time(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
  return time.isValid() && regional.timeText(time) == text;
}

// The forms in words, with the separators this machine's program writes.
QString dateForm(const RegionalForms& regional) {
  const QString sample = regional.dateText(QDate(2000, 1, 2));
  const QString separator = sample.mid(2, (sample.size() - 8) / 2);
  return QStringLiteral("dd%1mm%1yyyy").arg(separator);
}

QString timeForm(const RegionalForms& regional) {
  const QString sample = regional.timeText(QTime(1, 2, 3));
  const QString separator = sample.mid(2, (sample.size() - 6) / 2);
  return QStringLiteral("hh%1mm%1ss").arg(separator);
}

class Report {
 public:
  explicit Report(const Target& target) : source_(target.openReading(true)) {}

  QVariantList row(const QString& sql) { return rows(sql, 1).value(0); }
  QList<QVariantList> rows(const QString& sql, int most) {
    RowCursor& rows = source_->run(sql);
    QList<QVariantList> result;
    while (result.size() < most && rows.next()) {
      QVariantList values;
      for (int i = 0; i < rows.columns().size(); ++i) values.append(rows.field(i));
      result.append(values);
    }
    source_->endRun();
    return result;
  }
  qint64 count(const QString& sql) { return row(sql).value(0).toLongLong(); }
  // Each distinct text of a column with the number of rows that hold it.
  QList<QPair<QVariant, qint64>> tally(const QString& column) {
    RowCursor& rows = source_->run(QStringLiteral("SELECT %1, count(*) FROM GraphData GROUP BY %1").arg(column));
    QList<QPair<QVariant, qint64>> result;
    while (rows.next()) result.append({rows.field(0), rows.field(1).toLongLong()});
    source_->endRun();
    return result;
  }

  void line(const QString& label, const QString& value) {
    QTextStream(stdout) << label.leftJustified(34, QLatin1Char(' ')) << value << '\n';
  }
  void problemCount(const QString& label, qint64 rows) {
    line(label, QString::number(rows));
    if (rows > 0) ++problems_;
  }
  int problems() const { return problems_; }

 private:
  std::unique_ptr<RowSource> source_;
  int problems_ = 0;
};

QString numberText(const QVariant& value) {
  if (value.isNull()) return QStringLiteral("none");
  bool isNumber = false;
  const double number = value.toDouble(&isNumber);
  return isNumber ? QString::number(number, 'g', 15) : QLatin1Char('\'') + value.toString() + QLatin1Char('\'');
}

// The rows after whose number no row can be numbered (a writer refuses then), and those of an
// infinite number: named, so that they can be mended.
void reportNumbersWithoutNext(Report& report, const Target& target) {
  constexpr int kNamed = 10;
  const QString condition =
      target.onServer() ? QStringLiteral("number = 'NaN' OR number >= 9007199254740992 OR number = '-Infinity'")
                        : QStringLiteral("(number IS NOT NULL AND typeof(number) NOT IN ('integer', 'real')) OR "
                                         "number >= 9007199254740992 OR number = -9e999");
  report.problemCount(QStringLiteral("number infinite, NaN or past 2^53"),
                      report.count(QStringLiteral("SELECT count(*) FROM GraphData WHERE ") + condition));
  for (const QVariantList& row : report.rows(QStringLiteral("SELECT Date, Time, number FROM GraphData WHERE ") + condition, kNamed))
    report.line(QStringLiteral("  row"), QStringLiteral("%1 %2 number %3")
                                                   .arg(cutShort(row.value(0).toString(), kLabelCharacters),
                                                        cutShort(row.value(1).toString(), kLabelCharacters),
                                                        numberText(row.value(2))));
}

void reportNumbersAndValues(Report& report, const Target& target) {
  const QVariantList totals = report.row(QStringLiteral("SELECT count(*), min(number), max(number) FROM GraphData"));
  report.line(QStringLiteral("rows"), QString::number(totals.value(0).toLongLong()));
  report.line(QStringLiteral("number"), QStringLiteral("%1 .. %2").arg(numberText(totals.value(1)), numberText(totals.value(2))));
  // SQLite keeps whatever a writer gave it, text in a REAL column included.
  const QString notNumber = target.onServer() ? QStringLiteral("%1 IN ('NaN', 'Infinity', '-Infinity')")
                                              : QStringLiteral("typeof(%1) NOT IN ('integer', 'real')");
  report.problemCount(QStringLiteral("duplicate numbers (extra rows)"),
                      report.count(QStringLiteral("SELECT COALESCE(sum(c - 1), 0) FROM (SELECT count(*) AS c FROM GraphData "
                                                  "WHERE number IS NOT NULL GROUP BY number HAVING count(*) > 1) AS d")));
  report.problemCount(QStringLiteral("number NULL or not a number"),
                      report.count(QStringLiteral("SELECT count(*) FROM GraphData WHERE number IS NULL OR ") +
                                   notNumber.arg(QStringLiteral("number"))));
  reportNumbersWithoutNext(report, target);
  report.problemCount(QStringLiteral("Data NULL"), report.count(QStringLiteral("SELECT count(*) FROM GraphData WHERE Data IS NULL")));
  report.problemCount(QStringLiteral("Data not a number"),
                      report.count(QStringLiteral("SELECT count(*) FROM GraphData WHERE Data IS NOT NULL AND ") +
                                   notNumber.arg(QStringLiteral("Data"))));
}

// Read a distinct text at a time: a day has at most 86400 times, a table many more rows.
void reportDatesAndTimes(Report& report, const RegionalForms& regional) {
  qint64 badDates = 0, badTimes = 0;
  std::optional<QDate> first, last;
  for (const auto& [value, rows] : report.tally(QStringLiteral("Date"))) {
    const std::optional<QDate> date = value.isNull() ? std::nullopt : programDate(value.toString(), regional);
    if (!date) {
      badDates += rows;
      continue;
    }
    if (!first || *date < *first) first = date;
    if (!last || *date > *last) last = date;
  }
  for (const auto& [value, rows] : report.tally(QStringLiteral("Time")))
    if (value.isNull() || !isProgramTime(value.toString(), regional)) badTimes += rows;
  report.problemCount(QStringLiteral("Date not ") + dateForm(regional), badDates);
  report.problemCount(QStringLiteral("Time not ") + timeForm(regional), badTimes);
  report.line(QStringLiteral("dates"), first ? QStringLiteral("%1 .. %2").arg(regional.dateText(*first), regional.dateText(*last))
                                             : QStringLiteral("none"));
}

// What the connection's role may do beside the operator's query, which runs in a read-only
// transaction: a warning, not a problem of the rows. The password of a connection file can be read
// by the operator anyway; a station's role should still reach no further than reading and
// appending to GraphData (README: a station's role).
void reportRoleRights(Report& report) {
  const QVariantList rights = report.row(QStringLiteral(
      "SELECT current_user, rolsuper, pg_has_role('pg_read_server_files', 'MEMBER') OR "
      "pg_has_role('pg_write_server_files', 'MEMBER'), pg_has_role('pg_execute_server_program', 'MEMBER'), "
      "pg_has_role('pg_signal_backend', 'MEMBER') OR EXISTS (SELECT 1 FROM pg_proc WHERE pronamespace = "
      "'pg_catalog'::regnamespace AND proname IN ('pg_terminate_backend', 'pg_cancel_backend') AND "
      "has_function_privilege(oid, 'EXECUTE')), "
      "(SELECT string_agg(DISTINCT e.extname, ', ') FROM pg_extension e JOIN pg_depend d ON d.refclassid = "
      "'pg_extension'::regclass AND d.refobjid = e.oid AND d.deptype = 'e' AND d.classid = 'pg_proc'::regclass "
      "WHERE e.extname IN ('dblink', 'postgres_fdw') AND has_function_privilege(d.objid, 'EXECUTE')), "
      "has_table_privilege('GraphData', 'UPDATE') OR has_table_privilege('GraphData', 'DELETE') OR "
      "has_table_privilege('GraphData', 'TRUNCATE') "
      "FROM pg_roles WHERE rolname = current_user"));
  QStringList beyond;
  if (rights.value(1).toBool()) beyond << QStringLiteral("is a superuser");
  if (rights.value(2).toBool()) beyond << QStringLiteral("may read or write server files");
  if (rights.value(3).toBool()) beyond << QStringLiteral("may run server programs");
  if (rights.value(4).toBool()) beyond << QStringLiteral("may signal other sessions (pg_terminate_backend)");
  if (!rights.value(5).toString().isEmpty())
    beyond << QStringLiteral("may execute the functions of %1").arg(rights.value(5).toString());
  if (rights.value(6).toBool()) beyond << QStringLiteral("may change or delete rows of GraphData");
  const QString role = rights.value(0).toString();
  report.line(QStringLiteral("role"), role);
  report.line(QStringLiteral("role rights"), beyond.isEmpty() ? QStringLiteral("reads and appends only")
                                                              : beyond.join(QStringLiteral("; ")));
  if (!beyond.isEmpty())
    QTextStream(stderr) << "kelvane-db: warning: role " << role << " reaches beyond reading and appending: "
                        << beyond.join(QStringLiteral("; ")) << "; see the README on a station's role\n";
}

// Not a problem of the rows: the program charts a period without it, only slower.
void reportPeriodIndex(Report& report, const Target& target) {
  const bool present = hasPeriodIndex(target.path());
  report.line(QStringLiteral("index on Date, Time"),
              present ? QStringLiteral("yes")
                      : QStringLiteral("none: a period is found by reading every row; add it with kelvane-db index ") +
                            target.path());
}

}  // namespace

int check(const Target& target) {
  QStringList integrity;
  if (!target.onServer()) {
    target.requireFile();
    integrity = integrityProblems(target.path());
  }
  try {
    Report report(target);
    report.line(QStringLiteral("database"), target.shownName());
    if (!target.onServer()) {
      report.line(QStringLiteral("integrity_check"), integrity.isEmpty() ? QStringLiteral("ok") : integrity.join(QStringLiteral("; ")));
      if (!integrity.isEmpty()) report.problemCount(QStringLiteral("integrity problems"), integrity.size());
    }
    reportNumbersAndValues(report, target);
    reportDatesAndTimes(report, RegionalForms());
    reportPeriodIndex(report, target);
    if (target.onServer()) reportRoleRights(report);
    if (report.problems() == 0) {
      report.line(QStringLiteral("result"), QStringLiteral("clean"));
      return Exit::Ok;
    }
    report.line(QStringLiteral("result"), report.problems() == 1 ? QStringLiteral("problems found by 1 check")
                                                                  : QStringLiteral("problems found by %1 checks").arg(report.problems()));
    return Exit::Problems;
  } catch (const RuntimeError& error) {
    throw Failure{Exit::Unreachable, QStringLiteral("%1 cannot be read: %2").arg(target.shownName(), error.description())};
  }
}

}  // namespace kelvane::db
