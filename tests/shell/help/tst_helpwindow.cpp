#include "shell/help/ChmFile.h"
#include "shell/help/HelpWindow.h"

#include <QAction>
#include <QDir>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

using namespace kelvane;

namespace {

const QString kHelpFile = QStringLiteral(KELVANE_HELP_FILE);
const QString kDocs = QStringLiteral(KELVANE_DOCS_DIR);

QByteArray sourceBytes(const QString& pathUnderDocs) {
  QFile file(kDocs + QLatin1Char('/') + pathUnderDocs);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Anchor {
  QString href;
  int position;
};

QList<Anchor> anchors(const QTextDocument& document) {
  QList<Anchor> found;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (format.isAnchor() && !format.anchorHref().isEmpty())
        found.append({format.anchorHref(), it.fragment().position()});
    }
  }
  return found;
}

QStringList anchorNames(const QTextDocument& document) {
  QStringList names;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) names += it.fragment().charFormat().anchorNames();
  }
  return names;
}

// A file of the help file's name in folder, holding contents; none for null contents.
QString helpFileHolding(const QTemporaryDir& folder, const QByteArray& contents) {
  const QString path = folder.filePath(QStringLiteral("English Help.chm"));
  QFile file(path);
  if (!contents.isNull() && file.open(QIODevice::WriteOnly)) file.write(contents);
  return path;
}

QTextBrowser* browserOf(HelpWindow& window) { return window.findChild<QTextBrowser*>(QStringLiteral("helpBrowser")); }

}  // namespace

class HelpWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void builtFileReads_data();
  void builtFileReads();
  void filesThatAreNoHelpFile_data();
  void filesThatAreNoHelpFile();
  void opensOnTheContents();
  void everyLinkReachesATopic();
  void clickingALinkFollowsIt();
  void brokenLinkSaysSo();
  void screenshots_data();
  void screenshots();
  void notFoundPage_data();
  void notFoundPage();
  void anotherFileReplacesThePage();
};

void HelpWindowTest::builtFileReads_data() {
  QTest::addColumn<QString>("path");
  QTest::addColumn<QString>("source");
  QTest::newRow("from the root") << "/index.html" << "help/index.html";
  QTest::newRow("without the leading slash") << "index.html" << "help/index.html";
  QTest::newRow("through a dot segment") << "/pages/../log-file.html" << "help/log-file.html";
  QTest::newRow("style sheet") << "help.css" << "help/help.css";
  QTest::newRow("not in the file") << "/no-such-page.html" << QString();
}

void HelpWindowTest::builtFileReads() {
  QFETCH(QString, path);
  QFETCH(QString, source);
  const ChmFile chm(kHelpFile);
  QVERIFY2(chm.isOpen(), qPrintable(kHelpFile));
  QCOMPARE(chm.defaultTopic(), QStringLiteral("/index.html"));
  const std::optional<QByteArray> contents = chm.read(path);
  if (source.isEmpty()) {
    QVERIFY(!contents);
  } else {
    QVERIFY(contents);
    QCOMPARE(*contents, sourceBytes(source));
  }
}

void HelpWindowTest::filesThatAreNoHelpFile_data() {
  QTest::addColumn<QByteArray>("contents");  // null: no file at all
  QTest::newRow("missing") << QByteArray();
  QTest::newRow("empty") << QByteArray("");
  QTest::newRow("text") << QByteArray("<html><body>Not compiled</body></html>\n");
  QTest::newRow("only the signature") << QByteArray("ITSF\x03\0\0\0", 8);
}

void HelpWindowTest::filesThatAreNoHelpFile() {
  QFETCH(QByteArray, contents);
  QTemporaryDir folder;
  const QString path = helpFileHolding(folder, contents);
  const ChmFile chm(path);
  QVERIFY(!chm.isOpen());
  QVERIFY(!chm.read(QStringLiteral("/index.html")));
  QCOMPARE(chm.defaultTopic(), QStringLiteral("/index.html"));
}

void HelpWindowTest::opensOnTheContents() {
  HelpWindow window;
  window.showHelpFile(kHelpFile);
  QCOMPARE(window.windowTitle(), QStringLiteral("Kelvane program Help"));
  QVERIFY(window.isVisible());
  QTextBrowser* browser = browserOf(window);
  QVERIFY(browser);
  QCOMPARE(browser->source().path(), QStringLiteral("/index.html"));
  QCOMPARE(browser->documentTitle(), QStringLiteral("Kelvane program Help"));
  QVERIFY(browser->toPlainText().startsWith(QStringLiteral("Kelvane program Help")));
  QVERIFY(browser->toPlainText().contains(QStringLiteral("Contents")));
}

