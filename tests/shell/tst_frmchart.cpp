#include "chart/ChartFonts.h"
#include "shell/Layout.h"
#include "shell/PictureBox.h"
#include "shell/frmAbout.h"
#include "shell/frmChart.h"
#include "support/TestEnvironment.h"

#include <QAccessible>
#include <QtTest>
#include <QtWidgets>

using namespace kelvane;

namespace {

QString captionOf(const QObject* object) {
  if (const auto* box = qobject_cast<const QGroupBox*>(object)) return box->title();
  if (const auto* menu = qobject_cast<const QMenu*>(object)) return menu->title();
  if (const auto* action = qobject_cast<const QAction*>(object)) return action->text();
  return object->property("text").toString();
}

struct MainWindow {
  MainWindow() : window(state, test.env) {
    test.env.logFilePath = logFolder.filePath("Logfile.txt");
    window.Form_Load();
  }
  template <typename T = QWidget>
  T* find(const QString& name) const {
    return window.findChild<T*>(name);
  }
  QTemporaryDir logFolder;
  testing::TestEnvironment test;
  ProgramState state;
  frmChart window;
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { installChartFonts(); }
  void captions_data();
  void captions();
  void positions_data();
  void positions();
  void startUpState();
  void xAxisButtonsChangeNothingOnScreen();
  void closing_data();
  void closing();
  void enteredValueIsListed();
  void hugeNegativeValueIsListedAndDrawn();
  void queryDialogShowsSkeletonAndCaptions();
  void aboutBoxClosesByEveryKey_data();
  void aboutBoxClosesByEveryKey();
  void helpMenuOpensTheHelpFileBesideTheProgram();
};

void MainWindowTest::captions_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("caption");
  QTest::newRow("program description frame") << "fraProgrDescr" << "Program description";
  QTest::newRow("program description") << "lblProgrDescr"
                                       << "This is a Kelvane program to build a graph of input values or construct a "
                                          "graph based on the values of the certain time period queried from Access "
                                          "database.";
  QTest::newRow("data input frame") << "fraDataInput" << "Data input";
  QTest::newRow("Input button") << "btnCalculation" << "Input";
  QTest::newRow("Reset button") << "btnReset" << "Reset";
  QTest::newRow("results frame") << "fraResults" << "Data entered with time stamp";
  QTest::newRow("number heading") << "lblNumber" << "n";
  QTest::newRow("data heading") << "lblRandVar" << "data";
  QTest::newRow("time stamp heading") << "lblTimeStamp" << "time stamp";
  QTest::newRow("chart frame") << "fraChart" << "Chart";
  QTest::newRow("chart description") << "lblChartDescr"
                                     << "Field to draw current graph or graph of selected time period queried from "
                                        "database:";
  QTest::newRow("Database button") << "btnSPRT" << "Database";
  QTest::newRow("Full screen button") << "btnMaximized" << "Full screen";
  QTest::newRow("Close button") << "btnClose" << "Close";
  QTest::newRow("Number on X") << "btnNumberOnX" << "Number on X";
  QTest::newRow("Time on X") << "btnTimeOnX" << "Time on X";
  QTest::newRow("y of the formula") << "Label19" << "y";
  QTest::newRow("index i of the formula") << "Label20" << "i";
  QTest::newRow("File menu") << "mnuFile" << "File";
  QTest::newRow("File, select database") << "mnuFileOpen" << "Select Database file...";
  QTest::newRow("File, exit") << "mnuExit" << "Exit";
  QTest::newRow("Database menu") << "mnuDataHandling" << "Database";
  QTest::newRow("Database, SQL query") << "mnuSQLquery" << "SQL Query";
  QTest::newRow("Help menu") << "mnuHelp" << "Help";
  QTest::newRow("Help, help file") << "mnuHelpFile" << "Help";
  QTest::newRow("Help, about") << "mnuAbout" << "About Kelvane program";
}

