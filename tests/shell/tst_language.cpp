// Runs under LANG=de_DE.UTF-8, and starts its language as the program does.
#include "chart/ChartFonts.h"
#include "handlers/ChartPeriod.h"
#include "handlers/DatabaseFiles.h"
#include "shell/FileDialogChooser.h"
#include "shell/frmAbout.h"
#include "shell/frmChart.h"
#include "shell/frmChartMaximized.h"
#include "shell/frmDataBase.h"
#include "shell/frmDecisions.h"
#include "shell/frmLimits.h"
#include "shell/frmPeriod.h"
#include "support/EntryFixture.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

using namespace kelvane;
using namespace kelvane::testing;

Q_DECLARE_METATYPE(Language)

namespace {

// Every window of the program with the captions it shows on loading; the period dialog with its
// notice of a missing index.
struct Windows {
  explicit Windows(EntryFixture& f) : main(mainState, f.test.env) {
    main.Form_Load();
    auto* period = new frmPeriod(f.program, nullptr);
    period->setAttribute(Qt::WA_DeleteOnClose, false);
    period->showNotice(LoadResString(TextId::NoPeriodIndex));
    others.emplace_back(period);
    others.emplace_back(new frmDataBase(f.program, nullptr));
    others.emplace_back(new frmLimits(f.program, settings, nullptr));
    others.emplace_back(new frmDecisions(f.program, nullptr));
    others.emplace_back(new frmAbout(nullptr));
    others.emplace_back(new frmChartMaximized(f.test.env));
  }
  QList<QWidget*> all() {
    QList<QWidget*> windows{&main};
    for (auto& window : others) windows << window.get();
    return windows;
  }
  ProgramSettings settings;
  ProgramState mainState;
  frmChart main;
  std::vector<std::unique_ptr<QWidget>> others;
};

// The controls whose caption needs more room than the design gives them.
QStringList overflowing(const QWidget* window) {
  QStringList found;
  for (const QWidget* control : window->findChildren<QWidget*>()) {
    const auto* label = qobject_cast<const QLabel*>(control);
    const auto* box = qobject_cast<const QGroupBox*>(control);
    bool fits = true;
    if (label && label->wordWrap()) fits = label->heightForWidth(label->width()) <= label->height();
    else if (label || qobject_cast<const QAbstractButton*>(control)) fits = control->sizeHint().width() <= control->width();
    else if (box) fits = box->fontMetrics().horizontalAdvance(box->title()) + 2 * box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) <= box->width();
    if (!fits) found << window->objectName() + '/' + control->objectName();
  }
  return found;
}

// The access keys of each menu, and of each window with its menu bar, that some other control of
// it has too.
QStringList sharedAccessKeys(const QList<QWidget*>& windows) {
  QStringList shared;
  const auto keyOf = [](QString text) { return text.replace("&&", "").section('&', 1).left(1).toLower(); };
  const auto check = [&](const QString& where, const QStringList& texts) {
    QStringList keys;
    for (const QString& text : texts) keys << keyOf(text);
    keys.removeAll(QString());
    for (const QString& key : keys) if (keys.count(key) > 1) shared << where + ": " + key;
  };
  for (QWidget* window : windows) {
    QStringList texts;
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) texts << button->text();
    for (const QLabel* label : window->findChildren<QLabel*>()) if (label->buddy()) texts << label->text();
    if (auto* main = qobject_cast<QMainWindow*>(window))
      for (const QAction* menu : main->menuBar()->actions()) texts << menu->text();
    for (QMenu* menu : window->findChildren<QMenu*>()) {
      emit menu->aboutToShow();
      QStringList items;
      for (const QAction* item : menu->actions()) items << item->text();
      check(menu->objectName(), items);
    }
    check(window->objectName(), texts);
  }
  shared.removeDuplicates();
  return shared;
}

}  // namespace

class LanguageTest : public QObject {
  Q_OBJECT

  QTemporaryDir settingsFolder_;

 private slots:
  void initTestCase() {
    qputenv("XDG_CONFIG_HOME", settingsFolder_.path().toLocal8Bit());
    installChartFonts();
    QCOMPARE(QFontInfo(QFont("Tahoma")).family(), QStringLiteral("Tahoma"));  // the widths below are Tahoma's
    showGerman(showsGerman(ProgramSettings().language(), QLocale()));
    QVERIFY(germanShown());
  }

