#include "survey/survey_calc.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/constants.h"
#include "model/well_files.h"
#include "session/well_io.h"

using namespace tarsek;

namespace {

SurveyStation st(double md, double inc, double az, double grid) {
  SurveyStation s;
  s.md = md;
  s.inclination = inc;
  s.azimuth = az;
  s.gridAzimuth = grid;
  return s;
}

StationResult inc(SurveyStation p, SurveyStation c, SurveyMethod method) {
  return IntervalIncrements(p, c, method);
}

/// A well heading roughly north-east, kicked off at 500 m, with a target below it.
Session buildWell(SurveyMethod method) {
  Session s;
  s.calcMethod = method;
  WellRecord& w = s.well;
  w.wellNo = "试验1井";
  w.wellheadX = 1000;
  w.wellheadY = 2000;
  w.target1X = 1300;
  w.target1Y = 2300;
  w.target1Tvd = 1200;
  w.magDeclination = -3;
  w.designAzimuth = 45;
  w.stations.clear();
  double md = 0;
  for (int i = 0; i < 60; ++i, md += 30) {
    const double incl = md < 500 ? 0 : std::min(40.0, (md - 500) * 0.1);
    w.stations.push_back(st(md, incl, 48 + (md > 800 ? 2 : 0), 0));
  }
  w.stationCount = static_cast<std::int16_t>(w.stations.size());
  w.stations.push_back(SurveyStation{});
  for (int i = 0; i < w.stationCount; ++i) w.stations[i].index = static_cast<std::int16_t>(i);
  return s;
}

}  // namespace

TEST(AngleHelpers, AzimuthOfCoversEveryQuadrantAndAxis) {
  EXPECT_DOUBLE_EQ(AzimuthOf(0, 0), 0);
  EXPECT_NEAR(AzimuthOf(1, 1), 45, 1e-9);
  EXPECT_NEAR(AzimuthOf(0, 5), 90, 1e-9);
  EXPECT_NEAR(AzimuthOf(-1, 1), 135, 1e-9);
  EXPECT_DOUBLE_EQ(AzimuthOf(-3, 0), 180);
  EXPECT_NEAR(AzimuthOf(-1, -1), 225, 1e-9);
  EXPECT_NEAR(AzimuthOf(0, -2), 270, 1e-9);
  EXPECT_NEAR(AzimuthOf(1, -1), 315, 1e-9);
  EXPECT_DOUBLE_EQ(AzimuthOf(7, 0), 0);
  for (double n = -5; n <= 5; n += 0.5)
    for (double e = -5; e <= 5; e += 0.5) {
      const double a = AzimuthOf(n, e);
      EXPECT_GE(a, 0);
      EXPECT_LT(a, 360);
    }
}

TEST(AngleHelpers, ArcSineAndArcCosineSpecialCases) {
  EXPECT_DOUBLE_EQ(ArcSine(2), 0);
  EXPECT_DOUBLE_EQ(ArcSine(1), kPi / 2);
  EXPECT_NEAR(ArcSine(-1), 3 * kPi / 2, 1e-9);  // not -pi/2: the program's own convention
  EXPECT_NEAR(ArcSine(0.5), std::asin(0.5), 1e-12);
  EXPECT_DOUBLE_EQ(ArcCosine(1.5), 0);
  EXPECT_DOUBLE_EQ(ArcCosine(1), 0);
  EXPECT_NEAR(ArcCosine(-1), M_PI, 1e-12);
  EXPECT_NEAR(ArcCosine(0.5), std::acos(0.5), 1e-12);
  EXPECT_DOUBLE_EQ(ArcSine(std::nan("")), 0);
}

