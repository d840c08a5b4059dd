#pragma once

#include "entry/Program.h"
#include "state/ProgramSettings.h"

namespace kelvane {

// How many files File > Recent database files offers.
constexpr int kRecentFiles = 8;

// File > Select Database file...: the dialog chooses the database, and the file it gives goes to
// the top of the recent files.
void mnuFileOpen_Click(Program& program, FileChooser& dialog, ProgramSettings& settings);

// File > Recent database files: the file does what it does when chosen in the dialog. One that is
// gone is refused with the dialog's own message and leaves the list; the database stays as it was.
void mnuRecent_Click(Program& program, const QString& path, ProgramSettings& settings);

}  // namespace kelvane
