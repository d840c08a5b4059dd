// kelvane-screenshots [--german] FOLDER: saves pictures of the windows, as the documentation shows
// them, into FOLDER; with --german, of the program in German under German regional settings, for
// the German help (docs/de). Run it on the offscreen platform (QT_QPA_PLATFORM=offscreen). It runs
// itself once more with --at-200-percent for the main window on a screen scaled to 200%.
#include "Commands.h"
#include "chart/ChartFonts.h"
#include "chart/ChartFiles.h"
#include "chart/Scaling.h"
#include "handlers/ExportAndPrint.h"
#include "shell/PictureBox.h"
#include "shell/frmChart.h"

#include <QApplication>
#include <QAction>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QPlainTextEdit>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>

namespace {

using namespace kelvane;

// Records messages instead of showing them: nothing waits for an operator here.
class SilentMessages : public MessageSink {
 public:
  void show(const QString&, MessageIcon, const QString&) override {}
};

// Tells on standard output whether the picture was saved.
bool told(bool saved, const QString& path) {
  QTextStream(stdout) << (saved ? "saved " : "could not save ") << path << '\n';
  return saved;
}

bool savePicture(const QPixmap& picture, const QDir& folder, const QString& name) {
  const QString path = folder.filePath(name + QStringLiteral(".png"));
  return told(picture.save(path), path);
}

bool save(QWidget& window, const QDir& folder, const QString& name) {
  QApplication::processEvents();  // pending layout, such as the menu bar's after its captions
  return savePicture(window.grab(), folder, name);
}

// Types the values one by one into the entry box, as the regional settings write them, and presses
// Input, a few seconds apart.
void enterValues(frmChart& window, SetClock& clock, const RegionalForms& regional, const QList<double>& values) {
  auto* entry = window.findChild<QLineEdit*>(QStringLiteral("Text6"));
  auto* input = window.findChild<QPushButton*>(QStringLiteral("btnCalculation"));
  for (double value : values) {
    clock.set(clock.now().addSecs(3));
    entry->setText(regional.doubleText(value));
    input->click();
  }
}

// A signal as the leak detection reports it: a slow rise with small jitter.
QList<double> measuredValues(int count) {
  QList<double> values;
  for (int i = 0; i < count; ++i) values.append(2 + i * 0.35 + ((i * 7) % 5 - 2) * 0.4);
  return values;
}

QWidget* topLevel(const QString& name) {
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->objectName() == name && window->isVisible()) return window;
  return nullptr;
}

// A database of collector rows numbered 1 up, the first a step after the start and each a step
// after the one before, with the value the signal gives for the row's number; one transaction. Its
// dates and times are in the regional forms, as the collector writes them. Rows that written says
// not to write leave their moments out, as a collector that stopped does.
void createDatabase(const QString& path, const QDateTime& start, int stepSeconds, int rows,
                    const std::function<double(int)>& signal, const RegionalForms& regional,
                    const std::function<bool(int)>& written = {}) {
  kelvane::db::createMeasurementDatabase(kelvane::db::Target(path));
  {
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("sample"));
    database.setDatabaseName(path);
    database.open();
    QSqlQuery query(database);
    query.exec(QStringLiteral("BEGIN"));
    query.prepare(QStringLiteral("INSERT INTO GraphData VALUES (?, ?, ?, ?)"));
    for (int n = 1; n <= rows; ++n) {
      if (written && !written(n)) continue;
      const QDateTime at = start.addSecs(qint64(stepSeconds) * n);
      query.addBindValue(regional.dateText(at.date()));
      query.addBindValue(regional.timeText(at.time()));
      query.addBindValue(double(n));
      query.addBindValue(signal(n));
      query.exec();
    }
    query.exec(QStringLiteral("COMMIT"));
  }
  QSqlDatabase::removeDatabase(QStringLiteral("sample"));
}

