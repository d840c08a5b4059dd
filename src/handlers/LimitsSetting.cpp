#include "LimitsSetting.h"

#include "chart/LimitLines.h"
#include "entry/LeakTest.h"
#include "state/RuntimeError.h"
#include "state/TextResources.h"

namespace kelvane {

void showLimits(Program& program, LimitsDialogView& dialog) {
  dialog.setTexts(program.state.Limits ? textsOf(*program.state.Limits, program.env.regional) : LimitsTexts());
}

void probabilitiesChanged(Program& program, LimitsDialogView& dialog) {
  LimitsTexts texts = dialog.texts();
  if (texts.alpha.trimmed().isEmpty() || texts.beta.trimmed().isEmpty()) return;
  const auto limits = limitsFromTexts(texts, program.env.regional);
  if (const auto* wald = std::get_if<LeakLimits>(&limits)) {
    const LimitsTexts filled = textsOf(*wald, program.env.regional);
    texts.upper = filled.upper;
    texts.lower = filled.lower;
    dialog.setTexts(texts);
  }
}

void limitTyped(LimitsDialogView& dialog) {
  LimitsTexts texts = dialog.texts();
  if (texts.alpha.isEmpty() && texts.beta.isEmpty()) return;
  texts.alpha.clear();
  texts.beta.clear();
  dialog.setTexts(texts);
}

void btnLimitsOK_Click(Program& program, LimitsDialogView& dialog, ProgramSettings& settings) {
  const auto limits = limitsFromTexts(dialog.texts(), program.env.regional);
  if (const auto* refusal = std::get_if<LimitsRefusal>(&limits)) {
    program.env.alert(refusal->message);
    dialog.focusField(refusal->field);
    return;
  }
  dialog.unload();
  setLimits(program, std::get<LeakLimits>(limits), settings);
}

void btnLimitsClear_Click(Program& program, LimitsDialogView& dialog, ProgramSettings& settings) {
  dialog.unload();
  setLimits(program, std::nullopt, settings);
}

void setLimits(Program& program, const std::optional<LeakLimits>& limits, ProgramSettings& settings) {
  const Environment& env = program.env;
  program.state.Limits = limits;
  drawAgainWithLimits(program.mainWindow.graphField(), limits, env);
  if (program.mainWindow.fullScreenShown())
    drawAgainWithLimits(program.mainWindow.fullScreenWindow().picMaximized(), limits, env);
  showDecision(program);
  try {
    settings.setLeakLimits(limits);
  } catch (const RuntimeError& error) {
    env.alert(LoadResString(TextId::LimitsNotKept).arg(error.sourceAndDescription()));
  }
}

}  // namespace kelvane
