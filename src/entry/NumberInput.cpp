#include "NumberInput.h"

#include "chart/Single.h"
#include "state/RuntimeError.h"

#include <cmath>

namespace kelvane {

double typedDouble(const QString& text, const QLocale& locale) {
  QLocale strict(locale);
  strict.setNumberOptions(QLocale::RejectGroupSeparator);
  bool ok = false;
  const double value = strict.toDouble(text.trimmed(), &ok);
  // The conversion reports a number beyond a Double as failed, with an infinite result.
  if (!ok && std::isinf(value)) throw overflowError();
  // "inf" and "nan" convert too, but no operator measured them.
  if (!ok || !std::isfinite(value)) throw typeMismatchError();
  return value;
}

float typedSingle(const QString& text, const QLocale& locale) { return toSingle(typedDouble(text, locale)); }

}  // namespace kelvane
