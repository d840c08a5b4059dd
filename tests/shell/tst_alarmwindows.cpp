// The leak alarm on screen: the banner in the main window and across the full-screen window, the
// keyboard, the Database menu's items, the shelf's dialog and the journal's window.
#include "chart/ChartFonts.h"
#include "shell/PictureBox.h"
#include "shell/frmChart.h"
#include "support/MeasurementDatabase.h"
#include "support/TestEnvironment.h"

#include <QtTest>
#include <QtWidgets>

using namespace kelvane;

namespace {

// The main window with limits A = 3, B = -3, silent: the tone has a test of its own.
struct MainWindow {
  MainWindow() {
    state.Limits = LeakLimits{3, -3, LimitForm::LogRatio, {}, {}};
    state.AlarmSound = false;
    test.env.logFilePath = logFolder.filePath("Logfile.txt");
    window.Form_Load(services);
  }
  template <typename T = QWidget>
  T* find(const QString& name) const { return window.findChild<T*>(name); }
  void type(const QString& value) {
    find<QLineEdit>("Text6")->setText(value);
    find<QPushButton>("btnCalculation")->click();
  }
  // While a modal dialog of the menu item is open, then closes it.
  void choose(const QString& item, const std::function<void(QWidget*)>& inDialog) {
    QTimer::singleShot(0, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      inDialog(dialog);
      if (dialog->isVisible()) dialog->close();
    });
    find<QAction>(item)->trigger();
  }
  QTemporaryDir logFolder;
  testing::TestEnvironment test;
  ProgramState state;
  frmChart window{test.env};
  ProgramServices services{state, test.env, window};
};

// The banner's look: its background and text colours, and whether Acknowledge can be pressed.
QString lookOf(const QWidget* banner) {
  const QPalette palette = banner->palette();
  return QString("%1 on %2%3").arg(palette.color(QPalette::WindowText).name(), palette.color(QPalette::Window).name(),
                                   banner->findChild<QPushButton*>("btnAlarmAck")->isEnabled() ? "" : ", acknowledged");
}

}  // namespace

class AlarmWindowsTest : public QObject {
  Q_OBJECT

  QTemporaryDir settingsFolder_;

 private slots:
  void initTestCase() {
    installChartFonts();
    qputenv("XDG_CONFIG_HOME", settingsFolder_.path().toLocal8Bit());
    // Where the window is not active a notification is sent: to no bus at all here.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
  }

