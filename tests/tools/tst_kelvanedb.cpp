#include "support/EntryFixture.h"
#include "support/MeasurementDatabase.h"

#include "handlers/DatabaseButton.h"
#include "entry/NumberInput.h"
#include "state/RegionalForms.h"

#include <QtTest>

#include <csignal>

using namespace kelvane;
using namespace kelvane::testing;

struct ToolRun { int code; QString out, err; };
// What DB names before the run (rows in parentheses go into GraphData), how kelvane-db is called, and
// what it answers: texts on the output for exit codes 0 and 7, else on the error output.
struct Answer { EngineKind engine; QString prepared; QStringList arguments; int code; QStringList texts; };
// The regional settings of a back-fill, the numbers of the rows already there, the first number it
// writes, and whether it runs from ten minutes ago up to now rather than from kStart.
struct BackFill { QString locale; QList<int> existing; double first; bool untilNow = false; };
Q_DECLARE_METATYPE(Answer)
Q_DECLARE_METATYPE(BackFill)

// The moment a back-filled row stands for; close to midnight, so that rows cross into a new day.
static const QDateTime kStart(QDate(2026, 12, 5), QTime(23, 40, 0));

// kelvane-db run as an operator runs it, on SQLite files and on a PostgreSQL server.
class KelvaneDbTest : public QObject {
  Q_OBJECT

  MeasurementDatabases databases_;
  std::unique_ptr<QTemporaryDir> folder_;
  std::unique_ptr<MeasurementDatabase> db_;
  QList<QProcess*> started_;
  QString printed_;  // everything the tool wrote in this case, looked through for the password

  MeasurementDatabase& database(EngineKind engine) { return *(db_ = databases_.make(engine, folder_->path())); }
  // The program's texts follow the regional settings; the tool must write the same ones.
  QProcess* start(const QStringList& arguments, const QString& locale = "en_GB") {
    QProcess* process = started_.emplace_back(new QProcess);
    process->setEnvironment(QProcess::systemEnvironment() << "LC_ALL=" + locale + ".UTF-8");
    process->start(KELVANE_DB, arguments);
    return process;
  }
  ToolRun kelvaneDb(const QStringList& arguments, const QString& locale = "en_GB") {
    QProcess* process = start(arguments, locale);
    const ToolRun run{process->waitForFinished(120000) && process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1,
                      QString::fromUtf8(process->readAllStandardOutput()), QString::fromUtf8(process->readAllStandardError())};
    printed_ += run.out + run.err;
    return run;
  }

 private slots:
  void initTestCase() { QVERIFY2(databases_.start(), qPrintable(databases_.errorText())); }
  void init() { folder_ = std::make_unique<QTemporaryDir>(); }
  void cleanup() {
    for (QProcess* process : std::as_const(started_)) {
      process->kill();
      process->waitForFinished();
      printed_ += QString::fromUtf8(process->readAllStandardOutput() + process->readAllStandardError());
    }
    qDeleteAll(std::exchange(started_, {}));
    const QString printed = std::exchange(printed_, {}), password = QString::fromLatin1(PostgresServer::kPassword);
    QVERIFY2(!printed.contains(password) && !printed.contains(QString::fromLatin1(QUrl::toPercentEncoding(password))), qPrintable(printed));
  }

