#include "app/calc_well.h"

#include <algorithm>
#include <cstddef>

namespace tarsek::calc {

using nlohmann::json;

json stationJson(const SurveyStation& s) {
  return {{"index", s.index},
          {"md", s.md},
          {"inclination", s.inclination},
          {"azimuth", s.azimuth},
          {"gridAzimuth", s.gridAzimuth}};
}

json resultJson(const StationResult& r) {
  return {{"tvd", r.tvd},
          {"planLength", r.planLength},
          {"closureDistance", r.closureDistance},
          {"north", r.north},
          {"east", r.east},
          {"closureAzimuth", r.closureAzimuth},
          {"doglegSeverity", r.doglegSeverity},
          {"lateralOffset", r.lateralOffset},
          {"verticalSection", r.verticalSection},
          {"target1Inclination", r.target1Inclination},
          {"target1Azimuth", r.target1Azimuth},
          {"target1Distance", r.target1Distance},
          {"target2Inclination", r.target2Inclination},
          {"target2Azimuth", r.target2Azimuth},
          {"target2Distance", r.target2Distance}};
}

json crossingJson(const TargetCrossing& c) {
  return {{"station", stationJson(c.station)},
          {"result", resultJson(c.result)},
          {"hitRadius", c.hitRadius},
          {"crossed", c.crossed}};
}

json basicDataJson(const BasicData& b) {
  return {{"targetCount", b.targetCount},
          {"wellheadX", b.wellheadX},
          {"wellheadY", b.wellheadY},
          {"target1X", b.target1X},
          {"target1Y", b.target1Y},
          {"target2X", b.target2X},
          {"target2Y", b.target2Y},
          {"padWellheadX", b.padWellheadX},
          {"padWellheadY", b.padWellheadY},
          {"magDeclination", b.magDeclination},
          {"gateDirection", b.gateDirection},
          {"rigSkidDistance", b.rigSkidDistance},
          {"target1Tvd", b.target1Tvd},
          {"target2Tvd", b.target2Tvd},
          {"designAzimuth", b.designAzimuth},
          {"designDisplacement1", b.designDisplacement1},
          {"designDisplacement2", b.designDisplacement2},
          {"targetRadius", b.targetRadius},
          {"designPointCount", b.designPointCount},
          {"buildRate", b.buildRate},
          {"buildToInclination", b.buildToInclination},
          {"kickoffDepth", b.kickoffDepth},
          {"rotaryBuildRate", b.rotaryBuildRate},
          {"rotaryDropRate", b.rotaryDropRate},
          {"designFinalTvd", b.designFinalTvd}};
}

namespace {

// Entries 0 .. count - 1, never past the end of either array whatever the count says.
template <typename T, typename F>
json arrayJson(const std::vector<T>& items, int count, F&& toJson) {
  json out = json::array();
  const std::size_t n = std::min(items.size(), static_cast<std::size_t>(std::max(count, 0)));
  for (std::size_t i = 0; i < n; ++i) out.push_back(toJson(items[i]));
  return out;
}

}  // namespace

json wellJson(const Session& session) {
  const WellRecord& w = session.well;
  return {{"wellNo", w.wellNo},
          {"calcMethod", MethodCode(session.calcMethod)},
          {"basicData", basicDataJson(w.basic())},
          {"stations", arrayJson(w.stations, w.stationCount, stationJson)},
          {"results", arrayJson(w.results, w.stationCount, resultJson)},
          {"target1Hit", crossingJson(session.target1Hit)},
          {"target2Hit", crossingJson(session.target2Hit)}};
}

json designJson(const Session& session, std::optional<DesignOutcome> outcome) {
  const WellRecord& w = session.well;
  json segments = json::array();
  for (const DesignSegment& s : session.designSegments) {
    segments.push_back({{"name", s.name},
                        {"md", s.md},
                        {"tvd", s.tvd},
                        {"displacement", s.displacement},
                        {"inclination", s.inclination},
                        {"deltaMd", s.deltaMd},
                        {"deltaTvd", s.deltaTvd},
                        {"deltaHorizontal", s.deltaHorizontal}});
  }
  return {{"outcome", outcome ? OutcomeCode(*outcome) : -1},
          {"points", arrayJson(w.designPoints, w.designPointCount, stationJson)},
          {"results", arrayJson(w.designResults, w.designPointCount, resultJson)},
          {"segments", std::move(segments)}};
}

}  // namespace tarsek::calc
