#pragma once

#include <string>
#include <vector>

#include "model/well_state.h"
#include "print/surface.h"

namespace tarsek {

/// One line of the guidance panel as it is printed: its text and colour, and whether it starts
/// at the centring position of the panel's heading instead of the left edge.
struct PanelLine {
  std::string text;
  Colour colour = kBlue;
  bool centred = false;
};

/// The lines of the guidance panel for the open well, starting with the panel's leading empty
/// line; empty when no well is open or the well has no stations.
std::vector<PanelLine> guidancePanelLines(const WellState& session);

/// Draws the guidance panel: clears the surface and prints guidancePanelLines in their colours,
/// centring the flagged lines on the width of the panel's heading "目    前".
void drawGuidancePanel(Surface& panel, const WellState& session);

/// One row of the station table: a survey station, or a target crossing (target 1 or 2)
/// drawn with a red rule under it.
struct TableEntry {
  int station = 0;  ///< the station index, or the station the crossing row follows
  int target = 0;   ///< 0 for a station row, 1 or 2 for a target crossing row
};

/// The rows of the station table in drawing order: one per station, with a target row right
/// after the last station above each crossing.
std::vector<TableEntry> stationTableEntries(const WellState& session);

/// The eleven cell texts of one table row, in column order (number or label, depth, angles and
/// computed values in their display formats).
std::vector<std::string> stationTableCells(const WellState& session, const TableEntry& entry);

/// Column positions of the station table, in units of a 110-wide scale.
inline constexpr double kTableColumns[11] = {0, 8, 20, 28, 37, 49, 59, 71, 82, 92, 102};
/// User units across the table's header and rows.
inline constexpr double kTableScaleWidth = 110;

/// Clears the header picture, sets its 110-unit scale and prints the two header lines.
void drawStationTableHeader(Surface& header);

/// Height, in the rows picture's user units, that all rows of the table need: the program
/// reserves three rows more than there are stations, each two text lines high.
double stationTableHeight(Surface& rows, const WellState& session);

/// Draws the rows of the table whose two-line band meets the vertical range top .. bottom of the
/// rows picture (user units, y downward from the first row), so that a tall table costs only
/// what is visible. Sets the 110-unit scale; does not clear.
void drawStationTableRows(Surface& rows, const WellState& session,
                          const std::vector<TableEntry>& entries, double top, double bottom);

/// The whole survey display on three surfaces: the panel, then (when a well with stations is
/// open) the table header and every row. With no well or no stations, panel and rows are
/// cleared and nothing else is drawn.
void drawSurveyDisplay(Surface& panel, Surface& header, Surface& rows, const WellState& session);

}  // namespace tarsek
