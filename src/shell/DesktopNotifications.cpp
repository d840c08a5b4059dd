#include "DesktopNotifications.h"

#include "state/Services.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace kelvane {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
constexpr uchar kCritical = 2;

}  // namespace

DesktopNotifications::DesktopNotifications(std::function<QDBusConnection()> bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)) {}

void DesktopNotifications::notify(const QString& summary, const QString& body) {
  const QDBusConnection bus = bus_();
  if (!bus.isConnected()) return;
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
  const QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(kCritical)},
                          {QStringLiteral("desktop-entry"), QStringLiteral("kelvane")}};
  // Critical notifications do not expire; 0 asks for none the same.
  call << applicationTitle() << shown_.value(shown_.size() - 1) << QStringLiteral("kelvane") << summary << body
       << QStringList() << hints << 0;
  auto* answer = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
  connect(answer, &QDBusPendingCallWatcher::finished, this, [this, withdrawals = withdrawals_](QDBusPendingCallWatcher* call) {
    call->deleteLater();
    const QDBusPendingReply<uint> id = *call;
    if (!id.isValid()) return;
    if (withdrawals != withdrawals_)
      close(id.value());
    else if (!shown_.contains(id.value()))
      shown_.append(id.value());
  });
}

void DesktopNotifications::withdraw() {
  ++withdrawals_;
  for (uint id : std::as_const(shown_)) close(id);
  shown_.clear();
}

void DesktopNotifications::close(uint id) {
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("CloseNotification"));
  call << id;
  bus_().asyncCall(call);
}

}  // namespace kelvane
