#pragma once

#include <QString>
#include <exception>

namespace kelvane {

// Numbers of the run-time errors the handlers tell apart. They keep the values operators and
// the help file know from the original platform.
namespace ErrorNumber {
constexpr int InvalidArgument = 5;
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int SubscriptOutOfRange = 9;
constexpr int DivisionByZero = 11;
constexpr int FileAccess = 75;  // a file that cannot be opened or written
constexpr int TypeMismatch = 13;
constexpr int InvalidUseOfNull = 94;
constexpr int Internal = 51;  // a fault of the program itself: an exception no layer expected
constexpr int DialogCancelled = 32755;
constexpr int ItemNotFound = 3265;     // no field of that name in the record set
constexpr int NoCurrentRecord = 3021;  // BOF or EOF is True
constexpr int ObjectClosed = 3704;     // the record set or connection is closed
constexpr int NotUpdatable = 3251;     // the record set cannot take new rows
constexpr int OperationCancelled = 3712;  // the operator cancelled a read: never reported
constexpr int DatabaseEngine = -2147467259;  // the engine refused: its description says why
}  // namespace ErrorNumber

// Whether trying again later may succeed: a lock, a file or server out of reach, a full disk may
// pass; a missing table or a file that is no database will not.
enum class Retry { Never, Later };

// The run-time error of the platform: what failed (number), who raised it (source) and why
// (description). Thrown by the layers below the handlers and caught where a handler arms its trap.
// The database layer says whether a retry may succeed, from the engine's own code.
class RuntimeError : public std::exception {
 public:
  RuntimeError(int number, QString source, QString description, Retry retry = Retry::Never);

  int number() const { return number_; }
  const QString& source() const { return source_; }
  const QString& description() const { return description_; }
  bool worthRetrying() const { return retry_ == Retry::Later; }
  // "source (description)": how a message names what failed, such as a file, and why.
  QString sourceAndDescription() const { return QStringLiteral("%1 (%2)").arg(source_, description_); }
  const char* what() const noexcept override { return what_.constData(); }
  // The same failure told in other words.
  RuntimeError describedAs(QString description) const { return {number_, source_, std::move(description), retry_}; }

 private:
  int number_;
  QString source_;
  QString description_;
  Retry retry_;
  QByteArray what_;
};

// The errors that the program's own arithmetic and conversions raise.
RuntimeError overflowError();
RuntimeError divisionByZeroError();
RuntimeError typeMismatchError();
RuntimeError subscriptError();
RuntimeError invalidArgumentError();
RuntimeError invalidUseOfNullError();
RuntimeError objectClosedError(const QString& source);
RuntimeError outOfMemoryError();
RuntimeError cancelledError();
// An exception of another kind, which no caller expects: told as this error, with its text.
RuntimeError unexpectedError(const QString& what);
// The errors of reading a row's fields: a name the result does not have, no row at all.
RuntimeError itemNotFoundError(const QString& name);
RuntimeError noCurrentRecordError();

// Runs one step of a procedure that skips what fails: a run-time error ends the step and the
// procedure goes on with the next one. Tells whether the step ran through.
template <typename Step>
bool skipOnFailure(Step&& step) {
  try {
    step();
    return true;
  } catch (const RuntimeError&) {
    return false;
  }
}

}  // namespace kelvane