// Walks every page reachable from the contents: each link must name a page of the help file,
// and each link to a place in a page an anchor of that page.
void HelpWindowTest::everyLinkReachesATopic() {
  const ChmFile chm(kHelpFile);
  const auto parsed = [&chm](const QString& path) {
    auto document = std::make_unique<QTextDocument>();
    if (const std::optional<QByteArray> html = chm.read(path)) document->setHtml(QString::fromUtf8(*html));
    return document;
  };
  QStringList toVisit{chm.defaultTopic()};
  QSet<QString> visited;
  QStringList broken;
  while (!toVisit.isEmpty()) {
    const QString path = toVisit.takeFirst();
    if (visited.contains(path)) continue;
    visited.insert(path);
    const QUrl page(QStringLiteral("chm:") + path);
    for (const Anchor& link : anchors(*parsed(path))) {
      const QUrl target = page.resolved(QUrl(link.href));
      if (target.scheme() != page.scheme()) continue;
      if (!chm.read(target.path())) {
        broken.append(path + QStringLiteral(" → ") + link.href);
        continue;
      }
      toVisit.append(target.path());
      if (target.hasFragment() && !anchorNames(*parsed(target.path())).contains(target.fragment()))
        broken.append(path + QStringLiteral(" → ") + link.href);
    }
  }
  QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QStringLiteral(", "))));
  const QStringList pages = QDir(kDocs + QStringLiteral("/help")).entryList({QStringLiteral("*.html")});
  QCOMPARE(visited.size(), pages.size());
}

void HelpWindowTest::clickingALinkFollowsIt() {
  HelpWindow window;
  window.showHelpFile(kHelpFile);
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QTextBrowser* browser = browserOf(window);
  const QList<Anchor> links = anchors(*browser->document());
  QVERIFY(!links.isEmpty());
  const Anchor& first = links.first();

  QTextCursor cursor(browser->document());
  cursor.setPosition(first.position + 1);
  const QPoint onLink = browser->cursorRect(cursor).center();
  QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, onLink);
  QCOMPARE(browser->source().path(), QLatin1Char('/') + first.href);
  QVERIFY(!browser->documentTitle().isEmpty());
  QVERIFY(browser->documentTitle() != QStringLiteral("Kelvane program Help"));

  auto* back = window.findChild<QAction*>(QStringLiteral("helpBack"));
  QVERIFY(back && back->isEnabled());
  back->trigger();
  QCOMPARE(browser->source().path(), QStringLiteral("/index.html"));
}

void HelpWindowTest::brokenLinkSaysSo() {
  HelpWindow window;
  window.showHelpFile(kHelpFile);
  QTextBrowser* browser = browserOf(window);
  browser->setSource(QUrl(QStringLiteral("chm:/no-such-page.html")));
  QVERIFY(browser->toPlainText().startsWith(QStringLiteral("Topic not found")));
  QVERIFY(browser->toPlainText().contains(QStringLiteral("/no-such-page.html")));
}

void HelpWindowTest::screenshots_data() {
  QTest::addColumn<QString>("name");
  for (const char* name : {"main-window", "live-chart", "recent-records", "query-chart", "full-screen", "query-dialog",
                           "about-box", "help-window"}) {
    const QString file = QString::fromLatin1(name) + QStringLiteral(".png");
    QTest::newRow(name) << file;
  }
}

// A screenshot drawn under docs/ is in the help file, found by its bare name from any page;
// one not drawn yet is simply absent.
void HelpWindowTest::screenshots() {
  QFETCH(QString, name);
  HelpWindow window;
  window.showHelpFile(kHelpFile);
  QTextBrowser* browser = browserOf(window);
  browser->setSource(QUrl(QStringLiteral("chm:/chart.html")));
  const QVariant resource = browser->loadResource(QTextDocument::ImageResource, QUrl(name));
  const QImage drawn(kDocs + QLatin1Char('/') + name);
  if (drawn.isNull()) {
    QVERIFY(!resource.isValid());
  } else {
    QCOMPARE(QImage::fromData(resource.toByteArray()), drawn);
  }
}

void HelpWindowTest::notFoundPage_data() {
  QTest::addColumn<QByteArray>("contents");  // null: no file at all
  QTest::newRow("missing file") << QByteArray();
  QTest::newRow("text file") << QByteArray("Kelvane program Help\n");
}

void HelpWindowTest::notFoundPage() {
  QFETCH(QByteArray, contents);
  QTemporaryDir folder;
  const QString path = helpFileHolding(folder, contents);
  HelpWindow window;
  window.showHelpFile(path);
  QVERIFY(window.isVisible());
  const QString shown = browserOf(window)->toPlainText();
  QVERIFY2(shown.startsWith(QStringLiteral("Help file not found")), qPrintable(shown));
  QVERIFY2(shown.contains(QDir::toNativeSeparators(path)), qPrintable(shown));
}

void HelpWindowTest::anotherFileReplacesThePage() {
  HelpWindow window;
  QTextBrowser* browser = browserOf(window);
  auto* back = window.findChild<QAction*>(QStringLiteral("helpBack"));
  auto* contents = window.findChild<QAction*>(QStringLiteral("helpContents"));
  window.showHelpFile(kHelpFile);
  window.showHelpFile(QStringLiteral("/nonexistent/English Help.chm"));
  QVERIFY(browser->toPlainText().startsWith(QStringLiteral("Help file not found")));
  QVERIFY(!back->isEnabled());
  QVERIFY(!contents->isEnabled());

  window.showHelpFile(kHelpFile);
  QCOMPARE(browser->documentTitle(), QStringLiteral("Kelvane program Help"));
  QVERIFY(!back->isEnabled());
  browser->setSource(QUrl(QStringLiteral("chm:/menus.html")));
  contents->trigger();
  QCOMPARE(browser->source().path(), QStringLiteral("/index.html"));
}

QTEST_MAIN(HelpWindowTest)
#include "tst_helpwindow.moc"