// A day's morning of collector rows, one a minute, a slow rise with a step at nine.
double morningSignal(int n) { return 3 + n * 0.02 + (n > 60 ? 4 : 0) + 0.6 * std::sin(n * 1.7); }

// A pressure with its daily swing and jitter, and a leak that pulls it down for a while.
double pressureSignal(int n, int rowsADay, int leakFrom, int leakTo) {
  const double swing = 3 * std::sin(2 * M_PI * n / rowsADay);
  return 5 + swing + 0.5 * std::sin(n * 1.7) - (n >= leakFrom && n < leakTo ? 4 : 0);
}

// A leak test's probability ratio over a week, one row a minute, to three decimals: calm, and twice
// a leak that drives it far past the upper limit for some hours.
double ratioSignal(int n) {
  const auto leak = [n](int from, int hours) {
    const double t = double(n - from) / (hours * 60);
    return t > 0 && t < 1 ? 44 * std::min({1.0, 4 * t, 4 * (1 - t)}) * (1 + 0.04 * std::sin(n / 13.0)) : 0.0;
  };
  const double calm = 1 + 0.6 * std::sin(n / 97.0) + 0.3 * std::sin(n * 1.3);
  const double ratio = calm + leak(2 * 1440 + 300, 14) + leak(5 * 1440 + 900, 9);
  return std::round(ratio * 1000) / 1000;
}

// Sets the limits in the dialog (a picture of it once filled in, when named) and presses OK.
bool setLimits(frmChart& window, double alpha, double beta, bool ratio, const RegionalForms& regional,
               const QDir& folder, const QString& picture = {}) {
  bool saved = true;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    dialog->findChild<QRadioButton*>(ratio ? QStringLiteral("optRatio") : QStringLiteral("optLogRatio"))->click();
    for (const auto& [name, value] : {std::pair{QStringLiteral("txtAlpha"), alpha}, {QStringLiteral("txtBeta"), beta}}) {
      auto* box = dialog->findChild<QLineEdit*>(name);
      box->clear();
      box->insert(regional.doubleText(value));  // as typed: A and B follow
    }
    if (!picture.isEmpty()) saved = save(*dialog, folder, picture);
    dialog->findChild<QPushButton*>(QStringLiteral("btnLimitsOK"))->click();
  });
  window.findChild<QAction*>(QStringLiteral("mnuLimits"))->trigger();
  return saved;
}