TEST(IntervalMethods, HandCheckedIncrementsFromVerticalToThirtyDegreesEast) {
  const auto p = st(100, 0, 0, 0);
  const auto c = st(200, 30, 90, 90);
  // Average angle: the vertical top takes the lower azimuth.
  auto m0 = inc(p, c, SurveyMethod::AverageAngle);
  EXPECT_NEAR(m0.tvd, 96.592582629, 1e-6);
  EXPECT_NEAR(m0.planLength, 25.881904510, 1e-6);
  EXPECT_NEAR(m0.north, 0, 1e-6);
  EXPECT_NEAR(m0.east, 25.881904510, 1e-6);
  // Corrected average angle: no substitution, so the mean azimuth is 45°.
  auto m1 = inc(p, c, SurveyMethod::CorrectedAverageAngle);
  EXPECT_NEAR(m1.tvd, 95.489190755, 1e-6);
  EXPECT_NEAR(m1.planLength, 25.586251549, 1e-6);
  EXPECT_NEAR(m1.north, 16.210688050, 1e-6);
  EXPECT_NEAR(m1.east, 16.210688050, 1e-6);
  // Balanced tangential substitutes locally.
  auto m3 = inc(p, c, SurveyMethod::BalancedTangential);
  EXPECT_NEAR(m3.tvd, 93.301270189, 1e-6);
  EXPECT_NEAR(m3.planLength, 25.0, 1e-6);
  EXPECT_NEAR(m3.north, 0, 1e-6);
  EXPECT_NEAR(m3.east, 25.0, 1e-6);
  // Tangential uses the lower end only.
  auto m4 = inc(p, c, SurveyMethod::Tangential);
  EXPECT_NEAR(m4.tvd, 86.602540378, 1e-6);
  EXPECT_NEAR(m4.east, 50.0, 1e-6);
  // A code outside the six (only a cast can make one) adds nothing.
  auto bad = inc(p, c, static_cast<SurveyMethod>(7));
  EXPECT_EQ(bad.tvd, 0);
  EXPECT_EQ(bad.east, 0);
}

TEST(IntervalMethods, ChordStepOnACurvedCourse) {
  auto m2 = inc(st(1000, 20, 40, 40), st(1030, 26, 52, 52), SurveyMethod::ChordStep);
  EXPECT_NEAR(m2.tvd, 27.637855061, 1e-6);
  EXPECT_NEAR(m2.planLength, 11.668288975, 1e-6);
  EXPECT_NEAR(m2.north, 7.995881984, 1e-6);
  EXPECT_NEAR(m2.east, 8.497931448, 1e-6);
}

TEST(IntervalMethods, ChordStepOnAStraightCourseEqualsBalancedTangential) {
  const auto p = st(1000, 35, 120, 120), c = st(1050, 35, 120, 120);
  const auto a = inc(p, c, SurveyMethod::ChordStep),
             b = inc(p, c, SurveyMethod::BalancedTangential);
  EXPECT_NEAR(a.tvd, b.tvd, 1e-9);
  EXPECT_NEAR(a.north, b.north, 1e-9);
  EXPECT_NEAR(a.east, b.east, 1e-9);
  EXPECT_NEAR(a.planLength, b.planLength, 1e-9);
}

TEST(IntervalMethods, ChordStepCourseThatTurnsBackStaysFinite) {
  const auto r = inc(st(1000, 90, 0, 0), st(1030, 90, 180, 180), SurveyMethod::ChordStep);
  EXPECT_TRUE(std::isfinite(r.tvd));
  EXPECT_TRUE(std::isfinite(r.north));
  EXPECT_TRUE(std::isfinite(r.planLength));
}

TEST(IntervalMethods, AzimuthAcrossNorthHeadsNorthForBothAverageMethods) {
  const auto p = st(1000, 30, 350, 350), c = st(1030, 30, 10, 10);
  for (SurveyMethod method : {SurveyMethod::AverageAngle, SurveyMethod::CorrectedAverageAngle}) {
    const auto r = inc(p, c, method);
    EXPECT_GT(r.north, 14.5) << method;  // ~30 * sin 30 * cos 0
    EXPECT_NEAR(r.east, 0, 1e-6) << method;
  }
  // The corrected method's turn is 20°, not 340°: the north move stays near the average angle's.
  EXPECT_NEAR(inc(p, c, SurveyMethod::CorrectedAverageAngle).north,
              inc(p, c, SurveyMethod::AverageAngle).north, 0.1);
}

TEST(Trajectory, VerticalWellByEveryMethod) {
  for (SurveyMethod method : kSurveyMethods) {
    std::vector<SurveyStation> s = {st(0, 0, 0, 0), st(100, 0, 80, 0), st(250, 0, 200, 0),
                                    SurveyStation{}};
    BasicData b;
    b.target1Tvd = 1000;
    const auto r = ComputeTrajectory(s, b, 3, method);
    ASSERT_EQ(r.size(), 4u);
    for (int i = 0; i < 3; ++i) {
      EXPECT_NEAR(r[i].tvd, s[i].md, 1e-9);
      EXPECT_EQ(r[i].north, 0);
      EXPECT_EQ(r[i].east, 0);
      EXPECT_EQ(r[i].closureAzimuth, 0);
      EXPECT_EQ(r[i].doglegSeverity, 0);
    }
  }
}

