// A design file can carry values the design form would refuse. Whatever the basic data, the
// profile design must return one of its outcomes with the busy pointer released, hold no more
// points than a table can, and leave nothing the design window or report shows non-finite.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "design/design_fixtures.h"
#include "design/design_report.h"
#include "design/design_tables.h"
#include "design/profile_design.h"
#include "print/recording_surface.h"
#include "support/robustness.h"

namespace tarsek {
namespace {

using testing::drawingFinite;
using testing::resultsFinite;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Variation {
  const char* name;
  std::function<void(WellRecord&)> apply;
  bool realistic = true;  // false: sums may overflow, only the display is judged
};

std::vector<Variation> variations() {
  return {
      {"zero build rate", [](WellRecord& w) { w.buildRate = 0; }},
      {"negative build rate", [](WellRecord& w) { w.buildRate = -6; }},
      {"tiny build rate", [](WellRecord& w) { w.buildRate = 1e-300; }},
      {"huge build rate", [](WellRecord& w) { w.buildRate = 1e300; }},
      {"build rate not a number", [](WellRecord& w) { w.buildRate = kNaN; }},
      {"build rate infinite", [](WellRecord& w) { w.buildRate = kInf; }},
      {"build to zero", [](WellRecord& w) { w.buildToInclination = 0; }},
      {"build to negative", [](WellRecord& w) { w.buildToInclination = -10; }},
      {"build to horizontal", [](WellRecord& w) { w.buildToInclination = 90; }},
      {"build to upside-down", [](WellRecord& w) { w.buildToInclination = 180; }},
      {"build to huge", [](WellRecord& w) { w.buildToInclination = 1e300; }, false},
      {"zero rotary build", [](WellRecord& w) { w.rotaryBuildRate = 0; }},
      {"negative rotary build", [](WellRecord& w) { w.rotaryBuildRate = -3; }},
      {"huge rotary build", [](WellRecord& w) { w.rotaryBuildRate = 1e300; }},
      {"rotary build not a number", [](WellRecord& w) { w.rotaryBuildRate = kNaN; }},
      {"kick-off above the surface", [](WellRecord& w) { w.kickoffDepth = -500; }},
      {"kick-off at the surface", [](WellRecord& w) { w.kickoffDepth = 0; }},
      {"kick-off below the target", [](WellRecord& w) { w.kickoffDepth = 2600; }},
      {"kick-off huge", [](WellRecord& w) { w.kickoffDepth = 1e300; }, false},
      {"final depth zero", [](WellRecord& w) { w.designFinalTvd = 0; }},
      {"final depth negative", [](WellRecord& w) { w.designFinalTvd = -100; }},
      {"final depth above the target", [](WellRecord& w) { w.designFinalTvd = 1000; }},
      {"final depth huge", [](WellRecord& w) { w.designFinalTvd = 1e300; }, false},
      {"target at zero depth", [](WellRecord& w) { w.target1Tvd = 0; }},
      {"target above the surface", [](WellRecord& w) { w.target1Tvd = -100; }},
      {"target at the kick-off depth", [](WellRecord& w) { w.target1Tvd = w.kickoffDepth; }},
      {"target huge distance away",
       [](WellRecord& w) { testing::placeTarget1(w, 6e5, 8e5, 2500); }},
      {"target a hair away", [](WellRecord& w) { testing::placeTarget1(w, 1e-9, 0, 2500); }},
      {"displacement not a number", [](WellRecord& w) { w.designDisplacement1 = kNaN; }},
      {"declination huge", [](WellRecord& w) { w.magDeclination = 1e6; }},
      {"design azimuth off the compass", [](WellRecord& w) { w.designAzimuth = -725; }},
      {"vertical well with negative final depth",
       [](WellRecord& w) {
         w.designDisplacement1 = 0;
         w.designFinalTvd = -50;
       }},
      {"vertical well with huge final depth",
       [](WellRecord& w) {
         w.designDisplacement1 = 0;
         w.designFinalTvd = 1e300;
       }},
  };
}

std::vector<Variation> twoTargetVariations() {
  return {
      {"zero drop rate", [](WellRecord& w) { w.rotaryDropRate = 0; }},
      {"negative drop rate", [](WellRecord& w) { w.rotaryDropRate = -2; }},
      {"huge drop rate", [](WellRecord& w) { w.rotaryDropRate = 1e300; }},
      {"huge negative drop rate", [](WellRecord& w) { w.rotaryDropRate = -1e300; }},
      {"drop rate not a number", [](WellRecord& w) { w.rotaryDropRate = kNaN; }},
      {"target 2 above target 1", [](WellRecord& w) { w.target2Tvd = 1500; }},
      {"target 2 on target 1",
       [](WellRecord& w) { testing::placeTarget2(w, 600, 800, w.target1Tvd); }},
      {"target 2 behind the wellhead",
       [](WellRecord& w) { testing::placeTarget2(w, -720, -960, 2600); }},
      {"target 2 far beyond", [](WellRecord& w) { testing::placeTarget2(w, 7200, 9600, 2600); }},
      {"target 2 straight below target 1",
       [](WellRecord& w) { testing::placeTarget2(w, 600, 800, 2600); }},
      {"final depth above target 2", [](WellRecord& w) { w.designFinalTvd = 2100; }},
  };
}

::testing::AssertionResult designShownIsFinite(const WellState& session) {
  RecordingSurface report;
  PrintDesignReport(report, session);
  RecordingSurface segments(9000, 3000), titles(9000, 600), points(9000, 5000);
  drawDesignSegmentTable(segments, session);
  drawDesignPointTitles(titles);
  for (double scroll : {0.0, 0.5, 1.0}) drawDesignPointView(points, session, scroll);
  for (const RecordingSurface* s : {&report, &segments, &titles, &points}) {
    const ::testing::AssertionResult r = drawingFinite(*s);
    if (!r) return r;
  }
  return ::testing::AssertionSuccess();
}

void expectSane(const WellState& session, DesignOutcome outcome, bool realistic,
                const testing::RecordingHost& host) {
  const WellRecord& w = session.well;
  EXPECT_GE(OutcomeCode(outcome), 0);
  EXPECT_LT(OutcomeCode(outcome), kDesignOutcomeCount);
  EXPECT_GE(w.designPointCount, 2);
  EXPECT_LE(static_cast<int>(w.designPointCount), kMaxCount);
  EXPECT_GE(w.designPoints.size(), static_cast<std::size_t>(w.designPointCount));
  EXPECT_GE(w.designResults.size(), static_cast<std::size_t>(w.designPointCount));
  // Whatever happened, the hourglass is gone.
  if (!host.events.empty()) {
    EXPECT_NE(host.events.back(), "busy");
  }
  if (realistic) {
    EXPECT_TRUE(resultsFinite(w.designResults, w.designPointCount));
    for (const DesignSegment& s : session.designSegments) {
      EXPECT_TRUE(std::isfinite(s.md) && std::isfinite(s.tvd) && std::isfinite(s.displacement) &&
                  std::isfinite(s.inclination) && std::isfinite(s.deltaMd) &&
                  std::isfinite(s.deltaTvd) && std::isfinite(s.deltaHorizontal))
          << s.name;
    }
  }
  EXPECT_TRUE(designShownIsFinite(session));
}

TEST(DesignRobustness, SingleTargetOddDataEndsWithAnOutcome) {
  for (const Variation& v : variations()) {
    SCOPED_TRACE(v.name);
    WellState session = testing::singleTargetWell();
    testing::RecordingHost host;
    session.host = &host;
    v.apply(session.well);
    const DesignOutcome outcome = DesignProfile(session);
    expectSane(session, outcome, v.realistic, host);
  }
}

TEST(DesignRobustness, TwoTargetOddDataEndsWithAnOutcome) {
  std::vector<Variation> all = variations();
  for (Variation& v : twoTargetVariations()) all.push_back(std::move(v));
  for (const Variation& v : all) {
    SCOPED_TRACE(v.name);
    WellState session = testing::twoTargetWell();
    testing::RecordingHost host;
    session.host = &host;
    v.apply(session.well);
    const DesignOutcome outcome = DesignProfile(session);
    expectSane(session, outcome, v.realistic, host);
  }
}

// Every calculation method walks the same loops with different sums.
TEST(DesignRobustness, RatesThatNeverReachTheTargetStopAtThePointLimit) {
  for (SurveyMethod method : kSurveyMethods) {
    WellState session = testing::singleTargetWell(method);
    testing::RecordingHost host;
    session.host = &host;
    session.well.rotaryBuildRate = -3;  // builds away from the target for ever
    EXPECT_EQ(DesignProfile(session), DesignOutcome::PointLimit) << method;
    expectSane(session, DesignOutcome::PointLimit, true, host);
  }
}

TEST(DesignRobustness, ReportOfAnOddTargetCountShowsNoBadNumber) {
  for (int count : {0, 3, -1}) {
    WellState session = testing::singleTargetWell();
    DesignProfile(session);
    session.well.targetCount = static_cast<std::int16_t>(count);
    EXPECT_TRUE(designShownIsFinite(session)) << count;
  }
}

TEST(DesignRobustness, InclinationToTargetIsFiniteForFiniteInput) {
  for (double h : {0.0, 1e-300, 1.0, 1e300, -1.0})
    for (double v : {0.0, -0.0, 1e-300, -1e-300, 1.0, -1.0, 1e300})
      EXPECT_TRUE(std::isfinite(InclinationToTarget(h, v))) << h << " " << v;
}

}  // namespace
}  // namespace tarsek
