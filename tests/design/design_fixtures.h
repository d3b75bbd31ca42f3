#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "survey/survey_calc.h"
#include "well/session.h"

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
inline Session singleTargetWell(int method = 0) {
  Session s;
  s.calcMethod = static_cast<std::int16_t>(method);
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

/// A typical two-target well: target 2 on a flatter line beyond target 1, so the hold must drop.
inline Session twoTargetWell(int method = 0) {
  Session s = singleTargetWell(method);
  WellRecord& w = s.well;
  placeTarget1(w, 600, 800, 2000);
  placeTarget2(w, 720, 960, 2600);
  return s;
}

}  // namespace tarsek::testing
