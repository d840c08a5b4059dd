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

}  // namespace

class HelpWindowTest : public QObject {
  Q_OBJECT

 private slots:
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
    QTemporaryFile file;
    QVERIFY(file.open() && file.write(contents) == contents.size() && file.flush());
    const QString path = file.fileName() + (contents.isNull() ? ".missing" : "");
    const ChmFile chm(path);
    QCOMPARE((QVariantList{chm.isOpen(), chm.read("/index.html").has_value(), chm.defaultTopic()}),
             (QVariantList{false, false, "/index.html"}));
    HelpWindow window;
    window.showHelpFile(path);
    const QString shown = window.findChild<QTextBrowser*>("helpBrowser")->toPlainText();
    QVERIFY2(window.isVisible() && shown.startsWith("Help file not found") && shown.contains(QDir::toNativeSeparators(path)),
             qPrintable(shown));
    QVERIFY(!window.findChild<QAction*>("helpContents")->isEnabled());
  }

  // From the contents, every link reaches a page of the file (and a place in it, if it names one),
  // and every picture is the screenshot under docs/, or absent while it is not drawn yet.
  void everyLinkAndPictureIsInTheFile() {
    const ChmFile chm(kHelpFile);
    QList<QUrl> links{QUrl("chm:" + chm.defaultTopic())};  // every link met, in the order met
    QHash<QString, QStringList> anchors;                    // of each page reached
    for (qsizetype next = 0; next < links.size(); ++next) {
      const QString path = links[next].path();
      if (anchors.contains(path)) continue;
      QTextDocument page;  // left empty, and so not reached, if the file lacks it
      page.setHtml(QString::fromUtf8(chm.read(path).value_or("")));
      QCOMPARE(chm.read(path).value_or(""), docsFile("help" + path));
      for (QTextBlock block = page.begin(); block.isValid(); block = block.next())
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
          const QTextCharFormat format = fragment.fragment().charFormat();
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
    // Pictures are found by their bare names from any page.
    QCOMPARE(page->loadResource(QTextDocument::ImageResource, QUrl("main-window.png")).toByteArray(),
             docsFile("main-window.png"));
    // The first link, reached by Tab, is followed by Enter; Back returns.
    QTest::keyClick(page, Qt::Key_Tab);
    const QString href = page->textCursor().charFormat().anchorHref();
    QTest::keyClick(page, Qt::Key_Return);
    QCOMPARE(page->source().path(), '/' + href);
    QVERIFY(!page->documentTitle().isEmpty() && page->documentTitle() != "Kelvane program Help");
    back->trigger();
    QCOMPARE(page->source().path(), QStringLiteral("/index.html"));
    // A broken link shows a page that names it; Contents leads home from there.
    page->setSource(QUrl("chm:/no-such-page.html"));
    QVERIFY(page->toPlainText().startsWith("Topic not found") && page->toPlainText().contains("/no-such-page.html"));
    contents->trigger();
    QCOMPARE(shown(), (QStringList{"/index.html", "Kelvane program Help"}));
    // The file shown afresh forgets the pages seen before.
    window.showHelpFile(kHelpFile);
    QCOMPARE((QVariantList{page->documentTitle(), back->isEnabled(), contents->isEnabled()}),
             (QVariantList{"Kelvane program Help", false, true}));
  }
};

QTEST_MAIN(HelpWindowTest)
#include "tst_helpwindow.moc"
