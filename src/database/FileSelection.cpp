#include "FileSelection.h"

#include "state/RuntimeError.h"

namespace kelvane::stdFileOpen {

void SelectDatabaseFile(ProgramState& state, FileChooser& chooser) {
  QString chosen;  // the dialog's file name, cleared before it is shown
  int errorNumber = 0;
  try {
    chosen = chooser.chooseDatabaseFile();
  } catch (const RuntimeError& error) {
    errorNumber = error.number();
  }
  if (errorNumber == ErrorNumber::DialogCancelled) return;
  state.DatabasePath = chosen;
}

}  // namespace kelvane::stdFileOpen