TEST(Trajectory, SingleStationGivesDepthAndTargetFromTheWellhead) {
  std::vector<SurveyStation> s = {st(120, 3, 50, 0), SurveyStation{}};
  BasicData b;
  b.wellheadX = 10;
  b.wellheadY = 20;
  b.target1X = 310;
  b.target1Y = 420;
  b.target1Tvd = 620;
  b.magDeclination = 2;
  const auto r = ComputeTrajectory(s, b, 1, SurveyMethod::AverageAngle);
  EXPECT_EQ(r[0].tvd, 120);
  EXPECT_NEAR(r[0].target1Distance, 500, 1e-9);
  EXPECT_NEAR(r[0].target1Inclination, 45, 1e-6);
  EXPECT_NEAR(r[0].target1Azimuth, AzimuthOf(300, 400) - 2, 1e-9);
  EXPECT_EQ(r[0].north, 0);
  EXPECT_EQ(s[0].gridAzimuth, 0);  // left alone for a single station
}

TEST(Trajectory, FirstResultHasOnlyDepthAndGridAzimuthFollowsDeclination) {
  Session s = buildWell(SurveyMethod::AverageAngle);
  RecalculateAll(s);
  const auto& w = s.well;
  EXPECT_EQ(w.results.size(), static_cast<std::size_t>(w.stationCount) + 1);
  EXPECT_EQ(w.results[0].tvd, 0);
  EXPECT_EQ(w.results[0].target1Distance, 0);
  EXPECT_DOUBLE_EQ(w.stations[40].gridAzimuth, w.stations[40].azimuth - 3);
  // Changing the declination turns the whole trajectory, the measured azimuths stay.
  const double eastBefore = w.results[59].east;
  s.well.magDeclination = 10;
  RecalculateAll(s);
  EXPECT_DOUBLE_EQ(s.well.stations[40].azimuth, 50);
  EXPECT_DOUBLE_EQ(s.well.stations[40].gridAzimuth, 60);
  EXPECT_GT(s.well.results[59].east, eastBefore);
}

TEST(Trajectory, DoglegAcrossNorthUsesTheShortTurn) {
  std::vector<SurveyStation> s = {st(1000, 90, 350, 0), st(1030, 90, 10, 0), SurveyStation{}};
  BasicData b;
  for (SurveyMethod method : kSurveyMethods) {
    auto copy = s;
    const auto r = ComputeTrajectory(copy, b, 2, method);
    EXPECT_NEAR(r[1].doglegSeverity, 20, 1e-6) << method;
  }
  std::vector<SurveyStation> c = {st(1000, 20, 40, 0), st(1030, 26, 52, 0), SurveyStation{}};
  EXPECT_NEAR(ComputeTrajectory(c, b, 2, SurveyMethod::AverageAngle)[1].doglegSeverity, 7.614761804,
              1e-6);
}

TEST(Trajectory, AverageAngleCarriesAzimuthThroughAVerticalStation) {
  std::vector<SurveyStation> s = {st(0, 0, 0, 0), st(100, 5, 30, 0), st(200, 0, 0, 0),
                                  st(300, 5, 200, 0), SurveyStation{}};
  BasicData b;
  ComputeTrajectory(s, b, 4, SurveyMethod::AverageAngle);
  // The vertical station took 30° from above, then 200° from below, and keeps the last.
  EXPECT_DOUBLE_EQ(s[2].gridAzimuth, 200);
  // Balanced tangential substitutes locally and leaves the record as derived.
  ComputeTrajectory(s, b, 4, SurveyMethod::BalancedTangential);
  EXPECT_DOUBLE_EQ(s[2].gridAzimuth, 0);
}

TEST(Trajectory, MethodChangesPositionButNotDogleg) {
  Session a = buildWell(SurveyMethod::AverageAngle),
          b = buildWell(SurveyMethod::BalancedTangential);
  RecalculateAll(a);
  RecalculateAll(b);
  EXPECT_NE(a.well.results[59].tvd, b.well.results[59].tvd);
  for (int i = 25; i < 59; ++i)
    EXPECT_NEAR(a.well.results[i].doglegSeverity, b.well.results[i].doglegSeverity, 1e-9) << i;
}

