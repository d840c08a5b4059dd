#pragma once

#include "ReadBudget.h"
#include "RegionalForms.h"
#include "RuntimeError.h"
#include "TextResources.h"

#include <QDateTime>
#include <QString>

namespace kelvane {

// The clock the handlers read; tests put the moment they need in its place.
class Clock {
 public:
  virtual ~Clock() = default;
  // The current date and time to the whole second, as every time stamp of the program carries it.
  virtual QDateTime now() const = 0;
};

class SystemClock : public Clock {
 public:
  QDateTime now() const override;
};

// A clock that shows the moment it is set to: for tests, and for pictures of the windows.
class SetClock : public Clock {
 public:
  explicit SetClock(QDateTime moment) : moment_(std::move(moment)) {}
  QDateTime now() const override { return moment_; }
  void set(QDateTime moment) { moment_ = std::move(moment); }

 private:
  QDateTime moment_;
};

enum class MessageIcon { Exclamation, None };

// Where the handlers' message boxes go: a modal box on screen, a list in tests.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void show(const QString& text, MessageIcon icon, const QString& title) = 0;
};

// Chooses the database file in a modal dialog and returns its full path. A cancelled dialog
// raises RuntimeError DialogCancelled.
class FileChooser {
 public:
  virtual ~FileChooser() = default;
  virtual QString chooseDatabaseFile() = 0;
};

// The title every message box carries unless it names its own.
QString applicationTitle();

// What the handlers take from the machine they run on.
struct Environment {
  const Clock& clock;
  RegionalForms regional;  // typed numbers, dates and times follow the regional settings
  MessageSink& messages;
  QString logFilePath = QStringLiteral("Logfile.txt");  // relative: the working directory
  QString pendingRowsPath = QStringLiteral("Pending rows.txt");  // beside the log
  ReadBudget readBudget = ReadBudget::ofThisMachine();  // what one read of rows may hold

  // A box with the exclamation icon and the application's title, as most messages are shown.
  void alert(const QString& text) const { messages.show(text, MessageIcon::Exclamation, applicationTitle()); }
  // The second box of the database handlers: "source-->description", no icon, titled "Error".
  void reportError(const QString& source, const QString& description) const {
    messages.show(source + QStringLiteral("-->") + description, MessageIcon::None, LoadResString(TextId::ErrorTitle));
  }
  // A database handler's failure: its own message, then the error's second box when it has a number.
  void reportFailure(const QString& text, const RuntimeError& error) const {
    alert(text);
    if (error.number() != 0) reportError(error.source(), error.description());
  }
};

}  // namespace kelvane
