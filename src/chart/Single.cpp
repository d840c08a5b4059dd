#include "Single.h"

#include "state/RuntimeError.h"

#include <cmath>
#include <limits>

namespace kelvane {

float toSingle(double value) {
  const float single = float(value);
  if (!std::isfinite(single)) throw overflowError();
  return single;
}

float singleProduct(double a, double b) { return toSingle(a * b); }

float singleQuotient(double a, double b) {
  if (b == 0) throw a == 0 ? overflowError() : divisionByZeroError();
  return toSingle(a / b);
}

float wholeFloor(double value) { return toSingle(std::floor(value)); }

int indexOf(float value) {
  const double rounded = std::nearbyint(double(value));
  if (!(rounded >= std::numeric_limits<int>::min() && rounded <= std::numeric_limits<int>::max()))
    throw overflowError();
  return int(rounded);
}

}  // namespace kelvane
