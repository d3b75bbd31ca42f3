#include "anticollision/neighbour_loader.h"
#include "design/profile_design.h"
#include "session/well_io.h"
#include "survey/survey_calc.h"

namespace tarsek {

WellLoadResult LoadWell(Session& session, WellRecord& record, const std::string& designPath,
                        bool neighbourOnly, const std::string& directory) {
  WellLoadResult result;
  std::string surveyPath;
  static_cast<FileResult&>(result) =
      ReadWellFiles(record, designPath, neighbourOnly, directory, surveyPath);
  if (!result.found || !result.ok) return result;
  if (!neighbourOnly) {
    // Nothing computed for the well left behind may be shown for this one.
    session.target1Hit = TargetCrossing{};
    session.target2Hit = TargetCrossing{};
    session.wellFilePath = surveyPath;
    result.designOutcome = DesignProfile(session);
  }
  RecalculateAll(session);
  // RecalculateAll leaves neighbours alone while no well is open, and knows nothing of a record
  // not yet in the list: a neighbour gets its own track here either way.
  if (&record != &session.well) ComputeNeighbourTrack(record, session.calcMethod);
  return result;
}

}  // namespace tarsek
