#pragma once

// The separation-factor chart of the anti-collision view: SF against the open well's measured
// depth for every neighbour, beside the spacing and trend charts.

#include <vector>

#include "model/well_state.h"
#include "print/surface.h"

namespace tarsek {

/// The SF levels the chart marks: below the first the wells may touch, below the second the
/// margin is too thin to drill on without a plan.
inline constexpr double kSfCollision = 1.0;
inline constexpr double kSfCaution = 1.5;

/// Top of the chart's SF axis for the separation factors shown: the largest, rounded up to a
/// whole number, kept between 2 and 10 so that the 1.0 and 1.5 lines always show.
double separationAxisTop(const std::vector<double>& factors) noexcept;

/// Draws the chart on s (clearing it): axes, the SF = 1.0 and 1.5 lines, one curve per
/// neighbour in its colour with its smallest SF marked and labelled. Without the open well's
/// uncertainty it prints only the reason.
void drawSeparationChart(Surface& s, const WellState& session);

}  // namespace tarsek
