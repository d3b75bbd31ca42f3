#pragma once

#include "model/well_state.h"
#include "print/surface.h"

namespace tarsek {

/// Draws the design segment table (titles, a blank line, one line per segment row in use) on a
/// picture box 80 units wide; nothing while no well is open.
void drawDesignSegmentTable(Surface& box, const WellState& session);

/// Draws the column titles of the design point table on a picture box 80 units wide.
void drawDesignPointTitles(Surface& box);

/// Height in the box's user units that one design point takes in the point table: its line and
/// the blank line after it.
double designPointRowPitch(const Surface& box);

/// Draws rows first to last (clamped to the points in use) of the design point table on a
/// picture box 80 units wide, each at the height it has in the whole table, so that a caller may
/// draw only the rows in view. The box is not cleared.
void drawDesignPointRows(Surface& box, const WellState& session, int first, int last);

/// Clears the box and draws the rows of the design point table it shows when the table is
/// scrolled to scroll (0 = first row at the top, 1 = the end of the table at the bottom; values
/// outside are clamped). The table ends two rows below the last point.
void drawDesignPointView(Surface& box, const WellState& session, double scroll);

}  // namespace tarsek