  // Help, refusals and check's reports: each with its exit code and its words, none changing what it was given.
  void answersWithItsExitCode_data() {
    QTest::addColumn<Answer>("answer");
    // clang-format off
    const auto row = [](const QString& name, const QString& prepared, const QStringList& arguments, int code, const QStringList& texts, EngineKind engine = EngineKind::Sqlite) {
      QTest::newRow(qPrintable(name)) << Answer{engine, prepared, arguments, code, texts};
    };
    // The report's lines whole, so that "rows 3" is not found in "rows 30"; a file's integrity checked too.
    const auto check = [&](EngineKind engine, const QString& name, const QString& rows, int code, QStringList report) {
      if (engine == EngineKind::Sqlite) report << "integrity_check ok";
      for (QString& line : report) line = '\n' + line + '\n';
      row(engineName(engine) + ": check " + name, rows, {"check", "DB"}, code, report, engine);
    };
    const QStringList help{"create TARGET", "collect TARGET", "check TARGET", "index TARGET", "CONCURRENTLY", "--rate", "--count", "--start", "--step", "--seed", "--modbus HOST[:PORT]", "--register", "--unit", "--input", "--format", "float32-dcba", "int32-cdab", "--scale", "--timeout", "--require-device", ".kvconn", "\n2 ", "\n3 ", "\n4 ", "\n5 ", "\n6 ", "\n7 "};
    for (const QStringList& asked : {QStringList{"--help"}, {"-h"}, {"help"}, {"collect", "--help"}}) row(asked.join(' '), "nothing", asked, 0, help);
    row("no subcommand",               "database", {},                                              2, {"no subcommand"});
    row("unknown subcommand",          "database", {"frobnicate", "DB"},                            2, {"unknown subcommand 'frobnicate'"});
    row("help with an argument",       "database", {"help", "DB"},                                  2, {"help takes no arguments"});
    row("unknown option",              "database", {"check", "DB", "--fast"},                       2, {"Unknown option 'fast'"});
    row("option of another command",   "database", {"check", "DB", "--rate", "5"},                  2, {"Unknown option 'rate'"});
    row("no target",                   "database", {"collect"},                                     2, {"collect needs a TARGET"});
    row("a second target",             "database", {"check", "DB", "DB"},                           2, {"unexpected argument"});
    row("rate zero",                   "database", {"collect", "DB", "--rate", "0"},                2, {"--rate must be a number"});
    row("rate not a number",           "database", {"collect", "DB", "--rate", "abc"},              2, {"not 'abc'"});
    row("rate negative",               "database", {"collect", "DB", "--rate", "-3"},               2, {"not '-3'"});
    row("rate without a value",        "database", {"collect", "DB", "--rate"},                     2, {"Missing value after '--rate'"});
    row("count negative",              "database", {"collect", "DB", "--count", "-1"},              2, {"--count must be a whole number"});
    row("count zero",                  "database", {"collect", "DB", "--count", "0"},               2, {"not '0'"});
    row("count with decimals",         "database", {"collect", "DB", "--count", "1.5"},             2, {"not '1.5'"});
    row("count given twice",           "database", {"collect", "DB", "--count", "3", "--count", "4"}, 2, {"--count given more than once"});
    row("seed negative",               "database", {"collect", "DB", "--seed", "-1"},               2, {"--seed must be a whole number"});
    row("seed not a number",           "database", {"collect", "DB", "--seed", "x"},                2, {"not 'x'"});
    row("start not a date",            "database", {"collect", "DB", "--start", "yesterday"},       2, {"--start must be an ISO date-time"});
    row("start in month 13",           "database", {"collect", "DB", "--start", "2026-13-01T08:00:00"}, 2, {"not '2026-13-01T08:00:00'"});
    row("start in the future, no count", "database", {"collect", "DB", "--start", "2999-01-01T00:00:00"}, 2, {"--start lies in the future"});
    row("step zero",                   "database", {"collect", "DB", "--start", kStart.toString(Qt::ISODate), "--step", "0"}, 2, {"--step must be a whole number"});
    row("step without start",          "database", {"collect", "DB", "--step", "5"},                2, {"--step needs --start"});
    row("rate in a back-fill",         "database", {"collect", "DB", "--start", kStart.toString(Qt::ISODate), "--rate", "5"}, 2, {"--rate is for steady collection"});
    const auto device = [](const QStringList& options) { return QStringList{"collect", "DB", "--modbus", "127.0.0.1:1502"} + options; };
    row("device without a host",       "database", {"collect", "DB", "--modbus", ":502"},           2, {"--modbus must be a device as HOST or HOST:PORT, not ':502'"});
    row("device port 0",               "database", {"collect", "DB", "--modbus", "plc:0"},          2, {"--modbus: the port must be a whole number from 1 to 65535, not '0'"});
    row("device as HOST:PORT:more",     "database", {"collect", "DB", "--modbus", "plc:502:3"},      2, {"not 'plc:502:3'"});
    row("device port a name",          "database", {"collect", "DB", "--modbus", "[::1]:modbus"},   2, {"not 'modbus'"});
    row("device given twice",          "database", device({"--modbus", "plc"}),                     2, {"--modbus given more than once"});
    row("register past 65535",         "database", device({"--register", "65536"}),                 2, {"--register must be a whole number from 0 to 65535"});
    row("register without room for two", "database", device({"--register", "65535"}),               2, {"--register 65535 leaves no room for the 2 registers of float32-abcd"});
    row("unit 256",                    "database", device({"--unit", "256"}),                       2, {"--unit must be a whole number from 0 to 255"});
    row("format unknown",              "database", device({"--format", "float64"}),                 2, {"--format must be one of float32-abcd, float32-cdab", "not 'float64'"});
    row("scale zero",                  "database", device({"--scale", "0"}),                        2, {"--scale must be a number other than 0"});
    row("scale infinite",              "database", device({"--scale", "inf"}),                      2, {"not 'inf'"});
    row("timeout below 10 ms",         "database", device({"--timeout", "0.001"}),                  2, {"--timeout must be a number of seconds from 0.01 to 60"});
    row("rate zero from a device",     "database", device({"--rate", "0"}),                         2, {"--rate must be a number"});
    row("seed of a device",            "database", device({"--seed", "7"}),                         2, {"--seed is for made-up values"});
    row("back-fill from a device",     "database", device({"--start", kStart.toString(Qt::ISODate)}), 2, {"--start is for made-up values"});
    row("register without a device",   "database", {"collect", "DB", "--register", "3"},            2, {"--register needs --modbus"});
    row("input without a device",      "database", {"collect", "DB", "--input"},                    2, {"--input needs --modbus"});
    row("the service's options without a device", "database", {"collect", "DB", "--require-device", "--rate", "5"}, 2, {"--require-device needs --modbus"});
    row("the service's device into a missing file", "nothing", device({"--require-device"}),       4, {"no such file"});
    row("device into a missing file",  "nothing",  device({}),                                      4, {"no such file"});
    row("create over a measurement database", "('05/12/2026', '14:08:45', 1, 0.25)", {"create", "DB"}, 3, {"already"});
    row("create over a server table with rows", "('05/12/2026', '14:08:45', 1, 0.25)", {"create", "DB"}, 3, {"already"}, EngineKind::Postgres);
    row("create over a text file",     "text file", {"create", "DB"},                               3, {"already"});
    row("create over an empty file",   "empty file", {"create", "DB"},                              3, {"already"});
    row("create in a missing folder",  "nothing",  {"create", "FOLDER/none/m.db"},                  4, {"does not exist"});
    row("collect into a missing file", "nothing",  {"collect", "DB", "--count", "1"},               4, {"no such file"});
    row("check a missing file",        "nothing",  {"check", "DB"},                                 4, {"no such file"});
    row("check a folder",              "nothing",  {"check", "FOLDER"},                             4, {"is not a file"});
    row("collect into a text file",    "text file", {"collect", "DB", "--count", "1"},              4, {"file is not a database"});
    row("check a text file",           "text file", {"check", "DB"},                                4, {"file is not a database"});
    row("missing connection file",     "nothing",  {"check", "FOLDER/station.kvconn"},              4, {"no such connection file"});
    row("connection file without address", "connection file without address", {"check", "FOLDER/station.kvconn"}, 4, {"holds no address"});
    row("a one-letter password, refused", "one-letter password", {"check", "DB"}, 4, {"password authentication failed for user \"station\"", "postgresql://station@127.0.0.1"}, EngineKind::Postgres);
    row("server database that does not exist", "missing server database", {"collect", "DB", "--count", "1"}, 4, {"database \"nowhere\" does not exist"}, EngineKind::Postgres);
    row("collect without GraphData",   "no table", {"collect", "DB", "--count", "1"},               5, {"has no table GraphData"});
    row("check without GraphData",     "no table", {"check", "DB"},                                 5, {"has no table GraphData"});
    row("collect without column Data", "no Data",  {"collect", "DB", "--count", "1"},               5, {"table GraphData has no column Data"});
    row("server without GraphData",    "no table", {"collect", "DB", "--count", "1"},               5, {"has no table GraphData"}, EngineKind::Postgres);
    row("check server without GraphData", "no table", {"check", "DB"},                              5, {"has no table GraphData"}, EngineKind::Postgres);
    const QString clean = "('05/12/2026', '23:59:59', 1, 0.5), ('06/12/2026', '00:00:00', 2, 1.25), ('06/12/2026', '00:01:00', 3, -0.75)";
    for (EngineKind engine : kEngines) {
      check(engine, "rows as the program writes them", clean, 0, {"rows 3", "number 1 .. 3", "duplicate numbers (extra rows) 0", "Data NULL 0", "dates 05/12/2026 .. 06/12/2026", "index on Date, Time yes", "result clean"});
      check(engine, "a table made before the index", "no index", 0, {"index on Date, Time none: a period is found by reading every row; add it with kelvane-db index DB", "result clean"});
      row(engineName(engine) + ": index a table that has it", "database", {"index", "DB"}, 0, {"has an index on Date, Time already; nothing changed"}, engine);
      row(engineName(engine) + ": index where its name is taken", "index on Time, Date", {"index", "DB"}, 6, {"index not added: an index named GraphDataDateTime is there"}, engine);
      check(engine, "empty table",            "database", 0, {"rows 0", "number none .. none", "dates none", "result clean"});
      check(engine, "three rows share a number", clean + ", ('06/12/2026', '00:02:00', 3, 1), ('06/12/2026', '00:03:00', 3, 1)", 7, {"duplicate numbers (extra rows) 2", "result problems found by 1 check"});
      check(engine, "Data missing",           clean + ", ('06/12/2026', '00:02:00', 4, NULL)", 7, {"Data NULL 1", "Data not a number 0"});
      check(engine, "number missing",         clean + ", ('06/12/2026', '00:02:00', NULL, 1)", 7, {"number NULL or not a number 1", "number 1 .. 3"});
      check(engine, "ISO date",               clean + ", ('2026-12-06', '00:02:00', 4, 1)", 7, {"Date not dd/mm/yyyy 1", "dates 05/12/2026 .. 06/12/2026"});
      check(engine, "31st of February",       clean + ", ('31/02/2026', '00:02:00', 4, 1)", 7, {"Date not dd/mm/yyyy 1"});
      check(engine, "hour of one digit and 25 o'clock", clean + ", ('06/12/2026', '8:02:00', 4, 1), ('06/12/2026', '25:00:00', 5, 1)", 7, {"Time not hh:mm:ss 2", "Date not dd/mm/yyyy 0"});
    }
    check(EngineKind::Sqlite, "text in Data", clean + ", ('06/12/2026', '00:02:00', 4, 'high')", 7, {"Data not a number 1", "Data NULL 0"});
    check(EngineKind::Sqlite, "a number typed as text is stored as a number", clean + ", ('06/12/2026', '00:02:00', 4, '1.5')", 0, {"result clean"});
    check(EngineKind::Sqlite, "an infinite number, named", clean + ", ('06/12/2026', '00:02:00', 9e999, 1)", 7, {"number infinite, NaN or past 2^53 1", "row 06/12/2026 00:02:00 number inf", "number 1 .. inf"});
    check(EngineKind::Sqlite, "a text as number, named", clean + ", ('06/12/2026', '00:02:00', 'abc', 1)", 7, {"number NULL or not a number 1", "number infinite, NaN or past 2^53 1", "row 06/12/2026 00:02:00 number 'abc'"});
    check(EngineKind::Sqlite, "a Time of 200 000 characters", clean + ", ('06/12/2026', printf('%.*c', 200000, 'x'), 4, 1)", 7, {"Time not hh:mm:ss 1", "number infinite, NaN or past 2^53 0"});
    check(EngineKind::Postgres, "NaN and 2^53 as numbers, named", clean + ", ('06/12/2026', '00:02:00', 'NaN', 1), ('06/12/2026', '00:03:00', 9007199254740992, 1)", 7, {"number infinite, NaN or past 2^53 2", "row 06/12/2026 00:02:00 number nan", "row 06/12/2026 00:03:00 number 9.00719925474099e+15"});
    check(EngineKind::Postgres, "NaN in Data", clean + ", ('06/12/2026', '00:02:00', 4, 'NaN')", 7, {"Data not a number 1"});
    check(EngineKind::Sqlite, "German rows under British settings", "('05.12.2026', '23:59:59', 1, 0.5), ('06.12.2026', '00:00:00', 2, 1.25)", 7, {"Date not dd/mm/yyyy 2", "Time not hh:mm:ss 0", "dates none"});
    // clang-format on
  }
  void answersWithItsExitCode() {
    QFETCH(Answer, answer);
    auto& [engine, prepared, arguments, code, texts] = answer;
    MeasurementDatabase& db = database(engine);
    QString target = db.dataSource();
    const bool measurements = prepared == "database" || prepared.startsWith('(') || prepared.contains("index");
    if (measurements && !prepared.contains("index")) db.withGraphData();
    if (prepared.contains("index")) db.run("CREATE TABLE GraphData (Date text, Time text, number real, Data real)");
    if (prepared == "index on Time, Date") db.run("CREATE INDEX GraphDataDateTime ON GraphData (Time, Date)");
    if (prepared.startsWith('(')) db.run("INSERT INTO GraphData (Date, Time, number, Data) VALUES " + prepared);
    if (prepared == "no table") db.run("CREATE TABLE Readings (Date TEXT, Time TEXT, number REAL, Data REAL)");
    if (prepared == "no Data") db.run("CREATE TABLE GraphData (Date TEXT, Time TEXT, number REAL)");
    if (prepared == "connection file without address") PostgresServer::writeConnectionFile(folder_->path(), "");
    if (prepared == "one-letter password")
      target = PostgresServer::writeConnectionFile(folder_->path(), QString("postgresql://station:s@127.0.0.1:%1/measurements").arg(databases_.server().port()), "s.kvconn");
    if (prepared == "missing server database")
      target = PostgresServer::writeConnectionFile(folder_->path(), databases_.uri().replace("/measurements", "/nowhere"), "nowhere.kvconn");
    QFile written(target);  // unbuffered: all there before the tool looks
    if (prepared.endsWith(" file")) QVERIFY(written.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && written.write(prepared == "text file" ? QByteArray("Date,Time,number,Data\n").repeated(100) : "") >= 0);
    for (QStringList* words : {&arguments, &texts})
      for (QString& word : *words) word.replace("DB", target).replace("FOLDER", folder_->path());
    const auto bytes = [&] { QFile file(target); return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(); };
    const QStringList contents = measurements ? db.contents() : QStringList(), files = QDir(folder_->path()).entryList(QDir::Files);
    const QByteArray before = bytes();

    const ToolRun run = kelvaneDb(arguments);
    QCOMPARE(run.code, code);
    // Blanks simplified, lines kept.
    const QString shown = QString('\n' + (code == 0 || code == 7 ? run.out : run.err) + '\n').replace(QRegularExpression(" *\n *"), "\n").replace(QRegularExpression(" +"), " ");
    for (const QString& text : texts) QVERIFY2(shown.contains(text), qPrintable(text + "\nin:" + shown));
    QVERIFY2(code == 0 || code == 7 || !run.out.contains("done"), qPrintable(run.out));
    // Nothing made, changed or left behind.
    QCOMPARE(QDir(folder_->path()).entryList(QDir::Files), files);
    QCOMPARE(bytes(), before);
    QCOMPARE(measurements ? db.contents() : QStringList(), contents);
  }

