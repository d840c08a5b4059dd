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

};

QTEST_GUILESS_MAIN(TextResourcesTest)
#include "tst_textresources.moc"
