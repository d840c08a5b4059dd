#include "RuntimeError.h"

namespace kelvane {

namespace {
const QString kProgramSource = QStringLiteral("Kelvane program");
const QString kRecordsetSource = QStringLiteral("Recordset");
}

RuntimeError::RuntimeError(int number, QString source, QString description, Retry retry)
    : number_(number),
      source_(std::move(source)),
      description_(std::move(description)),
      retry_(retry),
      what_(QStringLiteral("%1 (%2): %3").arg(source_).arg(number_).arg(description_).toUtf8()) {}

RuntimeError overflowError() { return {ErrorNumber::Overflow, kProgramSource, QStringLiteral("Overflow")}; }
RuntimeError divisionByZeroError() {
  return {ErrorNumber::DivisionByZero, kProgramSource, QStringLiteral("Division by zero")};
}
RuntimeError typeMismatchError() {
  return {ErrorNumber::TypeMismatch, kProgramSource, QStringLiteral("Type mismatch")};
}
RuntimeError subscriptError() {
  return {ErrorNumber::SubscriptOutOfRange, kProgramSource, QStringLiteral("Subscript out of range")};
}
RuntimeError invalidArgumentError() {
  return {ErrorNumber::InvalidArgument, kProgramSource, QStringLiteral("Invalid procedure call or argument")};
}
RuntimeError invalidUseOfNullError() {
  return {ErrorNumber::InvalidUseOfNull, kProgramSource, QStringLiteral("Invalid use of Null")};
}

RuntimeError objectClosedError(const QString& source) {
  return {ErrorNumber::ObjectClosed, source, QStringLiteral("Operation is not allowed when the object is closed")};
}

RuntimeError outOfMemoryError() { return {ErrorNumber::OutOfMemory, kProgramSource, QStringLiteral("Out of memory")}; }

RuntimeError cancelledError() {
  return {ErrorNumber::OperationCancelled, kProgramSource, QStringLiteral("Operation has been cancelled by the user")};
}

RuntimeError unexpectedError(const QString& what) {
  return {ErrorNumber::Internal, kProgramSource, QStringLiteral("Internal error: %1").arg(what)};
}

RuntimeError itemNotFoundError(const QString& name) {
  return {ErrorNumber::ItemNotFound, kRecordsetSource,
          QStringLiteral("Item cannot be found in the collection corresponding to the requested name: %1").arg(name)};
}

RuntimeError noCurrentRecordError() {
  return {ErrorNumber::NoCurrentRecord, kRecordsetSource,
          QStringLiteral("Either BOF or EOF is True: there is no current record")};
}

}  // namespace kelvane
