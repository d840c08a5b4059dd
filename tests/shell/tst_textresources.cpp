#include "shell/TextResources.h"

#include <QtTest>

using namespace kelvane;

class TextResourcesTest : public QObject {
  Q_OBJECT

 private slots:
  void texts_data();
  void texts();
  void queryInstructionsKeepTheirLayout();
};

void TextResourcesTest::texts_data() {
  QTest::addColumn<int>("id");
  QTest::addColumn<QString>("text");
  QTest::newRow("Input button") << 20 << "Input";
  QTest::newRow("Database button and menu share a word") << 30 << "Database";
  QTest::newRow("Database menu") << 61 << "Database";
  QTest::newRow("Close button") << 32 << "Close";
  QTest::newRow("About box's Close") << 35 << "Close";
  QTest::newRow("query frame") << 43 << "SQL Query";
  QTest::newRow("query menu") << 63 << "SQL Query";
  QTest::newRow("Help") << 64 << "Help";
  QTest::newRow("message of the Input button")
      << 47 << "Type mismatch or input error: only numeric data can be entered";
  QTest::newRow("message of the Database button keeps its blank")
      << 49 << "Error of SQL query to database: first, select the Access database file. ";
  QTest::newRow("query message") << 58 << "Error of SQL query: check the query syntax and input data.";
  QTest::newRow("file menu item") << 66 << "Select Database file...";
}

void TextResourcesTest::texts() {
  QFETCH(int, id);
  QFETCH(QString, text);
  QCOMPARE(LoadResString(TextId(id)), text);
}

void TextResourcesTest::queryInstructionsKeepTheirLayout() {
  const QString text = LoadResString(TextId::QueryInstructions);
  QCOMPARE(text.size(), 490);
  QVERIFY(text.endsWith(QStringLiteral("do not select too long period of time. ")));
  QVERIFY(text.contains(QString(121, QLatin1Char(' ')) + QStringLiteral("SELECT Date,Time, number, Data FROM GraphData  WHERE")));
  QVERIFY(text.contains(QStringLiteral("'14:10:45'    To correctly")));
  QVERIFY(!LoadResString(TextId::Attribution).contains(QLatin1Char('\n')));
}

QTEST_GUILESS_MAIN(TextResourcesTest)
#include "tst_textresources.moc"