void MainWindowTest::captions() {
  QFETCH(QString, name);
  QFETCH(QString, caption);
  MainWindow main;
  const QObject* control = main.window.findChild<QObject*>(name);
  QVERIFY2(control, qPrintable(name));
  QCOMPARE(captionOf(control), caption);
  if (const auto* widget = qobject_cast<const QWidget*>(control)) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(const_cast<QWidget*>(widget));
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), caption);
  }
}

void MainWindowTest::positions_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QRect>("twips");
  QTest::newRow("fraProgrDescr") << "fraProgrDescr" << QRect(120, 120, 4815, 2655);
  QTest::newRow("fraDataInput") << "fraDataInput" << QRect(5160, 120, 9015, 2655);
  QTest::newRow("fraResults") << "fraResults" << QRect(120, 2880, 4815, 7335);
  QTest::newRow("fraChart") << "fraChart" << QRect(5160, 2880, 9015, 7335);
  QTest::newRow("Text6") << "Text6" << QRect(1920, 960, 3255, 375);
  QTest::newRow("btnCalculation") << "btnCalculation" << QRect(5880, 960, 1215, 375);
  QTest::newRow("btnReset") << "btnReset" << QRect(5880, 1800, 1215, 375);
  QTest::newRow("List1") << "List1" << QRect(120, 840, 495, 5880);
  QTest::newRow("List2") << "List2" << QRect(600, 840, 1815, 5880);
  QTest::newRow("List5") << "List5" << QRect(2400, 840, 2175, 5880);
  QTest::newRow("graphField") << "graphField" << QRect(480, 840, 6855, 5895);
  QTest::newRow("btnSPRT") << "btnSPRT" << QRect(7560, 4080, 1215, 375);
  QTest::newRow("btnMaximized") << "btnMaximized" << QRect(7560, 4560, 1215, 375);
  QTest::newRow("btnTimeOnX") << "btnTimeOnX" << QRect(7560, 5280, 1215, 375);
  QTest::newRow("btnNumberOnX") << "btnNumberOnX" << QRect(7560, 5760, 1215, 375);
  QTest::newRow("btnClose") << "btnClose" << QRect(7560, 6360, 1215, 375);
  QTest::newRow("lblTime") << "lblTime" << QRect(3000, 6840, 975, 375);
  QTest::newRow("lblDate") << "lblDate" << QRect(4080, 6840, 975, 375);
}

void MainWindowTest::positions() {
  QFETCH(QString, name);
  QFETCH(QRect, twips);
  MainWindow main;
  const QWidget* control = main.find(name);
  QVERIFY2(control, qPrintable(name));
  const QRect expected(twipsOnScreen(twips.x()), twipsOnScreen(twips.y()), twipsOnScreen(twips.width()),
                       twipsOnScreen(twips.height()));
  QCOMPARE(control->geometry(), expected);
}

void MainWindowTest::startUpState() {
  MainWindow main;
  QCOMPARE(main.window.windowTitle(), QStringLiteral("Kelvane program"));
  QVERIFY(!main.window.windowIcon().isNull());  // the icon's picture is built into the program
  QCOMPARE(main.window.centralWidget()->size(), QSize(twipsOnScreen(14460), twipsOnScreen(10470)));
  QVERIFY(main.state.LiveChart);
  QVERIFY(main.state.OperatingMode.isEmpty());
  QCOMPARE(main.state.LastEntryMoment, main.test.clock.now());
  QCOMPARE(main.state.LastEntryDateText, QStringLiteral("05/12/2010"));
  QVERIFY(!main.find<QPushButton>("btnMaximized")->isEnabled());
  QVERIFY(main.find<QLabel>("lblTime")->isVisible());
  QCOMPARE(main.find<QLabel>("lblTime")->text(), QStringLiteral("14:08:45"));
  QCOMPARE(main.find<QLabel>("lblDate")->text(), QStringLiteral("05/12/2010"));
  QCOMPARE(main.find<QLabel>("Label19")->font().family(), QStringLiteral("Times New Roman"));
  QVERIFY(main.find<QLabel>("Label19")->font().italic());
  QCOMPARE(main.find<QGroupBox>("fraChart")->font().pointSizeF(), 9.75);
  QCOMPARE(main.find<QPushButton>("btnSPRT")->font().pointSizeF(), 9.0);

  // The empty chart is on the picture: the X axis crosses it in the axis colour at y = 0.
  const QImage image = main.find<PictureBox>("graphField")->surface().image();
  const double axisY = 300 + 6 * 264.75, height = 5895;
  const int axisRow = int((height - axisY) * image.height() / height);
  int dark = 0;
  for (int row = axisRow - 1; row <= axisRow + 1; ++row) {
    int inRow = 0;
    for (int x = 0; x < image.width(); ++x) inRow += qGray(image.pixel(x, row)) < 64;
    dark = std::max(dark, inRow);
  }
  QVERIFY2(dark > image.width() * 3 / 4, qPrintable(QString::number(dark)));
}

