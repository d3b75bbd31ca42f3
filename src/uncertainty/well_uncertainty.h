#pragma once

// A Tarsek well as the error model takes it: its survey stations with a surface point ahead
// of them, its site parameters from the file beside it, and the covariance track built from
// both.

#include <string>
#include <vector>

#include "model/well_record.h"
#include "uncertainty/clearance.h"
#include "uncertainty/hit_probability.h"
#include "uncertainty/propagation.h"
#include "uncertainty/site_params.h"

namespace tarsek::unc {

/// The well's stations in use, azimuths as the trajectory uses them (measured + declination),
/// positions relative to the well's own wellhead. The program draws the course from the
/// wellhead to the first station as vertical, so a first station below the surface gets a
/// vertical surface point (measured depth 0) ahead of it, where no measurement is made.
SurveyPath PathOfWell(const WellRecord& well);

/// (north, east, 0) of well's wellhead from origin's wellhead, m: added to the tie-on point it
/// puts a neighbour's path in the axes of the open well.
Vec3 WellheadOffset(const BasicData& well, const BasicData& origin) noexcept;

/// site with the declination the error model needs for this well. The well's declination
/// turns measured azimuths into the grid azimuths its trajectory uses, so it already holds
/// the grid convergence: the magnetic declination is the well's plus the convergence.
SiteParameters SiteForWell(SiteParameters site, const BasicData& well) noexcept;

/// Everything the windows need about one well's position uncertainty.
struct WellUncertainty {
  bool ok = false;  ///< track built
  std::string status;  ///< why not, when !ok ("未设置测量误差参数", a refused file, bad stations)
  SiteParameters site;
  CovarianceTrack track;  ///< positions relative to the well's own wellhead
};

/// Reads directory/wellNo.unc and builds the well's track from its stations.
WellUncertainty UncertaintyOfWell(const WellRecord& well, const std::string& directory);

/// Builds the track of well with the site parameters given (declination set from the well);
/// origin shifts the positions as WellheadOffset does (pass the well itself for none).
WellUncertainty UncertaintyOfWell(const WellRecord& well, const SiteParameters& site,
                                  const BasicData& origin);

/// The probability of hitting one target of a well, where the survey crosses its depth and,
/// while it has not, where the survey projected ahead on its last direction does.
struct WellTargetHit {
  int target = 0;    ///< 1 or 2
  double tvd = 0;    ///< target depth, m
  double north = 0;  ///< target centre from the wellhead, m
  double east = 0;
  double radius = 0;   ///< targetRadius
  TargetHit surveyed;  ///< crossed = false while the survey is above the target
  TargetHit
      projected;  ///< only while the survey is above it; crossed = false when it never gets there
};

/// Target 1 or 2 of well, whose track u was built by UncertaintyOfWell; false (out untouched)
/// when u is not ok or the well has no such target.
bool TargetHitOfWell(const WellUncertainty& u, const WellRecord& well, int target,
                     WellTargetHit& out);

/// The separation factor along the open well against one neighbour.
struct NeighbourSeparation {
  std::string wellNo;
  bool ok = false;
  std::string status;  ///< why not, when !ok (e.g. the neighbour has no parameter file)
  std::vector<ClearancePoint> points;  ///< one per survey station of the open well
  double minimumSf = kSeparationCap;
  double minimumSfMd = 0;  ///< open well's depth of the minimum
};

/// SF of the open well (own, built by UncertaintyOfWell) against every neighbour, whose
/// parameter files are read from directory; radii, k, Sm and σpa from the open well's file, the
/// neighbour's radius from its own. Neighbours in the open well's axes by their wellheads.
std::vector<NeighbourSeparation> SeparationToNeighbours(const WellRecord& well,
                                                        const WellUncertainty& own,
                                                        const std::vector<WellRecord>& neighbours,
                                                        const std::string& directory);

}  // namespace tarsek::unc
