#include "survey/guidance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "common/constants.h"
#include "print/recording_surface.h"
#include "survey/survey_display.h"

namespace tarsek {
namespace {

double atanDeg(double x) { return std::atan(x) * 180 / kPi; }

// A one-station well whose last station is set up by hand: the station sits at (n0, e0) with
// the target centre `dist` metres away on grid bearing `bearing`, `dv` metres deeper.
struct Geometry {
  double tvd = 1500, targetTvd = 2000, radius = 30, dd = 500, vs = 400, lat = 0;
  double n0 = 0, e0 = 0, dist = 100, bearing = 45, declination = 0;
  double inclination = 10, azimuth = 45, designAzimuth = 45;
};

WellState makeSession(const Geometry& s) {
  WellState session;
  WellRecord& w = session.well;
  w.wellNo = "W1";
  w.stationCount = 1;
  w.targetCount = 1;
  w.target1Tvd = s.targetTvd;
  w.targetRadius = s.radius;
  w.designDisplacement1 = s.dd;
  w.designAzimuth = s.designAzimuth;
  w.magDeclination = s.declination;
  const double nt = s.n0 + s.dist * std::cos(s.bearing * kPi / 180);
  const double et = s.e0 + s.dist * std::sin(s.bearing * kPi / 180);
  w.target1X = nt;
  w.target1Y = et;
  w.stations.assign(2, SurveyStation{});
  w.results.assign(2, StationResult{});
  w.stations[0] = {0, 1600, s.inclination, s.azimuth, s.azimuth + s.declination};
  StationResult& r = w.results[0];
  r.tvd = s.tvd;
  r.north = s.n0;
  r.east = s.e0;
  r.verticalSection = s.vs;
  r.lateralOffset = s.lat;
  r.target1Distance = s.dist;
  r.target1Azimuth = s.bearing - s.declination;
  if (s.targetTvd - s.tvd > 0) r.target1Inclination = atanDeg(s.dist / (s.targetTvd - s.tvd));
  return session;
}

std::vector<std::string> texts(const std::vector<PanelLine>& lines) {
  std::vector<std::string> out;
  for (const PanelLine& l : lines) out.push_back(l.text);
  return out;
}

bool contains(const std::vector<std::string>& lines, const std::string& text) {
  for (const std::string& l : lines)
    if (l == text) return true;
  return false;
}

void expectNoBadNumbers(const std::vector<PanelLine>& lines) {
  for (const PanelLine& l : lines) {
    EXPECT_EQ(l.text.find("nan"), std::string::npos) << l.text;
    EXPECT_EQ(l.text.find("inf"), std::string::npos) << l.text;
  }
}

TEST(TargetGuidance, WorkedExampleValues) {
  const WellState session = makeSession({});
  const TargetGuidance g = computeTargetGuidance(session.well, 1);
  EXPECT_DOUBLE_EQ(g.remainingTvd, 500);
  EXPECT_NEAR(g.remainingLength, 509.95, 0.005);
  EXPECT_NEAR(g.remainingDisplacement, 100, 1e-9);
  EXPECT_NEAR(g.centreInclination, 11.3099, 1e-4);
  EXPECT_NEAR(g.centreAzimuth, 45, 1e-9);
  EXPECT_NEAR(g.inclinationMin, 7.97, 0.005);
  EXPECT_NEAR(g.inclinationMax, 14.57, 0.005);
  EXPECT_NEAR(g.centreBuildRate, 0.51, 0.005);
  EXPECT_NEAR(g.buildRateLow, -0.80, 0.005);
  EXPECT_NEAR(g.buildRateHigh, 1.77, 0.005);
  EXPECT_NEAR(g.azimuthMin, 27.54, 0.005);
  EXPECT_NEAR(g.azimuthMax, 62.46, 0.005);
  EXPECT_NEAR(g.centreTurnRate, 0, 1e-9);
  EXPECT_NEAR(g.turnRateLow, -6.62, 0.005);
  EXPECT_NEAR(g.turnRateHigh, 6.62, 0.005);
  EXPECT_FALSE(g.insideCircle);
  EXPECT_TRUE(g.holdAzimuth);
  EXPECT_TRUE(g.holdInclination);
}

TEST(TargetGuidance, WorkedExamplePanelLines) {
  const WellState session = makeSession({});
  const std::vector<PanelLine> lines = guidancePanelLines(session);
  const std::vector<std::string> expected = {
      "",
      "目    前",
      "",
      "距靶点： 剩余井段：509.95m",
      "         剩余位移：100.00m",
      "         偏 移 距：0.00m",
      "",
      "靶心井斜：11.31°",
      "靶心方位：45.00°",
      "",
      "井斜范围：7.97≈14.57°",
      "",
      "对准靶点增斜率：0.51°/100m",
      "稳方位井斜变化率范围：",
      "         -0.80≈1.77°/100m",
      "",
      "方位范围：27.54≈62.46°",
      "",
      "对准靶点方位漂移率：0.00°/100m",
      "稳井斜允许方位变化率：",
      "          -6.62≈6.62°/100m",
      "    ",
  };
  EXPECT_EQ(texts(lines), expected);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].colour, kBlue) << i;
    EXPECT_EQ(lines[i].centred, i == 1) << i;
  }
}

