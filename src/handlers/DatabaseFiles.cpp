#include "DatabaseFiles.h"

#include "database/FileSelection.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace kelvane {

namespace {

// The dialog, noting the file it gave.
class NotingChooser : public FileChooser {
 public:
  explicit NotingChooser(FileChooser& dialog) : dialog_(dialog) {}
  QString chooseDatabaseFile() override { return chosen = dialog_.chooseDatabaseFile(); }
  QString chosen;

 private:
  FileChooser& dialog_;
};

// Gives the recent file as the dialog would have given it.
class RecentChooser : public FileChooser {
 public:
  explicit RecentChooser(QString path) : path_(std::move(path)) {}
  QString chooseDatabaseFile() override { return path_; }

 private:
  QString path_;
};

// Qt's file dialog tells a name that is not there with this text, which Qt's own translations
// carry (hence no mark for lupdate).
QString fileNotFound(const QString& path) {
  const char* const dialog = "QFileDialog";
  const char* const text = "%1\nFile not found.\nPlease verify the correct file name was given.";
  return QCoreApplication::translate(dialog, text).arg(QFileInfo(path).fileName());
}

void rememberFile(const Environment& env, ProgramSettings& settings, const QString& path, bool keep) {
  QStringList paths = settings.recentFiles();
  paths.removeAll(path);
  if (keep) paths.prepend(path);
  try {
    settings.setRecentFiles(paths.mid(0, kRecentFiles));
  } catch (const RuntimeError& error) {
    env.alert(LoadResString(TextId::NotKeptForNextRun).arg(error.sourceAndDescription()));
  }
}

}  // namespace

void mnuFileOpen_Click(Program& program, FileChooser& dialog, ProgramSettings& settings) {
  NotingChooser noting(dialog);
  stdFileOpen::SelectDatabaseFile(program.state, noting);
  if (!noting.chosen.isEmpty()) rememberFile(program.env, settings, noting.chosen, true);
}

void mnuRecent_Click(Program& program, const QString& path, ProgramSettings& settings) {
  const bool there = QFileInfo::exists(path);
  if (there) {
    RecentChooser recent(path);
    stdFileOpen::SelectDatabaseFile(program.state, recent);
  } else {
    program.env.messages.show(fileNotFound(path), MessageIcon::Exclamation, LoadResString(TextId::SelectDatabaseFileTitle));
  }
  rememberFile(program.env, settings, path, there);
}

}  // namespace kelvane
