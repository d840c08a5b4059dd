#include "chart/ChartFonts.h"
#include "shell/FileDialogChooser.h"
#include "shell/Layout.h"
#include "shell/PictureBox.h"
#include "shell/frmChart.h"
#include "state/TextResources.h"
#include "support/TestEnvironment.h"

#include <QtTest>
#include <QtWidgets>

using namespace kelvane;

namespace {

struct MainWindow {
  MainWindow() : window(test.env), services(state, test.env, window) {
    test.env.logFilePath = logFolder.filePath("Logfile.txt");
    window.Form_Load(services);
  }
  template <typename T = QWidget>
  T* find(const QString& name) const { return window.findChild<T*>(name); }
  // A button or a menu item, by name.
  void press(const QString& name) const {
    QMetaObject::invokeMethod(find<QObject>(name), find<QAction>(name) ? "trigger" : "click");
  }
  QImage chart() const { return find<PictureBox>("graphField")->surface().image(); }
  QTemporaryDir logFolder;
  testing::TestEnvironment test;
  ProgramState state;
  frmChart window;
  ProgramServices services;
};

// The windows on screen by name; the help window with the title of the page it shows.
QStringList windowsShown() {
  QStringList shown;
  for (const QWidget* window : QApplication::topLevelWidgets()) {
    const auto* page = window->findChild<QTextBrowser*>("helpBrowser");
    if (window->isVisible()) shown << window->objectName() + (page ? ": " + page->documentTitle() : QString());
  }
  shown.sort(Qt::CaseInsensitive);
  return shown;
}

// Where a control sits ("frame/name"), what a screen reader calls it, and its font if it matters.
struct Control { QString path, spoken, font = {}; };

}  // namespace

Q_DECLARE_METATYPE(Control)

class MainWindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir settingsFolder_;

 private slots:
  void initTestCase() {
    installChartFonts();
    qputenv("XDG_CONFIG_HOME", settingsFolder_.path().toLocal8Bit());  // the limits are kept there
  }

  // A few controls where a swapped id, a control in the wrong frame or menu, or a wrong font shows.
  void controls_data() {
    QTest::addColumn<Control>("control");
    QTest::newRow("Input button") << Control{"fraDataInput/btnCalculation", "Input", "Tahoma 9"};
    QTest::newRow("y before the entry box") << Control{"fraDataInput/Label19", "y", "Times New Roman 12 italic"};
    QTest::newRow("data heading") << Control{"fraResults/lblRandVar", "data"};
    QTest::newRow("chart frame") << Control{"/fraChart", "Chart", "Tahoma 9.75"};
    QTest::newRow("chart, read out by its frame's caption") << Control{"fraChart/graphField", "Chart"};
    QTest::newRow("Time on X button") << Control{"fraChart/btnTimeOnX", "Time on X"};
    QTest::newRow("Number on X button") << Control{"fraChart/btnNumberOnX", "Number on X"};
    QTest::newRow("clock's time") << Control{"fraChart/lblTime", "14:08:45"};
    QTest::newRow("Follow new rows, after SQL Query") << Control{"mnuDataHandling/mnuFollow", "Follow new rows"};
    QTest::newRow("Help menu") << Control{"/mnuHelp", "Help"};
    QTest::newRow("Help, help file") << Control{"mnuHelp/mnuHelpFile", "Help"};
  }
  void controls() {
    QFETCH(Control, control);
    MainWindow main;
    QObject* found = main.window.findChild<QObject*>(control.path.section('/', 1));
    QVERIFY2(found, qPrintable(control.path));
    QCOMPARE(found->parent()->objectName(), control.path.section('/', 0, 0));
    // Menu items have no accessible interface of their own; their text is read out without the access key's mark.
    const auto* item = qobject_cast<QAction*>(found);
    QCOMPARE(item ? item->text().remove('&') : QAccessible::queryAccessibleInterface(found)->text(QAccessible::Name), control.spoken);
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
    QVERIFY(!main.window.windowIcon().isNull());  // the icon's picture is built into the program
    // The chart's scale rests on the picture's size in twips; Time on X stands above Number on X.
    QCOMPARE(main.find("graphField")->size(), QSize(twipsOnScreen(6855), twipsOnScreen(5895)));
    QVERIFY(main.find("btnTimeOnX")->geometry().bottom() < main.find("btnNumberOnX")->y());
    const QImage image = main.chart();
    const int axisRow = int((5895 - (300 + 6 * 264.75)) * image.height() / 5895);
    int dark = 0;  // columns where the X axis crosses the picture at y = 0 in the axis colour, give or take a row
    for (int x = 0; x < image.width(); ++x)
      dark += std::min({qGray(image.pixel(x, axisRow - 1)), qGray(image.pixel(x, axisRow)), qGray(image.pixel(x, axisRow + 1))}) < 64;
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
      QTest::addRow("%s, query and period dialogs, full screen and help open", way) << closer << true;
    }
  }
  void closingUnloadsEveryWindow() {
    QFETCH(QString, closer);
    QFETCH(bool, othersOpen);
    MainWindow main;
    main.find<QLineEdit>("Text6")->setText("4");
    if (othersOpen)  // each opened twice: a second press only brings the window forward
      for (const char* opener : {"btnCalculation", "btnMaximized", "mnuSQLquery", "mnuPeriod", "mnuHelpFile"})
        for (int press = 0; press < 2; ++press) main.press(opener);
    QCOMPARE(windowsShown(), (othersOpen ? QStringList{"frmChart", "frmChartMaximized", "frmDataBase", "frmPeriod",
                                                       "HelpWindow: Kelvane program Help"}  // the file beside the program
                                         : QStringList{"frmChart"}));
    QVERIFY(!QApplication::activeModalWidget());
    closer.isEmpty() ? void(main.window.close()) : main.press(closer);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(windowsShown(), QStringList());
  }

  // -1E17 once hung the window in the Y axis pass.
  void enterInTheEntryBoxPressesInput() {
    MainWindow main;
    auto* entry = main.find<QLineEdit>("Text6");
    entry->setText("1.5");
    QTest::keyClick(entry, Qt::Key_Return);
    entry->setText("-1E17");
    QTest::keyClick(entry, Qt::Key_Return);
    QCOMPARE(main.find<QListWidget>("List2")->item(1)->text(), QStringLiteral("-1E17"));
    const QImage image = main.chart().convertToFormat(QImage::Format_RGB32);
    const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
    QVERIFY(std::count(pixels, pixels + image.width() * image.height(), qRgb(0, 0, 255)) > 100);  // the line down
    QVERIFY(main.find("btnMaximized")->isEnabled());
    main.press("btnReset");
    QVERIFY(main.find<QListWidget>("List1")->count() == 0 && entry->text().isEmpty());
  }

  // The keyboard alone: Alt and a menu's letter open the menu on its first item, which Return
  // chooses; Tab goes through a window in reading order. After each key: the menu open, or else
  // the control with the focus; a modal dialog leaves its title and is closed.
  void keyboardReachesEverything_data() {
    QTest::addColumn<QList<QKeyCombination>>("keys");
    QTest::addColumn<QStringList>("reached");
    using Keys = QList<QKeyCombination>;
    QTest::newRow("Alt+F, Return: the file dialog") << Keys{Qt::ALT | Qt::Key_F, Qt::Key_Return} << QStringList{"mnuFile", "Select Database file"};
    QTest::newRow("Alt+H, Return: the help") << Keys{Qt::ALT | Qt::Key_H, Qt::Key_Return} << QStringList{"mnuHelp", "helpBrowser"};
    QTest::newRow("Tab through the main window, Full screen not yet enabled") << Keys(10, Qt::Key_Tab) << QStringList{
        "btnCalculation", "btnReset", "btnSPRT", "btnTimeOnX", "btnNumberOnX", "btnClose", "List1", "List2", "List5", "Text6"};
    QTest::newRow("Alt+D, Return, Tab through the query dialog") << Keys{Qt::ALT | Qt::Key_D, Qt::Key_Return, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab}
                                                                 << QStringList{"mnuDataHandling", "txtQuery", "btnSelect", "btnCancel", "txtQuery"};
    QTest::newRow("Alt+D, P: the period dialog") << Keys{Qt::ALT | Qt::Key_D, Qt::Key_P} << QStringList{"mnuDataHandling", "dtFrom"};
  }
  void keyboardReachesEverything() {
    QFETCH(QList<QKeyCombination>, keys);
    QFETCH(QStringList, reached);
    MainWindow main;
    QVERIFY(QTest::qWaitForWindowActive(&main.window));  // with the focus in the entry box
    QStringList trail;
    const auto at = [] { return QApplication::activePopupWidget() ? QApplication::activePopupWidget() : QApplication::focusWidget(); };
    for (const QKeyCombination key : keys) {
      QTimer::singleShot(0, [&] { if (QWidget* modal = QApplication::activeModalWidget()) { trail << modal->windowTitle(); modal->close(); } });
      QTest::keyClick(at(), key.key(), key.keyboardModifiers());
      QApplication::processEvents();  // a window shown takes the focus
      if (at()) trail << at()->objectName();
    }
    QCOMPARE(trail, reached);
  }

  // Beyond its design size the full-screen picture keeps 240 twips (16 pixels) to the left, top and
  // right, the clock 225 twips below it, and its chart is drawn anew to the new edges; back at the
  // design size all is as it always was. The program's state stays as the Full screen button left it.
  void fullScreenPictureGrowsWithItsWindow() {
    MainWindow main;
    main.find<QLineEdit>("Text6")->setText("4");
    for (const char* button : {"btnCalculation", "btnMaximized"}) main.press(button);
    const float scaleX = main.window.graphField().LastChart()->frame.scaleX;
    auto* window = dynamic_cast<QWidget*>(&main.window.fullScreenWindow());
    auto* box = window->findChild<PictureBox*>("picMaximized");
    for (const auto& [client, picture] : {std::pair{QSize(1920, 1080), QRect(16, 16, 1888, 998)}, {QSize(1016, 715), QRect(16, 16, 689, 633)}}) {
      window->resize(client);
      window->grab();  // painted, so that the picture fits
      const QImage image = box->surface().image();
      // Where the axes' arrow tips are, 150 twips inside the right edge and 50 below the top.
      const QRect drawn = QRegion(QBitmap::fromImage(image.createMaskFromColor(qRgb(255, 255, 255), Qt::MaskInColor))).boundingRect();
      QCOMPARE((QVariantList{box->geometry(), box->surface().Width(), box->surface().Height(), window->findChild<QLabel*>("lblDate")->y(),
                             image.width() - drawn.right(), drawn.top(), main.window.graphField().LastChart()->frame.scaleX}),
               (QVariantList{picture, picture.width() * 15.0f, picture.height() * 15.0f, picture.bottom() + 16, 11, 3, scaleX}));
    }
  }

  // α and β typed fill in A and B; OK draws the limits on the chart and, beside the entry, the
  // decision of the newest value in red. Access keys stay distinct in the dialog and in the menu.
  void limitsDialog() {
    MainWindow main;
    main.find<QLineEdit>("Text6")->setText("5");
    main.press("btnCalculation");
    QString filled;
    QStringList keys;
    QTimer::singleShot(0, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      QTest::keyClicks(dialog->findChild<QLineEdit*>("txtAlpha"), "0.01");
      QTest::keyClicks(dialog->findChild<QLineEdit*>("txtBeta"), "0.01");
      filled = dialog->findChild<QLineEdit*>("txtLimitA")->text() + " " + dialog->findChild<QLineEdit*>("txtLimitB")->text();
      for (const QLabel* label : dialog->findChildren<QLabel*>()) keys << label->text().section('&', 1).left(1).toLower();
      for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) keys << button->text().section('&', 1).left(1).toLower();
      dialog->findChild<QPushButton*>("btnLimitsOK")->click();
    });
    main.press("mnuLimits");
    QCOMPARE(filled, QStringLiteral("4.59512 -4.59512"));
    QCOMPARE(keys.size(), QSet<QString>(keys.begin(), keys.end()).size());
    const auto* decision = main.find<QLabel>("lblDecision");
    QCOMPARE((std::pair{decision->text(), decision->palette().color(QPalette::WindowText)}),
             (std::pair{QStringLiteral("Leak: 5 reached A at 14:08:45"), QColor(200, 0, 0)}));
    const QImage after = main.chart().convertToFormat(QImage::Format_RGB32);
    const auto* pixels = reinterpret_cast<const QRgb*>(after.constBits());
    QVERIFY(std::count(pixels, pixels + after.width() * after.height(), qRgb(200, 0, 0)) > 200);  // the dashed line at A
    QStringList menuKeys;
    for (const QAction* item : main.find<QMenu>("mnuDataHandling")->actions()) if (!item->isSeparator()) menuKeys << item->text().section('&', 1).left(1).toLower();
    QCOMPARE(menuKeys, (QStringList{"s", "f", "p", "l", "d", "t", "m", "h", "u", "a", "o"}));
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

  // Where trend.png, rows.csv and Station 3.5.svg exist, a name typed without a suffix of the types
  // gets the chosen type's before the dialog asks about an existing file: the question names the
  // real file, only Yes chooses it.
  void saveDialogAsksAboutTheRealName_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("filter");  // chosen with the arrow key
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("asked");   // the file the question names; empty: none
    QTest::addColumn<QString>("chosen");  // empty: the dialog was cancelled
    QTest::newRow("PNG over trend.png, Yes") << "trend" << 0 << true << "trend.png" << "trend.png";
    QTest::newRow("PNG over trend.png, No") << "trend" << 0 << false << "trend.png" << "";
    QTest::newRow("SVG: trend.svg is new") << "trend" << 1 << false << "" << "trend.svg";
    QTest::newRow("CSV over rows.csv, Yes") << "rows" << 0 << true << "rows.csv" << "rows.csv";
    QTest::newRow("PNG: a dot, no suffix") << "Station 3.5" << 0 << false << "" << "Station 3.5.png";
    QTest::newRow("PNG: a name ending in a dot") << "Station 3." << 0 << false << "" << "Station 3.png";
    QTest::newRow("SVG over Station 3.5.svg, Yes") << "Station 3.5" << 1 << true << "Station 3.5.svg" << "Station 3.5.svg";
    QTest::newRow("PNG chosen, an SVG named") << "trend.svg" << 0 << false << "" << "trend.svg";
    QTest::newRow("CSV: a dot, no suffix") << "rows 2.5" << 0 << false << "" << "rows 2.5.csv";
  }
  void saveDialogAsksAboutTheRealName() {
    QFETCH(QString, typed);
    QFETCH(int, filter);
    QFETCH(bool, yes);
    QFETCH(QString, asked);
    QFETCH(QString, chosen);
    QTemporaryDir folder;
    for (const char* name : {"trend.png", "rows.csv", "Station 3.5.svg"}) QFile(folder.filePath(name)).open(QIODevice::WriteOnly);
    QObject scope;  // its timers end with this test, whatever the dialog did
    QString question;
    QTimer::singleShot(0, &scope, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      dialog->setDirectory(folder.path());
      for (int i = 0; i < filter; ++i) QTest::keyClick(dialog->findChild<QComboBox*>("fileTypeCombo"), Qt::Key_Down);
      QTest::keyClicks(dialog->findChild<QLineEdit*>("fileNameEdit"), typed);
      QTimer::singleShot(0, &scope, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
          question = box->text(), box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
      });
      QTest::keyClick(dialog->findChild<QLineEdit*>("fileNameEdit"), Qt::Key_Return);
      if (dialog->isVisible()) dialog->reject();  // after No it stays for another name
    });
    const TextId filters = typed.startsWith("rows") ? TextId::RowsFileFilter : TextId::ChartFileFilters;
    const auto choice = FileDialogChooser(nullptr).chooseSaveFile("Export", LoadResString(filters).split(";;"));
    QCOMPARE(question.section(" already exists", 0, 0), asked);
    QCOMPARE(choice ? QFileInfo(choice->path).fileName() : QString(), chosen);
  }
};

QTEST_MAIN(MainWindowTest)
#include "tst_frmchart.moc"
