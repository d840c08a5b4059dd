#pragma once

#include <QString>

#include <optional>

namespace kelvane {

class RegionalForms;

// What the charted values are: the natural logarithm of the leak test's probability ratio, or the
// ratio itself.
enum class LimitForm { LogRatio, Ratio };

// Wald's limits of the leak test the system runs: while the ratio stays between B and A the test
// goes on; at A it decides "leak", at B "no leak". In the unit of the charted values.
struct LeakLimits {
  double upper = 0;  // A
  double lower = 0;  // B
  LimitForm form = LimitForm::LogRatio;
  // The error probabilities A and B come from; none when the limits were typed as they are.
  std::optional<double> alpha, beta;
};

// From α (a false alarm) and β (a missed leak): A = (1 - β) / α and B = β / (1 - α) for the ratio,
// ln A and ln B for its logarithm.
LeakLimits waldLimits(double alpha, double beta, LimitForm form);

// The limits dialog's fields as the operator left them.
enum class LimitField { Alpha, Beta, UpperLimit, LowerLimit };
struct LimitsTexts {
  QString alpha, beta, upper, lower;
  LimitForm form = LimitForm::LogRatio;
};

// Why limits are refused: the field to correct and a message that names it.
struct LimitsRefusal {
  LimitField field;
  QString message;
};

// The first check the limits fail, none when they pass: α and β strictly between 0 and 1 with a sum
// below 1, A and B finite, above 0 in the ratio form, and A above B.
std::optional<LimitsRefusal> refusalOf(const LeakLimits& limits);
// The message of a text in the field that is no number.
LimitsRefusal notANumber(LimitField field);

// What a value decides against the limits.
enum class LeakDecision { Testing, Leak, NoLeak };
LeakDecision decisionOf(double value, const LeakLimits& limits);

// A as the charts carry a value (times 10000, as a Single): every value at or above A is carried at
// or above it.
float carriedUpper(const LeakLimits& limits);

// The standard text of a Double: as many digits as read back to the same value, the regional
// decimal separator.
QString limitText(double value, const RegionalForms& regional);

}  // namespace kelvane
