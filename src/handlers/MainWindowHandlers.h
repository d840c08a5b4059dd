#pragma once

#include "entry/Program.h"
#include "state/ProgramSettings.h"

namespace kelvane {

// The start-up work of the main window once it is shown with its captions: the chart is live,
// the clock labels hold the start-up moment, and the empty default chart is drawn.
void startMainWindow(Program& program);

// The X-axis choice for the next chart of stored records; the chart on screen stays.
void btnNumberOnX_Click(ProgramState& state);
void btnTimeOnX_Click(ProgramState& state);

// Help > Language: the choice is kept for the next start, which shows it; the program says so in
// the language chosen.
void mnuLanguage_Click(Program& program, Language choice, ProgramSettings& settings);

// Help > Help: the help file of the language shown, in the program's folder; the English one
// where that is missing.
QString helpFilePath(const QString& programFolder);

}  // namespace kelvane
