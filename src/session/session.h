#pragma once

#include <cstdint>
#include <string>

#include "model/well_state.h"
#include "session/change_notifier.h"

namespace tarsek {

/// The program-wide state: the open well with everything worked out beside it, the file it came
/// from, and the notifier the windows listen to. Created once by the program and handed by
/// reference to every window; the domain routines take it as the WellState it is.
struct Session : WellState {
  Unsaved lastDirtySum = Unsaved::Nothing;  ///< surveyDirty | designDirty at the last save question
  std::string wellFilePath;                 ///< last file path built by a file routine
  ChangeNotifier changes;                   ///< what changed, for the windows that show it
};

}  // namespace tarsek
