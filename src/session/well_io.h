#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "design/profile_design.h"
#include "model/well_files.h"
#include "session/session.h"

namespace tarsek {

/// What LoadWell did: the file result, and for the open well the design's outcome.
struct WellLoadResult : FileResult {
  /// LoadWell of the open well: DesignProfile's outcome; none for a neighbour or a refusal.
  std::optional<DesignOutcome> designOutcome;
};

/// Fills record from the design file at designPath and the survey file wellNo + ".sur" in
/// directory, wellNo being the number the design file names. For the open well (neighbourOnly
/// false, record being session.well) line 3 is read and the profile is designed; for a
/// neighbour only lines 1 and 2. Without a survey file the well has no stations. For the open
/// well both target crossings are cleared first. Then RecalculateAll runs. No design file: nothing
/// changes, found = false, ok = true. A malformed file is refused with a message naming it and the
/// line, and record stays exactly as it was. The caller runs ResetWellViews for the open well.
WellLoadResult LoadWell(Session& session, WellRecord& record, const std::string& designPath,
                        bool neighbourOnly, const std::string& directory);

/// Writes the open well's survey file in directory. On success surveyDirty is cleared; on
/// failure it and the file on disk are kept and the message names the file.
FileResult SaveSurveyFile(Session& session, const std::string& directory);

/// Writes the open well's design file in directory. A temporary target in force is dropped:
/// while targetSaved, savedTarget1X and savedTarget1Y are written as target 1 and copied back
/// into the record, and the temporary target ends. On success designDirty is cleared; on failure
/// nothing changes.
FileResult SaveDesignFile(Session& session, const std::string& directory);

/// Asks through session.ui() whether to save the open well's changed data (Yes/No/Cancel) and
/// saves on Yes. Returns -1 on Cancel, and also when a save failed (its message goes to the
/// status text) so that the caller keeps the well; otherwise 0.
std::int16_t AskToSaveChanges(Session& session, const std::string& directory);

}  // namespace tarsek
