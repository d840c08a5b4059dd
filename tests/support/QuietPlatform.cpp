// The offscreen platform warns about every fixed-size window; the warning says nothing about the
// program, so the tests' output leaves it out.
#include <QtGlobal>
#include <QString>

namespace {

QtMessageHandler previousHandler = nullptr;

void dropPlatformNoise(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains(QLatin1String("does not support propagateSizeHints"))) return;
  previousHandler(type, context, message);
}

void installQuietHandler() { previousHandler = qInstallMessageHandler(dropPlatformNoise); }

}  // namespace

Q_CONSTRUCTOR_FUNCTION(installQuietHandler)