// Presses "SELECT query". The dialog it closes then goes at once, as the program's own event loop
// lets it go: left for later, it would be deleted under the next read, which waits over it.
void selectQuery(QDialog& dialog) {
  dialog.findChild<QPushButton*>(QStringLiteral("btnSelect"))->click();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Charts all rows of the database through the query dialog.
void chartAllRows(frmChart& window, ProgramState& state, const QString& database) {
  state.DatabasePath = database;
  window.findChild<QAction*>(QStringLiteral("mnuSQLquery"))->trigger();
  auto* dialog = window.findChild<QDialog*>(QStringLiteral("frmDataBase"));
  dialog->findChild<QPlainTextEdit*>(QStringLiteral("txtQuery"))
      ->setPlainText(QStringLiteral("SELECT Date, Time, number, Data FROM GraphData"));
  selectQuery(*dialog);
}

// Charts all rows of the database, then shows them full screen.
bool saveQueryCharts(frmChart& window, ProgramState& state, const QString& database, const QDir& folder,
                     const QString& name) {
  chartAllRows(window, state, database);
  bool saved = save(window, folder, name);
  window.findChild<QPushButton*>(QStringLiteral("btnMaximized"))->click();
  saved &= save(*topLevel(QStringLiteral("frmChartMaximized")), folder, name + QStringLiteral("-full-screen"));
  topLevel(QStringLiteral("frmChartMaximized"))->close();
  return saved;
}

// A day whose collector stopped from 10:00 to 12:00, charted by record and on the time scale side by
// side; the summary of it; a week by the second on the time scale. The time scale is off after.
bool saveTimeScale(frmChart& window, ProgramState& state, const RegionalForms& regional, const QDir& folder,
                   const QDir& work) {
  const QString day = work.filePath(QStringLiteral("gap.db")), week = work.filePath(QStringLiteral("week.db"));
  createDatabase(day, QDateTime(QDate(2026, 12, 4), QTime(23, 59)), 60, 1440,
                 [](int n) { return pressureSignal(n, 1440, 1200, 1260); }, regional,
                 [](int n) { return n <= 600 || n > 720; });
  chartAllRows(window, state, day);
  auto* chart = window.findChild<PictureBox*>(QStringLiteral("graphField"));
  auto* timeScale = window.findChild<QAction*>(QStringLiteral("mnuTimeScale"));
  const QPixmap byRecord = chart->grab();
  timeScale->trigger();
  const QPixmap byTime = chart->grab();
  constexpr int kBetween = 12;
  QPixmap both(byRecord.width() * 2 + kBetween, byRecord.height());
  both.fill(Qt::white);
  QPainter(&both).drawPixmap(0, 0, byRecord);
  QPainter(&both).drawPixmap(byRecord.width() + kBetween, 0, byTime);
  bool saved = savePicture(both, folder, QStringLiteral("time-scale-day"));
  emit window.findChild<QMenu*>(QStringLiteral("mnuDataHandling"))->aboutToShow();  // as the menu opens
  window.findChild<QAction*>(QStringLiteral("mnuSummary"))->trigger();
  saved &= save(*topLevel(QStringLiteral("frmSummary")), folder, QStringLiteral("summary-dialog"));
  topLevel(QStringLiteral("frmSummary"))->close();
  chartAllRows(window, state, week);
  saved &= save(window, folder, QStringLiteral("time-scale-week"));
  timeScale->trigger();
  return saved;
}

// Three stations along a pipeline over a day, one row a minute, with the leak test's limits set: a
// leak between North and Middle from 10:00 shows at both, at Middle forty minutes after North;
// South stays calm. The stations' dialog, and the chart of the three. No station is set after.
bool saveStations(frmChart& window, ProgramState& state, const RegionalForms& regional, const QDir& folder,
                  const QDir& work) {
  const auto ratio = [](int leakFrom) {
    return [leakFrom](int n) {
      const double t = double(n - leakFrom) / 240;
      const double leak = t > 0 && t < 1 ? 30 * std::min({1.0, 5 * t, 5 * (1 - t)}) : 0;
      return std::round((1 + 0.5 * std::sin(n / 37.0) + 0.3 * std::sin(n * 1.3 + leakFrom) + leak) * 1000) / 1000;
    };
  };
  const QDateTime start(QDate(2026, 12, 3), QTime(23, 59));
  QList<ComparedStation> beside;
  for (const auto& [file, name, leakFrom] : {std::tuple{"middle.db", "Middle", 640}, {"south.db", "South", 99999}}) {
    const QString path = work.filePath(QString::fromLatin1(file));
    createDatabase(path, start, 60, 1440, ratio(leakFrom), regional);
    beside.append({path, QString::fromLatin1(name)});
  }
  const QString north = work.filePath(QStringLiteral("North.db"));
  createDatabase(north, start, 60, 1440, ratio(600), regional);
  state.DatabasePath = north;
  state.Stations = beside;
  bool saved = true;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    saved = save(*dialog, folder, QStringLiteral("stations-dialog"));
    dialog->findChild<QPushButton*>(QStringLiteral("btnStationsCancel"))->click();  // the settings file stays as it is
  });
  window.findChild<QAction*>(QStringLiteral("mnuStations"))->trigger();
  chartAllRows(window, state, north);
  saved &= savePicture(window.findChild<PictureBox*>(QStringLiteral("graphField"))->grab(), folder,
                       QStringLiteral("stations"));
  state.Stations.clear();
  return saved;
}

