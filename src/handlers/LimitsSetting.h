#pragma once

#include "state/ProgramSettings.h"
#include "entry/Program.h"

#include <optional>

namespace kelvane {

// Database > Leak test limits...: the modal dialog opens on the limits set, or on empty fields with
// the values taken as logarithms of the ratio.
void showLimits(Program& program, LimitsDialogView& dialog);
// α, β or the form changed: A and B become Wald's limits when α and β give them, and stay as they
// are otherwise.
void probabilitiesChanged(Program& program, LimitsDialogView& dialog);
// A limit typed as it is: α and β no longer say where it comes from, and are cleared.
void limitTyped(LimitsDialogView& dialog);

// OK: the limits the fields give are set and the dialog closes. A field refused is named in a
// message and gets the focus; the limits stay as they were.
void btnLimitsOK_Click(Program& program, LimitsDialogView& dialog, ProgramSettings& settings);
// No limits: the charts lose their limits, the decision beside the entry is emptied.
void btnLimitsClear_Click(Program& program, LimitsDialogView& dialog, ProgramSettings& settings);

// Sets the limits (or none), draws the charts on show again from what they hold, shows the decision
// of the newest value again and keeps the limits for the next run; a settings file that cannot be
// written is told, and the limits hold for this run all the same.
void setLimits(Program& program, const std::optional<LeakLimits>& limits, ProgramSettings& settings);

}  // namespace kelvane
