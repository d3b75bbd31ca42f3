#pragma once

#include "model/well_state.h"
#include "print/surface.h"

namespace tarsek {

/// Title of the position-uncertainty report of a well.
inline constexpr const char* kUncertaintyReportTitle = "井位置误差数据";

/// One page of the position-uncertainty report: the heading (tool model, site values, the
/// neighbours compared) and rows first .. last (inclusive) of session.uncertainty's stations:
/// measured depth, vertical depth, north, east, σH, σL, σA, the horizontal ellipse's semi-axes
/// and bearing (all 1σ) and the smallest separation factor to a neighbour. A well whose
/// uncertainty is not known prints its heading and the reason. Nothing without a well.
void PrintUncertaintyPage(Surface& p, const WellState& session, int first, int last);

/// Rows of the report: the stations of session.uncertainty, 0 when it is not known.
int UncertaintyReportRows(const WellState& session) noexcept;

}  // namespace tarsek
