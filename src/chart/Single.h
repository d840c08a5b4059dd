#pragma once

// Single-precision arithmetic that fails as the platform's does: a result beyond the range of a
// Single, or no number at all, raises Overflow; a division by zero raises DivisionByZero.

namespace kelvane {

// Rounds a Double to a Single.
float toSingle(double value);

float singleProduct(double a, double b);
float singleQuotient(double a, double b);

// Int(): the largest whole number not above the value (Int(2.7) = 2, Int(-2.3) = -3), kept as a
// Single; beyond the Single's range it raises Overflow.
float wholeFloor(double value);

// The whole number a Single index stands for: rounded to the nearest, ties to even.
int indexOf(float value);

}  // namespace kelvane
