#pragma once

#include <string>

#include "anticollision/clearance_scan.h"
#include "model/well_state.h"

namespace tarsek {

/// Reads the neighbour design file at path (lines 1 and 2 only) and the survey file of the well
/// it names in the same directory into record, and computes its trajectory by the session's
/// method. Returns Added, NoFile when the design file does not exist, or BadFile when either
/// file cannot be read; record is untouched unless Added.
AddNeighbourOutcome LoadNeighbourWell(WellState& session, WellRecord& record,
                                      const std::string& path);

/// Works out a neighbour's own trajectory from its stations by method. A record without a well
/// number or without stations keeps the results it has.
void ComputeNeighbourTrack(WellRecord& record, SurveyMethod method);

}  // namespace tarsek