void MainWindowTest::xAxisButtonsChangeNothingOnScreen() {
  MainWindow main;
  const QImage before = main.find<PictureBox>("graphField")->surface().image();
  main.find<QPushButton>("btnNumberOnX")->click();
  QVERIFY(main.state.NumberOnX);
  main.find<QPushButton>("btnTimeOnX")->click();
  QVERIFY(!main.state.NumberOnX);
  QCOMPARE(main.find<PictureBox>("graphField")->surface().image(), before);
}

void MainWindowTest::closing_data() {
  QTest::addColumn<QString>("way");
  QTest::addColumn<bool>("othersOpen");
  for (const char* way : {"button", "menu", "title bar"}) {
    QTest::addRow("%s, other windows never opened", way) << way << false;
    QTest::addRow("%s, query dialog and full screen open", way) << way << true;
  }
}

void MainWindowTest::closing() {
  QFETCH(QString, way);
  QFETCH(bool, othersOpen);
  MainWindow main;
  QVERIFY(main.window.isVisible());
  if (othersOpen) {
    main.find<QLineEdit>("Text6")->setText("4");
    main.find<QPushButton>("btnCalculation")->click();
    main.find<QPushButton>("btnMaximized")->click();
    main.window.findChild<QAction*>(QStringLiteral("mnuSQLquery"))->trigger();
    QVERIFY(QApplication::topLevelWidgets().size() > 2);
  }
  if (way == QLatin1String("button"))
    main.find<QPushButton>("btnClose")->click();
  else if (way == QLatin1String("menu"))
    main.window.findChild<QAction*>(QStringLiteral("mnuExit"))->trigger();
  else
    main.window.close();
  QVERIFY(!main.window.isVisible());
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  for (QWidget* window : QApplication::topLevelWidgets()) QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
}

void MainWindowTest::enteredValueIsListed() {
  MainWindow main;
  auto* entry = main.find<QLineEdit>("Text6");
  entry->setText("1.5");
  QTest::keyClick(entry, Qt::Key_Return);  // Enter takes the value as Input does
  QCOMPARE(main.find<QListWidget>("List2")->item(0)->text(), QStringLiteral("1.5"));
  QVERIFY(main.find<QPushButton>("btnMaximized")->isEnabled());
  main.find<QPushButton>("btnReset")->click();
  QCOMPARE(main.find<QListWidget>("List1")->count(), 0);
  QVERIFY(entry->text().isEmpty());
}

// -1E17 made the chart's Y axis loop run for ever: the press must return (a hang times out).
void MainWindowTest::hugeNegativeValueIsListedAndDrawn() {
  MainWindow main;
  for (const char* text : {"5", "-1E17"}) {
    main.find<QLineEdit>("Text6")->setText(text);
    main.find<QPushButton>("btnCalculation")->click();
  }
  QCOMPARE(main.find<QListWidget>("List2")->item(1)->text(), QStringLiteral("-1E17"));
  const QImage image = main.find<PictureBox>("graphField")->surface().image().convertToFormat(QImage::Format_RGB32);
  const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
  QVERIFY(std::count(pixels, pixels + image.width() * image.height(), qRgb(0, 0, 255)) > 100);  // the line from 5 down
}