  void backFillWritesRowsAsTheProgramDoes_data() {
    addEngineColumn();
    QTest::addColumn<BackFill>("fill");
    for (EngineKind engine : kEngines) {
      newEngineRow(engine, "empty table") << BackFill{"en_GB", {}, 1};
      newEngineRow(engine, "rows 4 to 7 deleted") << BackFill{"en_GB", {1, 2, 3, 8, 9, 10}, 11};
    }
    newEngineRow(EngineKind::Sqlite, "newest rows 8 to 10 deleted") << BackFill{"en_GB", {1, 2, 3, 4, 5, 6, 7}, 8};
    newEngineRow(EngineKind::Sqlite, "German date separator") << BackFill{"de_DE", {}, 1};
    newEngineRow(EngineKind::Sqlite, "Finnish time separator") << BackFill{"fi_FI", {1, 2, 3}, 4};
    newEngineRow(EngineKind::Sqlite, "Canadian French dashes") << BackFill{"fr_CA", {}, 1};
    newEngineRow(EngineKind::Sqlite, "no count: stops at now") << BackFill{"en_GB", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 11, true};
  }
  void backFillWritesRowsAsTheProgramDoes() {
    QFETCH(EngineKind, engine);
    QFETCH(BackFill, fill);
    const auto& [locale, existing, first, untilNow] = fill;
    // A server row costs a connection of its own; more than 20 still fill the recent-records chart.
    const int count = untilNow ? 11 : engine == EngineKind::Sqlite ? 50 : 25;
    const QDateTime start = untilNow ? QDateTime::currentDateTime().addSecs(-600) : kStart;
    MeasurementDatabase& db = database(engine);
    QCOMPARE(kelvaneDb({"create", db.dataSource()}).code, 0);
    // The program reads while a collector writes.
    if (engine == EngineKind::Sqlite) QCOMPARE(db.scalar("PRAGMA journal_mode").toString(), QString("wal"));
    for (int number : existing) db.withRow(number, 0.5);

    const QStringList arguments{"collect", db.dataSource(), "--start", start.toString(Qt::ISODate), "--count", QString::number(count)};
    const ToolRun run = kelvaneDb(untilNow ? arguments.mid(0, 4) : arguments, locale);
    QCOMPARE(run.code, 0);
    QVERIFY2(run.out.contains(QString("last number %1").arg(first + count - 1)), qPrintable(run.out));
    const RegionalForms regional{QLocale(locale)};
    const QList<QVariantList> rows = db.rows("SELECT number, Date, Time, Data FROM GraphData ORDER BY number").mid(existing.size());
    QCOMPARE(rows.size(), count);
    for (int i = 0; i < count; ++i) {
      const QDateTime moment = start.addSecs(60 * i);
      QCOMPARE(rows[i].mid(0, 3), QVariantList({first + i, regional.dateText(moment.date()), regional.timeText(moment.time())}));
      // A value the operator could have typed: its text reads back through the entry box's rules.
      const float value = rows[i][3].toFloat();
      QVERIFY2(value > 0 && value < 3 && typedSingle(regional.singleText(value), regional.locale()) == value, qPrintable(QString::number(value)));
    }
    // check under the same settings finds nothing to report in them.
    if (existing.isEmpty()) QCOMPARE(kelvaneDb({"check", db.dataSource()}, locale).code, 0);

    // The Database button charts the newest rows without a message.
    EntryFixture f{QLocale(locale)};
    f.state.DatabasePath = db.dataSource();
    btnSPRT_Click(f.program);
    QVERIFY2(f.test.messages.shown.isEmpty(), qPrintable(f.test.messages.texts().join("\n")));
    QCOMPARE(f.state.ChartRecordCount, 20);
    QCOMPARE(f.state.PointLabels.at(20).toString(), regional.timeText(start.addSecs(60 * (count - 1)).time()));
  }