  // The banner takes the program description's place, white on red blinking once a second while
  // not acknowledged, steady once acknowledged (Alt+A from anywhere in the window), black on amber
  // while returned; with the alarm normal the description shows again. The full-screen window
  // shows it across its top while it is open, its picture below it.
  void bannerInBothWindows() {
    MainWindow main;
    QWidget* banner = main.find("fraAlarm");
    QVERIFY(banner->isHidden() && main.find("fraProgrDescr")->isVisible());
    main.type("5");
    QCOMPARE((QVariantList{banner->isVisible(), main.find("fraProgrDescr")->isVisible(), banner->geometry(), main.find<QLabel>("lblAlarm")->text()}),
             (QVariantList{true, false, main.find("fraProgrDescr")->geometry(), "Leak alarm: 5 reached A at 05/12/2010 14:08:45, no database"}));
    QCOMPARE(lookOf(banner), "#ffffff on #c80000");
    QTRY_COMPARE_WITH_TIMEOUT(lookOf(banner), "#c80000 on #ffffff", 1500);
    QTRY_COMPARE_WITH_TIMEOUT(lookOf(banner), "#ffffff on #c80000", 1500);
    main.find<QPushButton>("btnMaximized")->click();
    auto* fullScreen = dynamic_cast<QWidget*>(&main.window.fullScreenWindow());
    QWidget* strip = fullScreen->findChild<QWidget*>("fraAlarm");
    QVERIFY(strip->isVisible() && fullScreen->findChild<QWidget*>("picMaximized")->y() > strip->geometry().bottom());
    main.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main.window));
    const auto pressAltA = [&](const char* focused) {
      main.find(focused)->setFocus();
      QTest::keyClick(main.find(focused), Qt::Key_A, Qt::AltModifier);
    };
    pressAltA("List2");
    QTRY_COMPARE(lookOf(banner), "#ffffff on #c80000, acknowledged");
    QTest::qWait(600);
    QCOMPARE((QStringList{lookOf(banner), lookOf(strip)}), QStringList(2, "#ffffff on #c80000, acknowledged"));
    main.type("1");
    QVERIFY(banner->isHidden() && strip->isHidden() && main.find("fraProgrDescr")->isVisible());
    QCOMPARE(fullScreen->findChild<QWidget*>("picMaximized")->y(), 16);
    main.test.clock.set(main.test.clock.now().addSecs(1));
    for (const char* value : {"6", "2"}) main.type(value);
    QCOMPARE(main.find<QLabel>("lblAlarm")->text(),
             "Leak alarm: 6 reached A at 05/12/2010 14:08:46, no database\nReturned below A at 05/12/2010 14:08:46");
    QCOMPARE(lookOf(strip), "#000000 on #ffbf00");
    strip->findChild<QPushButton*>("btnAlarmSilence")->click();
    QFile journal(main.logFolder.filePath("Alarm journal.txt"));
    QVERIFY(journal.open(QIODevice::ReadOnly) && journal.readAll().trimmed().split('\n').last().contains("\"silenced\""));
    pressAltA("Text6");
    QTRY_VERIFY(banner->isHidden() && strip->isHidden());
  }

  // A row of 99 followed while a message box waits for the operator raises the alarm all the same.
  void followedLeakRaisesTheAlarmWhileAMessageBoxIsOpen() {
    MainWindow main;
    testing::SqliteMeasurementDatabase database(main.logFolder.filePath("m.db"));
    database.withGraphData().withRow(1, 1.5);
    main.state.DatabasePath = database.dataSource();
    main.find<QPushButton>("btnSPRT")->click();
    main.find<QAction>("mnuFollow")->trigger();
    QMessageBox box(QMessageBox::Information, "Kelvane program", "left open", QMessageBox::Ok, &main.window);
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    database.withRow(2, 99, "06/12/2010", "09:00:00");
    QTRY_VERIFY_WITH_TIMEOUT(main.find("fraAlarm")->isVisible(), 5000);
  }

  // The Database menu's new items after its others; Unshelve only while an alarm is shelved. The
  // shelf's dialog, the journal's window: its lines newest first, and Copy.
  void menuItemsAndTheirWindows() {
    MainWindow main;
    auto* menu = main.find<QMenu>("mnuDataHandling");
    QStringList items;
    for (const QAction* item : menu->actions()) items << item->objectName() + " " + item->text();
    QCOMPARE(items.mid(7, 3), (QStringList{"mnuAlarmShelve S&helve the alarm", "mnuAlarmUnshelve &Unshelve the alarm",
                                        "mnuAlarmJournal &Alarm journal..."}));
    main.type("5");
    main.choose("mnuAlarmShelve", [](QWidget* dialog) {
      QCOMPARE(dialog->findChild<QLabel*>("lblShelveAlarmOf")->text(), "Shelve the leak alarm of no database for:");
      dialog->findChild<QRadioButton*>("optShelveHour")->click();
      QTest::keyClicks(dialog->findChild<QLineEdit*>("txtShelveComment"), "calibration");
      dialog->findChild<QPushButton*>("btnShelve")->click();
    });
    emit menu->aboutToShow();
    QVERIFY(main.find("fraAlarm")->isHidden() && main.find<QAction>("mnuAlarmUnshelve")->isEnabled());
    QStringList listed;
    main.choose("mnuAlarmJournal", [&](QWidget* window) {
      auto* list = window->findChild<QTreeWidget*>("lstAlarmJournal");
      for (int row = 0; row < list->topLevelItemCount(); ++row) listed << list->topLevelItem(row)->text(1);
      listed << list->headerItem()->text(0) + "|" + list->headerItem()->text(6);
      window->findChild<QPushButton*>("btnCopyAlarmJournal")->click();
      window->findChild<QDateEdit*>("dtJournalTo")->setDate(QDate(2010, 12, 4));
      listed << QString::number(list->topLevelItemCount());
    });
    QCOMPARE(listed, (QStringList{"shelved until 05/12/2010 15:08:45", "raised", "Date and time|Comment", "0"}));
    QCOMPARE(QGuiApplication::clipboard()->text().count("\r\n"), 3);
  }
};

QTEST_MAIN(AlarmWindowsTest)
#include "tst_alarmwindows.moc"
