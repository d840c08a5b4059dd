#include "chart/ChartFiles.h"
#include "chart/ChartFonts.h"
#include "chart/Twips.h"
#include "handlers/DatabaseButton.h"
#include "entry/CalculationStep.h"
#include "handlers/StoreAndForward.h"
#include "entry/SlidingWindow.h"
#include "handlers/MainWindowHandlers.h"
#include "state/RuntimeError.h"
#include "handlers/ChartPeriod.h"
#include "handlers/ExportAndPrint.h"
#include "handlers/RowsCsv.h"
#include "state/TextResources.h"
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
  void printedPageHoldsItsChart_data();
  void printedPageHoldsItsChart();
  void rowsFileHoldsTheRowsTheChartShows_data();
  void rowsFileHoldsTheRowsTheChartShows();
  void textCellsAreNeverFormulas_data();
  void textCellsAreNeverFormulas();

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
  EnteredValues entered;
  Program program{state, test.env, window, entered, store, reader};
};

struct AnsweringSaveChooser : SaveFileChooser {
  explicit AnsweringSaveChooser(QString path) : path(std::move(path)) {}
  std::optional<SaveChoice> chooseSaveFile(const QString&, const QStringList&) override { return SaveChoice{path, 0}; }
  QString path;
};

// Prints into a PDF file on paper of the size given, as the print dialog's "Print to file" does.
struct PdfPrinterChooser : PrinterChooser {
  std::unique_ptr<QPagedPaintDevice> choosePrinter() override {
    auto printer = std::make_unique<QPdfWriter>(path);
    printer->setPageLayout(page);
    return printer;
  }
  QString path;
  QPageLayout page;
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

// Four years of rows, one every 12 hours, charted as a period or by its query typed, printed on
// paper of each common size: a heading of one or two lines, then the chart as wide as the page.
// A page too small for the chart prints nothing and says so.
void ChartFilesTest::printedPageHoldsItsChart_data() {
  QTest::addColumn<QPageLayout>("page");
  QTest::addColumn<bool>("period");
  QTest::addColumn<QString>("heading");  // how it starts; empty: nothing printed
  const auto paper = [](QPageSize size, QPageLayout::Orientation turn = QPageLayout::Portrait) {
    return QPageLayout(size, turn, QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
  };
  const QString from = "Rows from 06/12/2022 00:00:00 to 06/12/2026 00:00:00 in ";
  QTest::newRow("four-year period on A4") << paper(QPageSize(QPageSize::A4)) << true << from;
  QTest::newRow("four-year period on Letter") << paper(QPageSize(QPageSize::Letter)) << true << from;
  QTest::newRow("four-year period on A4 across") << paper(QPageSize(QPageSize::A4), QPageLayout::Landscape) << true << from;
  QTest::newRow("its query typed, on Letter") << paper(QPageSize(QPageSize::Letter)) << false
                                               << "Rows of the query SELECT Date, Time, number, Data FROM (SELECT";
  QTest::newRow("a label too small for the chart") << paper(QPageSize(QSizeF(60, 40), QPageSize::Millimeter)) << true << "";
}

void ChartFilesTest::printedPageHoldsItsChart() {
  QFETCH(QPageLayout, page);
  QFETCH(bool, period);
  QFETCH(QString, heading);
  PaintedProgram p;
  startMainWindow(p.program);
  SqliteMeasurementDatabase database(folder_.filePath("years.db"));
  const Period years{QDateTime(QDate(2022, 12, 6), QTime(0, 0)), QDateTime(QDate(2026, 12, 6), QTime(0, 0))};
  if (!QFile::exists(database.dataSource())) {
    database.withGraphData().run("BEGIN");
    for (int n = 0; n < 2923; ++n) {
      const QDateTime at = years.from.addSecs(n * 43200);
      database.withRow(n + 1, 5 + std::sin(n / 50.0), at.toString("dd/MM/yyyy"), at.toString("HH:mm:ss"));
    }
    database.run("COMMIT");
  }
  p.state.DatabasePath = database.dataSource();
  QVERIFY(chartQuery(p.program, periodQuery(years, p.test.env.regional), period ? std::optional(years) : std::nullopt));
  PdfPrinterChooser chooser;
  chooser.path = p.folder.filePath("printed.pdf");
  chooser.page = page;
  mnuPrintChart_Click(p.picture, chooser, p.test.env);
  const QString refused = LoadResString(TextId::ChartNotPrinted).arg(LoadResString(TextId::PageTooSmall));
  QCOMPARE(p.test.messages.texts(), heading.isEmpty() ? QStringList{refused} : QStringList());
  QCOMPARE(QFile::exists(chooser.path), !heading.isEmpty());
  if (heading.isEmpty()) return;
  // The heading is drawn first: its lines come first, the moment printed ends them.
  const QStringList text = run("pdftotext", {"-raw", chooser.path, "-"}).split('\n');
  const int printed = int(text.indexOf(QRegularExpression(".*Printed \\S+ \\S+")));
  const QString head = text.mid(0, printed + 1).join('\n');
  QVERIFY2(head.startsWith(heading) && (printed == 0 || printed == 1) && head.contains(period ? " in " : "\u2026 in ")
               && head.contains("years.db"), qPrintable(head));
  // At one pixel a point, under the heading: lines across the printable width, the series in blue.
  run("pdftoppm", {"-png", "-r", "72", "-singlefile", chooser.path, p.folder.filePath("printed")});
  const QImage image = QImage(p.folder.filePath("printed.png")).convertToFormat(QImage::Format_RGB32);
  const QRect printable = page.paintRectPoints();
  QRect drawn;
  int blue = 0;
  for (int y = printable.top() + 40; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (qGray(pixel) < 200) drawn |= QRect(x, y, 1, 1);
      blue += qBlue(pixel) > 200 && qRed(pixel) < 100;
    }
  QVERIFY2(printable.adjusted(-1, -1, 1, 1).contains(drawn) && blue > 200, qPrintable(QStringLiteral("%1 blue").arg(blue)));
  QVERIFY(drawn.width() > printable.width() * 0.85 || page.orientation() == QPageLayout::Landscape);
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
  AnsweringSaveChooser chooser(f.path("rows.csv"));
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

namespace {

// A line as a spreadsheet splits it at the separator: quotes make a field only where they open it.
QStringList spreadsheetCells(const QString& line, QChar separator) {
  QStringList cells{QString()};
  bool quoted = false, opened = false;
  for (qsizetype i = 0; i < line.size(); ++i) {
    const QChar c = line[i];
    if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
      cells.last() += c;
      ++i;
    } else if (c == '"' && (quoted || !opened)) {
      quoted = !quoted;
    } else if (c == separator && !quoted) {
      cells.append(QString());
      opened = false;
      continue;
    } else {
      cells.last() += c;
    }
    opened = true;
  }
  return cells;
}

bool runsAsFormula(const QString& cell) {
  bool number = false;
  cell.toDouble(&number);
  return !number && !cell.isEmpty() && QString("=+-@\t\r").contains(cell.front());
}

}  // namespace

// Texts a collector wrote into Date and Time that a spreadsheet would run as formulas get an
// apostrophe before them, and so does each piece after a ';', where a spreadsheet under German
// regional settings starts a cell; numbers, negative ones too, are written as they are. Read
// either way, the line holds no formula, and split at commas it gives the cells back.
void ChartFilesTest::textCellsAreNeverFormulas_data() {
  QTest::addColumn<QString>("date");
  QTest::addColumn<QString>("time");
  QTest::addColumn<QString>("line");
  QTest::newRow("plain texts") << "05/12/2010" << "14:08:45" << "05/12/2010,14:08:45,-3,-1.5";
  QTest::newRow("formula, plus") << "=HYPERLINK(\"x\")" << "+1" << "\"'=HYPERLINK(\"\"x\"\")\",'+1,-3,-1.5";
  QTest::newRow("minus, at sign") << "-2+3" << "@SUM(A1)" << "'-2+3,'@SUM(A1),-3,-1.5";
  QTest::newRow("tab, carriage return") << "\t=1" << "\r=1" << "\"'\t=1\",\"'\r=1\",-3,-1.5";
  QTest::newRow("signs inside a text") << "1=1" << "2-3" << "1=1,2-3,-3,-1.5";
  QTest::newRow("formula after a semicolon")
      << "05/12/2010" << "x;=cmd|' /C calc'!A0;" << "05/12/2010,\"x;'=cmd|' /C calc'!A0;\",-3,-1.5";
  QTest::newRow("each piece, quotes before it")
      << "a;+1;b;@x" << "\"=1\";-2" << "\"a;'+1;b;'@x\",\"'\"\"=1\"\";'-2\",-3,-1.5";
  QTest::newRow("separators, tab inside") << "a;b" << "c\td,e" << "\"a;b\",\"c\td,e\",-3,-1.5";
}

void ChartFilesTest::textCellsAreNeverFormulas() {
  QFETCH(QString, date);
  QFETCH(QString, time);
  QFETCH(QString, line);
  auto columns = std::make_shared<RowColumns>();
  columns->date->appendText(columns->date->addText(date.toUtf8()));
  columns->time->appendText(columns->time->addText(time.toUtf8()));
  columns->number->appendNumber(-3);
  columns->data->appendNumber(-1.5);
  const QString written = QString::fromUtf8(storedRowsCsv({columns, 0, 1}, RegionalForms(QLocale::c()))).section("\r\n", 1, 1);
  QCOMPARE(written, line);
  const QStringList cells = spreadsheetCells(written, ',');
  QCOMPARE(cells.size(), 4);
  QCOMPARE(QString(cells[1]).remove('\''), QString(time).remove('\''));
  for (const QChar separator : {',', ';'})
    for (const QString& cell : spreadsheetCells(written, separator)) QVERIFY2(!runsAsFormula(cell), qPrintable(cell));
}

QTEST_MAIN(ChartFilesTest)
#include "tst_chartfiles.moc"