  // Steady collection stamps rows with the clock at its rate, to its count, to a stop, or to a database that fails it.
  void collectorRunsToItsEnd_data() {
    addEngineColumn();
    QTest::addColumn<QString>("event");  // once five rows are in
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");  // on the error output
    newEngineRow(EngineKind::Sqlite, "forty rows at twenty a second") << "" << 0 << "";
    newEngineRow(EngineKind::Sqlite, "stopped with Ctrl+C") << "SIGINT" << 0 << "";
    newEngineRow(EngineKind::Sqlite, "terminated") << "SIGTERM" << 0 << "";
    newEngineRow(EngineKind::Sqlite, "another writer holds the file beyond the busy timeout") << "lock" << 0 << "database is locked";
    newEngineRow(EngineKind::Postgres, "another writer holds the table beyond the lock timeout") << "lock" << 0 << "lock timeout";
    newEngineRow(EngineKind::Postgres, "the server restarts") << "restart" << 0 << "database outage from";
    for (EngineKind engine : kEngines) newEngineRow(engine, "table dropped") << "drop table" << 5 << "has no table GraphData";
    newEngineRow(EngineKind::Sqlite, "file deleted") << "delete file" << 4 << "no such file";
  }
  void collectorRunsToItsEnd() {
    QFETCH(EngineKind, engine);
    QFETCH(QString, event);
    QFETCH(int, code);
    QFETCH(QString, message);
    MeasurementDatabase& db = database(engine).withGraphData();
    const bool signal = event.startsWith("SIG");
    const QDateTime started = QDateTime::currentDateTime();
    QProcess* collector = start(QStringList{"collect", db.dataSource(), "--rate", "20"} + (signal ? QStringList() : QStringList{"--count", "40"}));
    QTRY_VERIFY_WITH_TIMEOUT(db.scalar("SELECT count(*) FROM GraphData").toInt() >= 5, 10000);
    if (event == "lock") db.holdWriteLock();
    if (event == "restart") databases_.server().stop();
    if (event == "drop table") db.run("DROP TABLE GraphData");
    if (event == "delete file") QVERIFY(QFile::remove(db.dataSource()));
    if (signal) ::kill(pid_t(collector->processId()), event == "SIGINT" ? SIGINT : SIGTERM);
    // A lock is held until the collector has given up on a row once: it must then try that row again.
    QString err;
    QTRY_VERIFY_WITH_TIMEOUT((err += QString::fromUtf8(collector->readAllStandardError())).contains(message), 30000);
    if (event == "lock") db.releaseWriteLock();
    if (event == "restart") QVERIFY(databases_.server().start());
    QTRY_COMPARE_WITH_TIMEOUT(collector->state(), QProcess::NotRunning, 30000);
    QCOMPARE(collector->exitCode(), code);
    const QString out = QString::fromUtf8(collector->readAllStandardOutput());
    printed_ += out + err + QString::fromUtf8(collector->readAllStandardError());
    if (code != 0) return;
    const QDateTime finished = QDateTime::currentDateTime();
    const QList<QVariantList> rows = db.rows("SELECT Date, Time FROM GraphData");
    if (!signal) QCOMPARE(rows.size(), 40);
    QVERIFY2(out.trimmed().section('\n', -1).startsWith(QString("%1: %2 rows written").arg(signal ? "stopped" : "done").arg(rows.size())), qPrintable(out));
    // Never faster than the rate, each row stamped when it was written.
    QVERIFY2(started.msecsTo(finished) >= (rows.size() - 1) * 1000 / 20, qPrintable(QString::number(started.msecsTo(finished))));
    for (const QVariantList& row : rows) {
      const QDateTime moment(QDate::fromString(row[0].toString(), "dd/MM/yyyy"), QTime::fromString(row[1].toString(), "HH:mm:ss"));
      QVERIFY2(moment >= started.addMSecs(-started.time().msec()) && moment <= finished, qPrintable(moment.toString()));
    }
  }

