// The Modbus collector on the loopback: one reading turned into a stored row, beside the bare
// floor of the same work in the same run (a request and its answer on a plain socket, and a
// numbered row committed straight through SQLite); then kelvane-db itself at ten readings a
// second for a minute, its requests timed by the device.
#include "BenchDatabase.h"
#include "BenchSupport.h"
#include "ModbusReader.h"
#include "QueuedRows.h"
#include "Target.h"
#include "database/GraphDataTable.h"
#include "state/RegionalForms.h"

#include <QCoreApplication>
#include <QModbusTcpServer>
#include <QMutex>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sqlite3.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace kelvane;
using SteadyClock = std::chrono::steady_clock;

namespace {

constexpr quint16 kHeldValue[] = {0x4640, 0xE400};  // 12345.0 as float32-abcd
constexpr double kRate = 10;
constexpr int kSeconds = 60;

// A device answering on a thread of its own, as a device answers beside the collector; it notes
// when each request came.
class Device : public QModbusTcpServer {
 public:
  Device() {
    QModbusDataUnitMap map;
    map.insert(QModbusDataUnit::HoldingRegisters, {QModbusDataUnit::HoldingRegisters, 0, 10});
    setMap(map);
    setData(QModbusDataUnit(QModbusDataUnit::HoldingRegisters, 0, {kHeldValue[0], kHeldValue[1]}));
    setServerAddress(1);
  }
  std::vector<SteadyClock::time_point> requestTimes() {
    QMutexLocker lock(&mutex_);
    return requests_;
  }

 protected:
  QModbusResponse processRequest(const QModbusPdu& request) override {
    {
      QMutexLocker lock(&mutex_);
      requests_.push_back(SteadyClock::now());
    }
    return QModbusTcpServer::processRequest(request);
  }

 private:
  QMutex mutex_;
  std::vector<SteadyClock::time_point> requests_;
};

class DeviceThread {
 public:
  DeviceThread() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost)) qFatal("no free port");
    port = probe.serverPort();
    probe.close();
    device_.setConnectionParameter(QModbusDevice::NetworkAddressParameter, QStringLiteral("127.0.0.1"));
    device_.setConnectionParameter(QModbusDevice::NetworkPortParameter, port);
    device_.moveToThread(&thread_);
    thread_.start();
    bool listening = false;
    QMetaObject::invokeMethod(&device_, [&] { listening = device_.connectDevice(); }, Qt::BlockingQueuedConnection);
    if (!listening) qFatal("the device does not listen");
  }
  ~DeviceThread() {
    QMetaObject::invokeMethod(&device_, [&] { device_.disconnectDevice(); device_.moveToThread(qApp->thread()); }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
  }
  Device& device() { return device_; }
  quint16 port;

 private:
  Device device_;
  QThread thread_;
};

