#include "RowsProgress.h"

#include "Keyboard.h"
#include "state/TextResources.h"
#include "state/Services.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <thread>

namespace kelvane {

namespace {

constexpr int kShowAfterMs = 500;
constexpr int kCountEveryMs = 200;

}  // namespace

void waitWithProgress(RowReading& reading, QWidget* window) {
  QProgressDialog dialog(window);
  dialog.setObjectName(QStringLiteral("dlgProgress"));
  dialog.setWindowTitle(applicationTitle());
  dialog.setAccessibleName(applicationTitle());
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setCancelButtonText(withAccessKey(LoadResString(TextId::CancelReadingButton), u'C'));
  dialog.setRange(0, 0);  // how many rows will come is not known
  dialog.setMinimumDuration(kShowAfterMs);
  dialog.setAutoReset(false);
  dialog.setAutoClose(false);
  const auto showCount = [&] { dialog.setLabelText(LoadResString(TextId::ReadingRows).arg(reading.rowsRead())); };
  showCount();
  // Cancel, the window's close button and Escape all end the read.
  QObject::connect(&dialog, &QProgressDialog::canceled, [&reading] { reading.cancel(); });
  QObject::connect(&dialog, &QDialog::finished, [&reading] { reading.cancel(); });
  QTimer counting;
  QObject::connect(&counting, &QTimer::timeout, showCount);
  counting.start(kCountEveryMs);

  QEventLoop loop;
  std::atomic<bool> finished{false};
  std::thread worker([&] {
    reading.run();
    finished = true;
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  // Input waits meanwhile, so that no other handler starts; once the modal dialog shows, the
  // windows behind it take none.
  QTimer::singleShot(kShowAfterMs, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  if (!finished) {
    dialog.show();
    loop.exec();
  }
  worker.join();
}

}  // namespace kelvane
