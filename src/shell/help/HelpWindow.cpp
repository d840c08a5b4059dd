#include "HelpWindow.h"

#include "ChmFile.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QToolBar>

#include <memory>

namespace kelvane {

namespace {

const QString kScheme = QStringLiteral("chm");

QUrl topicUrl(const QString& pathInFile) {
  QUrl url;
  url.setScheme(kScheme);
  url.setPath(pathInFile);
  return url;
}

QString notFoundPage(const QString& chmPath) {
  const QString shown = QDir::toNativeSeparators(QFileInfo(chmPath).absoluteFilePath()).toHtmlEscaped();
  const QString title = HelpWindow::tr("Help file not found");
  return QStringLiteral("<html><head><title>%1</title></head><body><h2>%1</h2><p>%2</p><p><b>%3</b></p><p>%4</p></body></html>")
      .arg(title, HelpWindow::tr("The help file could not be opened:"), shown,
           HelpWindow::tr("It is looked for beside the program; reinstalling the program puts it back."));
}

}  // namespace

// Every page, style sheet and image comes out of the open help file under the chm: scheme, so
// that relative links resolve among the file's own pages.
class ChmBrowser : public QTextBrowser {
 public:
  explicit ChmBrowser(QWidget* parent) : QTextBrowser(parent) {}

  void open(std::unique_ptr<ChmFile> file) { chm_ = std::move(file); }

  QVariant loadResource(int type, const QUrl& name) override {
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    if (!chm_ || url.scheme() != kScheme) return {};
    if (std::optional<QByteArray> contents = chm_->read(url.path(QUrl::FullyDecoded))) return *contents;
    // A broken link shows as a page rather than as a blank window.
    if (type == QTextDocument::HtmlResource)
      return QStringLiteral("<html><body><h2>%1</h2><p>%2</p></body></html>")
          .arg(HelpWindow::tr("Topic not found"), HelpWindow::tr("The help file has no page %1.").arg(url.path().toHtmlEscaped()));
    return {};
  }

 protected:
  void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override {
    if (name.isValid() && !name.isRelative() && name.scheme() != kScheme) {
      QDesktopServices::openUrl(name);
      return;
    }
    QTextBrowser::doSetSource(name, type);
  }

 private:
  std::unique_ptr<ChmFile> chm_;
};

HelpWindow::HelpWindow(QWidget* parent) : QMainWindow(parent), browser_(new ChmBrowser(this)) {
  setObjectName(QStringLiteral("HelpWindow"));
  // The help viewer's own texts, translated in a context of their own as a viewer's would be.
  setWindowTitle(tr("Kelvane program Help"));
  browser_->setObjectName(QStringLiteral("helpBrowser"));
  setCentralWidget(browser_);

  QToolBar* navigation = addToolBar(tr("Navigation"));
  navigation->setObjectName(QStringLiteral("helpNavigation"));
  navigation->setMovable(false);
  QAction* back = navigation->addAction(tr("Back"), browser_, &QTextBrowser::backward);
  back->setObjectName(QStringLiteral("helpBack"));
  back->setShortcut(QKeySequence::Back);
  back->setEnabled(false);
  QAction* forward = navigation->addAction(tr("Forward"), browser_, &QTextBrowser::forward);
  forward->setObjectName(QStringLiteral("helpForward"));
  forward->setShortcut(QKeySequence::Forward);
  forward->setEnabled(false);
  contents_ = navigation->addAction(tr("Contents"), this, [this] { browser_->setSource(contentsPage_); });
  contents_->setObjectName(QStringLiteral("helpContents"));
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

  browser_->document()->setDocumentMargin(10);
  // Wide enough for the screenshots of the main window at their own size, where they are legible.
  resize(1020, 760);
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::showHelpFile(const QString& chmPath) {
  auto file = std::make_unique<ChmFile>(chmPath);
  const QString topic = file->isOpen() ? file->defaultTopic() : QString();
  const bool readable = file->isOpen() && file->read(topic).has_value();
  browser_->open(readable ? std::move(file) : nullptr);
  contentsPage_ = readable ? topicUrl(topic) : QUrl();
  contents_->setEnabled(readable);
  if (readable) {
    browser_->setSource(contentsPage_, QTextDocument::HtmlResource);
  } else {
    browser_->setHtml(notFoundPage(chmPath));
  }
  // The pages seen before belong to the file shown before.
  browser_->clearHistory();
  show();
  raise();
  activateWindow();
}

}  // namespace kelvane