TEST(Trajectory, TargetDirectionOnlyAboveTheTarget) {
  Session s = buildWell(SurveyMethod::AverageAngle);
  RecalculateAll(s);
  const auto& last = s.well.results[59];
  ASSERT_GT(last.tvd, s.well.target1Tvd);
  EXPECT_EQ(last.target1Inclination, 0);
  EXPECT_EQ(last.target1Azimuth, 0);
  EXPECT_GT(last.target1Distance, 0);
  EXPECT_GT(s.well.results[10].target1Inclination, 0);
}

TEST(Trajectory, StepByStepEqualsTheFullPassToTheLastBit) {
  // The full pass takes each station's sines and cosines once; course by course must agree
  // with it in every field, across north, through a vertical station and on a straight course.
  for (SurveyMethod method : kSurveyMethods) {
    SCOPED_TRACE(method);
    Session s = buildWell(method);
    auto& st = s.well.stations;
    for (int i = 30; i < 40; ++i) st[i].azimuth = std::fmod(340 + 4.0 * (i - 30), 360);
    st[45].inclination = 0;
    st[50] = st[49], st[50].md += 30;
    auto stations = st;
    auto full = ComputeTrajectory(st, s.well.basic(), s.well.stationCount, method);
    std::vector<StationResult> grown(stations.size());
    for (int i = 0; i < s.well.stationCount; ++i)
      stations[i].gridAzimuth = stations[i].azimuth + s.well.magDeclination;
    grown[0].tvd = stations[0].md;
    for (int i = 1; i < s.well.stationCount; ++i)
      ComputeTrajectoryStep(stations, s.well.basic(), grown, i, method);
    for (int i = 0; i < s.well.stationCount; ++i) {
      EXPECT_EQ(fieldsOf(grown[i]), fieldsOf(full[i])) << i;
      EXPECT_EQ(stations[i].gridAzimuth, st[i].gridAzimuth) << i;
    }
  }
}

TEST(TargetCrossing, LiesAtTheTargetDepthByEveryMethod) {
  for (SurveyMethod method : kSurveyMethods) {
    Session s = buildWell(method);
    RecalculateAll(s);
    const auto& x = s.target1Hit;
    EXPECT_NEAR(x.result.tvd, s.well.target1Tvd, 0.0001) << method;
    EXPECT_GT(x.station.md, 0);
    // The crossing sits between the stations that bracket the target depth.
    int i = 1;
    while (s.well.results[i].tvd < s.well.target1Tvd) ++i;
    EXPECT_GE(x.station.md, s.well.stations[i - 1].md);
    EXPECT_LE(x.station.md, s.well.stations[i].md);
    const double dn = x.result.north - 300, de = x.result.east - 300;
    EXPECT_NEAR(x.hitRadius, std::sqrt(dn * dn + de * de), 1e-9);
    EXPECT_EQ(x.result.target1Inclination, x.hitRadius);
    EXPECT_NEAR(x.station.azimuth, x.station.gridAzimuth + 3, 1e-9);
  }
}

TEST(TargetCrossing, LongTangentialCourseStillLandsOnTheDepth) {
  Session s = buildWell(SurveyMethod::Tangential);
  auto& w = s.well;
  w.stations = {st(0, 0, 0, 0), st(900, 10, 45, 0), st(1200, 60, 45, 0), SurveyStation{}};
  w.stationCount = 3;
  w.target1Tvd = 1000;
  for (SurveyMethod method : kSurveyMethods) {
    s.calcMethod = method;
    RecalculateAll(s);
    EXPECT_NEAR(s.target1Hit.result.tvd, 1000, 0.0001) << method;
  }
}

TEST(TargetCrossing, ZeroWhenNotReachedOrAlreadyBelow) {
  Session s = buildWell(SurveyMethod::AverageAngle);
  s.well.target1Tvd = 5000;
  RecalculateAll(s);
  EXPECT_EQ(s.target1Hit.station.md, 0);
  EXPECT_EQ(s.target1Hit.result.tvd, 0);
  EXPECT_EQ(s.target2Hit.result.tvd, 0);  // single-target well
  Session t = buildWell(SurveyMethod::AverageAngle);
  t.well.stations[0].md = 10;  // first station already below a 5 m target
  t.well.target1Tvd = 5;
  RecalculateAll(t);
  EXPECT_EQ(t.target1Hit.result.tvd, 0);
  EXPECT_EQ(t.target1Hit.hitRadius, 0);
  EXPECT_FALSE(t.target1Hit.crossed);
  EXPECT_FALSE(s.target1Hit.crossed);
}

