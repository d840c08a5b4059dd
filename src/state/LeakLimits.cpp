#include "LeakLimits.h"

#include "RegionalForms.h"
#include "TextResources.h"

#include <cmath>

namespace kelvane {

namespace {

// The caption of the field, without its colon, as a message names it.
QString captionOf(LimitField field) {
  switch (field) {
    case LimitField::Alpha: return LoadResString(TextId::AlphaLabel);
    case LimitField::Beta: return LoadResString(TextId::BetaLabel);
    case LimitField::UpperLimit: return LoadResString(TextId::LimitALabel);
    case LimitField::LowerLimit: break;
  }
  return LoadResString(TextId::LimitBLabel);
}

LimitsRefusal refused(LimitField field, TextId message, const QString& other = {}) {
  const QString text = LoadResString(message).arg(captionOf(field));
  return {field, other.isEmpty() ? text : text.arg(other)};
}

bool isProbability(double p) { return p > 0 && p < 1; }

}  // namespace

LeakLimits waldLimits(double alpha, double beta, LimitForm form) {
  LeakLimits limits{(1 - beta) / alpha, beta / (1 - alpha), form, alpha, beta};
  if (form == LimitForm::LogRatio) {
    limits.upper = std::log(limits.upper);
    limits.lower = std::log(limits.lower);
  }
  return limits;
}

LimitsRefusal notANumber(LimitField field) { return refused(field, TextId::LimitNotNumber); }

std::optional<LimitsRefusal> refusalOf(const LeakLimits& limits) {
  if (limits.alpha || limits.beta) {
    if (!limits.alpha || !isProbability(*limits.alpha)) return refused(LimitField::Alpha, TextId::ProbabilityOutOfRange);
    if (!limits.beta || !isProbability(*limits.beta)) return refused(LimitField::Beta, TextId::ProbabilityOutOfRange);
    if (*limits.alpha + *limits.beta >= 1)
      return refused(LimitField::Alpha, TextId::ProbabilitiesTooLarge, captionOf(LimitField::Beta));
    // Only an α too small for a Double's range leaves A infinite.
    if (!std::isfinite(limits.upper)) return refused(LimitField::Alpha, TextId::ProbabilityOutOfRange);
  }
  if (!std::isfinite(limits.upper)) return notANumber(LimitField::UpperLimit);
  if (!std::isfinite(limits.lower)) return notANumber(LimitField::LowerLimit);
  if (limits.form == LimitForm::Ratio) {
    if (!(limits.upper > 0)) return refused(LimitField::UpperLimit, TextId::RatioLimitNotPositive);
    if (!(limits.lower > 0)) return refused(LimitField::LowerLimit, TextId::RatioLimitNotPositive);
  }
  if (!(limits.upper > limits.lower))
    return refused(LimitField::UpperLimit, TextId::LimitsOutOfOrder, captionOf(LimitField::LowerLimit));
  return std::nullopt;
}

LeakDecision decisionOf(double value, const LeakLimits& limits) {
  if (value >= limits.upper) return LeakDecision::Leak;
  if (value <= limits.lower) return LeakDecision::NoLeak;
  return LeakDecision::Testing;
}

float carriedUpper(const LeakLimits& limits) {
  // Rounded as a value is: no value at or above A is carried below it.
  return float(limits.upper * 10000);
}

QString limitText(double value, const RegionalForms& regional) {
  return value == 0 ? QStringLiteral("0") : regional.locale().toString(value, 'g', QLocale::FloatingPointShortest);
}

}  // namespace kelvane
