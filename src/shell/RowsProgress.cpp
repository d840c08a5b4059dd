#include "RowsProgress.h"

#include "state/Background.h"
#include "state/Services.h"
#include "state/TextResources.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <memory>

namespace kelvane {

namespace {

constexpr std::chrono::milliseconds kShowAfter{500};
constexpr std::chrono::milliseconds kStopWait{1000};
constexpr int kCountEveryMs = 200;

}  // namespace

void waitWithProgress(JobControl& job, QWidget* window) {
  // One callback serves both waits: made before the loop it is given to, the dialog outlives it,
  // and the callback goes with the loop.
  std::unique_ptr<QProgressDialog> dialog;
  QEventLoop briefly;
  job.whenFinished(&briefly, [&briefly, &dialog] {
    briefly.quit();
    if (dialog) dialog->done(QDialog::Accepted);
  });
  // Most reads end before a dialog could show without flashing. Until then the clock and
  // painting go on, but no input reaches any window, so that no other handler starts.
  QTimer::singleShot(kShowAfter, &briefly, &QEventLoop::quit);
  if (!job.finished()) briefly.exec(QEventLoop::ExcludeUserInputEvents);
  if (job.finished()) return;
  dialog = std::make_unique<QProgressDialog>(window);
  dialog->setObjectName(QStringLiteral("dlgProgress"));
  dialog->setWindowTitle(applicationTitle());
  dialog->setAccessibleName(applicationTitle());
  dialog->setWindowModality(Qt::ApplicationModal);
  dialog->setCancelButtonText(LoadCaption(TextId::CancelReadingButton));
  dialog->setRange(0, 0);  // how many rows will come is not known
  dialog->setAutoReset(false);
  dialog->setAutoClose(false);
  const auto showCount = [&] { dialog->setLabelText(LoadResString(TextId::ReadingRows).arg(job.progress())); };
  showCount();
  QTimer counting;
  QObject::connect(&counting, &QTimer::timeout, showCount);
  counting.start(kCountEveryMs);
  // Cancel, the window's close button and Escape all end the dialog.
  if (!job.finished()) dialog->exec();
  if (job.finished()) return;
  job.requestStop();
  job.waitFor(kStopWait);
}

}  // namespace kelvane
