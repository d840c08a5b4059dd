// kelvane-db collect --modbus against a Modbus TCP device of the test's own on the loopback.
#include "ReadingSchedule.h"
#include "RegisterFormat.h"
#include "support/MeasurementDatabase.h"

#include <QModbusTcpServer>
#include <QTcpServer>
#include <QtTest>

#include <cmath>
#include <csignal>
#include <cstring>

using namespace kelvane;
using namespace kelvane::db;
using namespace kelvane::testing;
using Registers = QList<quint16>;

namespace {

Registers float32Abcd(float value) {
  quint32 bits;
  std::memcpy(&bits, &value, sizeof bits);
  return {quint16(bits >> 16), quint16(bits)};
}

// Holding and input registers 0 to 99 of one unit. Requests are numbered from 1: before each is
// answered, it may set the registers, and the answer may come late or be an exception.
class LoopbackDevice : public QModbusTcpServer {
 public:
  explicit LoopbackDevice(int unit = 1) {
    QModbusDataUnitMap map;
    for (auto type : {QModbusDataUnit::HoldingRegisters, QModbusDataUnit::InputRegisters}) map.insert(type, {type, 0, 100});
    setMap(map);
    setServerAddress(unit);
  }
  // Qt reads the address as a URL's host: an IPv6 address in brackets.
  bool start(quint16 port, const QString& host = QStringLiteral("127.0.0.1")) {
    setConnectionParameter(NetworkAddressParameter, host);
    setConnectionParameter(NetworkPortParameter, port);
    return connectDevice();
  }
  void hold(QModbusDataUnit::RegisterType type, int address, const Registers& values) { setData(QModbusDataUnit(type, address, values)); }

  std::function<void(int request)> beforeAnswer;
  std::optional<QModbusPdu::ExceptionCode> exception;
  int delayMs = 0;
  int requests = 0;

 protected:
  QModbusResponse processRequest(const QModbusPdu& request) override {
    if (beforeAnswer) beforeAnswer(++requests);
    QThread::msleep(ulong(delayMs));
    if (exception) return QModbusExceptionResponse(request.functionCode(), *exception);
    return QModbusTcpServer::processRequest(request);
  }
};

quint16 freePort() {
  QTcpServer probe;
  return probe.listen(QHostAddress::LocalHost) ? probe.serverPort() : 0;
}

QDateTime momentOf(const QVariantList& row) {
  return QDateTime(QDate::fromString(row[0].toString(), "dd/MM/yyyy"), QTime::fromString(row[1].toString(), "HH:mm:ss"));
}

}  // namespace

class ModbusCollectorTest : public QObject {
  Q_OBJECT

  std::unique_ptr<QTemporaryDir> folder_;
  std::unique_ptr<MeasurementDatabase> db_;
  std::unique_ptr<LoopbackDevice> device_;
  std::unique_ptr<QProcess> collector_;
  quint16 port_ = 0;
  QString host_;
  QString out_, err_;

  // The device holds request n's own number n as float32-abcd, the first request's answer 1.
  void numberEachAnswer() {
    device_->beforeAnswer = [this](int request) { device_->hold(QModbusDataUnit::HoldingRegisters, 0, float32Abcd(float(request))); };
  }
  void startCollector(const QStringList& options) {
    collector_ = std::make_unique<QProcess>();
    collector_->setEnvironment(QProcess::systemEnvironment() << "LC_ALL=en_GB.UTF-8");
    collector_->start(KELVANE_DB, QStringList{"collect", db_->dataSource(), "--modbus", QString("%1:%2").arg(host_).arg(port_)} + options);
    QVERIFY(collector_->waitForStarted());
  }
  // Waits with the device answering meanwhile.
  bool finished(int timeoutMs = 20000) {
    const bool done = QTest::qWaitFor([&] { return collector_->state() == QProcess::NotRunning; }, timeoutMs);
    readOutput();
    return done && collector_->exitStatus() == QProcess::NormalExit;
  }
  void readOutput() {
    out_ += QString::fromUtf8(collector_->readAllStandardOutput());
    err_ += QString::fromUtf8(collector_->readAllStandardError());
  }
  bool errorSays(const QString& text) {
    return QTest::qWaitFor([&] { return readOutput(), err_.contains(text); }, 20000);
  }
  void signalCollector(int signal) { ::kill(pid_t(collector_->processId()), signal); }
  QList<float> storedValues() {
    QList<float> values;
    for (const QVariantList& row : db_->rows("SELECT Data FROM GraphData ORDER BY number")) values.append(row[0].toFloat());
    return values;
  }
  qsizetype errorLines(const QString& start, const QString& reason) const {
    return err_.split('\n').filter(QRegularExpression("^kelvane-db: outage " + start)).filter(reason).size();
  }
  // One outage told for the reason: once as it began, once as it ended.
  void outageToldOnce(const QString& reason, const QString& end) {
    QVERIFY2(errorLines("from", reason) == 1 && errorLines(end, reason) == 1, qPrintable(err_));
  }

