#pragma once

#include <QLocale>
#include <QString>

namespace kelvane {

// A typed text as a number under the regional settings: blanks around the number, the regional
// decimal separator and exponents are accepted; digit grouping is not, so that "1.5" under a
// decimal comma is no number rather than 15. An empty or non-numeric text raises TypeMismatch,
// a number too large for the type Overflow.
double typedDouble(const QString& text, const QLocale& locale);
float typedSingle(const QString& text, const QLocale& locale);

}  // namespace kelvane
