#pragma once

// The position-uncertainty figures of the open well and its neighbours, worked out once after
// every recalculation so that the views, the printed pages and tarsek-calc only read them.

#include <memory>
#include <string>
#include <vector>

#include "model/well_state.h"
#include "uncertainty/clearance.h"
#include "uncertainty/site_params.h"

namespace tarsek::unc {

/// One survey station of the open well with its uncertainty. Positions are the ones the views
/// draw (the well's own calculation method); the covariance is that of the error model.
struct StationFigure {
  int station = 0;  ///< index into the well's stations
  double md = 0, tvd = 0, north = 0, east = 0, verticalSection = 0;
  double sigmaH = 0, sigmaL = 0, sigmaA = 0, sigmaV = 0;  ///< 1σ, m
  HorizontalEllipse ellipse;                              ///< 1σ horizontal ellipse
  /// 1σ across the path in the vertical-section plane (m), and the unit normal (displacement,
  /// depth) it is measured along: the section band is the path ± sigma multiple × this.
  double sectionSigma = 0;
  double normalX = 0, normalY = 0;
  double closestSf = kSeparationCap;  ///< smallest SF to any neighbour here
  bool hasSf = false;                 ///< a neighbour with parameters was compared
};

/// Chance of landing inside one target circle.
struct TargetChance {
  int target = 0;              ///< 1 or 2
  bool surveyed = false;       ///< the survey has crossed the target depth
  bool projected = false;      ///< the survey is above it and the projection reaches it
  double probability = 0;      ///< 0..1
  double north = 0, east = 0;  ///< the crossing, m from the wellhead
  HorizontalEllipse ellipse;   ///< 1σ there
};

/// SF along the open well against one neighbour.
struct NeighbourClearance {
  std::string name;
  bool ok = false;                     ///< both wells had parameters and the SF was computed
  std::string status;                  ///< why not, when !ok
  std::vector<ClearancePoint> points;  ///< one per open-well station of the track
  double minimumSf = kSeparationCap;
  double minimumMd = 0;
};

struct SessionUncertainty {
  bool ok = false;
  std::string status;  ///< "未设置测量误差参数", a refused file's message, bad stations
  SiteParameters site;
  std::vector<StationFigure> stations;
  std::vector<TargetChance> targets;
  std::vector<NeighbourClearance> neighbours;  ///< in the order of session.neighbourWells
  /// True when some neighbour's SF drops below 1.0 somewhere along the open well.
  bool belowOne() const noexcept;
};

/// Reads the open well's parameter file (and each neighbour's) from session.wellDirectory and
/// works out every figure; a well with no stations or no file gives !ok with the reason.
SessionUncertainty ComputeSessionUncertainty(const WellState& session);

/// ComputeSessionUncertainty into session.uncertainty (null when no well is open).
void UpdateUncertainty(WellState& session);

/// The figures to draw: session.uncertainty when it is ok and the user shows them, else null.
const SessionUncertainty* ShownUncertainty(const WellState& session) noexcept;

/// "95.3%": a probability as the windows and pages show it.
std::string PercentText(double probability);

}  // namespace tarsek::unc