TEST(TargetGuidance, RateIsSineOfTheTurnOverTheArc) {
  // 36000 / (pi * 100) * sin(90 deg): a quarter turn over 100 m.
  EXPECT_NEAR(rate(90, 0, 100), 36000 / (kPi * 100), 1e-9);
  // Crossing north is the short way: 350 -> 10 turns right by 20 degrees.
  EXPECT_NEAR(rate(10, 350, 100), rate(20, 0, 100), 1e-9);
  EXPECT_NEAR(rate(350, 10, 100), -rate(20, 0, 100), 1e-9);
  EXPECT_TRUE(std::isnan(rate(10, 0, 0)));
}

TEST(TargetGuidance, DefaultRangesWhenNeitherHoldApplies) {
  Geometry s;
  s.azimuth = 100;     // outside 27.54..62.46: holding the azimuth misses the circle
  s.inclination = 20;  // outside 7.97..14.57: holding the inclination overshoots
  const WellState session = makeSession(s);
  const TargetGuidance g = computeTargetGuidance(session.well, 1);
  EXPECT_FALSE(g.holdAzimuth);
  EXPECT_FALSE(g.holdInclination);
  // Straight chords to the near and far edges of the circle, from 20 degrees.
  EXPECT_NEAR(g.buildRateHigh,
              rate(g.inclinationMax, 20, 500 / std::cos(g.inclinationMax * kPi / 180)), 1e-9);
  EXPECT_LT(g.buildRateLow, g.buildRateHigh);
  EXPECT_LT(g.buildRateHigh, 0);  // both edges need a drop from 20 degrees
  // Turning to either edge of the azimuth window from 100 degrees is a left turn.
  EXPECT_LT(g.turnRateHigh, 0);
  EXPECT_LT(g.turnRateLow, g.turnRateHigh);
  const std::vector<std::string> lines = texts(guidancePanelLines(session));
  EXPECT_EQ(lines[13].rfind("允许井斜变化率：", 0), 0u);
  EXPECT_EQ(lines[18].rfind("允许方位变化率：", 0), 0u);
  EXPECT_EQ(lines[19], "");
  EXPECT_EQ(lines[20], "注意：增斜率接近于0,方位漂移率越准确");
  EXPECT_EQ(lines.back(), "    ");
}

TEST(TargetGuidance, InsideTheCircleWhenDistanceEqualsRadius) {
  Geometry s;
  s.dist = 30;
  const WellState session = makeSession(s);
  const TargetGuidance g = computeTargetGuidance(session.well, 1);
  EXPECT_TRUE(g.insideCircle);
  EXPECT_FALSE(g.holdAzimuth);
  EXPECT_EQ(g.azimuthMin, 0);
  EXPECT_EQ(g.azimuthMax, 360);
  EXPECT_EQ(g.inclinationMin, 0);
  EXPECT_NEAR(g.inclinationMax, atanDeg(60.0 / 500), 1e-9);  // short of the design: R + d
  const std::vector<std::string> lines = texts(guidancePanelLines(session));
  EXPECT_EQ(lines[3], "水平投影已进入靶圈！");
  EXPECT_EQ(lines[4].rfind("距靶点： 剩余井段：", 0), 0u);
  EXPECT_TRUE(contains(lines, "方位范围：0.00≈360.00°"));

  s.vs = 600;  // past the design displacement: the far edge is R - d away
  s.dist = 10;
  const TargetGuidance past = computeTargetGuidance(makeSession(s).well, 1);
  EXPECT_NEAR(past.inclinationMax, atanDeg(20.0 / 500), 1e-9);
}

