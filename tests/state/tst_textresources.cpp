#include "state/TextResources.h"

#include <QtTest>

using namespace kelvane;

class TextResourcesTest : public QObject {
  Q_OBJECT

 private slots:
  // Each control asks for its own id, so ids that share a word today may differ in a translation.
  void textsOfLookAlikeIds_data() {
    QTest::addColumn<QList<int>>("ids");
    QTest::addColumn<QString>("text");
    QTest::newRow("Database button and Database menu") << QList<int>{30, 61} << "Database";
    QTest::newRow("Close button and the About box's Close") << QList<int>{32, 35} << "Close";
    QTest::newRow("SQL Query frame and menu item") << QList<int>{43, 63} << "SQL Query";
    QTest::newRow("Input's message, not Full screen's") << QList<int>{47}
                                                        << "Type mismatch or input error: only numeric data can be entered";
    QTest::newRow("Database button's message keeps its trailing blank")
        << QList<int>{49} << "Error of SQL query to database: first, select the Access database file. ";
  }
  void textsOfLookAlikeIds() {
    QFETCH(QList<int>, ids);
    QFETCH(QString, text);
    for (int id : ids) QCOMPARE(LoadResString(TextId(id)), text);
  }

  // Runs of blanks put each piece on a line of its own in the label; the last piece keeps its blank.
  void queryInstructionsKeepTheirLayout() {
    const QString text = LoadResString(TextId::QueryInstructions);
    const QRegularExpression layout("^Input the SQL query .+ you have to enter: {121}SELECT Date,Time, number, Data FROM GraphData"
                                    " {2}WHERE Date ='01\\.12\\.2005' .+ '14:10:45' {4}To correctly .+ period of time\\. $");
    QVERIFY2(text.size() == 490 && layout.match(text).hasMatch(), qPrintable(text));
    QVERIFY(!LoadResString(TextId::Attribution).contains(QLatin1Char('\n')));
  }

  // Every id has its German text, which differs from the English but for these names and numbers.
  void everyIdHasGerman() {
    const QList<int> sameInGerman{23 /* n */, 118 /* OK */, 162 /* Version %1 */, 175 /* English */, 176 /* Deutsch */};
    QStringList wrong;
    for (TextId id : textIds())
      if ((LoadResString(id, true) == LoadResString(id, false)) != sameInGerman.contains(int(id))) wrong << QString::number(int(id));
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(", ")));
  }

  // The captions of each window and each menu, which Alt and a letter reach: the main window's
  // own take in its menu bar's titles and the alarm banner's buttons.
  void accessKeysOfEachWindowAndMenu_data() {
    QTest::addColumn<QList<int>>("ids");
    QTest::newRow("main window") << QList<int>{20, 21, 30, 31, 32, 67, 68, 59, 61, 64, 192, 193};
    QTest::newRow("File menu") << QList<int>{66, 172, 90, 91, 92, 60};
    QTest::newRow("Database menu") << QList<int>{63, 80, 81, 110, 111, 130, 131, 194, 195, 196};
    QTest::newRow("Help menu") << QList<int>{64, 173, 65};
    QTest::newRow("Language menu") << QList<int>{174, 175, 176};
    QTest::newRow("SQL query") << QList<int>{44, 45};
    QTest::newRow("reading rows") << QList<int>{74};
    QTest::newRow("period") << QList<int>{83, 84, 85, 86, 87, 88, 82, 89, 241};
    QTest::newRow("leak test limits") << QList<int>{112, 113, 114, 115, 116, 117, 118, 119, 45};
    QTest::newRow("leak decisions") << QList<int>{32};
    QTest::newRow("summary") << QList<int>{132, 240};
    QTest::newRow("shelve the alarm") << QList<int>{198, 199, 200, 201, 202, 45};
    QTest::newRow("alarm journal") << QList<int>{83, 84, 132, 240};
  }
  // In either language each caption has one access key, none of them twice in a window or menu.
  void accessKeysOfEachWindowAndMenu() {
    QFETCH(QList<int>, ids);
    for (bool german : {false, true}) {
      showGerman(german);
      QString keys;
      for (int id : ids) {
        const QString caption = LoadCaption(TextId(id)).remove(QStringLiteral("&&"));
        const qsizetype at = caption.indexOf(QLatin1Char('&'));
        QVERIFY2(at >= 0 && at + 1 < caption.size() && caption.count(QLatin1Char('&')) == 1, qPrintable(caption));
        const QChar key = caption[at + 1].toLower();
        QVERIFY2(!keys.contains(key), qPrintable(QStringLiteral("%1 of %2 is taken").arg(key).arg(caption)));
        keys += key;
      }
    }
    showGerman(false);
  }

  // A caption marks at most one access key, and does so in German as in English.
  void germanCaptionsKeepTheirAccessKeys() {
    const auto marked = [](TextId id, bool german) {
      showGerman(german);
      return LoadCaption(id).remove(QStringLiteral("&&")).count(QLatin1Char('&'));
    };
    QStringList wrong;
    for (TextId id : textIds())
      if (marked(id, false) > 1 || marked(id, false) != marked(id, true)) wrong << QString::number(int(id));
    showGerman(false);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(", ")));
  }
};

QTEST_GUILESS_MAIN(TextResourcesTest)
#include "tst_textresources.moc"
