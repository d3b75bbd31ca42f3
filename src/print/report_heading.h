#pragma once

#include <string>

#include "print/surface.h"

namespace tarsek {

// Margins of the printed reports' text and rules, in 1/120 of the page width.
inline constexpr double kReportLeft = 10;
inline constexpr double kReportRight = 108;

/// Starts a report page: scale width 120, the title centred in a font two points larger, a blank
/// line and a pair of blue rules; the cursor ends at the left margin below them. Returns half the
/// title's height, the step that spaces the rest of the heading.
double PrintReportTitle(Surface& page, const std::string& title);

/// Prints text with its top left corner at (x, y), leaving the cursor after it on that line.
void PrintReportCell(Surface& page, double x, double y, const std::string& text);

}  // namespace tarsek
