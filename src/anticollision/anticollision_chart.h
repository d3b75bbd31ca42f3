#pragma once

#include <optional>
#include <string>
#include <vector>

#include "anticollision/clearance_scan.h"
#include "model/well_state.h"
#include "print/surface.h"

namespace tarsek {

/// Radius of the small circle marking a well centre or a station, chart metres.
inline constexpr double kStationMarkRadius = 0.108;

/// The user frame of one chart: its scale, centre and distance rings, all in chart metres
/// (x east, y down, so north n lies at cy - n).
struct ChartFrame {
  double scaleWidth = 0;   ///< metres across the picture
  double scaleHeight = 0;  ///< metres down the picture
  double ringStep = 0;     ///< distance between rings, m
  double cx = 0;           ///< the open well's position
  double cy = 0;
  double reach = 0;           ///< rings are drawn up to this radius (axes too, on the trend chart)
  std::vector<double> rings;  ///< ring radii, innermost first
};

/// Frame of the spacing chart: the picture spans 1000 / zoom metres in height, rings every
/// 50 / zoom metres, the open well fixed at the centre. Picture size in twips (any unit: only
/// the ratio counts).
ChartFrame spacingChartFrame(int zoom, double pictureWidth, double pictureHeight);

/// Frame of the trend chart: reach R = designDisplacement1 (25 when 0), height 2R / zoom but
/// at least 2 m, rings every 100 / zoom metres, centre moved by the pan offsets.
ChartFrame trendChartFrame(int zoom, double designDisplacement1, double pictureWidth,
                           double pictureHeight, double panX, double panY);

/// A ring label: r with one decimal, the spacing chart without a leading zero (".5", "5.0").
std::string ringLabel(double r, bool leadingZero);

/// Draws the spacing chart on s and returns its frame; markerCentre receives where the
/// closest-approach marker belongs.
ChartFrame drawSpacingChart(Surface& s, const WellState& session, const ClearanceScan& scan,
                            int zoom, PlanPoint* markerCentre = nullptr);

/// Draws the trend chart on s with the pan offsets and returns its frame; markerCentre
/// receives the open well's current point.
ChartFrame drawTrendChart(Surface& s, const WellState& session, const ClearanceScan& scan, int zoom,
                          double panX, double panY, PlanPoint* markerCentre = nullptr);

/// Draws the whole legend: per neighbour a line "name井：" and a stroke in its colour. The
/// surface is put in points.
void drawLegend(Surface& s, const WellState& session);

/// True inside the chart's inner region (10 % to 90 % of each axis); outside is the edge band.
bool inInnerRegion(const ChartFrame& f, double x, double y) noexcept;

/// Direction to pan for a press at (x, y): -1, 0 or +1 on each axis, 0 inside.
struct PanDirection {
  int x = 0;
  int y = 0;
};
PanDirection panDirectionAt(const ChartFrame& f, double x, double y) noexcept;

/// Pointer over the edge band: 8 (north-west/south-east arrow) when the pointer lies up-left or
/// down-right of the centre, 6 (north-east/south-west) otherwise, 0 (leave it) on an axis.
int edgePointerCode(const ChartFrame& f, double x, double y) noexcept;

/// The vertical depth of the station under (x, y) on the trend chart: the open well's stations
/// are tried first, then each neighbour's; a hit in a later well wins.
std::optional<double> stationTvdAt(const WellState& session, const ChartFrame& f, double x,
                                   double y);

/// One tick of panning: moves the offsets a fifth of the view in the pan direction. Returns
/// false (stop the timer, keep the picture) when either offset now exceeds the open well's
/// designDisplacement1.
bool panStep(const ChartFrame& f, PanDirection dir, double designDisplacement1, double& panX,
             double& panY) noexcept;

}  // namespace tarsek
