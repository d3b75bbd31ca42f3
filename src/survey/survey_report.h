#pragma once

#include "model/well_state.h"
#include "print/surface.h"

namespace tarsek {

/// Draws one page of the survey report on a page target: the title, the design targets, the
/// calculation method and hit radii, the column headings and the rows of stations first to last
/// (inclusive, 0-based; an empty range prints the heading alone). The page's scale width becomes
/// 120; vertical steps are in the page's own units. Draws nothing while no well is open.
void PrintSurveyPage(Surface& page, const WellState& session, int first, int last);

}  // namespace tarsek
