#pragma once

#include "state/AlarmOutputs.h"

#include <QDBusConnection>
#include <QObject>

#include <functional>

namespace kelvane {

// Notifications through the desktop's notification service, org.freedesktop.Notifications on the
// session bus. The calls do not wait for an answer: a service that is slow or missing never holds
// the window, and where none runs nothing is shown.
class DesktopNotifications : public QObject, public DesktopNotifier {
  Q_OBJECT
 public:
  // The bus is looked up at the first notification: the session bus unless another is given.
  explicit DesktopNotifications(std::function<QDBusConnection()> bus = [] { return QDBusConnection::sessionBus(); },
                                QObject* parent = nullptr);

  // Urgency critical, with the program's icon; the last notification shown is replaced.
  void notify(const QString& summary, const QString& body) override;
  // Every notification given, also one whose id the service has not told yet.
  void withdraw() override;

 private:
  void close(uint id);

  std::function<QDBusConnection()> bus_;
  QList<uint> shown_;    // the service's ids of the notifications shown, the last one last
  int withdrawals_ = 0;  // a notification given before the last withdrawal is taken back as its id comes
};

}  // namespace kelvane
