#include <string>
#include <vector>

#include "app/calc_parts.h"
#include "print/surface.h"
#include "survey/guidance.h"
#include "survey/survey_display.h"

namespace tarsek::calc {
namespace {

nlohmann::json toJson(const TargetGuidance& g) {
  // Values the geometry leaves undefined are NaN, which JSON writes as null.
  return {{"remainingTvd", g.remainingTvd},
          {"remainingLength", g.remainingLength},
          {"remainingDisplacement", g.remainingDisplacement},
          {"lateralOffset", g.lateralOffset},
          {"centreInclination", g.centreInclination},
          {"centreAzimuth", g.centreAzimuth},
          {"inclinationMin", g.inclinationMin},
          {"inclinationMax", g.inclinationMax},
          {"azimuthMin", g.azimuthMin},
          {"azimuthMax", g.azimuthMax},
          {"centreBuildRate", g.centreBuildRate},
          {"buildRateLow", g.buildRateLow},
          {"buildRateHigh", g.buildRateHigh},
          {"centreTurnRate", g.centreTurnRate},
          {"turnRateLow", g.turnRateLow},
          {"turnRateHigh", g.turnRateHigh},
          {"insideCircle", g.insideCircle},
          {"holdAzimuth", g.holdAzimuth},
          {"holdInclination", g.holdInclination}};
}

nlohmann::json targetJson(const Session& session, int target) {
  if (!guidesTarget(session, target)) return nullptr;
  return toJson(computeTargetGuidance(session.well, target));
}

}  // namespace

nlohmann::json guidanceJson(Session& session) {
  nlohmann::json out;
  out["target1"] = targetJson(session, 1);
  out["target2"] = targetJson(session, 2);
  nlohmann::json panel = nlohmann::json::array();
  for (const PanelLine& line : guidancePanelLines(session))
    panel.push_back({{"text", line.text}, {"colour", colourHex(line.colour)}});
  out["panel"] = std::move(panel);
  nlohmann::json table = nlohmann::json::array();
  for (const TableEntry& entry : stationTableEntries(session))
    table.push_back(stationTableCells(session, entry));
  out["table"] = std::move(table);
  return out;
}

}  // namespace tarsek::calc