TEST(TargetGuidance, AimedAtTheCentreFollowsTheChord) {
  Geometry s;
  s.inclination = atanDeg(100.0 / 500);
  const WellState session = makeSession(s);
  const TargetGuidance g = computeTargetGuidance(session.well, 1);
  EXPECT_DOUBLE_EQ(g.remainingLength, 500 / std::cos(g.centreInclination * kPi / 180));
  EXPECT_EQ(g.centreBuildRate, 0);
  EXPECT_TRUE(contains(texts(guidancePanelLines(session)), "对准靶点增斜率：0.00°/100m"));
}

TEST(TargetGuidance, HoldAzimuthAlongTheNorthSouthLine) {
  // The worked example turned so that the target lies due north or due south: the line the
  // well holds is the same chord of the circle, so the build rates are the same. The first
  // rate belongs to the crossing further north, which heading south is the nearer one.
  const TargetGuidance ref = computeTargetGuidance(makeSession({}).well, 1);
  for (double bearing : {0.0, 180.0}) {
    Geometry s;
    s.bearing = bearing;
    s.azimuth = bearing;
    s.designAzimuth = bearing;
    s.n0 = 20;
    s.e0 = -35;
    const TargetGuidance g = computeTargetGuidance(makeSession(s).well, 1);
    EXPECT_TRUE(g.holdAzimuth) << bearing;
    const bool south = bearing == 180;
    EXPECT_NEAR(g.buildRateHigh, south ? ref.buildRateLow : ref.buildRateHigh, 1e-6) << bearing;
    EXPECT_NEAR(g.buildRateLow, south ? ref.buildRateHigh : ref.buildRateLow, 1e-6) << bearing;
  }
}

TEST(TargetGuidance, HoldAzimuthOnAGridNorthSouthLineIsShownAsDashes) {
  // Magnetic 2 degrees off with a declination of -2: the grid line runs due north or south but
  // the entered azimuth is not 0 or 180, so the line has no slope to intersect with.
  for (double bearing : {0.0, 180.0}) {
    Geometry s;
    s.bearing = bearing;
    s.azimuth = bearing + 2;
    s.declination = -2;
    s.designAzimuth = bearing;
    const WellState session = makeSession(s);
    const TargetGuidance g = computeTargetGuidance(session.well, 1);
    EXPECT_TRUE(g.holdAzimuth) << bearing;
    EXPECT_TRUE(std::isnan(g.buildRateHigh)) << bearing;
    EXPECT_TRUE(std::isnan(g.buildRateLow)) << bearing;
    const std::vector<PanelLine> lines = guidancePanelLines(session);
    EXPECT_EQ(lines[14].text, "         --≈--°/100m");
    expectNoBadNumbers(lines);
  }
}

TEST(TargetGuidance, WindowAcrossNorthIsShownUnwrapped) {
  // Target at grid 5 degrees: the window runs from -12.46 to 22.46 and is compared with the
  // entered azimuth as it stands, so 358 takes the straight-chord build range.
  Geometry s;
  s.bearing = 5;
  s.azimuth = 358;
  s.designAzimuth = 5;
  const WellState session = makeSession(s);
  const TargetGuidance g = computeTargetGuidance(session.well, 1);
  EXPECT_FALSE(g.holdAzimuth);
  const std::vector<std::string> lines = texts(guidancePanelLines(session));
  EXPECT_TRUE(contains(lines, "方位范围：-12.46≈22.46°"));
  EXPECT_EQ(lines[13].rfind("允许井斜变化率：", 0), 0u);
}

TEST(TargetGuidance, TurnRangeHoldingInclinationIsTheSameEitherSideOfNorth) {
  // The worked example turned so that the target lies just west or east of north: the turn
  // to either edge of the circle is the same, however the compass numbers it.
  for (double bearing : {45.0, 359.5, 0.5}) {
    Geometry s;
    s.bearing = bearing;
    s.azimuth = bearing;
    s.designAzimuth = bearing;
    const TargetGuidance g = computeTargetGuidance(makeSession(s).well, 1);
    ASSERT_TRUE(g.holdInclination) << bearing;
    EXPECT_NEAR(std::max(g.turnRateLow, g.turnRateHigh), 6.62, 0.005) << bearing;
    EXPECT_NEAR(std::min(g.turnRateLow, g.turnRateHigh), -6.62, 0.005) << bearing;
  }
}

