#include "tools/stuck_point.h"

#include <cmath>

#include "common/constants.h"
#include "common/numtext.h"

namespace tarsek {

const std::array<DrillPipe, 8> kDrillPipes = {{
    {"φ88.9mm×9mm", 475, 88.9, 9},
    {"φ88.9mm×9.35mm", 491, 88.9, 9.35},
    {"φ114.3mm×8.56mm", 597, 114.3, 8.56},
    {"φ114.3mm×10mm", 688, 114.3, 10},
    {"φ114.3mm×10.92mm", 745, 114.3, 10.92},
    {"φ127mm×9.19mm", 715, 127, 9.19},
    {"φ139.7mm×10.54mm", 898, 139.7, 10.54},
    {"φ141.3mm×11mm", 946, 141.3, 11},
}};

const DrillPipe* findDrillPipe(std::string_view text) noexcept {
  for (const DrillPipe& p : kDrillPipes)
    if (text == p.text) return &p;
  return nullptr;
}

StuckPointResult computeStuckPoint(std::string_view pipeText, double stretch, double pull,
                                   double holeDiameter, double wellDepth) {
  StuckPointResult r;
  const DrillPipe* pipe = findDrillPipe(pipeText);
  // A pull against the string (negative) divides into a meaningless depth.
  if (pipe == nullptr || stretch * pull == 0 || pull < 0) return r;
  const double depth = stretch * pipe->k / pull;
  if (!std::isfinite(depth)) return r;
  r.depth = depth;

  const double hole = holeDiameter / 1000;
  if (hole * wellDepth == 0) return r;
  // The volume is worked from the depth as the user sees it, so that it can be checked by hand.
  const double shownDepth = readNumber(formatFixed(depth, 2));
  const double od = pipe->od / 1000;
  const double wall = pipe->wall / 1000;
  // 1.35 is the washout allowance of the open-hole annulus; the bore term is (od - t)^2 by the
  // field formula, not the true inside diameter.
  const double volume = (wellDepth - shownDepth) * kPi *
                        ((hole * hole - od * od) * 1.35 + (od - wall) * (od - wall)) / 4;
  if (std::isfinite(volume)) r.oilVolume = volume;
  return r;
}

}  // namespace tarsek
