#include "LeakTest.h"

#include "NumberInput.h"
#include "state/RuntimeError.h"
#include "state/TextResources.h"

namespace kelvane {

namespace {

std::optional<double> numberIn(const QString& text, const RegionalForms& regional) {
  try {
    return typedDouble(text, regional.locale());
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
}

}  // namespace

std::variant<LeakLimits, LimitsRefusal> limitsFromTexts(const LimitsTexts& texts, const RegionalForms& regional) {
  LeakLimits limits;
  limits.form = texts.form;
  if (!texts.alpha.trimmed().isEmpty() || !texts.beta.trimmed().isEmpty()) {
    const std::optional<double> alpha = numberIn(texts.alpha, regional), beta = numberIn(texts.beta, regional);
    if (!alpha) return notANumber(LimitField::Alpha);
    if (!beta) return notANumber(LimitField::Beta);
    limits = waldLimits(*alpha, *beta, texts.form);
  } else {
    const std::optional<double> upper = numberIn(texts.upper, regional), lower = numberIn(texts.lower, regional);
    if (!upper) return notANumber(LimitField::UpperLimit);
    if (!lower) return notANumber(LimitField::LowerLimit);
    limits.upper = *upper;
    limits.lower = *lower;
  }
  if (const std::optional<LimitsRefusal> refusal = refusalOf(limits)) return *refusal;
  return limits;
}

LimitsTexts textsOf(const LeakLimits& limits, const RegionalForms& regional) {
  const auto text = [&](std::optional<double> value) { return value ? limitText(*value, regional) : QString(); };
  // A and B that α and β give are shown to six significant digits; α and β give them whole again.
  const auto limit = [&](double value) {
    return limits.alpha ? regional.locale().toString(value, 'G', 6) : limitText(value, regional);
  };
  return {text(limits.alpha), text(limits.beta), limit(limits.upper), limit(limits.lower), limits.form};
}

void showDecision(Program& program) {
  const ProgramState& state = program.state;
  if (!state.Limits || !state.Decided) {
    program.mainWindow.setDecisionCaption(QString(), LeakDecision::Testing);
    return;
  }
  const QString value = program.env.regional.singleText(state.Decided->value), at = state.Decided->timeText;
  const LeakDecision decision = decisionOf(state.Decided->value, *state.Limits);
  const QString text = decision == LeakDecision::Leak     ? LoadResString(TextId::DecisionLeak).arg(value, at)
                       : decision == LeakDecision::NoLeak ? LoadResString(TextId::DecisionNoLeak).arg(value, at)
                                                          : LoadResString(TextId::DecisionTesting).arg(value);
  program.mainWindow.setDecisionCaption(text, decision);
}

}  // namespace kelvane