TEST(TargetGuidance, HoldInclinationDueEastOrWestIsShownAsDashes) {
  for (double bearing : {90.0, 270.0}) {
    Geometry s;
    s.bearing = bearing;
    s.azimuth = bearing;
    s.designAzimuth = bearing;
    const WellState session = makeSession(s);
    const TargetGuidance g = computeTargetGuidance(session.well, 1);
    EXPECT_TRUE(g.holdInclination) << bearing;
    EXPECT_TRUE(std::isnan(g.turnRateLow)) << bearing;
    EXPECT_TRUE(std::isnan(g.turnRateHigh)) << bearing;
    // The build range does not depend on the line across the well and is still a number.
    EXPECT_NEAR(std::max(g.buildRateHigh, g.buildRateLow), 1.77, 0.005) << bearing;
    EXPECT_NEAR(std::min(g.buildRateHigh, g.buildRateLow), -0.80, 0.005) << bearing;
    const std::vector<PanelLine> lines = guidancePanelLines(session);
    EXPECT_EQ(lines[20].text, "          --≈--°/100m");
    expectNoBadNumbers(lines);
  }
}

TEST(TargetGuidance, HoldInclinationLineMissingTheCircleIsShownAsDashes) {
  // Heading 55 degrees off the target: at the target depth the line across the well's
  // direction passes 30.8 m from the centre, outside the 30 m circle.
  Geometry s;
  s.azimuth = 100;
  const WellState session = makeSession(s);
  const TargetGuidance g = computeTargetGuidance(session.well, 1);
  ASSERT_TRUE(g.holdInclination);
  EXPECT_TRUE(std::isnan(g.turnRateLow));
  EXPECT_TRUE(std::isnan(g.turnRateHigh));
  expectNoBadNumbers(guidancePanelLines(session));
}

TEST(TargetGuidance, VerticalLineToTheCentreIsShownAsDashes) {
  WellState session = makeSession({});
  session.well.results[0].target1Inclination = 90;
  const TargetGuidance g = computeTargetGuidance(session.well, 1);
  EXPECT_TRUE(std::isnan(g.remainingLength));
  EXPECT_TRUE(std::isnan(g.centreBuildRate));
  EXPECT_TRUE(std::isnan(g.centreTurnRate));
  const std::vector<PanelLine> lines = guidancePanelLines(session);
  EXPECT_EQ(lines[3].text, "距靶点： 剩余井段：--m");
  EXPECT_EQ(lines[12].text, "对准靶点增斜率：--°/100m");
  expectNoBadNumbers(lines);
}

TEST(TargetGuidance, StationRightAboveTheCentre) {
  Geometry s;
  s.dist = 0;
  s.inclination = 0;
  const WellState session = makeSession(s);
  const TargetGuidance g = computeTargetGuidance(session.well, 1);
  EXPECT_TRUE(g.insideCircle);
  EXPECT_DOUBLE_EQ(g.remainingLength, 500);
  EXPECT_EQ(g.centreBuildRate, 0);
  expectNoBadNumbers(guidancePanelLines(session));
}

TEST(TargetGuidance, OddGeometriesNeverShowNonNumbers) {
  // Stations anywhere around and below the target, with any angles: every panel line holds a
  // number or "--", never "nan" or "inf".
  std::mt19937 gen(7);
  std::uniform_real_distribution<double> u(0, 1);
  for (int i = 0; i < 2000; ++i) {
    Geometry s;
    s.tvd = 2100 * u(gen);
    s.dist = i % 7 == 0 ? 0 : 200 * u(gen);
    s.radius = i % 11 == 0 ? 0 : 60 * u(gen);
    s.bearing = i % 5 == 0 ? 90.0 * (i % 4) : 360 * u(gen);
    s.azimuth = i % 3 == 0 ? s.bearing : 360 * u(gen);
    s.inclination = i % 13 == 0 ? 0 : 89.9 * u(gen);
    s.vs = 600 * u(gen);
    s.designAzimuth = 360 * u(gen);
    s.declination = i % 9 == 0 ? 0 : 10 * u(gen) - 5;
    expectNoBadNumbers(guidancePanelLines(makeSession(s)));
  }
}

TEST(TargetGuidance, WellWithoutStationsGivesZeros) {
  WellRecord w;
  w.wellNo = "W";
  const TargetGuidance g = computeTargetGuidance(w, 1);
  EXPECT_EQ(g.remainingLength, 0);
  EXPECT_FALSE(g.insideCircle);
  w.stationCount = 3;  // inconsistent with the arrays: still nothing read out of range
  EXPECT_EQ(computeTargetGuidance(w, 1).remainingTvd, 0);
}

}  // namespace
}  // namespace tarsek
