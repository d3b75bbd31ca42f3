#pragma once

// The position uncertainty drawn over the trajectory views: horizontal error ellipses along the
// plan view and the band about the survey in the vertical section, both at the sigma multiple
// of the well's parameters.

#include <cstddef>
#include <vector>

#include "plot/plot_geometry.h"
#include "print/surface.h"
#include "uncertainty/session_uncertainty.h"

namespace tarsek {

/// Colour of the error ellipses and of the section band.
inline constexpr Colour kEllipseColour = rgb(230, 120, 0);
inline constexpr Colour kBandColour = rgb(110, 170, 255);

/// Measured-depth spacing of the plan-view ellipses for a well surveyed to md metres: a round
/// 10, 20, 50, 100 ... metres giving at most about 60 ellipses.
double EllipseSpacing(double md) noexcept;

/// Indices into u.stations that get an ellipse: the first station at or past every multiple of
/// the spacing, and the last station.
std::vector<std::size_t> EllipseStations(const unc::SessionUncertainty& u);

/// The ellipses, in plan units of one metre, about the wellhead at c (north up, east right):
/// one per EllipseStations entry and one at each target crossing (surveyed or projected).
void DrawPlanEllipses(Surface& s, const unc::SessionUncertainty& u, PlotPoint c);

/// The band edges in the vertical section with origin o, m metres spanning m / k units.
void DrawSectionBand(Surface& s, const unc::SessionUncertainty& u, PlotPoint o, double k);

}  // namespace tarsek
