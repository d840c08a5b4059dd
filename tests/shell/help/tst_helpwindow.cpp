#include "shell/help/ChmFile.h"
#include "shell/help/HelpWindow.h"

#include <QtTest>
#include <QtWidgets>

using namespace kelvane;

namespace {

const QString kHelpFile = QStringLiteral(KELVANE_HELP_FILE);
const QString kDocs = QStringLiteral(KELVANE_DOCS_DIR);

QByteArray docsFile(const QString& path) {
  QFile file(kDocs + '/' + path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<QTextFragment> fragments(const QTextDocument& document) {
  QList<QTextFragment> found;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it) found << it.fragment();
  return found;
}

}  // namespace

class HelpWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void builtFileReads_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("page");  // under docs/help; none for a page not in the file
    QTest::newRow("from the root") << "/index.html" << "index.html";
    QTest::newRow("without the leading slash") << "index.html" << "index.html";
    QTest::newRow("through a dot segment") << "/pages/../log-file.html" << "log-file.html";
    QTest::newRow("not in the file") << "/no-such-page.html" << "";
  }
  void builtFileReads() {
    QFETCH(QString, path);
    QFETCH(QString, page);
    const ChmFile chm(kHelpFile);
    QCOMPARE((QVariantList{chm.isOpen(), chm.defaultTopic()}), (QVariantList{true, "/index.html"}));
    QCOMPARE(chm.read(path).value_or("none"), page.isEmpty() ? "none" : docsFile("help/" + page));
  }

  // Neither the reader nor the window trusts a file for its name; the window names what it missed.
  void filesThatAreNoHelpFile_data() {
    QTest::addColumn<QByteArray>("contents");  // null: no file at all
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("empty") << QByteArray("");
    QTest::newRow("text") << QByteArray("<html><body>Not compiled</body></html>\n");
    QTest::newRow("only the signature") << QByteArray("ITSF\x03\0\0\0", 8);
  }
  void filesThatAreNoHelpFile() {
    QFETCH(QByteArray, contents);
    QTemporaryDir folder;
    QFile file(folder.filePath("English Help.chm"));
    QVERIFY(contents.isNull() || (file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size()));
    file.close();
    const ChmFile chm(file.fileName());
    QCOMPARE((QVariantList{chm.isOpen(), chm.read("/index.html").has_value(), chm.defaultTopic()}),
             (QVariantList{false, false, "/index.html"}));
    HelpWindow window;
    window.showHelpFile(file.fileName());
    const QString shown = window.findChild<QTextBrowser*>("helpBrowser")->toPlainText();
    QVERIFY(window.isVisible());
    QVERIFY2(shown.startsWith("Help file not found") && shown.contains(QDir::toNativeSeparators(file.fileName())),
             qPrintable(shown));
  }

  // From the contents, every link reaches a page of the file (and a place in it, if it names one),
  // and every picture is the screenshot under docs/, or absent while it is not drawn yet.
  void everyLinkAndPictureIsInTheFile() {
    const ChmFile chm(kHelpFile);
    QList<QUrl> links{QUrl("chm:" + chm.defaultTopic())};  // every link met, in the order met
    QHash<QString, QStringList> anchors;                    // of each page reached
    for (qsizetype next = 0; next < links.size(); ++next) {
      const QString path = links[next].path();
      const std::optional<QByteArray> html = chm.read(path);
      if (!html || anchors.contains(path)) continue;
      QTextDocument page;
      page.setHtml(QString::fromUtf8(*html));
      for (const QTextFragment& fragment : fragments(page)) {
        const QTextCharFormat format = fragment.charFormat();
        anchors[path] << format.anchorNames();
        const QString name = format.isImageFormat() ? format.toImageFormat().name() : format.anchorHref();
        const QUrl target = links[next].resolved(QUrl(name));
        if (format.isImageFormat()) QCOMPARE(chm.read(target.path()).value_or(""), docsFile(target.fileName()));
        else if (!name.isEmpty() && target.scheme() == "chm") links << target;
      }
    }
    QStringList broken;
    for (const QUrl& link : links)
      if (!anchors.contains(link.path()) || (link.hasFragment() && !anchors[link.path()].contains(link.fragment())))
        broken << link.toString();
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join(", ")));
    QCOMPARE(anchors.size(), QDir(kDocs + "/help").entryList({"*.html"}).size());
  }

  void navigatingTheFile() {
    HelpWindow window;
    window.showHelpFile(kHelpFile);
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* page = window.findChild<QTextBrowser*>("helpBrowser");
    auto* back = window.findChild<QAction*>("helpBack");
    auto* contents = window.findChild<QAction*>("helpContents");
    const auto shown = [&] { return QStringList{page->source().path(), page->documentTitle()}; };
    QCOMPARE(shown(), (QStringList{"/index.html", "Kelvane program Help"}));
    QCOMPARE(window.windowTitle(), QStringLiteral("Kelvane program Help"));
    // Pictures are found by their bare names from any page.
    QCOMPARE(page->loadResource(QTextDocument::ImageResource, QUrl("main-window.png")).toByteArray(), docsFile("main-window.png"));
    // A click on the first link follows it; Back returns.
    const QList<QTextFragment> parts = fragments(*page->document());
    const auto link = std::find_if(parts.begin(), parts.end(), [](const auto& part) { return !part.charFormat().anchorHref().isEmpty(); });
    const QString href = link->charFormat().anchorHref();
    QTextCursor onLink(page->document());
    onLink.setPosition(link->position() + 1);
    QTest::mouseClick(page->viewport(), Qt::LeftButton, {}, page->cursorRect(onLink).center());
    QCOMPARE(page->source().path(), '/' + href);
    QVERIFY(!page->documentTitle().isEmpty() && page->documentTitle() != "Kelvane program Help");
    back->trigger();
    QCOMPARE(page->source().path(), QStringLiteral("/index.html"));
    // A broken link shows a page that names it; Contents leads home from there.
    page->setSource(QUrl("chm:/no-such-page.html"));
    QVERIFY(page->toPlainText().startsWith("Topic not found") && page->toPlainText().contains("/no-such-page.html"));
    contents->trigger();
    QCOMPARE(shown(), (QStringList{"/index.html", "Kelvane program Help"}));
    // Another file replaces the pages and their history.
    window.showHelpFile("/nonexistent/English Help.chm");
    QCOMPARE((QVariantList{page->toPlainText().left(19), back->isEnabled(), contents->isEnabled()}),
             (QVariantList{"Help file not found", false, false}));
    window.showHelpFile(kHelpFile);
    QCOMPARE((QVariantList{page->documentTitle(), back->isEnabled(), contents->isEnabled()}),
             (QVariantList{"Kelvane program Help", false, true}));
  }
};

QTEST_MAIN(HelpWindowTest)
#include "tst_helpwindow.moc"
