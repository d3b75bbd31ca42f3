#pragma once

#include "model/well_state.h"
#include "print/surface.h"

namespace tarsek {

/// Whether the open well has a design to report: a well number and a filled hold row.
bool designReportAvailable(const WellState& session) noexcept;

/// Draws the one-page design report of the open well (basic data in two columns, then the
/// segment table) on a page scaled 100 across and 200 down; the font is enlarged by 2 points
/// while drawing and restored afterwards. Returns false and draws nothing without a design.
/// The caller ends the page.
bool PrintDesignReport(Surface& page, const WellState& session);

}  // namespace tarsek
