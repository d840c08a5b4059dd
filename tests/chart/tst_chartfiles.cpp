#include "chart/ChartFiles.h"
#include "chart/ChartFonts.h"
#include "chart/Twips.h"
#include "handlers/RecentRecords.h"
#include "entry/CalculationStep.h"
#include "handlers/StoreAndForward.h"
#include "entry/SlidingWindow.h"
#include "handlers/MainWindowHandlers.h"
#include "state/RuntimeError.h"
#include "handlers/ExportAndPrint.h"
#include "support/EntryFixture.h"
#include "support/FakeWindows.h"
#include "support/MeasurementDatabase.h"
#include "support/TestEnvironment.h"

#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

using namespace kelvane;
using namespace kelvane::testing;

// Charts taken away as files: drawn anew, at the picture's own pixels or at their real size.
class ChartFilesTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { installChartFonts(); }
  void filesHoldTheChartOnThePicture_data();
  void filesHoldTheChartOnThePicture();
  void unwritableFileIsReportedAndLeftAway();
  void printedPageHoldsHeadingAndChart();
  void rowsFileHoldsTheRowsTheChartShows_data();
  void rowsFileHoldsTheRowsTheChartShows();

 private:
  QTemporaryDir folder_;
};

namespace {

// The main window's picture box at 96 dpi on a screen scaled to 200%, with a program that draws on it.
struct PaintedProgram {
  PaintedProgram() {
    test.env.logFilePath = folder.filePath("Logfile.txt");
    test.env.pendingRowsPath = folder.filePath("Pending rows.txt");
  }
  QTemporaryDir folder;
  TestEnvironment test;
  ProgramState state;
  PainterSurface picture{twipsToPixels(6855, 96), twipsToPixels(5895, 96), 2, 96, 2};
  FakeMainWindow window{picture};
  StoreAndForward store{test.env, window};
  Worker reader;
  Program program{state, test.env, window, store, reader};
};

struct AnsweringSaveChooser : SaveFileChooser {
  explicit AnsweringSaveChooser(QString path) : path(std::move(path)) {}
  std::optional<SaveChoice> chooseSaveFile(const QString&, const QStringList&) override { return SaveChoice{path, 0}; }
  QString path;
};

QString run(const QString& tool, const QStringList& arguments) {
  QProcess process;
  process.start(tool, arguments);
  process.waitForFinished();
  return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

void ChartFilesTest::filesHoldTheChartOnThePicture_data() {
  QTest::addColumn<QString>("chart");
  QTest::addColumn<int>("points");
  QTest::addColumn<QStringList>("labels");
  QTest::newRow("start-up chart") << "start" << 0 << QStringList{"-6", "14", "20"};
  QTest::newRow("live chart of 25 values") << "live" << 21 << QStringList{"24", "14:08:45"};
  QTest::newRow("recent rows") << "stored" << 21 << QStringList{"14:08:45", "05/12/2010"};
}

void ChartFilesTest::filesHoldTheChartOnThePicture() {
  QFETCH(QString, chart);
  QFETCH(int, points);
  QFETCH(QStringList, labels);
  PaintedProgram p;
  startMainWindow(p.program);
  for (int i = 1; chart == "live" && i <= 25; ++i) {
    p.window.entry = QString::number(i % 7);
    btnCalculation_Click(p.program);
  }
  SqliteMeasurementDatabase database(folder_.filePath(chart + ".db"));
  if (chart == "stored") {
    database.withGraphData();
    for (int n = 1; n <= 20; ++n) database.withRow(n, n / 3.0);
    p.state.DatabasePath = database.dataSource();
    btnSPRT_Click(p.program);
  }
  QVERIFY(p.test.messages.shown.isEmpty());
  const QString base = folder_.filePath(chart);
  for (ChartFileType type : {ChartFileType::Png, ChartFileType::Svg, ChartFileType::Pdf})
    exportChart(p.picture, base + QStringLiteral(".%1").arg(int(type)), type, p.test.env);

  QImage png(base + ".0", "PNG");
  png.setDevicePixelRatio(2);  // a file knows no screen, only its pixels
  QCOMPARE(png.convertToFormat(QImage::Format_RGB32), p.picture.image());

  QFile svgFile(base + ".1");
  QVERIFY(svgFile.open(QIODevice::ReadOnly));
  QXmlStreamReader svg(&svgFile);
  QStringList texts, strokes, seriesPoints;
  while (svg.readNext() != QXmlStreamReader::Invalid && !svg.atEnd()) {
    if (svg.isStartElement() && svg.name() == QLatin1String("g")) strokes.append(svg.attributes().value("stroke").toString());
    if (svg.isEndElement() && svg.name() == QLatin1String("g")) strokes.removeLast();
    if (svg.isStartElement() && svg.name() == QLatin1String("polyline") && strokes.last() == "#0000ff")
      seriesPoints.append(svg.attributes().value("points").toString().simplified());
    if (svg.isStartElement() && svg.name() == QLatin1String("text")) texts.append(svg.readElementText().trimmed());
  }
  QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
  QCOMPARE(seriesPoints.size(), points > 0 ? 1 : 0);
  if (points > 0) QCOMPARE(seriesPoints.first().split(' ').size(), points);
  for (const QString& label : labels) QVERIFY2(texts.contains(label), qPrintable(texts.join(' ')));

  const QString info = run("pdfinfo", {base + ".2"});
  QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(info));
  // 6855 by 5895 twips are 342.7 by 294.7 points; the page takes whole points.
  QVERIFY2(info.contains("Page size:       343 x 295 pts"), qPrintable(info));
  const QString text = run("pdftotext", {base + ".2", "-"});
  for (const QString& label : labels) QVERIFY2(text.contains(label), qPrintable(text));
}

void ChartFilesTest::unwritableFileIsReportedAndLeftAway() {
  PaintedProgram p;
  startMainWindow(p.program);
  const QString path = folder_.filePath("no such folder/chart.png");
  try {
    exportChart(p.picture, path, ChartFileType::Png, p.test.env);
    QFAIL("written where no folder is");
  } catch (const RuntimeError& error) {
    QCOMPARE(error.source(), path);
    QVERIFY(!error.description().isEmpty());
  }
  QVERIFY(QDir(folder_.path()).entryList(QDir::Files).filter("chart").isEmpty());
}

void ChartFilesTest::printedPageHoldsHeadingAndChart() {
  PaintedProgram p;
  startMainWindow(p.program);
  const QString path = folder_.filePath("printed.pdf");
  {
    QPdfWriter printer(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printChart(p.picture, printer, "Entries of the calculation run", p.test.env);
  }
  const QString text = run("pdftotext", {"-layout", path, "-"});
  QVERIFY2(text.indexOf("Entries of the calculation run") < text.indexOf("14"), qPrintable(text));
  QVERIFY(run("pdfinfo", {path}).contains(QRegularExpression("Pages:\\s+1\\n")));
}

// The values typed, stored by the program as Singles and exported from the lists or the recent
// rows: numbers with a point under either decimal separator, the stored Data as the Single the
// program stored. A file that cannot be written is reported and leaves nothing behind.
void ChartFilesTest::rowsFileHoldsTheRowsTheChartShows_data() {
  QTest::addColumn<QLocale>("locale");
  QTest::addColumn<bool>("stored");
  const QLocale british(QLocale::English, QLocale::UnitedKingdom), german(QLocale::German, QLocale::Germany);
  QTest::newRow("live chart: the lists") << british << false;
  QTest::newRow("live chart, decimal comma") << german << false;
  QTest::newRow("recent rows: as the database holds them") << british << true;
  QTest::newRow("recent rows, decimal comma") << german << true;
}

void ChartFilesTest::rowsFileHoldsTheRowsTheChartShows() {
  QFETCH(QLocale, locale);
  QFETCH(bool, stored);
  EntryFixture f(locale);
  SqliteMeasurementDatabase database(f.path("m.db"));
  f.state.DatabasePath = database.withGraphData().dataSource();
  QVERIFY(!rowsToExport(f.program));
  for (const char* typed : {"2.5", "1E3", " -0.125", "0.1"}) f.press(QString(typed).replace('.', locale.decimalPoint()));
  if (stored) btnSPRT_Click(f.program);
  AnsweringSaveChooser chooser(f.path("rows"));
  mnuExportRows_Click(f.program, chooser);
  QFile file(f.path("rows.csv"));
  QVERIFY(file.open(QIODevice::ReadOnly));
  QStringList lines = QString::fromUtf8(file.readAll()).split("\r\n");
  QCOMPARE(lines.takeLast(), QString());  // CR LF ends the last line too
  QCOMPARE(lines.takeFirst(), stored ? "Date,Time,number,Data" : "n,data,time stamp");
  const QList<QVariantList> rows = database.rows("SELECT Date, Time FROM GraphData ORDER BY number");
  const QStringList data{"2.5", "1000", "-0.125", "0.1"};
  QCOMPARE(lines.size(), data.size());
  for (int i = 0; i < data.size(); ++i) {
    const QString n = QString::number(i + 1);
    QCOMPARE(lines[i].split(','), stored ? QStringList({rows[i][0].toString(), rows[i][1].toString(), n, data[i]})
                                         : QStringList({n, data[i], f.window.List5[i]}));
  }
  QDir(f.folder.path()).mkdir("taken.csv");  // a folder where the file should go
  chooser.path = f.path("taken.csv");
  mnuExportRows_Click(f.program, chooser);
  QCOMPARE(f.test.messages.texts().value(0).section(' ', 0, 0), chooser.path);
  QCOMPARE(QDir(f.folder.path()).entryList(QDir::Files).filter("taken"), QStringList());
  QVERIFY(QFileInfo(chooser.path).isDir());
}

QTEST_MAIN(ChartFilesTest)
#include "tst_chartfiles.moc"