// Read Holding Registers 0 and 1 of unit 1 on a socket held open, and its answer read whole.
class BareRequest {
 public:
  explicit BareRequest(quint16 port) : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const int on = 1;
    ::setsockopt(socket_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    if (::connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) qFatal("bare connect");
  }
  ~BareRequest() { ::close(socket_); }
  float run() {
    ++transaction_;
    const unsigned char request[] = {quint8(transaction_ >> 8), quint8(transaction_), 0, 0, 0, 6, 1, 3, 0, 0, 0, 2};
    if (::send(socket_, request, sizeof request, 0) != sizeof request) qFatal("bare send");
    unsigned char answer[13];
    for (size_t got = 0; got < sizeof answer;) {
      const ssize_t part = ::recv(socket_, answer + got, sizeof answer - got, 0);
      if (part <= 0) qFatal("bare receive");
      got += size_t(part);
    }
    const quint32 bits = quint32(answer[9]) << 24 | quint32(answer[10]) << 16 | quint32(answer[11]) << 8 | answer[12];
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

 private:
  int socket_;
  quint16 transaction_ = 0;
};

// The numbered row committed on a handle held open, as durable as the collector's.
class BareRow {
 public:
  explicit BareRow(const QString& path) {
    if (sqlite3_open_v2(path.toUtf8().constData(), &database_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) qFatal("bare open");
    sqlite3_busy_timeout(database_, 5000);
    sqlite3_prepare_v2(database_,
                       "INSERT INTO GraphData (Date, Time, number, Data) "
                       "SELECT '07/12/2026', '08:00:00', COALESCE(MAX(number), 0) + 1, ? FROM GraphData",
                       -1, &insert_, nullptr);
  }
  ~BareRow() {
    sqlite3_finalize(insert_);
    sqlite3_close(database_);
  }
  void store(float value) {
    sqlite3_exec(database_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    sqlite3_bind_double(insert_, 1, value);
    if (sqlite3_step(insert_) != SQLITE_DONE) qFatal("bare insert: %s", sqlite3_errmsg(database_));
    sqlite3_reset(insert_);
    if (sqlite3_exec(database_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) qFatal("bare commit");
  }

 private:
  sqlite3* database_ = nullptr;
  sqlite3_stmt* insert_ = nullptr;
};

void reportReadingToRow(const QString& path, quint16 port) {
  db::ModbusSource source;
  source.host = QStringLiteral("127.0.0.1");
  source.port = port;
  db::ModbusReader reader(source);
  if (reader.connect()) qFatal("the collector does not connect");
  const db::Target target(path);
  db::QueuedRows rows(target);
  BareRequest bareRequest(port);
  BareRow bareRow(path);
  const auto readingToRow = [&] {
    const QDateTime moment = QDateTime::currentDateTime();
    const db::ModbusReader::Answer answer = reader.read();
    const db::RegisterValue value = db::decodeRegisters(source.format, answer.registers, source.scale);
    if (!value.value || *value.value != 12345) qFatal("no value: %s", qPrintable(answer.fault));
    rows.store(moment, *value.value);
    rows.drain();  // the row committed
  };
  for (int warm = 0; warm < 20; ++warm) readingToRow(), bareRow.store(bareRequest.run());
  // Each row through a connection opened for it, as collect wrote its rows before.
  const auto rowOfItsOwn = [&] {
    const QDateTime moment = QDateTime::currentDateTime();
    const db::RegisterValue value = db::decodeRegisters(source.format, reader.read().registers, source.scale);
    const RegionalForms regional;
    appendMeasurement(path, {regional.dateText(moment.date()), regional.timeText(moment.time()), *value.value});
  };
  // Taken in turns, so that all see the same load of a shared machine.
  bench::Timings collector, bare, bareRequests, ownConnection, clientReadings;
  QElapsedTimer timer;
  for (int run = 0; run < 500; ++run) {
    timer.start();
    readingToRow();
    collector.add(timer.nsecsElapsed() / 1e6);
    timer.start();
    const float value = bareRequest.run();
    bareRequests.add(timer.nsecsElapsed() / 1e6);
    bareRow.store(value);
    bare.add(timer.nsecsElapsed() / 1e6);
    timer.start();
    if (reader.read().registers.size() != 2) qFatal("no reading");
    clientReadings.add(timer.nsecsElapsed() / 1e6);
    if (run % 5 != 0) continue;
    timer.start();
    rowOfItsOwn();
    ownConnection.add(timer.nsecsElapsed() / 1e6);
  }
  bench::report(QStringLiteral("a reading turned into a stored row, median"), collector.median(), 5);
  bench::report(QStringLiteral("a reading turned into a stored row, p99"), collector.p99());
  bench::report(QStringLiteral("bare request on a socket and row through SQLite, median"), bare.median());
  bench::report(QStringLiteral("of which the bare request and its answer, median"), bareRequests.median());
  bench::report(QStringLiteral("a reading alone through Qt's Modbus client, median"), clientReadings.median());
  bench::report(QStringLiteral("reading to row as a multiple of the bare floor"), collector.median() / bare.median(), 0,
                QStringLiteral("times"));
  bench::report(QStringLiteral("the same with a connection for each row, as before, median"), ownConnection.median());
}

// kelvane-db as a station runs it; the device times its requests against the clock it keeps.
void reportMinuteAtTenASecond(const QString& path, DeviceThread& device) {
  const std::size_t before = device.device().requestTimes().size();
  const int readings = int(kRate) * kSeconds;
  QProcess collector;
  collector.start(QStringLiteral(KELVANE_DB),
                  {QStringLiteral("collect"), path, QStringLiteral("--modbus"), QStringLiteral("127.0.0.1:%1").arg(device.port),
                   QStringLiteral("--rate"), QString::number(kRate), QStringLiteral("--count"), QString::number(readings)});
  if (!collector.waitForFinished((kSeconds + 30) * 1000) || collector.exitCode() != 0)
    qFatal("kelvane-db failed: %s", collector.readAllStandardError().constData());
  const QString out = QString::fromUtf8(collector.readAllStandardOutput());
  const QString err = QString::fromUtf8(collector.readAllStandardError());
  if (!out.contains(QStringLiteral("done: %1 rows written").arg(readings))) qFatal("%s", qPrintable(out + err));
  const std::vector<SteadyClock::time_point> all = device.device().requestTimes();
  const std::vector<SteadyClock::time_point> requests(all.begin() + qsizetype(before), all.end());
  // Missed: periods of the minute without a request, however the output tells it.
  const double span = std::chrono::duration<double>(requests.back() - requests.front()).count();
  const int missed = int(std::lround(span * kRate)) + 1 - int(requests.size());
  // Each request against the clock the collector keeps: its offset from k periods, less the
  // smallest offset (the clock's start, which the device cannot see).
  std::vector<double> offsets;
  for (std::size_t k = 0; k < requests.size(); ++k)
    offsets.push_back(std::chrono::duration<double, std::milli>(requests[k] - requests.front()).count() - double(k) * 1000 / kRate);
  const double earliest = *std::min_element(offsets.begin(), offsets.end());
  bench::Timings lateness;
  for (double offset : offsets) lateness.add(offset - earliest);
  QTextStream(stdout) << QStringLiteral("%1: %2 readings  (target 0: %3)\n")
                             .arg(QStringLiteral("periods missed in %1 s at %2 readings a second").arg(kSeconds).arg(kRate), -60)
                             .arg(missed, 9)
                             .arg(missed == 0 && err.isEmpty() ? QStringLiteral("met") : QStringLiteral("MISSED"));
  if (!err.isEmpty()) QTextStream(stdout) << err;
  bench::report(QStringLiteral("request after its moment on the clock, median"), lateness.median());
  bench::report(QStringLiteral("request after its moment on the clock, p99"), lateness.p99());
  bench::report(QStringLiteral("request after its moment on the clock, last of the minute"), offsets.back() - earliest);
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("station.db"));
  bench::createGraphData(path, 100000);
  DeviceThread device;
  reportReadingToRow(path, device.port);
  reportMinuteAtTenASecond(path, device);
  return 0;
}
