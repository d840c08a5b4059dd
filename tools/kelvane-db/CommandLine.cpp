#include "CommandLine.h"

#include "Failure.h"

#include <QCommandLineParser>
#include <QHostAddress>

#include <cmath>

namespace kelvane::db {

namespace {

constexpr double kMaxRate = 1000;
constexpr qint64 kMaxStep = 31 * 86400;
// Qt's Modbus client times nothing shorter; a minute is beyond any device still answering.
constexpr double kMinTimeout = 0.01, kMaxTimeout = 60;

const QStringList kModbusOptions{QStringLiteral("register"), QStringLiteral("unit"), QStringLiteral("input"),
                                 QStringLiteral("format"), QStringLiteral("scale"), QStringLiteral("timeout"),
                                 QStringLiteral("require-device")};
const QStringList kMadeUpOptions{QStringLiteral("start"), QStringLiteral("step"), QStringLiteral("seed")};

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

// HOST, HOST:PORT, [IPv6] or [IPv6]:PORT; an IPv6 address without brackets takes no port.
ModbusSource modbusAddressOf(const QString& text) {
  const auto bad = [&] {
    return usage(QStringLiteral("--modbus must be a device as HOST or HOST:PORT, not '%1'").arg(text));
  };
  ModbusSource source;
  QString port;
  if (text.startsWith(QLatin1Char('['))) {
    const qsizetype close = text.indexOf(QLatin1Char(']'));
    if (close < 0) throw bad();
    source.host = text.mid(1, close - 1);
    const QString rest = text.mid(close + 1);
    if (!rest.isEmpty() && !rest.startsWith(QLatin1Char(':'))) throw bad();
    if (!rest.isEmpty()) port = rest.mid(1);
  } else if (text.count(QLatin1Char(':')) == 1) {
    source.host = text.section(QLatin1Char(':'), 0, 0);
    port = text.section(QLatin1Char(':'), 1);
  } else {
    source.host = text;
  }
  if (source.host.isEmpty() || source.host.contains(QLatin1Char(' '))) throw bad();
  // A host with colons is an IPv6 address, or a mistyped HOST:PORT.
  if (source.host.contains(QLatin1Char(':')) && QHostAddress(source.host).protocol() != QAbstractSocket::IPv6Protocol)
    throw bad();
  if (!port.isNull()) {
    bool ok = false;
    const uint number = port.toUInt(&ok);
    if (!ok || number < 1 || number > 65535)
      throw usage(QStringLiteral("--modbus: the port must be a whole number from 1 to 65535, not '%1'").arg(port));
    source.port = quint16(number);
  }
  return source;
}

double numberOf(const QString& name, const QString& text, const QString& wanted, double lowest, double highest) {
  bool ok = false;
  const double value = text.toDouble(&ok);
  if (!ok || !std::isfinite(value) || value < lowest || value > highest)
    throw usage(QStringLiteral("--%1 must be %2, not '%3'").arg(name, wanted, text));
  return value;
}

ModbusSource modbusSourceOf(const QCommandLineParser& parser, const QString& address) {
  ModbusSource source = modbusAddressOf(address);
  const auto firstRegister = single(parser, QStringLiteral("register"));
  const auto unit = single(parser, QStringLiteral("unit"));
  const auto format = single(parser, QStringLiteral("format"));
  const auto scale = single(parser, QStringLiteral("scale"));
  const auto timeout = single(parser, QStringLiteral("timeout"));
  if (firstRegister) source.firstRegister = int(wholeNumber(QStringLiteral("register"), *firstRegister, 0, 65535));
  if (unit) source.unit = int(wholeNumber(QStringLiteral("unit"), *unit, 0, 255));
  source.inputRegisters = parser.isSet(QStringLiteral("input"));
  if (format) {
    const auto named = registerFormatNamed(*format);
    if (!named)
      throw usage(QStringLiteral("--format must be one of %1, not '%2'").arg(registerFormatNames().join(QStringLiteral(", ")), *format));
    source.format = *named;
  }
  if (source.firstRegister + registerCount(source.format) - 1 > 65535)
    throw usage(QStringLiteral("--register %1 leaves no room for the %2 registers of %3")
                    .arg(source.firstRegister).arg(registerCount(source.format)).arg(nameOf(source.format)));
  // A scale of 0 would write 0 whatever the device says.
  if (scale) source.scale = numberOf(QStringLiteral("scale"), *scale, QStringLiteral("a number other than 0"), -1e300, 1e300);
  if (scale && source.scale == 0) throw usage(QStringLiteral("--scale must be a number other than 0, not '%1'").arg(*scale));
  if (timeout)
    source.timeout = numberOf(QStringLiteral("timeout"), *timeout,
                              QStringLiteral("a number of seconds from %1 to %2").arg(kMinTimeout).arg(kMaxTimeout), kMinTimeout, kMaxTimeout);
  return source;
}

CollectOptions collectOptionsOf(const QCommandLineParser& parser, std::optional<ModbusSource>& source) {
  CollectOptions options;
  const auto modbus = single(parser, QStringLiteral("modbus"));
  for (const QString& name : modbus ? kMadeUpOptions : kModbusOptions) {
    if (!parser.isSet(name)) continue;
    if (modbus) throw usage(QStringLiteral("--%1 is for made-up values; with --modbus the device gives them").arg(name));
    throw usage(QStringLiteral("--%1 needs --modbus: without it collect writes made-up values").arg(name));
  }
  if (modbus) source = modbusSourceOf(parser, *modbus);
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

QString ModbusSource::address() const {
  return (host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host) + QLatin1Char(':') + QString::number(port);
}

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
      "  collect TARGET --modbus HOST[:PORT] [OPTIONS]\n"
      "                  Read the value from a device over Modbus TCP (port 502 by default):\n"
      "                  each answered reading is one row, stamped when it was asked for.\n"
      "      --register N      the first register's address, 0-based as on the wire (default 0)\n"
      "      --unit N          the unit identifier (default 1)\n"
      "      --input           read input registers (function 4), not holding registers (3)\n"
      "      --format F        how the registers hold the value: float32-abcd (default),\n"
      "                        float32-cdab, float32-badc, float32-dcba, int16, uint16,\n"
      "                        int32-abcd, int32-cdab; A is the value's most significant byte,\n"
      "                        the first two letters the first register's bytes\n"
      "      --scale X         the value read times X (default 1)\n"
      "      --rate N          readings a second (default 1; 0.1 is one every 10 s), kept to the\n"
      "                        clock: a slow answer never shifts the readings after it\n"
      "      --count N         rows to write; without it, until stopped with Ctrl+C or SIGTERM,\n"
      "                        which end it after the row in progress\n"
      "      --timeout SECONDS\n"
      "                        seconds for one reading and for connecting (default 1)\n"
      "      --require-device  refuse to run without --modbus (usage error): the collector\n"
      "                        service gives it, so that a configuration without a device\n"
      "                        never runs the made-up values\n"
      "                  A reading unanswered in time, an exception response, a value that is\n"
      "                  NaN or infinite, or a refused or lost connection writes no row: a gap,\n"
      "                  never a wrong row. The collector connects again after 1, 2, 4 ... up\n"
      "                  to 30 s and goes on; a connection on which 3 readings in a row go\n"
      "                  unanswered is dropped and made again so. Each outage is written to\n"
      "                  standard error once when it starts and once when it ends (once the\n"
      "                  readings keep to the clock again: a device too slow for the rate is\n"
      "                  one outage), with its reasons and times. A database that waits (a\n"
      "                  lock, a server restarting) holds up rows, not readings: they are\n"
      "                  written together once it answers. A stop leaves it 5 s for the rows\n"
      "                  still waiting; those it has not taken then are told, exit code 6.\n"
      "  check TARGET    Report rows the program cannot use: duplicate or missing numbers, Data\n"
      "                  that is NULL or no number, Date/Time texts not in the program's forms;\n"
      "                  names rows whose number no number follows (infinite, NaN, past 2^53);\n"
      "                  runs PRAGMA integrity_check on a SQLite file; names a table without the\n"
      "                  index on (Date, Time) and the command that adds it; on a server, warns\n"
      "                  of what the role may do beyond reading and appending. Never writes.\n"
      "  help            Print this text (also -h, --help).\n"
      "\n"
      "Exit codes:\n"
      "  0  done (a collect stopped with Ctrl+C or SIGTERM included)\n"
      "  2  usage: unknown subcommand or option, missing or extra argument, bad value\n"
      "  3  create: the target file, or table GraphData on the server, already exists\n"
      "  4  the target is missing, cannot be opened or created, or is not a database\n"
      "  5  no table GraphData, or one without the columns Date, Time, number, Data\n"
      "  6  a row, the table or the index could not be written (collect --modbus:\n"
      "     also rows read but given up at a stop)\n"
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
    for (const char* option : {"rate", "count", "start", "step", "seed", "modbus", "register", "unit", "format", "scale", "timeout"})
      parser.addOption({QString::fromLatin1(option), QString(), QStringLiteral("value")});
    parser.addOption({QStringLiteral("input"), QString()});
    parser.addOption({QStringLiteral("require-device"), QString()});
  }
  if (!parser.parse(QStringList{arguments.first()} + rest.mid(1))) throw usage(parser.errorText());
  if (parser.isSet(QStringLiteral("help"))) return {};

  const QStringList positional = parser.positionalArguments();
  if (positional.isEmpty()) throw usage(QStringLiteral("%1 needs a TARGET").arg(name));
  if (positional.size() > 1) throw usage(QStringLiteral("unexpected argument '%1'").arg(positional.at(1)));
  command.target = positional.first();
  if (command.target.isEmpty()) throw usage(QStringLiteral("TARGET is empty"));
  if (command.kind == Command::Collect) command.collect = collectOptionsOf(parser, command.modbus);
  return command;
}

}  // namespace kelvane::db
