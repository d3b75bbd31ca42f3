#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "common/constants.h"
#include "design/profile_design.h"
#include "session/session.h"
#include "survey/survey_calc.h"

namespace tarsek::testing {

/// A host that remembers every status text and busy change in order.
class RecordingHost : public Host {
 public:
  void setStatusText(const std::string& text) override { events.push_back("status:" + text); }
  void setBusy(bool busy) override { events.push_back(busy ? "busy" : "idle"); }
  Answer askYesNoCancel(const std::string&) override { return Answer::Cancel; }
  Answer askYesNo(const std::string&) override { return Answer::No; }
  std::vector<std::string> events;
};

/// Sets the wellhead, target 1 and the design azimuth and displacement the way the design
/// window derives them from the coordinates.
inline void placeTarget1(WellRecord& w, double north, double east, double tvd) {
  w.target1X = w.wellheadX + north;
  w.target1Y = w.wellheadY + east;
  w.target1Tvd = tvd;
  w.designAzimuth = AzimuthOf(north, east);
  w.designDisplacement1 = std::sqrt(north * north + east * east);
}

inline void placeTarget2(WellRecord& w, double north, double east, double tvd) {
  w.targetCount = 2;
  w.target2X = w.wellheadX + north;
  w.target2Y = w.wellheadY + east;
  w.target2Tvd = tvd;
  w.designDisplacement2 = std::sqrt(north * north + east * east);
}

/// A typical single-target well: kick-off 500 m, target 1 1000 m away at 2500 m, final 3000 m.
inline Session singleTargetWell(SurveyMethod method = SurveyMethod::AverageAngle) {
  Session s;
  s.calcMethod = method;
  WellRecord& w = s.well;
  w.wellNo = "庄1-2";
  w.wellheadX = 4120350.25;
  w.wellheadY = 20512870.5;
  w.magDeclination = -3.5;
  placeTarget1(w, 600, 800, 2500);
  w.targetRadius = 30;
  w.kickoffDepth = 500;
  w.buildRate = 6;
  w.buildToInclination = 15;
  w.rotaryBuildRate = 2;
  w.rotaryDropRate = 2;
  w.designFinalTvd = 3000;
  return s;
}

/// A typical two-target well: target 2 on a steeper line beyond target 1, so the hold must drop
/// toward it; final depth 3000 m.
inline Session twoTargetWell(SurveyMethod method = SurveyMethod::AverageAngle) {
  Session s = singleTargetWell(method);
  WellRecord& w = s.well;
  placeTarget1(w, 600, 800, 2300);
  placeTarget2(w, 810, 1080, 2800);
  w.rotaryDropRate = 3;
  return s;
}

/// A two-target well whose target 2 lies on the straight extension of the hold through target
/// 1, 500 m deeper, so that the hold already points at target 2.
inline Session targetsInLine(SurveyMethod method, double dropRate) {
  Session probe = twoTargetWell(method);
  probe.well.targetCount = 1;
  probe.well.designFinalTvd = probe.well.target1Tvd;
  DesignProfile(probe);
  const int last = probe.well.designPointCount - 1;
  const double hold = probe.well.designPoints[last].inclination * kPi / 180;
  const double az = probe.well.designAzimuth * kPi / 180;
  const double reach = 500 * std::tan(hold);
  Session s = twoTargetWell(method);
  s.well.rotaryDropRate = dropRate;
  const StationResult& end = probe.well.designResults[last];
  placeTarget2(s.well, end.north + reach * std::cos(az), end.east + reach * std::sin(az),
               s.well.target1Tvd + 500);
  return s;
}

}  // namespace tarsek::testing
