#pragma once

#include "model/well_state.h"
#include "print/surface.h"

namespace tarsek {

/// The trajectory window's left pane: clears the surface and draws the plan view (north up, east
/// right, metres about the wellhead) of the open well's targets, survey and target crossings.
/// The surface's device size is the pane's; its scale is set here. Only clears when no well is
/// open or the drawing displacement is 0.
void DrawPlanView(Surface& pane, const WellState& session);

/// The trajectory window's right pane: clears the surface and draws the vertical section (depth
/// down, displacement along the design azimuth to the right) with its ticks, target windows, the
/// design in red and the survey in blue. Only clears when no well is open or the drawing
/// displacement is 0.
void DrawVerticalSection(Surface& pane, const WellState& session);

/// The plot page: title, the plan square with its ring arcs and the vertical section on one page
/// target, on the target's own scale (set here). Draws nothing when the well has no stations or
/// no drawing displacement.
void DrawTrajectoryPlot(Surface& page, const WellState& session);

}  // namespace tarsek
