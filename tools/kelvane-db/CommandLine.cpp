#include "CommandLine.h"

#include "Failure.h"

#include <QCommandLineParser>

#include <cmath>

namespace kelvane::db {

namespace {

constexpr double kMaxRate = 1000;
constexpr qint64 kMaxStep = 31 * 86400;

Failure usage(const QString& message) { return {Exit::Usage, message}; }

// The value of an option given at most once; a second one is more likely a slip than a wish.
std::optional<QString> single(const QCommandLineParser& parser, const QString& name) {
  const QStringList values = parser.values(name);
  if (values.size() > 1) throw usage(QStringLiteral("--%1 given more than once").arg(name));
  if (values.isEmpty()) return std::nullopt;
  return values.first();
}

double rateOf(const QString& text) {
  bool ok = false;
  const double rate = text.toDouble(&ok);
  if (!ok || !std::isfinite(rate) || rate <= 0 || rate > kMaxRate)
    throw usage(QStringLiteral("--rate must be a number of rows a second above 0 and at most %1, not '%2'")
                    .arg(kMaxRate).arg(text));
  return rate;
}

qint64 wholeNumber(const QString& name, const QString& text, qint64 lowest, qint64 highest) {
  bool ok = false;
  const qint64 value = text.toLongLong(&ok);
  if (!ok || value < lowest || value > highest)
    throw usage(QStringLiteral("--%1 must be a whole number from %2 to %3, not '%4'").arg(name).arg(lowest).arg(highest).arg(text));
  return value;
}

QDateTime startOf(const QString& text) {
  const QDateTime start = QDateTime::fromString(text, Qt::ISODate);
  if (!start.isValid() || start.date().year() < 1000 || start.date().year() > 9999)
    throw usage(QStringLiteral("--start must be an ISO date-time such as 2026-12-05T08:00:00, not '%1'").arg(text));
  // The program writes local time; a moment given with a zone is written as the clock here showed it.
  return start.toLocalTime();
}

CollectOptions collectOptionsOf(const QCommandLineParser& parser) {
  CollectOptions options;
  const auto rate = single(parser, QStringLiteral("rate"));
  const auto count = single(parser, QStringLiteral("count"));
  const auto start = single(parser, QStringLiteral("start"));
  const auto step = single(parser, QStringLiteral("step"));
  const auto seed = single(parser, QStringLiteral("seed"));
  if (rate) options.rate = rateOf(*rate);
  if (count) options.count = wholeNumber(QStringLiteral("count"), *count, 1, 1000000000);
  if (seed) options.seed = quint32(wholeNumber(QStringLiteral("seed"), *seed, 0, 4294967295LL));
  if (step) options.step = wholeNumber(QStringLiteral("step"), *step, 1, kMaxStep);
  if (start) options.start = startOf(*start);
  if (start && rate) throw usage(QStringLiteral("--rate is for steady collection; a back-fill (--start) is spaced by --step"));
  if (step && !start) throw usage(QStringLiteral("--step needs --start: steady collection is paced by --rate"));
  if (start && !count && options.start > QDateTime::currentDateTime())
    throw usage(QStringLiteral("--start lies in the future: give --count to say how many rows to write"));
  return options;
}

}  // namespace

QString usageText() {
  return QStringLiteral(
      "Usage: kelvane-db SUBCOMMAND TARGET [OPTIONS]\n"
      "\n"
      "Makes, fills, indexes and checks measurement databases of the Kelvane program\n"
      "(table GraphData).\n"
      "TARGET is a SQLite file, or a connection file ending in .kvconn that holds one\n"
      "postgresql:// URI.\n"
      "\n"
      "Subcommands:\n"
      "  create TARGET   Create a measurement database: table GraphData (Date, Time, number, Data)\n"
      "                  with an index on number and one on (Date, Time). A SQLite file is made\n"
      "                  new (never overwritten) in journal_mode WAL; on a server the table must\n"
      "                  not exist yet.\n"
      "  index TARGET    Add the index on (Date, Time) to a table made without it: with it the\n"
      "                  program's period dialog reads only the rows of a period, without it\n"
      "                  every row of the table. A table that has one is left as it is. No row\n"
      "                  is lost meanwhile: on a server the index is built CONCURRENTLY, beside\n"
      "                  plain INSERTs; writers that lock the table (the program, collect) and\n"
      "                  every writer of a SQLite file wait until it is built (seconds for\n"
      "                  millions of rows).\n"
      "  collect TARGET  Append rows as the outside data collector does, numbered one above the\n"
      "                  largest number, with the date and time texts the program writes.\n"
      "      --rate N          rows a second (default 1), of the current time, until --count rows\n"
      "                        or until stopped with Ctrl+C\n"
      "      --start DATETIME  back-fill from this ISO moment (e.g. 2026-12-05T08:00:00) as fast as\n"
      "                        possible, up to --count rows or up to now\n"
      "      --step SECONDS    seconds between back-filled rows (default 60)\n"
      "      --count N         rows to write\n"
      "      --seed N          repeat the values of an earlier run (default: a fresh seed, printed)\n"
      "  check TARGET    Report rows the program cannot use: duplicate or missing numbers, Data\n"
      "                  that is NULL or no number, Date/Time texts not in the program's forms;\n"
      "                  runs PRAGMA integrity_check on a SQLite file; names a table without the\n"
      "                  index on (Date, Time) and the command that adds it. Never writes.\n"
      "  help            Print this text (also -h, --help).\n"
      "\n"
      "Exit codes:\n"
      "  0  done (a collect stopped with Ctrl+C or SIGTERM included)\n"
      "  2  usage: unknown subcommand or option, missing or extra argument, bad value\n"
      "  3  create: the target file, or table GraphData on the server, already exists\n"
      "  4  the target is missing, cannot be opened or created, or is not a database\n"
      "  5  no table GraphData, or one without the columns Date, Time, number, Data\n"
      "  6  a row, the table or the index could not be written\n"
      "  7  check found problems\n");
}

Command parseCommandLine(const QStringList& arguments) {
  const QStringList rest = arguments.mid(1);
  if (rest.isEmpty()) throw usage(QStringLiteral("no subcommand given"));
  const QString name = rest.first();
  const QStringList helpWords{QStringLiteral("help"), QStringLiteral("-h"), QStringLiteral("--help")};
  if (helpWords.contains(name)) {
    if (rest.size() > 1 && name == QLatin1String("help")) throw usage(QStringLiteral("help takes no arguments"));
    return {};
  }

  Command command;
  if (name == QLatin1String("create")) command.kind = Command::Create;
  else if (name == QLatin1String("collect")) command.kind = Command::Collect;
  else if (name == QLatin1String("check")) command.kind = Command::Check;
  else if (name == QLatin1String("index")) command.kind = Command::Index;
  else throw usage(QStringLiteral("unknown subcommand '%1'").arg(name));

  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QString()});
  if (command.kind == Command::Collect) {
    for (const char* option : {"rate", "count", "start", "step", "seed"})
      parser.addOption({QString::fromLatin1(option), QString(), QStringLiteral("value")});
  }
  if (!parser.parse(QStringList{arguments.first()} + rest.mid(1))) throw usage(parser.errorText());
  if (parser.isSet(QStringLiteral("help"))) return {};

  const QStringList positional = parser.positionalArguments();
  if (positional.isEmpty()) throw usage(QStringLiteral("%1 needs a TARGET").arg(name));
  if (positional.size() > 1) throw usage(QStringLiteral("unexpected argument '%1'").arg(positional.at(1)));
  command.target = positional.first();
  if (command.target.isEmpty()) throw usage(QStringLiteral("TARGET is empty"));
  if (command.kind == Command::Collect) command.collect = collectOptionsOf(parser);
  return command;
}

}  // namespace kelvane::db