  // index on a table of rows while a collector writes to it: the index is added (it says so once
  // it is there), no row is lost.
  void indexWhileCollecting_data() { addEngineRows(); }
  void indexWhileCollecting() {
    QFETCH(EngineKind, engine);
    MeasurementDatabase& db = database(engine).withGraphData();
    db.run("DROP INDEX GraphDataDateTime");
    db.run("WITH RECURSIVE h(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM h WHERE n < 200000) INSERT INTO GraphData SELECT '05/12/2026', '08:00:00', n, 1 FROM h");
    QProcess* collector = start({"collect", db.dataSource(), "--rate", "50", "--count", "100"});
    QTRY_VERIFY_WITH_TIMEOUT(db.scalar("SELECT count(*) FROM GraphData").toInt() > 200005, 10000);
    const ToolRun index = kelvaneDb({"index", db.dataSource()});
    QVERIFY2(index.code == 0 && index.out.contains("added in"), qPrintable(index.out + index.err));
    QVERIFY(collector->waitForFinished(60000) && collector->exitCode() == 0);
    QCOMPARE(db.rows("SELECT count(*), count(DISTINCT number), max(number) FROM GraphData").value(0), QVariantList({200100, 200100, 200100}));
  }

  // Seeds 7, 7 and 8 at once: never a number twice; the same seed writes the same values at the same moments.
  void collectorsAtOnceNeverShareANumber_data() { addEngineRows(); }
  void collectorsAtOnceNeverShareANumber() {
    QFETCH(EngineKind, engine);
    // A server row costs a connection; fewer rows there still interleave.
    const int rows = engine == EngineKind::Sqlite ? 200 : 30;
    MeasurementDatabase& db = database(engine).withGraphData();
    for (const char* seed : {"7", "7", "8"}) start({"collect", db.dataSource(), "--start", kStart.toString(Qt::ISODate), "--count", QString::number(rows), "--seed", seed});
    for (QProcess* collector : std::as_const(started_)) QVERIFY(collector->waitForFinished(120000) && collector->exitCode() == 0);
    QCOMPARE(db.rows("SELECT count(*), count(DISTINCT number), MAX(number) FROM GraphData").value(0), QVariantList({3 * rows, 3 * rows, 3 * rows}));
    // Moments with seed 7's value twice; moments with seed 8's alone; the spread of the values: more than rounding.
    const QVariantList values = db.rows("SELECT sum(CASE WHEN c >= 2 THEN 1 ELSE 0 END), sum(CASE WHEN c = 1 THEN 1 ELSE 0 END), max(Data) - min(Data) "
                                        "FROM (SELECT Data, count(*) AS c FROM GraphData GROUP BY Date, Time, Data) AS g").value(0);
    QVERIFY2(values[0].toInt() == rows && values[1].toInt() > rows / 2 && values[2].toDouble() > 0.02, qPrintable(QVariant(values).toStringList().join(' ')));
  }

