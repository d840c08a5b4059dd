#include "chart/ChartFonts.h"
#include "shell/Layout.h"
#include "shell/PictureBox.h"
#include "shell/frmChart.h"
#include "support/TestEnvironment.h"

#include <QtTest>
#include <QtWidgets>

using namespace kelvane;

namespace {

struct MainWindow {
  MainWindow() : window(state, test.env) {
    test.env.logFilePath = logFolder.filePath("Logfile.txt");
    window.Form_Load();
  }
  template <typename T = QWidget>
  T* find(const QString& name) const { return window.findChild<T*>(name); }
  // A button or a menu item, by name.
  void press(const QString& name) const {
    if (auto* item = find<QAction>(name)) item->trigger();
    else find<QPushButton>(name)->click();
  }
  QImage chart() const { return find<PictureBox>("graphField")->surface().image(); }
  QTemporaryDir logFolder;
  testing::TestEnvironment test;
  ProgramState state;
  frmChart window;
};

QStringList windowsShown() {
  QStringList names;
  for (const QWidget* window : QApplication::topLevelWidgets())
    if (window->isVisible()) names << window->objectName();
  names.sort(Qt::CaseInsensitive);
  return names;
}

// Where a control sits ("frame/name"), what a screen reader calls it, its design rectangle and font.
struct Control { QString path, spoken; QRect twips; QString font; };

}  // namespace

