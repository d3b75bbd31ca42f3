#pragma once

#include <vector>

#include "model/well_record.h"

namespace tarsek {

/// The displacement, depth and radius a plot is scaled by: target 2's for a two-target well,
/// target 1's otherwise. Metres.
struct PlotTarget {
  double displacement = 0;  ///< D: designDisplacement1 or designDisplacement2
  double depth = 0;         ///< T: target1Tvd or target2Tvd
  double radius = 0;        ///< R: targetRadius
};

/// The drawing target of a well: target 2 when targetCount is 2, else target 1.
PlotTarget plotTarget(const BasicData& block) noexcept;

/// A point in the user units of a drawing.
struct PlotPoint {
  double x = 0;
  double y = 0;
};

/// User-unit extent of a drawing area (scale width and scale height).
struct PlotScale {
  double width = 0;
  double height = 0;
};

/// Most ticks or rings one axis gets: a well many kilometres off its pad would otherwise ask for
/// tens of thousands of strokes.
inline constexpr int kMaxTicks = 4000;

/// The values first, first + step, ... up to and including limit (at most kMaxTicks of them);
/// empty when step is not positive or a bound is not finite.
std::vector<double> tickValues(double first, double limit, double step);

// --- screen plan view -------------------------------------------------------------------------

/// Font size in points of the plan-view pane: pane width (twips) * 10 / 9500. Labels that would
/// not fit their room in it are drawn smaller.
double planViewFontSize(double paneWidthTwips) noexcept;

/// Scale of the plan-view pane in metres: (D + R) * 4 / 3 across the pane's shorter side, the
/// other side in proportion so that a metre is as long on both axes. Pane size in twips.
PlotScale planViewScale(double paneWidth, double paneHeight, double displacement,
                        double radius) noexcept;

/// Wellhead position in the plan-view pane for a design azimuth (degrees): a quarter of the
/// pane away from the edge opposite the target, so that the target lies towards the middle.
/// An azimuth outside 0 to 360 puts the wellhead at the top-left corner.
PlotPoint planViewOrigin(double designAzimuth, PlotScale scale) noexcept;

// --- screen vertical section ----------------------------------------------------------------

/// Font size in points of the vertical-section pane: pane width (twips) * 10 / 4500. Labels
/// that would not fit their room in it are drawn smaller.
double sectionFontSize(double paneWidthTwips) noexcept;

/// Scale of the vertical-section pane in metres: height (Int(T / 100) + 0.01) * 150, width in
/// proportion to the pane. Pane size in twips.
PlotScale sectionScale(double paneWidth, double paneHeight, double targetDepth) noexcept;

/// The wellhead of the vertical section: an eighth of the scale in from the top-left corner.
PlotPoint sectionOrigin(PlotScale scale) noexcept;

// --- page ---------------------------------------------------------------------------------------

/// The plan square of the plot page and where the wellhead and its ring arcs sit inside it.
struct PagePlan {
  double side = 0;  ///< S = D + R, metres (the square itself is 1.1 S wide)
  double left = 0;  ///< top-left corner of the square, page units
  double top = 0;
  PlotPoint wellhead;   ///< page units
  double arcStart = 0;  ///< ring arcs, radians counter-clockwise from east
  double arcEnd = 0;
  int labelDirection = -1;  ///< -1: ring labels above the wellhead, +1: below
  int labelShift = 0;       ///< ring labels shifted this many "1000" widths along x
};

/// Page scale: (D + R) * 2.5 across, the height in proportion to the page (width and height
/// in twips), so that a metre is as long on both axes.
PlotScale pageScale(double pageWidth, double pageHeight, double displacement,
                    double radius) noexcept;

/// Geometry of the plan square for a design azimuth (degrees) on a page of the given scale.
/// An azimuth outside 0 to 360 puts the wellhead at the square's top-left corner with the
/// quarter rings that fall inside the square.
PagePlan pagePlan(double designAzimuth, PlotScale scale, double displacement,
                  double radius) noexcept;

/// Metres per page unit of the page's vertical section: the final design TVD spans 0.675 of the
/// page height. When the design has no final depth the deeper of T and deepest is used instead;
/// 0 when there is nothing to scale by.
double pageSectionFactor(double designFinalTvd, double targetDepth, double deepest,
                         double pageScaleHeight) noexcept;

// --- window layout
// --------------------------------------------------------------------------------

/// Positions of the trajectory window's controls, in twips.
struct PaneLayout {
  double picture1Width = 0;
  double splitterLeft = 0;
  double picture2Left = 0;
  double picture2Width = 0;
  double title0Width = 0;
  double title1Left = 0;
  double title1Width = 0;
  double paneTop = 0;
  double paneHeight = 0;
};

/// Lays the two panes out around a requested splitter position x (twips), which is first kept
/// at least 1500 from the left and then at least 1500 from the right edge; x is adjusted in
/// place. Window width and height and the title strip's top and height in twips.
PaneLayout SizePanes(double& x, double windowWidth, double windowHeight, double titlesTop,
                     double titlesHeight) noexcept;

/// Where the splitter bar follows the pointer (p in twips from the window's left edge): never
/// nearer than 500 to either edge.
double splitterBarLeft(double p, double windowWidth) noexcept;

}  // namespace tarsek