  // check on a server tells what the connection's role may do beside the program's query; the
  // station's role the README makes reads, appends through the program's writer, and no more.
  void roleRightsOnAServer_data() {
    QTest::addColumn<QString>("role");
    QTest::addColumn<QStringList>("rights");  // none: reads and appends only
    const QStringList owner{"may signal other sessions (pg_terminate_backend)", "may execute the functions of dblink",
                            "may change or delete rows of GraphData"};
    QTest::newRow("the superuser, dblink installed")
        << "postgres:superuser" << QStringList{"is a superuser", "may read or write server files", "may run server programs"} + owner;
    QTest::newRow("the owner of GraphData, dblink installed") << "station" << owner;
    QTest::newRow("the station's role of the README") << "station4:change-me" << QStringList{};
  }
  void roleRightsOnAServer() {
    QFETCH(QString, role);
    QFETCH(QStringList, rights);
    MeasurementDatabase& db = database(EngineKind::Postgres).withGraphData();
    const QString uri = databases_.uri(), name = role.section(':', 0, 0);
    QString target = db.dataSource();
    if (name != "station")
      target = PostgresServer::writeConnectionFile(folder_->path(), uri.left(uri.indexOf("//") + 2) + role + uri.mid(uri.indexOf('@')), "role.kvconn");
    if (!rights.isEmpty()) {
      databases_.server().run(MeasurementDatabases::kPostgresDatabase, "CREATE EXTENSION dblink");
    } else {
      QFile readme(KELVANE_README);
      QVERIFY(readme.open(QIODevice::ReadOnly));
      const QString text = QString::fromUtf8(readme.readAll());
      const qsizetype start = text.indexOf("```sql\n") + 7;
      databases_.server().run(MeasurementDatabases::kPostgresDatabase, "SET password_encryption = 'md5'; " + text.mid(start, text.indexOf("```", start) - start));
    }
    const ToolRun run = kelvaneDb({"check", target});
    QCOMPARE(run.code, 0);
    QVERIFY2(run.out.contains(QRegularExpression("\nrole +" + name + "\n")), qPrintable(run.out));
    const QString line = run.out.section("role rights", 1).section('\n', 0, 0).trimmed();
    QCOMPARE(line, rights.isEmpty() ? "reads and appends only" : rights.join("; "));
    QCOMPARE(run.err.contains("warning: role " + name), !rights.isEmpty());
    if (!rights.isEmpty()) return;
    const ToolRun collect = kelvaneDb({"collect", target, "--start", kStart.toString(Qt::ISODate), "--count", "3"});
    QVERIFY2(collect.code == 0, qPrintable(collect.err));
    QCOMPARE(db.rows("SELECT number FROM GraphData ORDER BY number"), (QList<QVariantList>{{1.0}, {2.0}, {3.0}}));
  }
};

QTEST_GUILESS_MAIN(KelvaneDbTest)
#include "tst_kelvanedb.moc"