 private slots:
  void init() {
    folder_ = std::make_unique<QTemporaryDir>();
    db_ = std::make_unique<SqliteMeasurementDatabase>(folder_->filePath("m.db"));
    db_->withGraphData();
    device_ = std::make_unique<LoopbackDevice>();
    port_ = freePort();
    host_ = "127.0.0.1";
    QVERIFY(port_ > 0 && device_->start(port_));
    out_.clear();
    err_.clear();
  }
  void cleanup() {
    if (collector_ && collector_->state() != QProcess::NotRunning) {
      collector_->kill();
      collector_->waitForFinished();
    }
    collector_.reset();
    device_.reset();
  }

  // 12345.0 is 0x4640E400 as a float32.
  void decodesRegisters_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<Registers>("registers");
    QTest::addColumn<double>("scale");
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("refusal");
    // clang-format off
    const auto row = [](const char* name, const char* format, Registers registers, double scale, float value, const char* refusal = "") {
      QTest::newRow(name) << format << registers << scale << value << refusal;
    };
    row("float32-abcd",                    "float32-abcd", {0x4640, 0xE400}, 1,     12345);
    row("float32-cdab: low word first",    "float32-cdab", {0xE400, 0x4640}, 1,     12345);
    row("float32-badc: bytes swapped",     "float32-badc", {0x4046, 0x00E4}, 1,     12345);
    row("float32-dcba: all reversed",      "float32-dcba", {0x00E4, 0x4046}, 1,     12345);
    row("float32 below zero, scaled",      "float32-abcd", {0xBFC0, 0x0000}, 2,     -3);
    row("int16 below zero",                "int16",        {0xFFFF},         1,     -1);
    row("int16 scaled to three decimals",  "int16",        {quint16(-1234)}, 0.001, -1.234f);
    row("uint16 above 32767",              "uint16",       {0xFFFF},         1,     65535);
    row("int32-abcd below zero",           "int32-abcd",   {0xFFFF, 0xFFFE}, 1,     -2);
    row("int32-abcd above 65535",          "int32-abcd",   {0x0001, 0x0000}, 1,     65536);
    row("int32-cdab above 65535",          "int32-cdab",   {0x0000, 0x0001}, 1,     65536);
    row("int32-cdab largest",              "int32-cdab",   {0xFFFF, 0x7FFF}, 1,     2147483647.0f);
    row("NaN",                             "float32-abcd", {0x7FC0, 0x0000}, 1,     0, "not a number");
    row("NaN, words swapped",              "float32-cdab", {0x0000, 0x7FC0}, 1,     0, "not a number");
    row("NaN, bytes swapped",              "float32-badc", {0xC07F, 0x0000}, 1,     0, "not a number");
    row("infinity",                        "float32-abcd", {0x7F80, 0x0000}, 1,     0, "infinite");
    row("minus infinity, all reversed",    "float32-dcba", {0x0000, 0x80FF}, 1,     0, "infinite");
    row("scaled beyond a Single",          "float32-abcd", {0x7F7F, 0xFFFF}, 10,    0, "beyond a single-precision number");
    row("one register of two",             "float32-abcd", {0x4640},         1,     0, "1 registers answered, 2 asked for");
    // clang-format on
  }
  void decodesRegisters() {
    QFETCH(QString, format);
    QFETCH(Registers, registers);
    QFETCH(double, scale);
    QFETCH(float, value);
    QFETCH(QString, refusal);
    const RegisterValue decoded = decodeRegisters(*registerFormatNamed(format), registers, scale);
    QVERIFY2(decoded.refusal.contains(refusal) && decoded.refusal.isEmpty() == refusal.isEmpty(), qPrintable(decoded.refusal));
    QCOMPARE(decoded.value, refusal.isEmpty() ? std::optional<float>(value) : std::nullopt);
  }

  // A reading belongs to its period: late within it, it is still taken; whole periods passed are skipped.
  void readingsKeepToTheClock_data() {
    QTest::addColumn<double>("rate");
    QTest::addColumn<qint64>("last");
    QTest::addColumn<double>("now");  // seconds since the start
    QTest::addColumn<qint64>("next");
    QTest::newRow("first reading") << 1.0 << qint64(-1) << 0.0 << qint64(0);
    QTest::newRow("done within its period") << 10.0 << qint64(4) << 0.45 << qint64(5);
    QTest::newRow("late, within the next period") << 10.0 << qint64(4) << 0.52 << qint64(5);
    QTest::newRow("a slow answer: two periods passed") << 10.0 << qint64(4) << 0.71 << qint64(7);
    QTest::newRow("one every 10 s, early") << 0.1 << qint64(2) << 25.0 << qint64(3);
    QTest::newRow("one every 10 s, 11 s late") << 0.1 << qint64(2) << 41.0 << qint64(4);
    QTest::newRow("a day at ten a second") << 10.0 << qint64(863999) << 86400.0 << qint64(864000);
  }
  void readingsKeepToTheClock() {
    QFETCH(double, rate);
    QFETCH(qint64, last);
    QFETCH(double, now);
    QFETCH(qint64, next);
    const ReadingSchedule::Clock::time_point start{std::chrono::hours(1000)};
    const ReadingSchedule schedule(rate, start);
    const auto at = start + std::chrono::duration_cast<ReadingSchedule::Clock::duration>(std::chrono::duration<double>(now));
    QCOMPARE(schedule.nextPeriod(last, at), next);
    // Each period's beginning worked out from the start: no drift after a day.
    QCOMPARE(std::chrono::duration<double>(schedule.startOf(next) - start).count(), double(next) / rate);
  }

  void reconnectsAfterOneTwoFourUpToThirtySeconds() {
    ReconnectBackoff backoff;
    QList<qint64> waits;
    for (int attempt = 0; attempt < 7; ++attempt) waits.append(backoff.next().count());
    QCOMPARE(waits, QList<qint64>({1, 2, 4, 8, 16, 30, 30}));
    backoff.reset();
    QCOMPARE(backoff.next().count(), 1);
  }

  // Each format against its registers, holding or input ones of a unit; the other kind holds 10.0.
  void rowsAreWhatTheDeviceHeld_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("type");
    QTest::addColumn<Registers>("registers");
    QTest::addColumn<float>("value");
    const int holding = QModbusDataUnit::HoldingRegisters, input = QModbusDataUnit::InputRegisters;
    // clang-format off
    QTest::newRow("float32-abcd, the default")   << QStringList{}                                  << holding << Registers{0x4640, 0xE400} << 12345.0f;
    QTest::newRow("float32-cdab at register 10") << QStringList{"--format", "float32-cdab", "--register", "10"} << holding << Registers{0xE400, 0x4640} << 12345.0f;
    QTest::newRow("float32-badc")                << QStringList{"--format", "float32-badc"}    << holding << Registers{0x4046, 0x00E4} << 12345.0f;
    QTest::newRow("float32-dcba")                << QStringList{"--format", "float32-dcba"}    << holding << Registers{0x00E4, 0x4046} << 12345.0f;
    QTest::newRow("int16 scaled")                << QStringList{"--format", "int16", "--scale", "0.01"} << holding << Registers{quint16(-1234)} << -12.34f;
    QTest::newRow("uint16")                      << QStringList{"--format", "uint16"}          << holding << Registers{40000} << 40000.0f;
    QTest::newRow("int32-abcd")                  << QStringList{"--format", "int32-abcd"}      << holding << Registers{0xFFFF, 0xFFFE} << -2.0f;
    QTest::newRow("int32-cdab")                  << QStringList{"--format", "int32-cdab"}      << holding << Registers{0x0001, 0x0002} << 131073.0f;
    QTest::newRow("input registers, function 4") << QStringList{"--input", "--register", "98"} << input   << Registers{0x3FC0, 0x0000} << 1.5f;
    QTest::newRow("holding registers, function 3") << QStringList{"--register", "98"}          << holding << Registers{0x3FC0, 0x0000} << 1.5f;
    QTest::newRow("unit 7")                      << QStringList{"--unit", "7"}                 << holding << Registers{0x3FC0, 0x0000} << 1.5f;
    QTest::newRow("a device at an IPv6 address") << QStringList{"--unit", "1"}                 << holding << Registers{0x3FC0, 0x0000} << 1.5f;
    // clang-format on
  }
  void rowsAreWhatTheDeviceHeld() {
    QFETCH(QStringList, options);
    QFETCH(int, type);
    QFETCH(Registers, registers);
    QFETCH(float, value);
    if (options.contains("7") || QTest::currentDataTag() == QLatin1String("a device at an IPv6 address")) {
      device_ = std::make_unique<LoopbackDevice>(options.contains("7") ? 7 : 1);
      if (!options.contains("7")) host_ = "[::1]";
      QVERIFY(device_->start(port_, host_));
    }
    const int address = options.contains("10") ? 10 : options.contains("98") ? 98 : 0;
    const auto other = type == QModbusDataUnit::InputRegisters ? QModbusDataUnit::HoldingRegisters : QModbusDataUnit::InputRegisters;
    device_->hold(QModbusDataUnit::RegisterType(type), address, registers);
    device_->hold(other, address, {0x4120, 0x0000});
    db_->withRow(7, 0.5);
    const QDateTime started = QDateTime::currentDateTime().addMSecs(-QTime::currentTime().msec());
    startCollector(options + QStringList{"--rate", "20", "--count", "3"});
    QVERIFY2(finished() && collector_->exitCode() == 0, qPrintable(err_));
    const QList<QVariantList> rows = db_->rows("SELECT Date, Time, number, Data FROM GraphData WHERE number > 7 ORDER BY number");
    QCOMPARE(rows.size(), 3);
    for (int i = 0; i < 3; ++i) {
      QCOMPARE(rows[i][2].toDouble(), 8.0 + i);
      QCOMPARE(rows[i][3].toFloat(), value);
      QVERIFY(momentOf(rows[i]) >= started && momentOf(rows[i]) <= QDateTime::currentDateTime());
    }
    QVERIFY2(out_.contains("done: 3 rows written"), qPrintable(out_ + err_));
  }

  // Requests 3 to 5 fail; every other answer is the request's own number. The rows are those
  // answers in order, with none of the failed ones and nothing in their place.
  void faultsAreGapsNeverWrongRows_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("reason");
    const QList<std::pair<int, QString>> exceptions{{1, "illegal function"}, {2, "illegal data address"}, {3, "illegal data value"},
                                                    {4, "server device failure"}, {6, "busy"}, {10, "gateway path unavailable"},
                                                    {11, "gateway target failed to respond"}};
    for (const auto& [code, name] : exceptions) QTest::newRow(qPrintable("exception: " + name)) << "exception" << code << "exception response: " + name;
    QTest::newRow("NaN held") << "nan" << 0 << "the value is not a number";
    QTest::newRow("infinity held") << "infinity" << 0 << "the value is infinite";
    QTest::newRow("answers slower than the timeout") << "slow" << 0 << "no answer within 0.3 s";
  }
  void faultsAreGapsNeverWrongRows() {
    QFETCH(QString, fault);
    QFETCH(int, code);
    QFETCH(QString, reason);
    device_->beforeAnswer = [&](int request) {
      const bool failing = request >= 3 && request <= 5;
      const float held = !failing || fault == "exception" || fault == "slow" ? float(request) : fault == "nan" ? NAN : INFINITY;
      device_->hold(QModbusDataUnit::HoldingRegisters, 0, float32Abcd(held));
      device_->exception = failing && fault == "exception" ? std::optional(QModbusPdu::ExceptionCode(code)) : std::nullopt;
      device_->delayMs = failing && fault == "slow" ? 500 : 0;
    };
    startCollector({"--rate", "20", "--count", "5", "--timeout", "0.3"});
    QVERIFY2(finished() && collector_->exitCode() == 0, qPrintable(err_));
    const QList<float> values = storedValues();
    QCOMPARE(values.size(), 5);
    // A late answer queues the requests behind it: which of those come in time is the machine's say.
    if (fault != "slow") QCOMPARE(values, QList<float>({1, 2, 6, 7, 8}));
    QVERIFY2(values.mid(0, 2) == QList<float>({1, 2}) && std::is_sorted(values.begin(), values.end()) && values[2] > 5, qPrintable(err_));
    outageToldOnce(reason, "over at");
  }

  // A device that answers no reading: no row at all, one outage, still on when stopped.
  void noReadingAnsweredNoRow_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a register past the device's map") << QStringList{"--register", "99"} << "exception response: illegal data address";
    QTest::newRow("a unit the device is not") << QStringList{"--unit", "9"} << "no answer within 0.3 s";
    QTest::newRow("no device listening") << QStringList{"no device"} << "Connection refused";
  }
  void noReadingAnsweredNoRow() {
    QFETCH(QStringList, options);
    QFETCH(QString, reason);
    if (options.removeAll("no device")) device_.reset();
    startCollector(options + QStringList{"--rate", "20", "--timeout", "0.3"});
    QVERIFY(errorSays(reason));
    signalCollector(SIGTERM);
    QVERIFY(finished() && collector_->exitCode() == 0);
    QCOMPARE(storedValues(), QList<float>());
    QVERIFY2(out_.contains("stopped: 0 rows written"), qPrintable(out_));
    outageToldOnce(reason, "still on at the end");
  }

  // A stretch of readings without a row is one outage, told as it starts and once the readings keep
  // to the clock again; rows again after it, none of them a late answer taken for a later reading.
  void oneOutagePerStretch_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("reason");  // as it starts
    QTest::addColumn<QString>("laterReason");  // as it ends
    QTest::newRow("the device stopped for 5 s and started again") << "stopped" << "connection lost" << "Connection refused";
    QTest::newRow("the device silent for 2 s, its connection kept") << "silent" << "no answer within 0.3 s" << "no answer to 3 readings in a row: connecting again";
    QTest::newRow("the device answering in 150 ms, ten readings a second") << "slow" << "readings skipped" << "readings skipped";
  }
  void oneOutagePerStretch() {
    QFETCH(QString, fault);
    QFETCH(QString, reason);
    QFETCH(QString, laterReason);
    numberEachAnswer();
    startCollector({"--rate", "10", "--timeout", "0.3"});
    QTRY_VERIFY_WITH_TIMEOUT(storedValues().size() >= 3, 10000);
    const QDateTime from = QDateTime::currentDateTime();
    if (fault == "stopped") device_->disconnectDevice(), QTest::qWait(5000);
    QVERIFY(device_->state() == QModbusDevice::ConnectedState || device_->start(port_));
    // The device answers on this thread: asleep, it keeps its connections and answers nothing.
    if (fault == "silent") QThread::sleep(2);
    if (fault == "slow") device_->delayMs = 150, QTest::qWait(2000), device_->delayMs = 0;
    const QDateTime to = QDateTime::currentDateTime();
    const qsizetype before = storedValues().size();
    // Tries at 1, 3 and 7 s after a stop: the last one holds.
    QTRY_VERIFY_WITH_TIMEOUT(storedValues().size() >= before + 5 && (readOutput(), err_.contains("over at")), 15000);
    signalCollector(SIGTERM);
    QVERIFY(finished() && collector_->exitCode() == 0);
    const QList<float> values = storedValues();
    for (qsizetype i = 1; i < values.size(); ++i) QVERIFY2(values[i] > values[i - 1], qPrintable(QString::number(i)));
    QVERIFY(values.last() <= float(device_->requests));
    for (const QVariantList& row : db_->rows("SELECT Date, Time FROM GraphData"))
      QVERIFY2(fault == "slow" || momentOf(row) <= from || momentOf(row) >= to.addSecs(-1), qPrintable(momentOf(row).toString()));
    outageToldOnce(reason, "over at");
    // The attempts refused, each reading skipped, belong to the outage: told as it ends, not each on its own.
    QVERIFY2(errorLines("", laterReason) == 1 + (reason == laterReason) && errorLines("over at", laterReason) == 1, qPrintable(err_));
  }

  // Readings go on while the database waits, and every one answered becomes a row once it takes
  // them again; a stop leaves it 5 s for those still waiting; a database gone ends the run with its exit code.
  void databaseThatWaitsOrGoes_data() {
    addEngineColumn();
    QTest::addColumn<QString>("event");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    newEngineRow(EngineKind::Sqlite, "a stop while another writer holds the file, let go 1 s later") << "lock, stop, let go" << 0 << "database outage over at";
    newEngineRow(EngineKind::Sqlite, "a stop while another writer holds the file on") << "lock, stop" << 6 << "not written: the database did not take them within 5 s of the stop";
    newEngineRow(EngineKind::Postgres, "the server restarts, down 2 s") << "restart" << 0 << "Connection refused";
    newEngineRow(EngineKind::Sqlite, "file deleted") << "delete file" << 4 << "no such file";
    newEngineRow(EngineKind::Sqlite, "table dropped") << "drop table" << 5 << "has no table GraphData";
  }
  void databaseThatWaitsOrGoes() {
    QFETCH(EngineKind, engine);
    QFETCH(QString, event);
    QFETCH(int, code);
    QFETCH(QString, message);
    MeasurementDatabases databases;
    if (engine == EngineKind::Postgres) {
      QVERIFY2(databases.start(), qPrintable(databases.errorText()));
      (db_ = databases.make(engine, folder_->path()))->withGraphData();
    }
    numberEachAnswer();
    startCollector({"--rate", "10"});
    QTRY_VERIFY_WITH_TIMEOUT(storedValues().size() >= 3, 10000);
    const int before = device_->requests;
    const bool waits = event.startsWith("lock") || event == "restart";
    if (event.startsWith("lock")) db_->holdWriteLock();
    if (event == "restart") databases.server().stop();
    if (event == "drop table") db_->run("DROP TABLE GraphData");
    if (event == "delete file") QVERIFY(QFile::remove(db_->dataSource()));
    if (waits) QTest::qWait(2000);
    const int readWhileWaiting = device_->requests - before;
    if (event == "restart") QVERIFY(databases.server().start());
    QElapsedTimer stopping;
    stopping.start();
    if (event.contains("stop")) signalCollector(SIGTERM);
    if (event == "lock, stop, let go") QTest::qWait(1000);
    if (event == "lock, stop, let go") db_->releaseWriteLock();
    if (event == "restart") {
      const int answered = device_->requests;
      QTRY_VERIFY_WITH_TIMEOUT(storedValues().size() >= answered, 10000);
      signalCollector(SIGTERM);
    }
    QVERIFY(finished() && collector_->exitCode() == code);
    // Ended after the row in progress, not after a lock wait for each row read meanwhile (minutes).
    QVERIFY2(!event.contains("stop") || stopping.elapsed() < 15000, qPrintable(QString::number(stopping.elapsed())));
    if (event == "lock, stop") db_->releaseWriteLock();
    QVERIFY2(err_.contains(message), qPrintable(err_));
    if (!waits) return;
    // About 20 at ten a second: the readings did not wait for the rows.
    QVERIFY2(readWhileWaiting >= 15, qPrintable(QString::number(readWhileWaiting)));
    // The rows are the readings, in order; those given up at the stop are the last ones, counted.
    const QList<float> values = storedValues();
    for (int i = 0; i < values.size(); ++i) QCOMPARE(values[i], float(i + 1));
    const int unwritten = device_->requests - int(values.size());
    QCOMPARE(unwritten > 0, code != 0);
    if (unwritten > 0)
      QVERIFY2(err_.contains(QString("kelvane-db: %1 rows read from").arg(unwritten)) &&
               out_.contains(QString("%1 of them read but not written").arg(unwritten)), qPrintable(out_ + err_));
  }

  // Ctrl+C or SIGTERM: the row of a reading under way is written, none begins after it, exit code 0.
  void stopsAfterTheRowInProgress_data() {
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("duringReading");
    QTest::newRow("Ctrl+C between readings") << int(SIGINT) << false;
    QTest::newRow("SIGTERM between readings") << int(SIGTERM) << false;
    QTest::newRow("Ctrl+C during a reading") << int(SIGINT) << true;
    QTest::newRow("SIGTERM during a reading") << int(SIGTERM) << true;
  }
  void stopsAfterTheRowInProgress() {
    QFETCH(int, signal);
    QFETCH(bool, duringReading);
    int signalled = 0;
    device_->beforeAnswer = [&](int request) {
      device_->hold(QModbusDataUnit::HoldingRegisters, 0, float32Abcd(float(request)));
      if (!duringReading || request != 3) return;
      signalCollector(signal);
      signalled = request;
      device_->delayMs = 300;
    };
    startCollector({"--rate", "4", "--timeout", "2"});
    if (!duringReading) {
      QTRY_VERIFY_WITH_TIMEOUT(storedValues().size() >= 2, 10000);
      signalled = device_->requests;
      signalCollector(signal);
    }
    QVERIFY(finished() && collector_->exitCode() == 0);
    const QList<float> values = storedValues();
    QVERIFY2(device_->requests <= signalled + (duringReading ? 0 : 1), qPrintable(QString::number(device_->requests)));
    QCOMPARE(int(values.size()), device_->requests);
    for (int i = 0; i < values.size(); ++i) QCOMPARE(values[i], float(i + 1));
    QVERIFY2(out_.contains(QString("stopped: %1 rows written").arg(values.size())), qPrintable(out_));
  }
};

QTEST_GUILESS_MAIN(ModbusCollectorTest)
#include "tst_modbuscollector.moc"