TEST(TargetCrossing, AzimuthAcrossNorthStaysABearingWithEitherDeclination) {
  struct Case {
    double declination, azimuth1, azimuth2, expected;
  };
  // The grid azimuths straddle north; the declination takes the crossing's survey azimuth
  // across it again.
  const Case cases[] = {{3, 356, 359, 357.5}, {-3, 1, 4, 2.5}, {-3, 358, 4, 1}};
  for (const Case& c : cases) {
    for (SurveyMethod method : kSurveyMethods) {
      Session s = buildWell(method);
      WellRecord& w = s.well;
      w.magDeclination = c.declination;
      w.stations = {st(0, 0, 0, 0), st(900, 20, c.azimuth1, 0), st(1100, 20, c.azimuth2, 0),
                    SurveyStation{}};
      for (int i = 0; i < 3; ++i) w.stations[i].index = static_cast<std::int16_t>(i);
      w.stationCount = 3;
      RecalculateAll(s);
      w.target1Tvd = (w.results[1].tvd + w.results[2].tvd) / 2;
      RecalculateAll(s);
      const double a = s.target1Hit.station.azimuth;
      ASSERT_TRUE(s.target1Hit.crossed);
      EXPECT_GE(a, 0) << c.declination << " " << method;
      EXPECT_LT(a, 360) << c.declination << " " << method;
      EXPECT_NEAR(a, c.expected, 0.1) << c.declination << " " << method;
      EXPECT_NEAR(std::fmod(s.target1Hit.station.gridAzimuth - c.declination + 720, 360), a, 1e-9);
    }
  }
}

TEST(TargetCrossing, SecondTargetOfATwoTargetWell) {
  Session s = buildWell(SurveyMethod::CorrectedAverageAngle);
  s.well.targetCount = 2;
  s.well.target2X = 1350;
  s.well.target2Y = 2350;
  s.well.target2Tvd = 1500;
  RecalculateAll(s);
  EXPECT_NEAR(s.target2Hit.result.tvd, 1500, 0.0001);
  EXPECT_EQ(s.target2Hit.result.target2Inclination, s.target2Hit.hitRadius);
  EXPECT_GT(s.well.results[20].target2Distance, 0);
}

TEST(StationAtDepthSearch, ByMeasuredDepthAndOutsideTheCourse) {
  BasicData b;
  const auto u = st(1000, 20, 350, 350), l = st(1100, 30, 10, 10);
  StationResult ur;
  ur.tvd = 950;
  const auto x = StationAtDepth(1040, u, ur, b, l, false, SurveyMethod::AverageAngle);
  EXPECT_NEAR(x.station.md, 1040, 0.0001);
  // The interpolated direction stays between 350° and 10°, across north.
  EXPECT_TRUE(x.station.gridAzimuth > 350 || x.station.gridAzimuth < 10) << x.station.gridAzimuth;
  EXPECT_GT(x.result.tvd, 950);
  // A depth outside the course ends after a bounded search with finite values.
  const auto far = StationAtDepth(5000, u, ur, b, l, true, SurveyMethod::ChordStep);
  EXPECT_TRUE(std::isfinite(far.result.tvd));
  EXPECT_TRUE(std::isfinite(far.result.doglegSeverity));
  EXPECT_EQ(StationAtDepth(0, u, ur, b, l, true, SurveyMethod::AverageAngle).result.tvd, 0);
}

TEST(Recalculate, NothingWithoutAWellOrStationsAndNeighboursToo) {
  Session s = buildWell(SurveyMethod::AverageAngle);
  s.well.wellNo.clear();
  RecalculateAll(s);
  EXPECT_EQ(s.well.results.size(), 1u);

  Session t = buildWell(SurveyMethod::AverageAngle);
  WellRecord n = buildWell(SurveyMethod::ChordStep).well;
  n.wellheadX = 1010;
  t.neighbourWells.push_back(n);
  t.neighbourWells.push_back(WellRecord{});  // an empty entry is left alone
  RecalculateAll(t);
  ASSERT_EQ(t.neighbourWells[0].results.size(), 61u);
  EXPECT_GT(t.neighbourWells[0].results[59].tvd, 1000);

  Session d = buildWell(SurveyMethod::AverageAngle);
  d.well.designPoints = d.well.stations;
  d.well.designPointCount = 0;
  RecalculateDesignTrajectory(d);
  EXPECT_EQ(d.well.designResults.size(), 1u);
  d.well.designPointCount = 60;
  RecalculateDesignTrajectory(d);
  EXPECT_EQ(d.well.designResults.size(), 61u);
}