Q_DECLARE_METATYPE(Control)

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { installChartFonts(); }

  // A few controls where a swapped id, a control in the wrong frame or menu, or a wrong font shows.
  void controls_data() {
    QTest::addColumn<Control>("control");
    QTest::newRow("Input button") << Control{"fraDataInput/btnCalculation", "Input", {5880, 960, 1215, 375}, "Tahoma 9"};
    QTest::newRow("data heading") << Control{"fraResults/lblRandVar", "data", {840, 240, 975, 495}};
    QTest::newRow("chart, read out by its frame's caption") << Control{"fraChart/graphField", "Chart", {480, 840, 6855, 5895}};
    QTest::newRow("Time on X button") << Control{"fraChart/btnTimeOnX", "Time on X", {7560, 5280, 1215, 375}};
    QTest::newRow("Number on X button") << Control{"fraChart/btnNumberOnX", "Number on X", {7560, 5760, 1215, 375}};
    QTest::newRow("chart frame") << Control{"/fraChart", "Chart", {5160, 2880, 9015, 7335}, "Tahoma 9.75"};
    QTest::newRow("y before the entry box") << Control{"fraDataInput/Label19", "y", {}, "Times New Roman 12 italic"};
    QTest::newRow("clock's time") << Control{"fraChart/lblTime", "14:08:45", {3000, 6840, 975, 375}};
    QTest::newRow("Help menu") << Control{"/mnuHelp", "Help"};
    QTest::newRow("Help, help file") << Control{"mnuHelp/mnuHelpFile", "Help"};
  }
  void controls() {
    QFETCH(Control, control);
    MainWindow main;
    QObject* found = main.window.findChild<QObject*>(control.path.section('/', 1));
    QVERIFY2(found, qPrintable(control.path));
    QCOMPARE(found->parent()->objectName(), control.path.section('/', 0, 0));
    // Menu items have no accessible interface of their own; their text is what is read out.
    const auto* item = qobject_cast<QAction*>(found);
    QCOMPARE(item ? item->text() : QAccessible::queryAccessibleInterface(found)->text(QAccessible::Name), control.spoken);
    const QRect& t = control.twips;
    if (!t.isNull())
      QCOMPARE(qobject_cast<QWidget*>(found)->geometry(),
               QRect(twipsOnScreen(t.x()), twipsOnScreen(t.y()), twipsOnScreen(t.width()), twipsOnScreen(t.height())));
    const QFont font = found->property("font").value<QFont>();
    if (!control.font.isEmpty())
      QCOMPARE(QStringLiteral("%1 %2%3").arg(font.family()).arg(font.pointSizeF()).arg(font.italic() ? " italic" : ""),
               control.font);
  }

  void startUpShowsTheEmptyChart() {
    MainWindow main;
    QCOMPARE((QVariantList{main.window.windowTitle(), main.state.LiveChart, main.state.LastEntryMoment,
                           main.find("btnMaximized")->isEnabled(), main.find("lblTime")->isVisible()}),
             (QVariantList{"Kelvane program", true, main.test.clock.now(), false, true}));
    // The X axis crosses the picture in the axis colour at y = 0.
    const QImage image = main.chart();
    const int axisRow = int((5895 - (300 + 6 * 264.75)) * image.height() / 5895);
    int dark = 0;
    for (int row = axisRow - 1; row <= axisRow + 1; ++row)
      for (int x = 0, inRow = 0; x < image.width(); ++x) dark = std::max(dark, inRow += qGray(image.pixel(x, row)) < 64);
    QVERIFY2(dark > image.width() * 3 / 4, qPrintable(QString::number(dark)));
    // The X-axis buttons only choose the labels of the next stored chart.
    main.press("btnNumberOnX");
    const bool numberOnX = main.state.NumberOnX;
    main.press("btnTimeOnX");
    QCOMPARE((QVariantList{numberOnX, main.state.NumberOnX, main.chart()}), (QVariantList{true, false, image}));
  }

  void closingUnloadsEveryWindow_data() {
    QTest::addColumn<QString>("closer");  // empty: the title bar
    QTest::addColumn<bool>("othersOpen");
    for (auto [way, closer] : {std::pair{"Close button", "btnClose"}, {"File, Exit", "mnuExit"}, {"title bar", ""}}) {
      QTest::addRow("%s, other windows never opened", way) << closer << false;
      QTest::addRow("%s, query dialog, full screen and help open", way) << closer << true;
    }
  }
  void closingUnloadsEveryWindow() {
    QFETCH(QString, closer);
    QFETCH(bool, othersOpen);
    MainWindow main;
    main.find<QLineEdit>("Text6")->setText("4");
    // Each of the other windows opened twice: a second press only brings it forward.
    for (const char* opener : {"btnCalculation", "btnMaximized", "mnuSQLquery", "mnuHelpFile"})
      for (int press = 0; othersOpen && press < 2; ++press) main.press(opener);
    QCOMPARE(windowsShown(), (othersOpen ? QStringList{"frmChart", "frmChartMaximized", "frmDataBase", "HelpWindow"}
                                         : QStringList{"frmChart"}));
    QVERIFY(!QApplication::activeModalWidget());
    closer.isEmpty() ? void(main.window.close()) : main.press(closer);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(windowsShown(), QStringList());
  }

  void enterInTheEntryBoxPressesInput() {
    MainWindow main;
    auto* entry = main.find<QLineEdit>("Text6");
    entry->setText("1.5");
    QTest::keyClick(entry, Qt::Key_Return);
    QCOMPARE(main.find<QListWidget>("List2")->item(0)->text(), QStringLiteral("1.5"));
    QVERIFY(main.find("btnMaximized")->isEnabled());
    main.press("btnReset");
    QVERIFY(main.find<QListWidget>("List1")->count() == 0 && entry->text().isEmpty());
  }

  void queryDialogKeepsTheOperatorsText() {
    MainWindow main;
    main.press("mnuSQLquery");
    auto* query = main.find<QPlainTextEdit>("txtQuery");
    QVERIFY(query->toPlainText().contains("AND Time \nbetween '' and ''"));  // the skeleton, on lines of the editor
    query->setPlainText("SELECT 1");
    main.press("mnuSQLquery");
    QCOMPARE(query->toPlainText(), QStringLiteral("SELECT 1"));
    main.press("btnCancel");
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!main.find<QDialog>("frmDataBase"));  // the next one starts afresh
  }

  void aboutBoxClosesByEveryKey_data() {
    QTest::addColumn<int>("key");  // 0: the Close button
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
    QTest::newRow("Close button") << 0;
  }
  void aboutBoxClosesByEveryKey() {
    QFETCH(int, key);
    MainWindow main;
    for (int showing = 0; showing < 2; ++showing) {  // created anew each time
      QString version;
      QTimer::singleShot(0, [&] {
        QWidget* about = QApplication::activeModalWidget();
        version = about->findChild<QLabel*>("lblVersion")->text();
        key ? QTest::keyClick(about, Qt::Key(key)) : about->findChild<QPushButton*>("cmdOK")->click();
      });
      main.press("mnuAbout");
      QCOMPARE(version, QStringLiteral("Version 4.2.0"));
      QVERIFY(!main.find<QDialog>("frmAbout"));
    }
  }

  void helpMenuShowsTheHelpFileBesideTheProgram() {
    MainWindow main;
    main.press("mnuHelpFile");
    // The test lies beside the program, so the help file built with them is the one shown.
    QString title;
    for (const QWidget* window : QApplication::topLevelWidgets())
      if (const auto* page = window->findChild<QTextBrowser*>("helpBrowser")) title = page->documentTitle();
    QCOMPARE(title, QStringLiteral("Kelvane program Help"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "tst_frmchart.moc"
