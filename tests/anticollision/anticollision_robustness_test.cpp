// The anti-collision scan and its charts on neighbours no drilled pad has: wells whose depth
// runs backwards, wells lying flat, a single station, the largest station table, and odd step,
// zoom and pan values. Nothing may hang, overflow the 16-bit sample index or show a non-finite
// number.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "anticollision/anticollision_chart.h"
#include "anticollision/clearance_scan.h"
#include "common/constants.h"
#include "print/recording_surface.h"
#include "support/robustness.h"
#include "survey/survey_calc.h"

namespace tarsek {
namespace {

using testing::drawingFinite;
using testing::showsNonFinite;

struct Station {
  double md, inclination, azimuth;
};

// A well whose results come from the survey calculation itself, as they do in the program.
WellRecord wellFrom(const std::string& name, double wellheadX, double wellheadY,
                    const std::vector<Station>& stations,
                    SurveyMethod method = SurveyMethod::AverageAngle) {
  WellRecord w;
  w.wellNo = name;
  w.wellheadX = wellheadX;
  w.wellheadY = wellheadY;
  w.designDisplacement1 = 500;
  w.stationCount = static_cast<std::int16_t>(stations.size());
  w.stations.assign(stations.size() + 1, SurveyStation{});
  for (std::size_t i = 0; i < stations.size(); ++i) {
    const Station& s = stations[i];
    w.stations[i] = {static_cast<std::int16_t>(i), s.md, s.inclination, s.azimuth, s.azimuth};
  }
  w.results = ComputeTrajectory(w.stations, w.basic(), w.stationCount, method);
  return w;
}

std::vector<Station> buildAndHold(double lastMd) {
  std::vector<Station> out;
  for (double md = 0; md <= lastMd; md += 30) out.push_back({md, std::min(md / 30.0, 45.0), 60});
  return out;
}

std::vector<std::vector<Station>> oddNeighbours() {
  return {
      {{500, 10, 10}},                                                   // one station
      {{0, 0, 0}, {600, 170, 0}, {1200, 170, 0}, {1800, 10, 0}},         // depth runs backwards
      {{0, 0, 0}, {300, 90, 270}, {3000, 90, 270}},                      // lies flat
      {{0, 0, 0}, {300, 0, 0}, {300.0000001, 60, 720}, {900, 60, -90}},  // near-zero course
      {{-200, 0, 0}, {0, 5, 5}, {1500, 30, 30}},                         // starts above the surface
  };
}

::testing::AssertionResult scanIsSane(const WellState& session, const ClearanceScan& scan) {
  if (scan.tracks.size() != session.neighbourWells.size())
    return ::testing::AssertionFailure() << "one track per neighbour";
  if (scan.ownSampleMd.size() > static_cast<std::size_t>(kMaxCount) + 1)
    return ::testing::AssertionFailure() << scan.ownSampleMd.size() << " samples";
  for (double md : scan.ownSampleMd)
    if (!std::isfinite(md)) return ::testing::AssertionFailure() << "own sample md " << md;
  for (const ClearanceTrack& t : scan.tracks) {
    if (t.samples.size() > scan.ownSampleMd.size())
      return ::testing::AssertionFailure() << "a track outgrew the own samples";
    if (!t.samples.empty() &&
        (t.minIndex < 0 || static_cast<std::size_t>(t.minIndex) >= t.samples.size()))
      return ::testing::AssertionFailure() << "minIndex " << t.minIndex;
    for (const ClearanceSample& c : t.samples) {
      if (!std::isfinite(c.neighbourMd) || !std::isfinite(c.dNorth) || !std::isfinite(c.dEast) ||
          !std::isfinite(c.clearance) || !std::isfinite(c.relAzimuth))
        return ::testing::AssertionFailure() << "sample at tvd " << c.tvd;
    }
  }
  if (showsNonFinite(scan.closestText))
    return ::testing::AssertionFailure() << "closest text: " << scan.closestText;
  for (const std::string& c : scan.columns)
    if (showsNonFinite(c)) return ::testing::AssertionFailure() << "column: " << c;
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult chartsAreSane(const WellState& session, const ClearanceScan& scan) {
  // The zoom scroll bar runs 1 to 60; values outside come only from a damaged setting.
  for (int zoom : {INT_MIN, 0, 1, 7, 60}) {
    for (double pan : {0.0, -1e6, 1e15}) {
      RecordingSurface spacing(6000, 6000), trend(6000, 4000), legend(2000, 3000);
      PlanPoint marker;
      const ChartFrame f = drawSpacingChart(spacing, session, scan, zoom, &marker);
      if (!std::isfinite(marker.east) || !std::isfinite(marker.north))
        return ::testing::AssertionFailure() << "spacing marker, zoom " << zoom;
      const ChartFrame g = drawTrendChart(trend, session, scan, zoom, pan, pan, &marker);
      if (!std::isfinite(marker.east) || !std::isfinite(marker.north))
        return ::testing::AssertionFailure() << "trend marker, zoom " << zoom;
      drawLegend(legend, session);
      for (const RecordingSurface* s : {&spacing, &trend, &legend}) {
        const ::testing::AssertionResult r = drawingFinite(*s);
        if (!r) return ::testing::AssertionFailure() << r.message() << ", zoom " << zoom;
      }
      // Rings are counted out to a cap, the disc is a fixed number of rings per neighbour and
      // every station is drawn once: anything far beyond is a runaway loop.
      const std::size_t bound = 300000 + 4000 * session.neighbourWells.size();
      if (spacing.calls().size() > bound || trend.calls().size() > bound)
        return ::testing::AssertionFailure() << "too many calls at zoom " << zoom;
      const std::optional<double> hit = stationTvdAt(session, g, g.cx, g.cy);
      if (hit && !std::isfinite(*hit)) return ::testing::AssertionFailure() << "station tvd";
      double panX = 0, panY = 0;
      for (int k = 0; k < 10 && panStep(f, {1, -1}, session.well.designDisplacement1, panX, panY);
           ++k) {
      }
      if (!std::isfinite(panX) || !std::isfinite(panY))
        return ::testing::AssertionFailure() << "pan offsets";
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(AntiCollisionRobustness, OddNeighboursScanAndDrawFinite) {
  for (SurveyMethod method : kSurveyMethods) {
    WellState session;
    session.calcMethod = method;
    session.well = wellFrom("本井", 1000, 2000, buildAndHold(2400), method);
    int k = 0;
    for (const std::vector<Station>& s : oddNeighbours()) {
      ++k;
      session.neighbourWells.push_back(
          wellFrom("邻" + std::to_string(k), 1000 + 3 * k, 2000 - 2 * k, s, method));
      session.neighbourColours.push_back(rgb(10 * k, 0, 0));
    }
    ClearanceScan scan;
    for (double step : {2.0, 2.5, 3.5, 7.0, 1e6, 1e300, HUGE_VAL}) {
      SCOPED_TRACE("method " + std::to_string(MethodCode(method)) + ", step " +
                   std::to_string(step));
      ASSERT_TRUE(scanClearance(session, step, scan));
      EXPECT_TRUE(scanIsSane(session, scan));
    }
    if (method == SurveyMethod::AverageAngle) {
      ASSERT_TRUE(scanClearance(session, 2, scan));
      EXPECT_TRUE(chartsAreSane(session, scan));
    }
  }
}

TEST(AntiCollisionRobustness, StepsThatCannotScanLeaveTheScanAlone) {
  WellState session;
  session.well = wellFrom("本井", 1000, 2000, buildAndHold(600));
  session.neighbourWells.push_back(wellFrom("邻1", 1005, 2000, buildAndHold(600)));
  ClearanceScan scan;
  ASSERT_TRUE(scanClearance(session, 10, scan));
  const std::size_t samples = scan.ownSampleMd.size();
  for (double step : {std::nan(""), -HUGE_VAL, -2.0, 0.0, 1.999}) {
    EXPECT_FALSE(scanClearance(session, step, scan)) << step;
    EXPECT_EQ(scan.ownSampleMd.size(), samples);
  }
}

// The deepest table with the finest step: the sample index is 16-bit, so the scan must stop at
// its limit rather than wrap it.
TEST(AntiCollisionRobustness, LongestWellsStopAtTheSampleLimit) {
  std::vector<Station> deep;
  deep.reserve(kMaxCount);
  for (int i = 0; i < kMaxCount; ++i) deep.push_back({i * 10.0, std::min(i * 0.1, 30.0), 45});
  WellState session;
  session.well = wellFrom("本井", 1000, 2000, deep);
  session.neighbourWells.push_back(wellFrom("邻1", 1010, 2000, deep));
  session.neighbourColours.push_back(kRed);
  ClearanceScan scan;
  ASSERT_TRUE(scanClearance(session, 2, scan));
  EXPECT_EQ(scan.ownSampleMd.size(), static_cast<std::size_t>(kMaxCount) + 1);
  EXPECT_TRUE(scanIsSane(session, scan));
  RecordingSurface trend(6000, 4000);
  drawTrendChart(trend, session, scan, 1, 0, 0);
  EXPECT_TRUE(drawingFinite(trend));
}

TEST(AntiCollisionRobustness, NeighboursWithOddWellheadsAreRefused) {
  WellState session;
  session.well = wellFrom("本井", 1000, 2000, buildAndHold(600));
  std::mt19937 engine(7);
  const double big = std::numeric_limits<double>::max();
  for (double offset : {big, -big, 1e200, 2000.0000001, 0.0, 0.2}) {
    const auto load = [&](WellState&, WellRecord& record, const std::string&) {
      record = wellFrom("邻", 1000 + offset, 2000 + offset, buildAndHold(600));
      return AddNeighbourOutcome::Added;
    };
    const AddNeighbourOutcome outcome = addNeighbourWell(session, "邻.kvd", 10, load, engine);
    EXPECT_NE(outcome, AddNeighbourOutcome::Added) << offset;
    EXPECT_TRUE(session.neighbourWells.empty());
    EXPECT_TRUE(session.neighbourColours.empty());
  }
}

}  // namespace
}  // namespace tarsek