TEST(Recalculate, MethodNames) {
  EXPECT_STREQ(MethodName(SurveyMethod::AverageAngle), "平均角法");
  EXPECT_STREQ(MethodName(SurveyMethod::CorrectedAverageAngle), "校正平均角法");
  EXPECT_STREQ(MethodName(SurveyMethod::ChordStep), "弦步法");
  EXPECT_STREQ(MethodName(SurveyMethod::BalancedTangential), "平衡正切法");
  EXPECT_STREQ(MethodName(SurveyMethod::Tangential), "正切法");
  EXPECT_STREQ(MethodName(SurveyMethod::MinimumCurvature), "最小曲率法");
  EXPECT_STREQ(MethodName(static_cast<SurveyMethod>(6)), "");
}

namespace {

/// The benchmark's long well: a build from 500 m to 85°, a steady turn through north.
Session longWell(SurveyMethod method, int n) {
  Session s = buildWell(method);
  auto& st = s.well.stations;
  st.assign(static_cast<std::size_t>(n) + 1, SurveyStation{});
  for (int i = 0; i < n; ++i) {
    st[i].md = i * 0.3;
    st[i].inclination = std::min(85.0, std::max(0.0, (st[i].md - 500) * 0.03));
    st[i].azimuth = std::fmod(300 + st[i].md * 0.01, 360);
  }
  s.well.stationCount = static_cast<std::int16_t>(n);
  s.well.targetCount = 2;
  s.well.target2X = 900, s.well.target2Y = 2100, s.well.target2Tvd = 900;
  return s;
}

Session sample(const char* name, SurveyMethod method) {
  Session s;
  s.calcMethod = method;
  const WellLoadResult r =
      LoadWell(s, s.well, std::string(TARSEK_SAMPLES_DIR) + "/" + name, false, TARSEK_SAMPLES_DIR);
  EXPECT_TRUE(r.ok && r.found) << r.message;
  return s;
}

}  // namespace

TEST(Trajectory, VectorisedPassAgreesWithTheScalarPass) {
  // Any last-bit difference stays far below what is printed: relative 1e-12, or 1e-9 m near zero.
  for (SurveyMethod method : kSurveyMethods) {
    SCOPED_TRACE(method);
    std::vector<Session> wells = {longWell(method, 9001), buildWell(method)};
    auto& odd = wells.back().well.stations;
    for (int i = 30; i < 40; ++i) odd[i].azimuth = std::fmod(340 + 4.0 * (i - 30), 360);
    odd[45].inclination = 0;
    odd[50] = odd[49], odd[50].md += 30;
    for (const char* name : {"示例1.kvd", "草20-1.kvd", "草20-2.kvd", "草20-3.kvd"})
      wells.push_back(sample(name, method));
    for (Session& s : wells) {
      WellRecord& w = s.well;
      auto scalarStations = w.stations;
      std::vector<StationResult> scalar, fast;
      ComputeTrajectoryInto(scalarStations, w.basic(), w.stationCount, method, scalar);
      ComputeTrajectoryFast(w.stations, w.basic(), w.stationCount, method, fast);
      ASSERT_EQ(fast.size(), scalar.size());
      ASSERT_GT(w.stationCount, 10);
      for (int i = 0; i < w.stationCount; ++i) {
        EXPECT_EQ(w.stations[i].gridAzimuth, scalarStations[i].gridAzimuth) << i;
        const auto a = fieldsOf(fast[i]), b = fieldsOf(scalar[i]);
        for (std::size_t f = 0; f < a.size(); ++f) {
          const double d = std::fabs(a[f] - b[f]);
          EXPECT_TRUE(d <= 1e-9 || d <= 1e-12 * std::fabs(b[f]))
              << w.wellNo << " station " << i << " field " << f << ": " << a[f] << " vs " << b[f];
        }
      }
    }
  }
}