// The operator's hand on the main window's chart: a drag from record to record with the left
// button, then the pointer resting over a record.
void dragAcrossChart(frmChart& window, float fromRecord, float toRecord, float restAtRecord) {
  auto* box = window.findChild<PictureBox*>(QStringLiteral("graphField"));
  const auto pixelAt = [box](float record) {
    const auto kept = box->surface().LastChart();
    const float twips = stdKelvane::XToSurface(kept->frame, record);
    return QPoint(box->contentsRect().left() + int(twips * box->contentsRect().width() / box->surface().Width()),
                  box->height() / 2);
  };
  const auto send = [box](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), box->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(box, &event);
  };
  send(QEvent::MouseButtonPress, pixelAt(fromRecord), Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseMove, pixelAt(toRecord), Qt::NoButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, pixelAt(toRecord), Qt::LeftButton, Qt::NoButton);
  QApplication::processEvents();
  send(QEvent::MouseMove, pixelAt(restAtRecord), Qt::NoButton, Qt::NoButton);
}

// The main window with its File menu open, as one picture.
bool saveFileMenu(frmChart& window, const QDir& folder) {
  auto* file = window.findChild<QMenu*>(QStringLiteral("mnuFile"));
  file->popup(window.menuBar()->mapToGlobal(window.menuBar()->actionGeometry(file->menuAction()).bottomLeft()));
  QApplication::processEvents();
  QPixmap picture = window.grab();
  QPainter(&picture).drawPixmap(window.mapFromGlobal(file->pos()), file->grab());
  file->hide();
  return savePicture(picture, folder, QStringLiteral("export-menu"));
}

// A chart printed into a PDF file, and the page turned into a picture as a reader shows it.
bool savePrintedPage(const PainterSurface& chart, const Environment& env, const QDir& folder, const QDir& work) {
  const QString pdf = work.filePath(QStringLiteral("printed.pdf"));
  {
    QPdfWriter printer(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(20, 15, 20, 15), QPageLayout::Millimeter);  // as a printer keeps them
    const auto heading = [&](const QFontMetricsF& font, double lineWidth) {
      return printHeading(*chart.LastChart(), env.clock.now(), env.regional, font, lineWidth);
    };
    printChart(chart, printer, heading, env);
  }
  QProcess pdftoppm;
  pdftoppm.start(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
                                               QStringLiteral("-singlefile"), pdf,
                                               folder.filePath(QStringLiteral("printed-page"))});
  return told(pdftoppm.waitForFinished() && pdftoppm.exitCode() == 0, folder.filePath(QStringLiteral("printed-page.png")));
}

// The leak alarm's banner as the last value entered reached A, then returned as the limits were
// taken away and a tick of the clock came; acknowledged, it is normal again.
bool saveReturnedAlarm(frmChart& window, const QDir& folder) {
  QWidget* banner = window.findChild<QWidget*>(QStringLiteral("fraAlarm"));
  bool saved = savePicture(banner->grab(), folder, QStringLiteral("alarm-unacknowledged"));
  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->findChild<QPushButton*>(QStringLiteral("btnLimitsClear"))->click(); });
  window.findChild<QAction*>(QStringLiteral("mnuLimits"))->trigger();
  QEventLoop tick;
  QTimer::singleShot(1100, &tick, &QEventLoop::quit);
  tick.exec();
  saved &= savePicture(banner->grab(), folder, QStringLiteral("alarm-returned"));
  banner->findChild<QPushButton*>(QStringLiteral("btnAlarmAck"))->click();
  return saved;
}

