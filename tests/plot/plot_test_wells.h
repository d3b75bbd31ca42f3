#pragma once

#include <cmath>
#include <string>

#include "session/session.h"

namespace tarsek::testing {

/// A single-target well heading 45 degrees: wellhead at (1000, 2000), target 300 m out at
/// 1850 m TVD, radius 30, and four stations built by hand along the design azimuth.
inline Session singleTargetWell() {
  Session s;
  WellRecord& w = s.well;
  w.wellNo = "测试1";
  w.targetCount = 1;
  w.wellheadX = 1000;
  w.wellheadY = 2000;
  w.designAzimuth = 45;
  w.designDisplacement1 = 300;
  w.target1X = 1000 + 300 * std::cos(M_PI / 4);
  w.target1Y = 2000 + 300 * std::sin(M_PI / 4);
  w.target1Tvd = 1850;
  w.targetRadius = 30;
  w.designFinalTvd = 2000;
  const double tvd[] = {0, 600, 1200, 1900};
  const double vs[] = {0, 40, 160, 310};
  w.stationCount = 4;
  w.stations.assign(5, SurveyStation{});
  w.results.assign(5, StationResult{});
  for (int i = 0; i < 4; ++i) {
    w.stations[i].index = static_cast<std::int16_t>(i);
    w.stations[i].md = tvd[i] + vs[i] / 2;
    w.results[i].tvd = tvd[i];
    w.results[i].verticalSection = vs[i];
    w.results[i].closureDistance = vs[i];
    w.results[i].north = vs[i] * std::cos(M_PI / 4);
    w.results[i].east = vs[i] * std::sin(M_PI / 4);
    w.results[i].closureAzimuth = 45;
  }
  w.designPointCount = 3;
  w.designPoints.assign(4, SurveyStation{});
  w.designResults.assign(4, StationResult{});
  w.designResults[1].tvd = 500;
  w.designResults[2].tvd = 1850;
  w.designResults[2].verticalSection = 300;
  s.target1Hit.crossed = true;
  s.target1Hit.result.tvd = 1850;
  s.target1Hit.result.north = 290 * std::cos(M_PI / 4);
  s.target1Hit.result.east = 290 * std::sin(M_PI / 4);
  s.target1Hit.hitRadius = 10;
  return s;
}

/// The same well given a second target 200 m beyond the first at 2400 m TVD.
inline Session twoTargetWell() {
  Session s = singleTargetWell();
  WellRecord& w = s.well;
  w.wellNo = "测试2";
  w.targetCount = 2;
  w.designDisplacement2 = 500;
  w.target2X = 1000 + 500 * std::cos(M_PI / 4);
  w.target2Y = 2000 + 500 * std::sin(M_PI / 4);
  w.target2Tvd = 2400;
  w.designFinalTvd = 2500;
  s.target2Hit.crossed = true;
  s.target2Hit.result.tvd = 2400;
  s.target2Hit.result.north = 480 * std::cos(M_PI / 4);
  s.target2Hit.result.east = 480 * std::sin(M_PI / 4);
  return s;
}

}  // namespace tarsek::testing