  // Shortened where needed, every German caption fits its control at the design's size; the
  // access keys of each window and each menu stay distinct in either language.
  void captionsFitAndKeysAreDistinct_data() {
    QTest::addColumn<bool>("german");
    QTest::newRow("German") << true;
    QTest::newRow("English") << false;
  }
  void captionsFitAndKeysAreDistinct() {
    QFETCH(bool, german);
    showGerman(german);
    EntryFixture f;
    Windows windows(f);
    QStringList tooSmall;
    for (QWidget* window : windows.all()) tooSmall << overflowing(window);
    showGerman(true);
    QVERIFY2(tooSmall.isEmpty(), qPrintable(tooSmall.join(", ")));
    const QStringList shared = sharedAccessKeys(windows.all());
    QVERIFY2(shared.isEmpty(), qPrintable(shared.join(", ")));
  }

  // Qt's own file dialog and message boxes speak German too; a recent file that is gone is refused
  // with the words the dialog uses for a name that is not there.
  void qtDialogsInGerman() {
    EntryFixture f;
    QStringList seen;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      seen << dialog->windowTitle() << dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open)->text()
           << dialog->findChild<QComboBox*>("fileTypeCombo")->itemText(0).section(' ', 0, 0);
      QTest::keyClicks(dialog->findChild<QLineEdit*>("fileNameEdit"), "gone.db");
      QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        seen << box->windowTitle() << box->text() << box->buttons().constFirst()->text();
        box->accept();
        dialog->reject();
      });
      QTest::keyClick(dialog->findChild<QLineEdit*>("fileNameEdit"), Qt::Key_Return);
    });
    QVERIFY_THROWS_EXCEPTION(RuntimeError, FileDialogChooser(nullptr).chooseDatabaseFile());
    ProgramSettings settings;
    mnuRecent_Click(f.program, QDir::current().filePath("gone.db"), settings);
    const RecordedMessages::Shown refused = f.test.messages.shown.value(0);
    QCOMPARE(seen, (QStringList{"Datenbankdatei auswählen", "&Öffnen", "Messwert-Datenbanken", "Datenbankdatei auswählen",
                                refused.text, "OK"}));
    QVERIFY2(refused.text.startsWith("gone.db\nDie Datei konnte nicht gefunden werden."), qPrintable(refused.text));
  }

  // Help > Language is kept for the next start and told in the language chosen: "as the system"
  // follows the regional settings.
  void languageItemRemembered_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QLocale>("regional");
    QTest::addColumn<Language>("kept");
    QTest::addColumn<QString>("told");
    const QLocale english(QLocale::English, QLocale::UnitedKingdom), german(QLocale::German, QLocale::Germany);
    const QString inGerman = "Das Programm zeigt die gewählte Sprache ab seinem nächsten Start.";
    const QString inEnglish = "The program shows the chosen language from its next start.";
    QTest::newRow("Deutsch under English settings") << "mnuLanguageGerman" << english << Language::German << inGerman;
    QTest::newRow("English under German settings") << "mnuLanguageEnglish" << german << Language::English << inEnglish;
    QTest::newRow("as the system, German") << "mnuLanguageSystem" << german << Language::System << inGerman;
    QTest::newRow("as the system, English") << "mnuLanguageSystem" << english << Language::System << inEnglish;
  }
  void languageItemRemembered() {
    QFETCH(QString, item);
    QFETCH(QLocale, regional);
    QFETCH(Language, kept);
    QFETCH(QString, told);
    TestEnvironment test(regional);
    ProgramState state;
    {
      frmChart window(state, test.env);
      window.findChild<QAction*>(item)->trigger();
    }
    QCOMPARE(ProgramSettings().language(), kept);
    QCOMPARE(test.messages.texts(), QStringList{told});
    QCOMPARE(test.messages.shown[0].title, told.startsWith("Das") ? "Kelvane-Programm" : "Kelvane program");
    frmChart restarted(state, test.env);  // shows what the file keeps
    emit restarted.findChild<QMenu*>("mnuHelp")->aboutToShow();
    QVERIFY(restarted.findChild<QAction*>(item)->isChecked());
  }

  // What others read stays the same whichever language the program shows: the log file's record
  // and the period dialog's query.
  void recordsOthersReadStayAsTheyAre() {
    QByteArrayList logs, queries;
    for (bool german : {false, true}) {
      showGerman(german);
      EntryFixture f;
      f.press("1.5");
      logs << f.log();
      queries << periodQuery({f.test.clock.now().addDays(-2), f.test.clock.now()}, f.test.env.regional).toUtf8();
    }
    QVERIFY(logs[0].contains("\"Probability ratio: 1.5\""));
    QCOMPARE(logs[1], logs[0]);
    QCOMPARE(queries[1], queries[0]);
  }
};

QTEST_MAIN(LanguageTest)
#include "tst_language.moc"
