#include "ModbusReader.h"

#include "Stop.h"

#include <QAbstractSocket>
#include <QDataStream>
#include <QEventLoop>
#include <QModbusReply>
#include <QTimer>

#include <cmath>
#include <memory>

namespace kelvane::db {

namespace {

// How soon a stop asked for by a signal is seen.
constexpr std::chrono::milliseconds kStopCheck{20};

QString secondsText(double seconds) { return QString::number(seconds, 'g', 6) + QStringLiteral(" s"); }

// An exception's code read from the answer's bytes: Qt keeps the exception's function code in an
// enumeration without such a value, which its inline accessors then read (undefined behaviour).
std::optional<int> exceptionCodeOf(const QModbusResponse& answer) {
  QByteArray bytes;
  QDataStream stream(&bytes, QIODevice::WriteOnly);
  stream << answer;
  if (bytes.size() != 2 || !(quint8(bytes[0]) & QModbusPdu::ExceptionByte)) return std::nullopt;
  return quint8(bytes[1]);
}

}  // namespace

QString exceptionName(int code) {
  switch (code) {
    case QModbusPdu::IllegalFunction: return QStringLiteral("illegal function");
    case QModbusPdu::IllegalDataAddress: return QStringLiteral("illegal data address");
    case QModbusPdu::IllegalDataValue: return QStringLiteral("illegal data value");
    case QModbusPdu::ServerDeviceFailure: return QStringLiteral("server device failure");
    case QModbusPdu::ServerDeviceBusy: return QStringLiteral("busy");
    case QModbusPdu::GatewayPathUnavailable: return QStringLiteral("gateway path unavailable");
    case QModbusPdu::GatewayTargetDeviceFailedToRespond: return QStringLiteral("gateway target failed to respond");
    default: return QStringLiteral("exception code %1").arg(code);
  }
}

ModbusReader::ModbusReader(const ModbusSource& source) : source_(source) {
  // The client reads HOST:PORT as a URL's, where an IPv6 address stands in brackets.
  const bool ipv6 = source.host.contains(QLatin1Char(':'));
  client_.setConnectionParameter(QModbusDevice::NetworkAddressParameter,
                                 ipv6 ? QLatin1Char('[') + source.host + QLatin1Char(']') : source.host);
  client_.setConnectionParameter(QModbusDevice::NetworkPortParameter, source.port);
  client_.setTimeout(int(timeout().count()));
  // A request sent again would answer a reading late: an unanswered one is a gap instead.
  client_.setNumberOfRetries(0);
  // The socket tells why before the client tells that the connection went.
  QObject::connect(&client_, &QModbusDevice::errorOccurred, [this](QModbusDevice::Error error) {
    if (error == QModbusDevice::ConnectionError) lastSocketError_ = socketError();
  });
}

QString ModbusReader::lostReason() const {
  return lastSocketError_.isEmpty() ? QStringLiteral("connection lost") : QStringLiteral("connection lost: ") + lastSocketError_;
}

std::chrono::milliseconds ModbusReader::timeout() const {
  return std::chrono::milliseconds(qint64(std::llround(source_.timeout * 1000)));
}

QString ModbusReader::socketError() const {
  const auto* socket = qobject_cast<const QAbstractSocket*>(client_.device());
  return socket ? socket->errorString() : client_.errorString();
}

void ModbusReader::runUntil(const std::function<bool()>& done, Moment deadline, bool stopEnds, QModbusReply* reply) {
  using namespace std::chrono;
  const auto over = [&] { return done() || steady_clock::now() >= deadline || (stopEnds && stopRequested()); };
  QEventLoop loop;
  QTimer tick;
  tick.setTimerType(Qt::PreciseTimer);
  tick.setSingleShot(true);
  const auto check = [&] {
    if (over()) loop.quit();
  };
  // The tick ends each turn, so that the next one sets it again.
  QObject::connect(&tick, &QTimer::timeout, &loop, &QEventLoop::quit);
  QObject::connect(&client_, &QModbusDevice::stateChanged, &loop, check);
  if (reply) QObject::connect(reply, &QModbusReply::finished, &loop, check);
  while (!over()) {
    tick.start(std::min(kStopCheck, ceil<milliseconds>(deadline - steady_clock::now())));
    loop.exec();
  }
}

std::optional<QString> ModbusReader::connect() {
  lastSocketError_.clear();
  if (!client_.connectDevice()) return QStringLiteral("cannot connect to %1: %2").arg(source_.address(), client_.errorString());
  runUntil([this] { return client_.state() != QModbusDevice::ConnectingState; }, std::chrono::steady_clock::now() + timeout(), true);
  if (connected()) return std::nullopt;
  const bool pending = client_.state() != QModbusDevice::UnconnectedState;
  QString reason = pending ? QStringLiteral("no connection within ") + secondsText(source_.timeout) : socketError();
  if (reason.isEmpty()) reason = QStringLiteral("the device did not take the connection");
  client_.disconnectDevice();
  return QStringLiteral("cannot connect to %1: %2").arg(source_.address(), reason);
}

ModbusReader::Answer ModbusReader::read() {
  const QModbusDataUnit asked(source_.inputRegisters ? QModbusDataUnit::InputRegisters : QModbusDataUnit::HoldingRegisters,
                              source_.firstRegister, quint16(registerCount(source_.format)));
  // Deleting a reply unanswered drops its transaction: a late answer is then ignored, never
  // taken for a later reading's.
  const std::unique_ptr<QModbusReply> reply(client_.sendReadRequest(asked, source_.unit));
  if (!reply) return {{}, QStringLiteral("the request could not be sent: ") + client_.errorString(), Answer::Failed};
  runUntil([&] { return reply->isFinished(); }, std::chrono::steady_clock::now() + timeout(), false, reply.get());
  const Answer unanswered{{}, QStringLiteral("no answer within ") + secondsText(source_.timeout), Answer::Unanswered};
  if (!reply->isFinished()) return unanswered;
  switch (reply->error()) {
    case QModbusDevice::NoError: return {reply->result().values(), {}};
    case QModbusDevice::ProtocolError:
      if (const auto code = exceptionCodeOf(reply->rawResult())) return {{}, QStringLiteral("exception response: ") + exceptionName(*code)};
      return {{}, reply->errorString()};
    case QModbusDevice::TimeoutError: return unanswered;
    case QModbusDevice::ReplyAbortedError: return {{}, lostReason(), Answer::Failed};
    default: return {{}, reply->errorString(), Answer::Failed};
  }
}

void ModbusReader::idleUntil(Moment moment) {
  runUntil([] { return false; }, moment, true);
}

}  // namespace kelvane::db