// A value at or above A acknowledged; the shelf's dialog, and the journal's window after the shelf.
bool saveAlarmWindows(frmChart& window, SetClock& clock, const RegionalForms& regional, const QDir& folder) {
  enterValues(window, clock, regional, {24.5});
  QWidget* banner = window.findChild<QWidget*>(QStringLiteral("fraAlarm"));
  banner->findChild<QPushButton*>(QStringLiteral("btnAlarmAck"))->click();
  bool saved = savePicture(banner->grab(), folder, QStringLiteral("alarm-acknowledged"));
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    dialog->findChild<QRadioButton*>(QStringLiteral("optShelveHour"))->click();
    dialog->findChild<QLineEdit*>(QStringLiteral("txtShelveComment"))
        ->setText(germanShown() ? QStringLiteral("Drucksensoren werden kalibriert") : QStringLiteral("Pressure sensors being calibrated"));
    saved &= save(*dialog, folder, QStringLiteral("alarm-shelve"));
    dialog->findChild<QPushButton*>(QStringLiteral("btnShelve"))->click();
  });
  window.findChild<QAction*>(QStringLiteral("mnuAlarmShelve"))->trigger();
  clock.set(clock.now().addSecs(1500));
  emit window.findChild<QMenu*>(QStringLiteral("mnuDataHandling"))->aboutToShow();  // as the menu opens
  window.findChild<QAction*>(QStringLiteral("mnuAlarmUnshelve"))->trigger();
  QTimer::singleShot(0, [&] {
    QWidget* journal = QApplication::activeModalWidget();
    saved &= save(*journal, folder, QStringLiteral("alarm-journal"));
    journal->close();
  });
  window.findChild<QAction*>(QStringLiteral("mnuAlarmJournal"))->trigger();
  return saved;
}

}  // namespace