void MainWindowTest::queryDialogShowsSkeletonAndCaptions() {
  MainWindow main;
  QAction* menu = main.window.findChild<QAction*>(QStringLiteral("mnuSQLquery"));
  menu->trigger();
  auto* dialog = main.window.findChild<QDialog*>("frmDataBase");
  QVERIFY(dialog && dialog->isVisible() && !dialog->isModal());
  QCOMPARE(dialog->windowTitle(), QStringLiteral("SQL query"));
  QCOMPARE(dialog->findChild<QPushButton*>("btnSelect")->text(), QStringLiteral("SELECT query"));
  auto* text = dialog->findChild<QPlainTextEdit*>("txtQuery");
  QVERIFY(text->toPlainText().startsWith("SELECT Date, Time, number, Data  FROM GraphData WHERE Date = '' AND Time \nbetween"));
  text->setPlainText("SELECT 1");
  menu->trigger();  // already open: only brought forward
  QCOMPARE(main.window.findChildren<QDialog*>("frmDataBase").size(), 1);
  dialog->findChild<QPushButton*>("btnCancel")->click();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QVERIFY(!main.window.findChild<QDialog*>("frmDataBase"));
  menu->trigger();
  QCOMPARE(main.window.findChild<QPlainTextEdit*>("txtQuery")->toPlainText().left(6), QStringLiteral("SELECT"));
  QVERIFY(main.window.findChild<QPlainTextEdit*>("txtQuery")->toPlainText().contains("between '' and ''"));
}

void MainWindowTest::aboutBoxClosesByEveryKey_data() {
  QTest::addColumn<int>("key");
  QTest::newRow("Enter") << int(Qt::Key_Return);
  QTest::newRow("Esc") << int(Qt::Key_Escape);
  QTest::newRow("Close button") << 0;
}

void MainWindowTest::aboutBoxClosesByEveryKey() {
  QFETCH(int, key);
  MainWindow main;
  for (int showing = 0; showing < 2; ++showing) {  // created anew each time
    QStringList seen;
    QTimer::singleShot(0, [&] {
      auto* about = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      QVERIFY(about);
      seen << about->windowTitle() << about->findChild<QLabel*>("lblVersion")->text()
           << about->findChild<QLabel*>("lblTitle")->text() << about->findChild<QPushButton*>("cmdOK")->text();
      if (key)
        QTest::keyClick(about, Qt::Key(key));
      else
        about->findChild<QPushButton*>("cmdOK")->click();
    });
    main.window.findChild<QAction*>(QStringLiteral("mnuAbout"))->trigger();
    QCOMPARE(seen, (QStringList{"About Kelvane program", "Version 4.2.0", "Kelvane program", "Close"}));
    QVERIFY(!main.window.findChild<QDialog*>("frmAbout"));
  }
}

void MainWindowTest::helpMenuOpensTheHelpFileBesideTheProgram() {
  // The test lies beside the program, so the help file built with them is the one it opens.
  QVERIFY(QFile::exists(QCoreApplication::applicationDirPath() + "/English Help.chm"));
  MainWindow main;
  QAction* help = main.window.findChild<QAction*>(QStringLiteral("mnuHelpFile"));
  for (int opening = 0; opening < 2; ++opening) {  // a second Help brings the same window forward
    help->trigger();
    QList<QMainWindow*> helpWindows;
    for (QWidget* window : QApplication::topLevelWidgets())
      if (window->objectName() == QLatin1String("HelpWindow")) helpWindows << qobject_cast<QMainWindow*>(window);
    QCOMPARE(helpWindows.size(), 1);
    QVERIFY(helpWindows[0]->isVisible());
    auto* browser = helpWindows[0]->findChild<QTextBrowser*>("helpBrowser");
    QCOMPARE(browser->source().path(), QStringLiteral("/index.html"));
    QCOMPARE(browser->documentTitle(), QStringLiteral("Kelvane program Help"));
  }
  QVERIFY(!QApplication::activeModalWidget());  // the operator goes on working beside it
  main.window.close();
  for (QWidget* window : QApplication::topLevelWidgets()) QVERIFY(window->objectName() != QLatin1String("HelpWindow"));
}

QTEST_MAIN(MainWindowTest)
#include "tst_frmchart.moc"
