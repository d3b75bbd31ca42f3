// Odd station tables and odd target geometry must never crash the survey calculation, the
// guidance, the survey display or the survey report, nor make them show a non-finite number.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "common/constants.h"
#include "print/recording_surface.h"
#include "support/robustness.h"
#include "survey/guidance.h"
#include "survey/survey_calc.h"
#include "survey/survey_display.h"
#include "survey/survey_entry.h"
#include "survey/survey_report.h"

namespace tarsek {
namespace {

using testing::drawingFinite;
using testing::resultsFinite;
using testing::showsNonFinite;

struct Station {
  double md, inclination, azimuth;
};

// A two-target well on a pad, declination west; the stations are stored as the file reader
// would store them.
WellState wellWith(const std::vector<Station>& stations, int targetCount = 2) {
  WellState session;
  WellRecord& w = session.well;
  w.wellNo = "R1";
  w.targetCount = static_cast<std::int16_t>(targetCount);
  w.wellheadX = 4000000;
  w.wellheadY = 20000000;
  w.magDeclination = -4.5;
  w.target1X = w.wellheadX + 300;
  w.target1Y = w.wellheadY + 400;
  w.target1Tvd = 1500;
  w.designAzimuth = AzimuthOf(300, 400);
  w.designDisplacement1 = 500;
  if (targetCount == 2) {
    w.target2X = w.wellheadX + 420;
    w.target2Y = w.wellheadY + 560;
    w.target2Tvd = 2000;
    w.designDisplacement2 = 700;
  }
  w.targetRadius = 30;
  w.designFinalTvd = 2200;
  const std::size_t n = stations.size();
  w.stationCount = static_cast<std::int16_t>(n);
  w.stations.assign(n + 1, SurveyStation{});
  w.results.assign(n + 1, StationResult{});
  for (std::size_t i = 0; i < n; ++i) {
    const Station& s = stations[i];
    w.stations[i] = {static_cast<std::int16_t>(i), s.md, s.inclination, s.azimuth,
                     s.azimuth + w.magDeclination};
  }
  return session;
}

// Everything the survey window and its report show, drawn for one session: the guidance of
// both targets, the panel, the table and one report page.
::testing::AssertionResult everythingShownIsFinite(const WellState& session) {
  for (int target : {1, 2}) {
    const TargetGuidance g = computeTargetGuidance(session.well, target);
    // NaN is the guidance's own "cannot be computed" and shows as "--"; infinity never may.
    for (double v : {g.remainingTvd, g.remainingLength, g.remainingDisplacement, g.lateralOffset,
                     g.centreInclination, g.centreAzimuth, g.inclinationMin, g.inclinationMax,
                     g.azimuthMin, g.azimuthMax, g.centreBuildRate, g.buildRateLow, g.buildRateHigh,
                     g.centreTurnRate, g.turnRateLow, g.turnRateHigh}) {
      if (std::isinf(v)) return ::testing::AssertionFailure() << "guidance holds infinity";
    }
  }
  for (const PanelLine& line : guidancePanelLines(session)) {
    if (showsNonFinite(line.text))
      return ::testing::AssertionFailure() << "panel line: " << line.text;
  }
  for (const TableEntry& e : stationTableEntries(session)) {
    for (const std::string& cell : stationTableCells(session, e)) {
      if (showsNonFinite(cell)) return ::testing::AssertionFailure() << "table cell: " << cell;
    }
  }
  RecordingSurface panel(4000, 9000), header(12000, 600), rows(12000, 8000);
  drawSurveyDisplay(panel, header, rows, session);
  for (const RecordingSurface* s : {&panel, &header, &rows}) {
    const ::testing::AssertionResult r = drawingFinite(*s);
    if (!r) return r;
  }
  // A report page holds a few dozen rows; the last ones are where a table would end badly.
  RecordingSurface page;
  const int last = session.well.stationCount - 1;
  PrintSurveyPage(page, session, std::max(0, last - 60), last);
  return drawingFinite(page);
}

// --- odd station tables, every calculation method --------------------------------------------

struct OddTable {
  const char* name;
  std::vector<Station> stations;
};

std::vector<OddTable> oddTables() {
  return {
      {"one station", {{1200, 30, 45}}},
      {"duplicate depths", {{0, 0, 0}, {500, 10, 40}, {500, 12, 50}, {500, 12, 50}, {900, 20, 45}}},
      {"decreasing depths", {{0, 0, 0}, {800, 20, 45}, {600, 25, 50}, {1600, 30, 55}, {100, 5, 0}}},
      {"vertical, horizontal and upside-down",
       {{0, 0, 0}, {300, 90, 0}, {600, 180, 90}, {900, 90, 180}, {1200, 0, 270}, {1500, 180, 0}}},
      {"azimuths off the compass",
       {{0, 0, -90},
        {300, 5, 360},
        {600, 10, 725},
        {900, 15, -10000},
        {1200, 20, 359.999999},
        {1500, 25, -0.000001},
        {2100, 30, 1e6}}},
      {"turning back through north",
       {{0, 0, 0}, {500, 30, 350}, {530, 30, 10}, {560, 30, 350}, {590, 60, 170}, {2500, 60, 190}}},
      {"negative depths", {{-500, 0, 0}, {-100, 10, 30}, {0, 20, 60}, {2500, 30, 90}}},
      {"inclinations beyond the half circle",
       {{0, 0, 0}, {500, 270, 45}, {1000, 360, 45}, {1500, -45, 45}, {3000, 1000, 45}}},
  };
}

class OddStationTable : public ::testing::TestWithParam<int> {};

TEST_P(OddStationTable, CalculatesFiniteResultsAndShowsNoBadNumber) {
  const SurveyMethod method = kSurveyMethods[static_cast<std::size_t>(GetParam())];
  for (const OddTable& t : oddTables()) {
    SCOPED_TRACE(std::string(t.name) + ", method " + std::to_string(MethodCode(method)));
    for (int targets : {1, 2}) {
      WellState session = wellWith(t.stations, targets);
      session.calcMethod = method;
      RecalculateAll(session);
      const WellRecord& w = session.well;
      EXPECT_TRUE(resultsFinite(w.results, w.stationCount));
      EXPECT_EQ(testing::firstNonFinite(session.target1Hit.result), -1);
      EXPECT_EQ(testing::firstNonFinite(session.target2Hit.result), -1);
      EXPECT_TRUE(std::isfinite(session.target1Hit.hitRadius));
      EXPECT_TRUE(std::isfinite(session.target2Hit.station.md));
      EXPECT_TRUE(everythingShownIsFinite(session));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryMethod, OddStationTable, ::testing::Range(0, 5));

// A survey file may hold any finite number; the sums can then overflow, but what is shown must
// still be a number or "--".
TEST(SurveyRobustness, HugeValuesShowNoBadNumber) {
  const std::vector<Station> huge = {
      {0, 0, 0}, {1e300, 45, 45}, {1.7e308, 1e300, -1e300}, {1.79e308, 89.9, 1e308}};
  for (SurveyMethod method : kSurveyMethods) {
    WellState session = wellWith(huge);
    session.calcMethod = method;
    RecalculateAll(session);
    EXPECT_TRUE(everythingShownIsFinite(session)) << "method " << method;
  }
}

// --- target geometry at the edges of the guidance formulas ----------------------------------

TEST(SurveyRobustness, GuidanceAtDegenerateTargetsShowsNoBadNumber) {
  struct Case {
    const char* name;
    double targetNorth, targetEast, targetTvd, radius;
    Station last;
  };
  const Case cases[] = {
      {"target right below the wellhead", 0, 0, 1500, 30, {1000, 0, 0}},
      {"target at zero depth", 300, 400, 0, 30, {1000, 10, 50}},
      {"target above the surface", 300, 400, -100, 30, {1000, 10, 50}},
      {"zero radius", 300, 400, 1500, 0, {1000, 20, 53.13}},
      {"negative radius", 300, 400, 1500, -30, {1000, 20, 53.13}},
      {"huge radius", 300, 400, 1500, 1e9, {1000, 20, 53.13}},
      {"horizontal last station", 300, 400, 1500, 30, {1000, 90, 53.13}},
      {"upside-down last station", 300, 400, 1500, 30, {1000, 180, 53.13}},
      {"due north", 500, 0, 1500, 30, {1000, 20, 4.5}},
      {"due east", 0, 500, 1500, 30, {1000, 20, 94.5}},
      {"due south", -500, 0, 1500, 30, {1000, 20, 184.5}},
      {"due west", 0, -500, 1500, 30, {1000, 20, 274.5}},
      {"magnetic azimuth exactly 0", 500, 0, 1500, 30, {1000, 20, 0}},
      {"magnetic azimuth exactly 180", -500, 0, 1500, 30, {1000, 20, 180}},
      {"inside the circle", 10, 10, 1500, 30, {1000, 0.5, 45}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (SurveyMethod method : kSurveyMethods) {
      WellState session = wellWith({{0, 0, 0}, {300, 0, 0}, c.last}, 1);
      session.calcMethod = method;
      WellRecord& w = session.well;
      w.target1X = w.wellheadX + c.targetNorth;
      w.target1Y = w.wellheadY + c.targetEast;
      w.target1Tvd = c.targetTvd;
      w.targetRadius = c.radius;
      w.designAzimuth = AzimuthOf(c.targetNorth, c.targetEast);
      w.designDisplacement1 = std::hypot(c.targetNorth, c.targetEast);
      RecalculateAll(session);
      EXPECT_TRUE(resultsFinite(w.results, w.stationCount));
      EXPECT_TRUE(everythingShownIsFinite(session));
    }
  }
}

// The last station lying exactly at a target's depth, above it by a hair, and the well
// passing below both targets: the panel switches between guidance and verdict there.
TEST(SurveyRobustness, PanelAtTheTargetDepthsShowsNoBadNumber) {
  for (double lastTvdOffset : {-1e-9, 0.0, 1e-9, 500.0}) {
    WellState session = wellWith({{0, 0, 0}, {1500 + lastTvdOffset, 0, 0}});
    RecalculateAll(session);
    EXPECT_TRUE(everythingShownIsFinite(session)) << lastTvdOffset;
    session.well.target2Tvd = session.well.target1Tvd;  // both targets at one depth
    RecalculateAll(session);
    EXPECT_TRUE(everythingShownIsFinite(session)) << lastTvdOffset;
  }
}

// --- the largest table --------------------------------------------------------------------

TEST(SurveyRobustness, FullTableCalculatesShowsAndRefusesOneMore) {
  std::vector<Station> many;
  many.reserve(kMaxCount);
  for (int i = 0; i < kMaxCount; ++i)
    many.push_back({i * 0.5, std::fmod(i * 0.01, 180.0), std::fmod(i * 0.37, 720.0) - 360});
  WellState session = wellWith(many);
  RecalculateAll(session);
  ASSERT_EQ(session.well.stationCount, kMaxCount);
  EXPECT_TRUE(resultsFinite(session.well.results, kMaxCount));
  EXPECT_TRUE(everythingShownIsFinite(session));

  // A rows picture shows a window of the table; the far end of it must draw as well as the top.
  RecordingSurface rows(12000, 8000);
  const std::vector<TableEntry> entries = stationTableEntries(session);
  const double height = stationTableHeight(rows, session);
  EXPECT_TRUE(std::isfinite(height));
  drawStationTableRows(rows, session, entries, height - 4000, height);
  EXPECT_FALSE(rows.texts().empty());
  EXPECT_TRUE(drawingFinite(rows));

  const StoreOutcome more = storeEntry(session, 1e6, 10, 10);
  EXPECT_FALSE(more.stored);
  EXPECT_EQ(more.message, kTooManyStations);
  EXPECT_EQ(session.well.stationCount, kMaxCount);
  const StoreOutcome between = storeEntry(session, 0.25, 10, 10);
  EXPECT_FALSE(between.stored);
  EXPECT_EQ(session.well.stationCount, kMaxCount);
  EXPECT_DOUBLE_EQ(session.well.stations[1].md, 0.5);
}

// --- entry, look-ups and prediction on odd tables ---------------------------------------------

TEST(SurveyRobustness, LookupsOnOddTablesGiveFiniteValues) {
  for (const OddTable& t : oddTables()) {
    SCOPED_TRACE(t.name);
    WellState session = wellWith(t.stations);
    RecalculateAll(session);
    for (double depth : {-1.0, 0.0, 1.0, 250.0, 500.0, 700.0, 1000.0, 1499.99, 1e5, 1e300}) {
      for (const DepthLookup& l : {lookupByMd(session, depth), lookupByTvd(session, depth)}) {
        EXPECT_TRUE(std::isfinite(l.md) && std::isfinite(l.inclination) &&
                    std::isfinite(l.azimuth) && std::isfinite(l.tvd))
            << "depth " << depth;
        if (l.kind == LookupKind::Interpolated) {
          EXPECT_GE(l.azimuth, 0);
          EXPECT_LT(l.azimuth, 360);
        }
      }
    }
  }
}

TEST(SurveyRobustness, EntriesOfNonFiniteNumbersChangeNothing) {
  WellState session = wellWith({{0, 0, 0}, {500, 10, 40}});
  RecalculateAll(session);
  const double nan = std::nan("");
  const double inf = HUGE_VAL;
  for (const Station& s :
       {Station{nan, 1, 1}, Station{600, inf, 1}, Station{600, 1, -inf}, Station{-inf, 1, 1}}) {
    EXPECT_FALSE(storeEntry(session, s.md, s.inclination, s.azimuth).stored);
  }
  EXPECT_EQ(session.well.stationCount, 2);
  EXPECT_EQ(deleteEntry(session, nan), -1);
  EXPECT_EQ(session.well.stationCount, 2);
}

TEST(SurveyRobustness, PredictionWithOddRatesStopsWithFiniteStations) {
  struct Rates {
    double build, walk;
  };
  // Zero build near the horizontal crawls down a few decimetres per station: only the table
  // limit stops it. A huge build reaches 90 degrees at once; a negative one drops to vertical.
  const Rates rates[] = {{0, 0},     {0, 1e9},    {1e30, 0}, {-1e30, 5},
                         {-5, -720}, {3.4e38, 0}, {1e39, 0}, {std::nan(""), 0}};
  for (const Rates& r : rates) {
    SCOPED_TRACE(std::to_string(r.build) + " / " + std::to_string(r.walk));
    WellState session = wellWith({{0, 0, 0}, {400, 89.5, 45}}, 1);
    session.well.target1Tvd = 1e6;
    session.well.designFinalTvd = 1e6;
    const PredictOutcome outcome = predictTrajectory(session, r.build, r.walk);
    const WellRecord& w = session.well;
    EXPECT_LE(w.stationCount, kMaxCount);
    for (int i = 0; i < w.stationCount; ++i) {
      const SurveyStation& s = w.stations[static_cast<std::size_t>(i)];
      ASSERT_TRUE(std::isfinite(s.md) && std::isfinite(s.inclination) && std::isfinite(s.azimuth))
          << "station " << i;
    }
    EXPECT_TRUE(resultsFinite(w.results, w.stationCount));
    if (outcome == PredictOutcome::TableFull) {
      EXPECT_EQ(w.stationCount, kMaxCount);
    }
    EXPECT_TRUE(discardPrediction(session) || outcome == PredictOutcome::Nothing);
    EXPECT_EQ(session.well.stationCount, 2);
  }
}

}  // namespace
}  // namespace tarsek