int main(int argc, char* argv[]) {
  const char* const kScaledOption = "--at-200-percent";
  const char* const kGermanOption = "--german";
  QStringList options;
  for (int i = 1; i < argc - 1; ++i) options.append(QString::fromLocal8Bit(argv[i]));
  const bool scaled = options.contains(QString::fromLatin1(kScaledOption));
  const bool german = options.contains(QString::fromLatin1(kGermanOption));
  if (scaled) qputenv("QT_SCALE_FACTOR", "2");  // read once, as the application starts
  // The limits set for the pictures are kept in a settings file of their own, not the operator's.
  const QTemporaryDir settingsFolder;
  qputenv("XDG_CONFIG_HOME", settingsFolder.path().toLocal8Bit());
  // A leak alarm drawn here notifies no desktop.
  qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
  QApplication app(argc, argv);
  if (argc < 2 || options.size() != int(scaled) + int(german)) {
    std::fprintf(stderr, "usage: kelvane-screenshots [--german] FOLDER\n");
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[argc - 1]));
  if (!folder.exists()) {
    std::fprintf(stderr, "kelvane-screenshots: no folder %s\n", argv[argc - 1]);
    return 2;
  }
  installChartFonts();
  showGerman(german);
  SetClock clock(QDateTime(QDate(2026, 12, 6), QTime(14, 8, 45)));
  SilentMessages messages;
  const QLocale locale = german ? QLocale(QLocale::German, QLocale::Germany) : QLocale(QLocale::English, QLocale::UnitedKingdom);
  Environment env{clock, RegionalForms(locale), messages};
  const RegionalForms& regional = env.regional;
  const QTemporaryDir logFolder;  // the pictures leave no log behind
  env.logFilePath = logFolder.filePath(QStringLiteral("Logfile.txt"));
  env.pendingRowsPath = logFolder.filePath(QStringLiteral("Pending rows.txt"));

  ProgramState state;
  state.AlarmSound = false;  // pictures make no sound
  frmChart mainWindow(env);
  ProgramServices services(state, env, mainWindow);
  mainWindow.Form_Load(services);
  if (scaled) return save(mainWindow, folder, QStringLiteral("main-window-200")) ? 0 : 1;
  bool allSaved = save(mainWindow, folder, QStringLiteral("main-window"));
  enterValues(mainWindow, clock, regional, measuredValues(25));
  allSaved &= save(mainWindow, folder, QStringLiteral("live-chart"));

  createDatabase(logFolder.filePath(QStringLiteral("measurements.db")), QDateTime(QDate(2026, 12, 6), QTime(8, 0)), 60, 240,
                 morningSignal, regional);
  state.DatabasePath = logFolder.filePath(QStringLiteral("measurements.db"));
  mainWindow.findChild<QPushButton*>(QStringLiteral("btnSPRT"))->click();
  allSaved &= save(mainWindow, folder, QStringLiteral("recent-records"));
  mainWindow.findChild<QPushButton*>(QStringLiteral("btnMaximized"))->click();
  QWidget* fullScreen = topLevel(QStringLiteral("frmChartMaximized"));
  // As it fills a screen of 1920 by 1080 pixels, whatever the size of the platform's screen.
  fullScreen->showNormal();
  fullScreen->resize(1920, 1080);
  allSaved &= save(*fullScreen, folder, QStringLiteral("full-screen"));
  fullScreen->close();

  mainWindow.findChild<QAction*>(QStringLiteral("mnuSQLquery"))->trigger();
  auto* dialog = mainWindow.findChild<QDialog*>(QStringLiteral("frmDataBase"));
  dialog->findChild<QPlainTextEdit*>(QStringLiteral("txtQuery"))
      ->setPlainText(QStringLiteral("SELECT Date, Time, number, Data  FROM GraphData WHERE Date = '%1' AND Time \n"
                                    "between '%2' and '%3'")
                         .arg(regional.dateText(QDate(2026, 12, 6)), regional.timeText(QTime(9, 0)), regional.timeText(QTime(9, 15))));
  allSaved &= save(*dialog, folder, QStringLiteral("query-dialog"));
  selectQuery(*dialog);
  allSaved &= save(mainWindow, folder, QStringLiteral("query-chart"));
  // The period dialog with today up to now.
  mainWindow.findChild<QAction*>(QStringLiteral("mnuPeriod"))->trigger();
  auto* period = mainWindow.findChild<QDialog*>(QStringLiteral("frmPeriod"));
  period->findChild<QPushButton*>(QStringLiteral("btnToday"))->click();
  allSaved &= save(*period, folder, QStringLiteral("period-dialog"));
  period->close();
  allSaved &= saveFileMenu(mainWindow, folder);
  // Today's rows charted as a period, printed under a heading that names its From and To.
  mainWindow.findChild<QAction*>(QStringLiteral("mnuPeriod"))->trigger();
  period = mainWindow.findChild<QDialog*>(QStringLiteral("frmPeriod"));
  period->findChild<QPushButton*>(QStringLiteral("btnToday"))->click();
  period->findChild<QPushButton*>(QStringLiteral("btnChartPeriod"))->click();
  allSaved &= savePrintedPage(mainWindow.findChild<PictureBox*>(QStringLiteral("graphField"))->surface(), env, folder,
                              QDir(logFolder.path()));

  // A day of one row a minute, and a week of one row a second, each with a leak of its own.
  const QString day = logFolder.filePath(QStringLiteral("day.db")), week = logFolder.filePath(QStringLiteral("week.db"));
  createDatabase(day, QDateTime(QDate(2026, 12, 4), QTime(23, 59)), 60, 1440,
                 [](int n) { return pressureSignal(n, 1440, 850, 940); }, regional);
  allSaved &= saveQueryCharts(mainWindow, state, day, folder, QStringLiteral("day-by-minute"));
  // The leak of that day looked at closely, the value under the pointer beside the clock.
  dragAcrossChart(mainWindow, 820, 970, 48);
  allSaved &= save(mainWindow, folder, QStringLiteral("zoomed-chart"));
  QEvent leaving(QEvent::Leave);  // the pictures after this one show no value under the pointer
  QApplication::sendEvent(mainWindow.findChild<PictureBox*>(QStringLiteral("graphField")), &leaving);
  createDatabase(week, QDateTime(QDate(2026, 11, 29), QTime(23, 59, 59)), 1, 7 * 86400,
                 [](int n) { return pressureSignal(n, 86400, 4 * 86400 + 30000, 4 * 86400 + 37200); }, regional);
  allSaved &= saveQueryCharts(mainWindow, state, week, folder, QStringLiteral("week-by-second"));
  allSaved &= saveTimeScale(mainWindow, state, regional, folder, QDir(logFolder.path()));

  // The leak test's limits: the dialog, a run of entered logarithms that reaches A, a week of
  // stored ratios with two leaks, and the list of the stretches at or above A.
  allSaved &= setLimits(mainWindow, 0.01, 0.01, false, regional, folder, QStringLiteral("leak-limits-dialog"));
  mainWindow.findChild<QPushButton*>(QStringLiteral("btnReset"))->click();
  enterValues(mainWindow, clock, regional, {0.2, -0.4, 0.5, -0.9, -0.3, 0.6, 1.1, 0.7, 1.5, 1.2, 2.0,
                                  1.6, 2.4, 2.9, 2.5, 3.2, 3.0, 3.7, 3.4, 4.1, 3.9, 4.8});
  allSaved &= save(mainWindow, folder, QStringLiteral("leak-limits-live"));
  allSaved &= saveReturnedAlarm(mainWindow, folder);
  allSaved &= setLimits(mainWindow, 0.05, 0.1, true, regional, folder);
  const QString ratios = logFolder.filePath(QStringLiteral("ratios.db"));
  createDatabase(ratios, QDateTime(QDate(2026, 11, 29), QTime(23, 59)), 60, 7 * 1440, ratioSignal, regional);
  state.DatabasePath = ratios;
  mainWindow.findChild<QAction*>(QStringLiteral("mnuSQLquery"))->trigger();
  auto* ratioQuery = mainWindow.findChild<QDialog*>(QStringLiteral("frmDataBase"));
  ratioQuery->findChild<QPlainTextEdit*>(QStringLiteral("txtQuery"))
      ->setPlainText(QStringLiteral("SELECT Date, Time, number, Data FROM GraphData"));
  selectQuery(*ratioQuery);
  allSaved &= save(mainWindow, folder, QStringLiteral("leak-bands-week"));
  QTimer::singleShot(0, [&] {
    QWidget* decisions = QApplication::activeModalWidget();
    allSaved &= save(*decisions, folder, QStringLiteral("leak-decisions"));
    decisions->close();
  });
  emit mainWindow.findChild<QMenu*>(QStringLiteral("mnuDataHandling"))->aboutToShow();  // as the menu opens
  mainWindow.findChild<QAction*>(QStringLiteral("mnuDecisions"))->trigger();
  allSaved &= saveAlarmWindows(mainWindow, clock, regional, folder);

  // The About box is modal: its picture is taken while it waits.
  QTimer::singleShot(0, [&] {
    QWidget* about = QApplication::activeModalWidget();
    allSaved &= save(*about, folder, QStringLiteral("about-box"));
    about->close();
  });
  mainWindow.findChild<QAction*>(QStringLiteral("mnuAbout"))->trigger();

  // The help file built beside this tool, on its default topic.
  mainWindow.findChild<QAction*>(QStringLiteral("mnuHelpFile"))->trigger();
  allSaved &= save(*topLevel(QStringLiteral("HelpWindow")), folder, QStringLiteral("help-window"));
  topLevel(QStringLiteral("HelpWindow"))->close();
  allSaved &= saveStations(mainWindow, state, regional, folder, QDir(logFolder.path()));

  QStringList scaledRun{QString::fromLatin1(kScaledOption), folder.absolutePath()};
  if (german) scaledRun.prepend(QString::fromLatin1(kGermanOption));
  allSaved &= QProcess::execute(QCoreApplication::applicationFilePath(), scaledRun) == 0;
  return allSaved ? 0 : 1;
}
