#include "anticollision/clearance_scan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "common/constants.h"
#include "survey/survey_calc.h"

namespace tarsek {
namespace {

/// A station of a hand-built trajectory: measured depth, vertical depth, north, east.
struct Pt {
  double md, tvd, north, east;
};

WellRecord makeWell(const std::string& name, double wellheadX, double wellheadY,
                    const std::vector<Pt>& pts) {
  WellRecord w;
  w.wellNo = name;
  w.wellheadX = wellheadX;
  w.wellheadY = wellheadY;
  w.stationCount = static_cast<std::int16_t>(pts.size());
  w.stations.assign(pts.size() + 1, SurveyStation{});
  w.results.assign(pts.size() + 1, StationResult{});
  for (std::size_t i = 0; i < pts.size(); ++i) {
    w.stations[i].index = static_cast<std::int16_t>(i);
    w.stations[i].md = pts[i].md;
    w.results[i].tvd = pts[i].tvd;
    w.results[i].north = pts[i].north;
    w.results[i].east = pts[i].east;
  }
  return w;
}

/// A curving well with a station at every 15 m of vertical depth down to 600 m, so that every
/// sample of a step-15 scan lands on a station and no interpolation is involved.
std::vector<Pt> curvingPath(double lastTvd = 600) {
  std::vector<Pt> p;
  for (int k = 0; k * 15 <= lastTvd; ++k) {
    const double t = k * 15.0;
    p.push_back({t * 1.05, t, 0.002 * t * t, 0.3 * t});
  }
  return p;
}

/// A vertical well with stations every 100 m; samples between stations interpolate.
std::vector<Pt> verticalPath(double lastTvd) {
  std::vector<Pt> p;
  for (double t = 0; t < lastTvd; t += 100) p.push_back({t, t, 0, 0});
  p.push_back({lastTvd, lastTvd, 0, 0});
  return p;
}

struct ScanFixture : ::testing::Test {
  WellState session;
  ClearanceScan scan;
  void SetUp() override { session.well = makeWell("本井", 1000, 2000, curvingPath()); }
};

TEST_F(ScanFixture, TwinsTenMetresApartEastAndWest) {
  session.neighbourWells.push_back(makeWell("东1", 1000, 2010, curvingPath()));
  session.neighbourWells.push_back(makeWell("西1", 1000, 1990, curvingPath()));
  ASSERT_TRUE(scanClearance(session, 15, scan));
  ASSERT_EQ(scan.tracks.size(), 2u);
  ASSERT_EQ(scan.ownSampleMd.size(), 41u);
  for (std::size_t i = 0; i < 2; ++i) {
    ASSERT_EQ(scan.tracks[i].samples.size(), 41u);
    for (const ClearanceSample& c : scan.tracks[i].samples) {
      EXPECT_NEAR(c.clearance, 9.784, 1e-9);
      // Offsets pass through the common frame, so the last bits of the wellheads show.
      EXPECT_NEAR(c.relAzimuth, i == 0 ? 90.0 : 270.0, 1e-9);
      EXPECT_NEAR(c.dNorth, 0.0, 1e-9);
      EXPECT_DOUBLE_EQ(c.neighbourMd, c.tvd * 1.05);
    }
    EXPECT_EQ(scan.tracks[i].minIndex, 0);
  }
  // Equal minima everywhere: the first neighbour, at the surface, is the closest approach.
  EXPECT_EQ(scan.closestText, "垂深:0.00m处\r距东1井\r     ：9.78m\r相对方位:90.00");
  EXPECT_FALSE(scan.warning);
  EXPECT_EQ(scan.closestOffsetEast, 0);
  EXPECT_EQ(scan.columns[0], "邻  井    \r东1\r目  前\r\r邻  井\r西1\r目  前\r");
  EXPECT_EQ(scan.columns[1], "测  深    \r0.00\r630.00\r\r测  深 \r0.00\r630.00\r");
  EXPECT_EQ(scan.columns[2], "本井测深  \r0.00\r630.00\r\r本井测深\r0.00\r630.00\r");
  EXPECT_EQ(scan.columns[3], "最小间距  \r9.78\r9.78\r\r最小间距\r9.78\r9.78\r");
  EXPECT_EQ(scan.columns[4], "相对方位  \r90.00\r90.00\r\r相对方位\r270.00\r270.00\r");
  // The end points are the neighbours' deepest points, seen from the own wellhead.
  EXPECT_NEAR(scan.neighbourEndPoints[0].east, scan.ownPointEast + 10, 1e-9);
  EXPECT_NEAR(scan.neighbourEndPoints[1].east, scan.ownPointEast - 10, 1e-9);
  EXPECT_DOUBLE_EQ(scan.ownPointEast, 0.3 * 600);
}

TEST_F(ScanFixture, ShallowerNeighbourStopsAtItsLastDepth) {
  session.neighbourWells.push_back(makeWell("浅井", 1000, 2020, curvingPath(300)));
  ASSERT_TRUE(scanClearance(session, 15, scan));
  const ClearanceTrack& t = scan.tracks[0];
  ASSERT_EQ(t.samples.size(), 21u);  // 0 .. 300
  EXPECT_DOUBLE_EQ(t.samples.back().tvd, 300);
  EXPECT_EQ(scan.ownSampleMd.size(), 41u);  // the own well runs on
  // "目  前" shows the neighbour's deepest sample, not the open well's.
  EXPECT_EQ(scan.columns[1], "测  深    \r0.00\r315.00\r");
  EXPECT_EQ(scan.columns[2], "本井测深  \r0.00\r315.00\r");
}

TEST_F(ScanFixture, SamplesStopAtTheLastWholeStepAboveTheLastDepth) {
  for (double last : {1000.4, 1000.6}) {
    session.well = makeWell("本井", 0, 0, verticalPath(last));
    session.neighbourWells = {makeWell("邻", 0, 50, verticalPath(2000))};
    ASSERT_TRUE(scanClearance(session, 15, scan)) << last;
    ASSERT_EQ(scan.ownSampleMd.size(), 67u) << last;
    EXPECT_DOUBLE_EQ(scan.tracks[0].samples.back().tvd, 990) << last;
    // Between stations the measured depth comes from the interpolation.
    EXPECT_NEAR(scan.ownSampleMd[1], 15, 1e-3);
    EXPECT_NEAR(scan.tracks[0].samples[1].neighbourMd, 15, 1e-3);
  }
}

TEST(ScanStep, RoundsHalvesToEvenAndRefusesBelowTwo) {
  EXPECT_EQ(scanStep(2.5), 2);
  EXPECT_EQ(scanStep(3.5), 4);
  EXPECT_EQ(scanStep(2.6), 3);
  EXPECT_EQ(scanStep(15), 15);
  EXPECT_EQ(scanStep(2), 2);
  EXPECT_EQ(scanStep(1.99), 0);
  EXPECT_EQ(scanStep(-5), 0);
  EXPECT_EQ(scanStep(std::nan("")), 0);
  EXPECT_GT(scanStep(1e300), 0);
}

TEST_F(ScanFixture, NothingRunsWithoutStepWellStationsOrNeighbours) {
  scan.closestText = "旧";
  scan.columns[0] = "旧";
  EXPECT_FALSE(scanClearance(session, 15, scan));  // no neighbour yet
  session.neighbourWells.push_back(makeWell("邻", 1000, 2010, curvingPath()));
  EXPECT_FALSE(scanClearance(session, 1.9, scan));
  session.well.stationCount = 0;
  EXPECT_FALSE(scanClearance(session, 15, scan));
  session.well = WellRecord{};
  EXPECT_FALSE(scanClearance(session, 15, scan));
  EXPECT_EQ(scan.closestText, "旧");
  EXPECT_EQ(scan.columns[0], "旧");
  EXPECT_TRUE(scan.tracks.empty());
}

TEST_F(ScanFixture, EqualMinimaGoToTheShallowerDepthAndTheFirstNeighbour) {
  // A neighbour 20 m east that comes to 5 m at 150 m and again at 450 m vertical depth.
  std::vector<Pt> wavy = curvingPath();
  for (Pt& p : wavy) {
    const double t = p.tvd;
    const bool close = t == 150 || t == 450;
    p.east += close ? -15 : 0;
  }
  session.neighbourWells.push_back(makeWell("甲", 1000, 2020, wavy));
  session.neighbourWells.push_back(makeWell("乙", 1000, 1980, [&] {
    std::vector<Pt> w = curvingPath();
    for (Pt& p : w) p.east += p.tvd == 300 ? 15 : 0;  // also 5 m, deeper, listed second
    return w;
  }()));
  ASSERT_TRUE(scanClearance(session, 15, scan));
  EXPECT_EQ(scan.tracks[0].minIndex, 10);  // 150 m, not 450 m
  EXPECT_EQ(scan.tracks[1].minIndex, 20);
  EXPECT_NEAR(scan.closestDistance, 5 - 0.216, 1e-9);
  EXPECT_EQ(scan.closestText, "垂深:150.00m处\r距甲井\r     ：4.78m\r相对方位:90.00");
}

TEST_F(ScanFixture, ExactlyThreeMetresStartsTheWarning) {
  // Vertical wells at the origin keep the offset exactly 3.216 m, a clearance of exactly 3.
  std::vector<Pt> straight = curvingPath();
  for (Pt& p : straight) p.north = p.east = 0;
  session.well = makeWell("本井", 0, 0, straight);
  session.neighbourWells.push_back(makeWell("近", 0, 3.216, straight));
  ASSERT_TRUE(scanClearance(session, 15, scan));
  EXPECT_EQ(scan.closestDistance, 3.0);
  EXPECT_TRUE(scan.warning);
  EXPECT_EQ(scan.closestOffsetEast, 3.216);
  EXPECT_EQ(scan.closestOffsetNorth, 0);

  // A hair further and the warning stops; the offsets go back to the centre.
  session.neighbourWells[0] = makeWell("近", 0, 3.2161, straight);
  ASSERT_TRUE(scanClearance(session, 15, scan));
  EXPECT_FALSE(scan.warning);
  EXPECT_EQ(scan.closestOffsetEast, 0);
}

TEST_F(ScanFixture, FarOffsetsCarryThePlaceholderAndNeverWin) {
  std::vector<Pt> away = curvingPath();
  for (Pt& p : away)
    if (p.tvd >= 300) p.east += 40000;  // beyond the 31.6 km where distances stop
  session.neighbourWells.push_back(makeWell("远", 1000, 2100, away));
  ASSERT_TRUE(scanClearance(session, 15, scan));
  const ClearanceTrack& t = scan.tracks[0];
  EXPECT_EQ(t.samples[20].clearance, kNoClearance);
  EXPECT_EQ(t.samples[20].relAzimuth, 0);
  EXPECT_NEAR(scan.closestDistance, 100 - 0.216, 1e-9);
  EXPECT_LT(t.samples[19].clearance, kNoClearance);

  // With every sample out of reach nothing becomes the closest approach and the old text stays.
  for (Pt& p : away) p.east += 40000;
  session.neighbourWells[0] = makeWell("远", 1000, 2100, away);
  scan.closestText = "上次";
  ASSERT_TRUE(scanClearance(session, 15, scan));
  EXPECT_EQ(scan.closestDistance, kNoClearance);
  EXPECT_EQ(scan.closestText, "上次");
  EXPECT_EQ(scan.columns[3], "最小间距  \r100000.00\r100000.00\r");
}

TEST_F(ScanFixture, AboveTheFirstStationTheWellheadStandsIn) {
  // The neighbour's survey starts at 100 m: above it, its wellhead and measured depth 0.
  std::vector<Pt> deep;
  for (const Pt& p : curvingPath())
    if (p.tvd >= 100) deep.push_back(p);
  session.neighbourWells.push_back(makeWell("深", 1000, 2010, deep));
  ASSERT_TRUE(scanClearance(session, 15, scan));
  const ClearanceSample& s90 = scan.tracks[0].samples[6];
  EXPECT_EQ(s90.neighbourMd, 0);
  EXPECT_NEAR(s90.dEast, 10 - 0.3 * 90, 1e-9);
}

TEST_F(ScanFixture, ResumedSearchMatchesSearchFromTheTopOnAZigzagWell) {
  // Vertical depth runs backwards twice; the resumed search must find the same stations.
  std::vector<Pt> zig = {{0, 0, 0, 0},     {100, 100, 0, 0},   {110, 90, 1, 1},
                         {120, 95, 2, 2},  {200, 180, 3, 3},   {210, 120, 4, 4},
                         {300, 250, 5, 5}, {310, 250.5, 6, 6}, {400, 330, 7, 7}};
  session.well = makeWell("本井", 0, 0, zig);
  session.neighbourWells = {makeWell("邻", 0, 30, zig), makeWell("邻2", 5, 0, verticalPath(400))};
  ClearanceScan top;
  ASSERT_TRUE(scanClearance(session, 2, scan, StationSearch::Resume));
  ASSERT_TRUE(scanClearance(session, 2, top, StationSearch::FromTop));
  ASSERT_EQ(scan.ownSampleMd, top.ownSampleMd);
  for (std::size_t i = 0; i < 2; ++i) {
    ASSERT_EQ(scan.tracks[i].samples.size(), top.tracks[i].samples.size());
    for (std::size_t k = 0; k < scan.tracks[i].samples.size(); ++k) {
      EXPECT_EQ(scan.tracks[i].samples[k].dEast, top.tracks[i].samples[k].dEast) << k;
      EXPECT_EQ(scan.tracks[i].samples[k].neighbourMd, top.tracks[i].samples[k].neighbourMd);
    }
  }
  EXPECT_EQ(scan.columns, top.columns);
  // 250 is reached at station 6; the later station at 250.5 must not steal it.
  EXPECT_EQ(scan.ownSampleMd[125], 300);
}

TEST_F(ScanFixture, AStationWithoutADepthMakesSamplesReuseThePreviousPoint) {
  // Station 2 has no finite vertical depth: no course around it can hold a sample, so the
  // samples there keep the last point found, and no NaN reaches a distance or a text.
  std::vector<Pt> broken = {
      {0, 0, 0, 0}, {90, 90, 1, 2}, {150, std::nan(""), 7, 7}, {300, 300, 3, 4}};
  session.well = makeWell("本井", 0, 0, broken);
  session.neighbourWells = {makeWell("邻", 0, 20, broken)};
  ASSERT_TRUE(scanClearance(session, 15, scan));
  ASSERT_EQ(scan.ownSampleMd.size(), 21u);
  EXPECT_EQ(scan.ownSampleMd[6], 90);  // 90 m: station 1
  EXPECT_EQ(scan.ownSampleMd[7], 90);  // 105 m .. 285 m: station 1 again
  EXPECT_EQ(scan.ownSampleMd[19], 90);
  EXPECT_EQ(scan.ownSampleMd[20], 300);  // 300 m: station 3
  for (const ClearanceSample& c : scan.tracks[0].samples) {
    EXPECT_TRUE(std::isfinite(c.clearance));
    EXPECT_NEAR(c.clearance, 20 - 0.216, 1e-9);
  }
  EXPECT_EQ(scan.columns[3].find("--"), std::string::npos);
}

TEST(ScanStraightTracks, EverySampleLiesOnItsStraightCourseUnderEveryMethod) {
  // Straight courses joined by stations at one depth that change direction, so each sample's
  // point follows by plain trigonometry: a negative-zero grid azimuth, a single station, a well
  // that ends within a few steps, one that starts deep.
  const auto at = [](double md, double inc, double az) { return SurveyStation{0, md, inc, az, 0}; };
  const std::vector<std::pair<double, std::vector<SurveyStation>>> tracks = {
      // declination
      {0, {at(0, 0, 0), at(1000, 0, 0)}},
      {0, {at(0, 0, 0), at(200, 0, 0), at(200, 25, 45), at(900, 25, 45)}},
      {-0.0, {at(0, 0, 0), at(100, 0, 0), at(100, 30, -0.0), at(600, 30, -0.0)}},
      {0, {at(0, 0, 0), at(300, 0, 0), at(300, 85, 120), at(800, 85, 120)}},
      {0, {at(0, 0, 0)}},
      {0, {at(0, 0, 0), at(50, 0, 0), at(50, 10, 300), at(57, 10, 300)}},
      {1.5, {at(400, 20, 200), at(700, 20, 200)}}};
  const double rad = kPi / 180;
  for (const SurveyMethod method : kSurveyMethods) {
    WellState s;
    s.calcMethod = method;
    s.well = makeWell("本井", 0, 0, verticalPath(1000));
    for (const auto& [declination, stations] : tracks) {
      WellRecord& w = s.neighbourWells.emplace_back(makeWell("邻", 5, -3, {}));
      w.magDeclination = declination;
      w.stations = stations;
      w.stations.emplace_back();
      w.stationCount = static_cast<std::int16_t>(stations.size());
      w.results = ComputeTrajectory(w.stations, w.basic(), w.stationCount, method);
    }
    ClearanceScan scan;
    ASSERT_TRUE(scanClearance(s, 2, scan));
    for (std::size_t i = 0; i < tracks.size(); ++i) {
      const WellRecord& w = s.neighbourWells[i];
      const int n = w.stationCount;
      const double last = std::min(1000.0, w.results[n - 1].tvd);
      ASSERT_EQ(scan.tracks[i].samples.size(), static_cast<std::size_t>(last / 2) + 1) << i;
      for (const ClearanceSample& c : scan.tracks[i].samples) {
        double md = 0, north = 0, east = 0;  // above the first station: the wellhead
        for (int j = 0; j < n; ++j) {
          const SurveyStation& st = w.stations[j];
          const StationResult& r = w.results[j];
          if (r.tvd == c.tvd) md = st.md, north = r.north, east = r.east;
          if (r.tvd < c.tvd) continue;
          if (r.tvd > c.tvd && j > 0) {
            const double along = (c.tvd - w.results[j - 1].tvd) / std::cos(st.inclination * rad);
            const double across = along * std::sin(st.inclination * rad);
            md = w.stations[j - 1].md + along;
            north = w.results[j - 1].north + across * std::cos(st.gridAzimuth * rad);
            east = w.results[j - 1].east + across * std::sin(st.gridAzimuth * rad);
          }
          break;
        }
        // The depth is met to 1e-4 m, which stretches along a course that is nearly flat.
        const std::string where =
            std::to_string(i) + " method " + std::to_string(MethodCode(method));
        EXPECT_NEAR(c.neighbourMd, md, 2e-3) << where << " tvd " << c.tvd;
        EXPECT_NEAR(c.dNorth, north + 5, 2e-3) << where << " tvd " << c.tvd;
        EXPECT_NEAR(c.dEast, east - 3, 2e-3) << where << " tvd " << c.tvd;
      }
    }
  }
}

// --- adding a neighbour -------------------------------------------------------------------

struct AddFixture : ::testing::Test {
  WellState session;
  std::mt19937 engine{12345};
  std::map<std::string, WellRecord> files;  // what the loader finds, by file name
  NeighbourLoader loader = [this](WellState&, WellRecord& w, const std::string& path) {
    for (const auto& [name, rec] : files)
      if (path.size() >= name.size() &&
          path.compare(path.size() - name.size(), name.size(), name) == 0) {
        w = rec;
        return AddNeighbourOutcome::Added;
      }
    return AddNeighbourOutcome::NoFile;
  };
  void SetUp() override {
    session.well = makeWell("A1", 1000, 2000, curvingPath());
    session.wellDirectory = "/wells";
    files["A1.kvd"] = session.well;
    files["B2.kvd"] = makeWell("B2", 1000, 2010, curvingPath());
    files["C3.kvd"] = makeWell("C3", 1000, 2020, curvingPath());
  }
  AddNeighbourOutcome add(const std::string& name, double step = 15) {
    return addNeighbourWell(session, name, step, loader, engine);
  }
};

TEST_F(AddFixture, AcceptedNeighbourGetsAColourInRange) {
  EXPECT_EQ(add("B2.kvd"), AddNeighbourOutcome::Added);
  EXPECT_EQ(add("C3.kvd"), AddNeighbourOutcome::Added);
  ASSERT_EQ(session.neighbourWells.size(), 2u);
  ASSERT_EQ(session.neighbourColours.size(), 2u);
  EXPECT_EQ(session.neighbourWells[1].wellNo, "C3");
  for (Colour c : session.neighbourColours)
    for (int shift : {0, 8, 16}) {
      const int v = static_cast<int>((c >> shift) & 0xFF);
      EXPECT_GE(v, 1);
      EXPECT_LE(v, 255);
    }
  // The same seed gives the same colours.
  std::mt19937 again{12345};
  EXPECT_EQ(drawNeighbourColour(again), session.neighbourColours[0]);
  EXPECT_EQ(drawNeighbourColour(again), session.neighbourColours[1]);
}

TEST_F(AddFixture, EveryRefusalLeavesTheListsAsTheyWere) {
  ASSERT_EQ(add("B2.kvd"), AddNeighbourOutcome::Added);
  const Colour first = session.neighbourColours[0];
  auto expectUnchanged = [&] {
    ASSERT_EQ(session.neighbourWells.size(), 1u);
    ASSERT_EQ(session.neighbourColours.size(), 1u);
    EXPECT_EQ(session.neighbourWells[0].wellNo, "B2");
    EXPECT_EQ(session.neighbourColours[0], first);
  };
  EXPECT_EQ(add("C3.kvd", 1.5), AddNeighbourOutcome::StepTooSmall);
  EXPECT_EQ(session.quietHost.statusText, "步长 ≥ 2");
  expectUnchanged();
  EXPECT_EQ(add("A1.kvd"), AddNeighbourOutcome::OwnWell);
  EXPECT_EQ(add("B2.kvd"), AddNeighbourOutcome::AlreadyListed);
  EXPECT_EQ(add("b2.kvd"), AddNeighbourOutcome::NoFile);  // names compare case-sensitively
  EXPECT_EQ(add("Z9.kvd"), AddNeighbourOutcome::NoFile);
  expectUnchanged();

  files["far.kvd"] = makeWell("far", 1000, 2000 + 2000.001, curvingPath());
  files["same.kvd"] = makeWell("same", 1000.3, 2000, curvingPath());
  files["empty.kvd"] = makeWell("empty", 1000, 2050, {});
  EXPECT_EQ(add("far.kvd"), AddNeighbourOutcome::TooFar);
  EXPECT_EQ(add("same.kvd"), AddNeighbourOutcome::SameWellhead);
  EXPECT_EQ(add("empty.kvd"), AddNeighbourOutcome::NoStations);
  expectUnchanged();

  session.well.wellNo.clear();
  EXPECT_EQ(add("C3.kvd"), AddNeighbourOutcome::NoWell);
  expectUnchanged();
}

TEST_F(AddFixture, WellheadLimitsAreInclusiveTheRightWay) {
  files["edge.kvd"] = makeWell("edge", 1000, 4000, curvingPath());     // exactly 2000 m
  files["near.kvd"] = makeWell("near", 1000.35, 2000, curvingPath());  // just over 0.346 m
  EXPECT_EQ(add("edge.kvd"), AddNeighbourOutcome::Added);
  EXPECT_EQ(add("near.kvd"), AddNeighbourOutcome::Added);
  session.well.wellheadX = 0;
  session.well.wellheadY = 0;
  files["at.kvd"] = makeWell("at", 0, 0.346, curvingPath());  // exactly 0.346 m: the same hole
  EXPECT_EQ(add("at.kvd"), AddNeighbourOutcome::SameWellhead);
}

TEST_F(AddFixture, ResetEmptiesListsAndResults) {
  ASSERT_EQ(add("B2.kvd"), AddNeighbourOutcome::Added);
  ClearanceScan scan;
  ASSERT_TRUE(scanClearance(session, 15, scan));
  resetAntiCollision(session, scan);
  EXPECT_TRUE(session.neighbourWells.empty());
  EXPECT_TRUE(session.neighbourColours.empty());
  EXPECT_TRUE(scan.tracks.empty());
  EXPECT_TRUE(scan.closestText.empty());
  EXPECT_EQ(scan.closestDistance, kNoClearance);
}

}  // namespace
}  // namespace tarsek
