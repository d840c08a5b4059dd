#include "RuntimeError.h"

namespace kelvane {

namespace {
const QString kProgramSource = QStringLiteral("Kelvane program");
}

RuntimeError::RuntimeError(int number, QString source, QString description, Cure cure)
    : number_(number),
      source_(std::move(source)),
      description_(std::move(description)),
      cure_(cure),
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

}  // namespace kelvane
