#include "RowsProgress.h"

#include "Keyboard.h"
#include "state/Background.h"
#include "state/Services.h"
#include "state/TextResources.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

namespace kelvane {

namespace {

constexpr std::chrono::milliseconds kShowAfter{500};
constexpr std::chrono::milliseconds kStopWait{1000};
constexpr int kCountEveryMs = 200;

}  // namespace

void waitWithProgress(JobControl& job, QWidget* window) {
  {
    // Most reads end before a dialog could show without flashing. Until then the clock and
    // painting go on, but no input reaches any window, so that no other handler starts.
    QEventLoop briefly;
    QTimer::singleShot(kShowAfter, &briefly, &QEventLoop::quit);
    job.whenFinished(&briefly, [&briefly] { briefly.quit(); });
    if (!job.finished()) briefly.exec(QEventLoop::ExcludeUserInputEvents);
  }
  if (job.finished()) return;
  QProgressDialog dialog(window);
  dialog.setObjectName(QStringLiteral("dlgProgress"));
  dialog.setWindowTitle(applicationTitle());
  dialog.setAccessibleName(applicationTitle());
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setCancelButtonText(withAccessKey(LoadResString(TextId::CancelReadingButton), u'C', u'A'));
  dialog.setRange(0, 0);  // how many rows will come is not known
  dialog.setAutoReset(false);
  dialog.setAutoClose(false);
  const auto showCount = [&] { dialog.setLabelText(LoadResString(TextId::ReadingRows).arg(job.progress())); };
  showCount();
  QTimer counting;
  QObject::connect(&counting, &QTimer::timeout, showCount);
  counting.start(kCountEveryMs);
  job.whenFinished(&dialog, [&dialog] { dialog.done(QDialog::Accepted); });
  // Cancel, the window's close button and Escape all end the dialog.
  if (!job.finished()) dialog.exec();
  if (job.finished()) return;
  job.requestStop();
  job.waitFor(kStopWait);
}

}  // namespace kelvane
