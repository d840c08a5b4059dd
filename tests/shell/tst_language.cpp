// Runs under LANG=de_DE.UTF-8 and starts its language as the program does.
#include "chart/ChartFonts.h"
#include "handlers/DatabaseFiles.h"
#include "shell/FileDialogChooser.h"
#include "shell/frmAbout.h"
#include "shell/frmAlarmJournal.h"
#include "shell/frmAlarmShelve.h"
#include "shell/frmChart.h"
#include "shell/frmDataBase.h"
#include "shell/frmDecisions.h"
#include "shell/frmLimits.h"
#include "shell/frmPeriod.h"
#include "shell/frmSummary.h"
#include "support/EntryFixture.h"

#include <QtTest>
#include <QtWidgets>

using namespace kelvane;

namespace {

// The controls whose caption needs more room than the design gives; the window (with its menu
// bar's titles) or menu where a caption lacks an access key (but the About box's Close) or two
// captions share one.
QStringList faultsOf(QWidget* window) {
  QStringList faults, texts;
  for (const QWidget* control : window->findChildren<QWidget*>()) {
    const auto* label = qobject_cast<const QLabel*>(control);
    if (label && label->wordWrap() ? label->heightForWidth(label->width()) > label->height()
        : (label || qobject_cast<const QAbstractButton*>(control) || qobject_cast<const QGroupBox*>(control)) &&
              control->minimumSizeHint().width() > control->width())
      faults << control->objectName() + " too small";
  }
  const auto checkKeys = [&](const QString& where, const QStringList& captions) {
    QStringList keys;
    for (QString text : captions)
      if (!text.isEmpty() && text != LoadResString(TextId::AboutCloseButton)) keys << text.remove("&&").section('&', 1).left(1).toLower();
    if (keys.contains(QString()) || keys.removeDuplicates() > 0) faults << where + "'s access keys";
  };
  for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) texts << button->text();
  for (const QLabel* label : window->findChildren<QLabel*>()) if (label->buddy()) texts << label->text();
  for (QMenu* menu : window->findChildren<QMenu*>()) {
    emit menu->aboutToShow();
    QStringList items;
    for (const QAction* item : menu->actions()) items << item->text();
    checkKeys(menu->objectName(), items);
    if (menu->parent() == window) texts << menu->title();
  }
  checkKeys(window->objectName(), texts);
  return faults;
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

  // In either language every caption of every window fits its control at the design's size, the
  // access keys stay distinct, and the log record that others read is the same.
  void captionsFitKeysDifferRecordsStay_data() {
    QTest::addColumn<bool>("german");
    QTest::newRow("German") << true;
    QTest::newRow("English") << false;
  }
  void captionsFitKeysDifferRecordsStay() {
    QFETCH(bool, german);
    showGerman(german);
    testing::EntryFixture f;
    ProgramSettings settings;
    frmChart main(f.test.env);
    ProgramServices services(f.state, f.test.env, main);
    main.Form_Load(services);
    QWidget dialogs;  // owns them
    auto* period = new frmPeriod(f.program, &dialogs);
    period->showNotice(LoadResString(TextId::NoPeriodIndex));
    auto* decisions = new frmDecisions(f.program, &dialogs);
    QStringList faults;
    for (QWidget* window : std::initializer_list<QWidget*>{&main, period, new frmDataBase(f.program, &dialogs), new frmAbout(&dialogs),
                                                         new frmLimits(f.program, settings, &dialogs), decisions,
                                                         new frmSummary(f.program, &dialogs), new frmAlarmShelve(f.program, &dialogs),
                                                         new frmAlarmJournal(f.program, &dialogs)})
      faults << faultsOf(window);
    // The decisions window's only button cancels nothing.
    const QList<QPushButton*> buttons = decisions->findChildren<QPushButton*>();
    QCOMPARE(buttons.size(), 1);
    QCOMPARE(buttons[0]->objectName() + " " + buttons[0]->text().remove('&'), "btnClose " + LoadResString(TextId::CloseButton));
    f.press("1.5");
    showGerman(true);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(", ")));
    QCOMPARE(f.log(), "\"Calculation: 1\",\"Current time: 05/12/2010 14:08:45\",\"Threshold A: 0\",\"Probability ratio: 1.5\"\r\n");
  }

  // Qt's file dialog and its message box speak German. The file chosen there heads the recent
  // files, which the next run offers newest first, eight at most; one chosen there is chosen as in
  // the dialog and goes to the top, one that is gone is refused in the dialog's own words and
  // leaves. Help > Language is kept for the next run too, and told in the language chosen.
  void keptForTheNextRun() {
    testing::EntryFixture f;
    const auto path = [&](int i) { return QFileInfo(f.path(QString("m%1.db").arg(i))).absoluteFilePath(); };
    ProgramSettings settings;
    for (int i = 1; i < 10; ++i) QFile(path(i)).open(QIODevice::WriteOnly), mnuRecent_Click(f.program, path(i), settings);
    QStringList seen;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
      seen << dialog->windowTitle() << dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open)->text();
      QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        seen << box->text() << box->buttons().constFirst()->text();
        box->accept();
      });
      for (const QString& typed : {f.path("gone.db"), path(4)}) name->setText(typed), QTest::keyClick(name, Qt::Key_Return);
    });
    FileDialogChooser chooser(nullptr);
    mnuFileOpen_Click(f.program, chooser, settings);
    {
      frmChart main(f.test.env);
      ProgramServices services(f.state, f.test.env, main);
      main.Form_Load(services);
      main.findChild<QAction*>("mnuLanguageEnglish")->trigger();
    }
    frmChart restarted(f.test.env);
    ProgramServices services(f.state, f.test.env, restarted);
    restarted.Form_Load(services);
    emit restarted.findChild<QMenu*>("mnuHelp")->aboutToShow();
    QVERIFY(restarted.findChild<QAction*>("mnuLanguageEnglish")->isChecked() && ProgramSettings().language() == Language::English);
    emit restarted.findChild<QMenu*>("mnuFile")->aboutToShow();
    QString offered;
    for (const QAction* item : restarted.findChild<QMenu*>("mnuRecent")->actions()) offered += item->text().left(3) + item->text().right(5);
    QCOMPARE(offered, "&1 m4.db&2 m9.db&3 m8.db&4 m7.db&5 m6.db&6 m5.db&7 m3.db&8 m2.db");
    restarted.findChild<QAction*>("mnuRecent_2")->trigger();
    QFile::remove(path(6));
    restarted.findChild<QAction*>("mnuRecent_4")->trigger();
    QCOMPARE(ProgramSettings().recentFiles(), (QStringList{path(8), path(4), path(9), path(7), path(5), path(3), path(2)}));
    QCOMPARE((QStringList{f.state.DatabasePath, seen.join('|')}),
             (QStringList{path(8), "Datenbankdatei auswählen|&Öffnen|gone.db\nDie Datei konnte nicht gefunden werden.\n"
                                   "Stellen Sie sicher, dass der Dateiname richtig ist.|OK"}));
    QCOMPARE(f.test.messages.shown.value(0).title, "Kelvane program");
    QCOMPARE(f.test.messages.texts(), (QStringList{"The program shows the chosen language from its next start.", seen[2].replace("gone.db", "m6.db")}));
  }
};

QTEST_MAIN(LanguageTest)
#include "tst_language.moc"
