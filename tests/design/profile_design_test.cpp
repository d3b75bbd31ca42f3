#include "design/profile_design.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "design/design_fixtures.h"
#include "survey/survey_calc.h"

namespace tarsek {
namespace {

using testing::placeTarget1;
using testing::placeTarget2;
using testing::RecordingHost;
using testing::singleTargetWell;
using testing::targetsInLine;
using testing::twoTargetWell;

int last(const WellState& s) { return s.well.designPointCount - 1; }
const SurveyStation& lastPoint(const WellState& s) { return s.well.designPoints[last(s)]; }
const StationResult& lastResult(const WellState& s) { return s.well.designResults[last(s)]; }

// Horizontal distance between the design trajectory and a target where the trajectory reaches
// the target's vertical depth; negative when it never does.
double missDistance(const WellState& s, int target) {
  const WellRecord& w = s.well;
  const double tvd = target == 1 ? w.target1Tvd : w.target2Tvd;
  const double tn = (target == 1 ? w.target1X : w.target2X) - w.wellheadX;
  const double te = (target == 1 ? w.target1Y : w.target2Y) - w.wellheadY;
  for (int i = 1; i < w.designPointCount; ++i) {
    if (w.designResults[i - 1].tvd <= tvd && w.designResults[i].tvd >= tvd) {
      const TargetCrossing x = StationAtDepth(tvd, w.designPoints[i - 1], w.designResults[i - 1],
                                              w.basic(), w.designPoints[i], true, s.calcMethod);
      return std::hypot(x.result.north - tn, x.result.east - te);
    }
  }
  return -1;
}

void expectRowsChain(const WellState& s, int lastRow) {
  for (int k = 1; k <= lastRow; ++k) {
    const DesignSegment& row = s.designSegments[k];
    const DesignSegment& above = s.designSegments[k - 1];
    SCOPED_TRACE(k);
    EXPECT_DOUBLE_EQ(row.deltaMd, row.md - above.md);
    EXPECT_DOUBLE_EQ(row.deltaTvd, row.tvd - above.tvd);
    EXPECT_DOUBLE_EQ(row.deltaHorizontal, row.displacement - above.displacement);
    EXPECT_GE(row.md, above.md);
  }
}

void expectAllFinite(const WellState& s) {
  const WellRecord& w = s.well;
  for (int i = 0; i <= w.designPointCount; ++i) {
    const StationResult& r = w.designResults[i];
    for (double v : fieldsOf(r)) {
      ASSERT_TRUE(std::isfinite(v)) << "point " << i;
    }
    const SurveyStation& p = w.designPoints[i];
    for (double v : {p.md, p.inclination, p.azimuth, p.gridAzimuth}) {
      ASSERT_TRUE(std::isfinite(v)) << "point " << i;
    }
  }
}

TEST(DesignVertical, OneCourseToTheFinalDepthAndOnlyTheHoldRow) {
  WellState s = singleTargetWell();
  placeTarget1(s.well, 0, 0, 2500);
  s.well.buildRate = 0;  // a vertical well needs no build data at all
  RecordingHost host;
  s.host = &host;
  ASSERT_EQ(DesignProfile(s), DesignOutcome::Done);
  EXPECT_EQ(s.well.designPointCount, 2);
  ASSERT_EQ(s.well.designPoints.size(), 3u);
  ASSERT_EQ(s.well.designResults.size(), 3u);
  EXPECT_EQ(s.well.designPoints[1].index, 1);
  EXPECT_EQ(s.well.designPoints[1].md, 3000);
  EXPECT_EQ(s.well.designPoints[1].inclination, 0);
  EXPECT_EQ(s.well.designResults[1].tvd, 3000);
  EXPECT_EQ(s.well.designResults[0].tvd, 0);
  const DesignSegment& hold = s.designSegments[3];
  EXPECT_EQ(hold.md, 3000);
  EXPECT_EQ(hold.tvd, 3000);
  EXPECT_EQ(hold.deltaTvd, 3000);
  EXPECT_EQ(hold.deltaMd, 3000);
  for (int k : {0, 1, 2, 4, 5}) EXPECT_EQ(s.designSegments[k].md, 0) << k;
  EXPECT_TRUE(host.events.empty()) << "a vertical design neither shows progress nor waits";
}

TEST(DesignMotorBuild, ThirtyMetrePointsThenTheExactEndOfTheBuild) {
  WellState s = singleTargetWell();
  s.well.kickoffDepth = 300;
  s.well.buildRate = 15;
  s.well.buildToInclination = 10;
  DesignProfile(s);
  const auto& p = s.well.designPoints;
  ASSERT_GE(s.well.designPointCount, 5);
  EXPECT_EQ(p[0].md, 0);
  EXPECT_EQ(p[0].azimuth, 0);
  EXPECT_EQ(p[1].md, 300);
  EXPECT_EQ(p[1].inclination, 0);
  // The kick-off point is vertical but points the way the build leaves it.
  EXPECT_EQ(p[1].azimuth, p[2].azimuth);
  EXPECT_EQ(p[1].gridAzimuth, s.well.designAzimuth);
  EXPECT_DOUBLE_EQ(p[2].md, 330);
  EXPECT_DOUBLE_EQ(p[2].inclination, 4.5);
  EXPECT_DOUBLE_EQ(p[3].md, 360);
  EXPECT_DOUBLE_EQ(p[3].inclination, 9);
  EXPECT_NEAR(p[4].md, 366.6666667, 1e-6);
  EXPECT_EQ(p[4].inclination, 10);
  for (int i = 2; i < s.well.designPointCount; ++i) {
    EXPECT_EQ(p[i].index, i);
    EXPECT_EQ(p[i].azimuth, s.well.designAzimuth - s.well.magDeclination);
  }
  // The motor-build row ends at the build end with the build-to inclination.
  EXPECT_NEAR(s.designSegments[1].md, 366.6666667, 1e-6);
  EXPECT_EQ(s.designSegments[1].inclination, 10);
  EXPECT_EQ(s.designSegments[0].md, 300);
  EXPECT_EQ(s.designSegments[0].deltaTvd, 300);
}

TEST(DesignMotorBuild, BuildEndingOnAThirtyMetrePointHasNoDogleg) {
  // 9 degrees at 10 deg/100 m is 90 m: the last 30 m point and the build end share a depth.
  // An awkward kick-off depth makes the two depths differ by rounding if computed naively.
  for (double kickoff : {500.0, 487.3}) {
    for (SurveyMethod method : kSurveyMethods) {
      SCOPED_TRACE(::testing::Message() << kickoff << " m, method " << method);
      WellState s = singleTargetWell(method);
      s.well.kickoffDepth = kickoff;
      s.well.buildRate = 10;
      s.well.buildToInclination = 9;
      EXPECT_EQ(DesignProfile(s), DesignOutcome::Done);
      const auto& p = s.well.designPoints;
      ASSERT_GE(s.well.designPointCount, 6);
      EXPECT_EQ(p[4].md, p[5].md);
      EXPECT_EQ(p[4].inclination, 9);
      EXPECT_EQ(p[5].inclination, 9);
      EXPECT_EQ(s.well.designResults[5].doglegSeverity, 0);
      EXPECT_EQ(s.well.designResults[5].tvd, s.well.designResults[4].tvd);
      expectAllFinite(s);
    }
  }
}

TEST(DesignMotorBuild, NoBuildRepeatsTheKickoffPoint) {
  WellState s = singleTargetWell();
  s.well.buildToInclination = 0;
  s.well.rotaryBuildRate = 3;
  EXPECT_EQ(DesignProfile(s), DesignOutcome::Done);
  const auto& p = s.well.designPoints;
  EXPECT_EQ(p[2].md, 500);
  EXPECT_EQ(p[2].inclination, 0);
  EXPECT_EQ(s.designSegments[1].md, s.designSegments[0].md);
  EXPECT_EQ(s.designSegments[1].tvd, s.designSegments[0].tvd);
  EXPECT_EQ(s.designSegments[1].deltaMd, 0);
  expectAllFinite(s);
}

TEST(DesignSingleTarget, HitsTheTargetAndEndsAtTheFinalDepthByEveryMethod) {
  for (SurveyMethod method : kSurveyMethods) {
    SCOPED_TRACE(method);
    WellState s = singleTargetWell(method);
    ASSERT_EQ(DesignProfile(s), DesignOutcome::Done);
    EXPECT_LT(missDistance(s, 1), 0.5);
    EXPECT_NEAR(lastResult(s).tvd, 3000, 1e-4);
    EXPECT_NEAR(s.designSegments[3].tvd, 3000, 1e-4);
    // The tangent row holds the hold inclination and the well points at the target there.
    const DesignSegment& tangent = s.designSegments[2];
    EXPECT_EQ(lastPoint(s).inclination, tangent.inclination);
    EXPECT_GT(tangent.inclination, 15);
    expectRowsChain(s, 3);
    for (int k : {4, 5}) EXPECT_EQ(s.designSegments[k].md, 0);
    // Apart from the section ends, points are 30 m apart.
    const auto& p = s.well.designPoints;
    for (int i = 2; i < s.well.designPointCount; ++i) {
      const double course = p[i].md - p[i - 1].md;
      EXPECT_GE(course, 0) << i;
      EXPECT_LE(course, 30 + 1e-9) << i;
    }
    EXPECT_EQ(p[s.well.designPointCount].md, 0) << "spare entry";
    expectAllFinite(s);
  }
}

TEST(DesignTwoTargets, DropHitsBothTargetsAndFillsAllSixRows) {
  for (SurveyMethod method : kSurveyMethods) {
    SCOPED_TRACE(method);
    WellState s = twoTargetWell(method);
    ASSERT_EQ(DesignProfile(s), DesignOutcome::Done);
    EXPECT_LT(missDistance(s, 1), 0.5);
    EXPECT_LT(missDistance(s, 2), 0.5);
    EXPECT_NEAR(lastResult(s).tvd, 3000, 1e-4);
    EXPECT_NEAR(s.designSegments[3].tvd, 2300, 1e-4);
    EXPECT_LT(s.designSegments[4].inclination, s.designSegments[3].inclination);
    EXPECT_EQ(s.designSegments[5].inclination, s.designSegments[4].inclination);
    expectRowsChain(s, 5);
    expectAllFinite(s);
  }
}

TEST(DesignTwoTargets, DropThroughVerticalStopsAtVerticalWithoutDirection) {
  WellState s = twoTargetWell();
  placeTarget2(s.well, 624, 832, 4000);
  s.well.designFinalTvd = 4200;
  s.well.rotaryDropRate = 30;
  EXPECT_EQ(DesignProfile(s), DesignOutcome::DropTooLow);
  EXPECT_EQ(lastPoint(s).inclination, 0);
  EXPECT_EQ(lastPoint(s).azimuth, 0);
  for (int i = 2; i < last(s); ++i) EXPECT_GT(s.well.designPoints[i].inclination, 0) << i;
  expectAllFinite(s);
}

TEST(DesignTwoTargets, TargetsInLineHoldStraightThroughBoth) {
  for (SurveyMethod method : kSurveyMethods) {
    for (double dropRate : {3.0, -3.0, 0.0}) {
      SCOPED_TRACE(::testing::Message() << "method " << method << ", drop rate " << dropRate);
      WellState s = targetsInLine(method, dropRate);
      ASSERT_EQ(DesignProfile(s), DesignOutcome::Done);
      EXPECT_LT(missDistance(s, 2), 0.05);
      EXPECT_NEAR(lastResult(s).tvd, 3000, 1e-4);
      const DesignSegment& drop = s.designSegments[4];
      EXPECT_EQ(drop.deltaMd, 0);
      EXPECT_EQ(drop.inclination, s.designSegments[3].inclination);
      EXPECT_EQ(s.designSegments[5].inclination, s.designSegments[3].inclination);
      expectRowsChain(s, 5);
    }
  }
}

TEST(DesignMotorBuild, FirstBuildCourseHeadsTheDesignAzimuthByEveryMethod) {
  for (SurveyMethod method : kSurveyMethods) {
    WellState s = singleTargetWell(method);
    ASSERT_EQ(DesignProfile(s), DesignOutcome::Done) << method;
    const StationResult& r = s.well.designResults[2];
    EXPECT_NEAR(r.closureAzimuth, s.well.designAzimuth, 1e-9) << method;
    // A plain build: no azimuth change enters the dogleg of the first course.
    EXPECT_NEAR(r.doglegSeverity, s.well.buildRate * 30 / 100, 1e-9) << method;
  }
}

TEST(DesignTwoTargets, BuildOvershootingTarget2EndsTheDesignAtTheBuild) {
  WellState s = twoTargetWell();
  placeTarget2(s.well, 612, 816, 2310);
  s.well.rotaryDropRate = -30;
  // The design stops short of the final depth: a failure, not a design to save.
  ASSERT_EQ(DesignProfile(s), DesignOutcome::BuildPassesTarget2);
  EXPECT_LT(lastResult(s).tvd, s.well.designFinalTvd);
  EXPECT_GE(lastResult(s).closureDistance, s.well.designDisplacement2);
  EXPECT_GT(lastPoint(s).inclination, s.designSegments[3].inclination);
  EXPECT_EQ(s.designSegments[4].md, 0);
  EXPECT_EQ(s.designSegments[5].md, 0);
}

TEST(DesignRerun, RebuildsEverythingFromTheBasicData) {
  WellState s = twoTargetWell();
  ASSERT_EQ(DesignProfile(s), DesignOutcome::Done);
  s.well.targetCount = 1;
  s.well.target2X = s.well.target2Y = s.well.target2Tvd = s.well.designDisplacement2 = 0;
  ASSERT_EQ(DesignProfile(s), DesignOutcome::Done);
  for (int k : {4, 5}) {
    EXPECT_EQ(s.designSegments[k].md, 0) << k;
    EXPECT_EQ(s.designSegments[k].name, k == 4 ? "降斜段" : "稳斜段");
  }
  EXPECT_NEAR(lastResult(s).tvd, 3000, 1e-4);
  EXPECT_EQ(s.well.designPoints.size(), static_cast<std::size_t>(s.well.designPointCount) + 1);
  EXPECT_EQ(s.well.designResults.size(), s.well.designPoints.size());
  EXPECT_TRUE(s.designSegments[6].name.empty());
}

TEST(DesignOutcomes, EachFailureLeavesThePartialDesign) {
  {
    SCOPED_TRACE("motor build already past the line to target 1");
    WellState s = singleTargetWell();
    s.well.buildToInclination = 60;
    EXPECT_EQ(DesignProfile(s), DesignOutcome::KickoffTooHigh);
    EXPECT_EQ(lastPoint(s).inclination, 60);
    EXPECT_EQ(s.designSegments[1].md, 0) << "row 1 is filled only after the check";
  }
  {
    SCOPED_TRACE("no rotary build: the well passes below target 1");
    WellState s = singleTargetWell();
    s.well.rotaryBuildRate = 0;
    EXPECT_EQ(DesignProfile(s), DesignOutcome::RotaryBuildTooLow);
    EXPECT_GT(lastResult(s).tvd, s.well.target1Tvd);
    EXPECT_EQ(lastPoint(s).inclination, 15);
    EXPECT_GT(s.designSegments[1].md, 0);
  }
  {
    SCOPED_TRACE("rotary build overshoots a near target");
    WellState s = singleTargetWell();
    placeTarget1(s.well, 3, 4, 2000);
    s.well.buildToInclination = 0.1;
    s.well.buildRate = 1;
    s.well.rotaryBuildRate = 90;
    EXPECT_EQ(DesignProfile(s), DesignOutcome::RotaryBuildTooHigh);
    EXPECT_GT(lastResult(s).closureDistance, 5);
    EXPECT_LT(lastResult(s).tvd, 2000);
  }
  {
    SCOPED_TRACE("target 2 needs a build, drop rate positive");
    WellState s = twoTargetWell();
    placeTarget2(s.well, 960, 1280, 2800);
    EXPECT_EQ(DesignProfile(s), DesignOutcome::DropMustBuild);
    EXPECT_NEAR(lastResult(s).tvd, 2300, 1e-4);
    EXPECT_GT(s.designSegments[3].md, 0);
    EXPECT_EQ(s.designSegments[4].md, 0);
  }
  {
    SCOPED_TRACE("drop overshoots target 2's displacement");
    WellState s = twoTargetWell();
    placeTarget2(s.well, 780, 1040, 2900);
    s.well.designFinalTvd = 3200;
    EXPECT_EQ(DesignProfile(s), DesignOutcome::DropTooLow);
    EXPECT_GT(lastResult(s).closureDistance, s.well.designDisplacement2);
  }
  {
    SCOPED_TRACE("build toward target 2 stays short of it");
    WellState s = twoTargetWell();
    placeTarget2(s.well, 960, 1280, 2800);
    s.well.rotaryDropRate = -3;
    EXPECT_EQ(DesignProfile(s), DesignOutcome::BuildTooLow);
    EXPECT_GT(lastPoint(s).inclination, s.designSegments[3].inclination);
    EXPECT_LT(lastResult(s).closureDistance, s.well.designDisplacement2);
    EXPECT_EQ(s.designSegments[4].md, 0);
  }
  {
    SCOPED_TRACE("target 2 needs a drop, drop rate negative");
    WellState s = twoTargetWell();
    s.well.rotaryDropRate = -3;
    EXPECT_EQ(DesignProfile(s), DesignOutcome::DropMustDrop);
    EXPECT_NEAR(lastResult(s).tvd, 2300, 1e-4);
  }
  {
    SCOPED_TRACE("no well number: nothing is computed");
    WellState s = singleTargetWell();
    s.well.wellNo.clear();
    EXPECT_EQ(DesignProfile(s), DesignOutcome::KickoffTooHigh);
    for (const StationResult& r : s.well.designResults) EXPECT_EQ(r.tvd, 0);
  }
}

TEST(DesignPointLimit, RatesThatNeverReachTheTargetStopAtTheLimit) {
  struct Case {
    const char* what;
    bool twoTargets;
    double buildTo, rotaryBuild, rotaryDrop;
  };
  const Case cases[] = {
      {"vertical build and no rotary build", false, 0, 0, 2},
      {"negative rotary build", false, 15, -2, 2},
      {"two targets and a negative rotary build", true, 15, -2, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WellState s = c.twoTargets ? twoTargetWell() : singleTargetWell();
    s.well.buildToInclination = c.buildTo;
    s.well.rotaryBuildRate = c.rotaryBuild;
    s.well.rotaryDropRate = c.rotaryDrop;
    RecordingHost host;
    s.host = &host;
    EXPECT_EQ(DesignProfile(s), DesignOutcome::PointLimit);
    EXPECT_EQ(s.well.designPointCount, 32767);
    EXPECT_EQ(s.well.designPoints.size(), 32768u);
    EXPECT_EQ(s.well.designResults.size(), 32768u);
    EXPECT_EQ(s.well.designPoints[32766].index, 32766);
    ASSERT_FALSE(host.events.empty());
    EXPECT_EQ(host.events.back(), "idle");
  }
}

TEST(DesignPointLimit, DataNoWindowWouldAcceptIsRefused) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const char* what;
    void (*spoil)(WellRecord&);
    DesignOutcome outcome;
  };
  const Case cases[] = {
      {"zero build rate", [](WellRecord& w) { w.buildRate = 0; }, DesignOutcome::DataUnusable},
      {"negative build rate", [](WellRecord& w) { w.buildRate = -5; }, DesignOutcome::DataUnusable},
      {"NaN build rate", [](WellRecord& w) { w.buildRate = nan; }, DesignOutcome::DataUnusable},
      // Usable, but a build that long needs more points than a design holds.
      {"tiny build rate", [](WellRecord& w) { w.buildRate = 1e-300; }, DesignOutcome::PointLimit},
      {"negative build-to inclination", [](WellRecord& w) { w.buildToInclination = -10; },
       DesignOutcome::DataUnusable},
      {"infinite kick-off", [](WellRecord& w) { w.kickoffDepth = inf; },
       DesignOutcome::DataUnusable},
      {"NaN target", [](WellRecord& w) { w.target1X = nan; }, DesignOutcome::DataUnusable},
      {"infinite final depth", [](WellRecord& w) { w.designFinalTvd = inf; },
       DesignOutcome::DataUnusable},
      {"NaN displacement", [](WellRecord& w) { w.designDisplacement1 = nan; },
       DesignOutcome::DataUnusable},
      {"NaN target 2 depth",
       [](WellRecord& w) {
         placeTarget2(w, 810, 1080, 2800);
         w.target2Tvd = nan;
       },
       DesignOutcome::DataUnusable},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WellState s = singleTargetWell();
    c.spoil(s.well);
    RecordingHost host;
    s.host = &host;
    EXPECT_EQ(DesignProfile(s), c.outcome);
    EXPECT_LE(s.well.designPointCount, 2);
    EXPECT_EQ(host.events, std::vector<std::string>{"idle"});
  }
}

TEST(DesignPointLimit, DesignsThatOverflowAreRefusedAndCleared) {
  // The corrected average angle method squares the change of inclination, which overflows for
  // rates no window accepts.
  WellState steep = singleTargetWell(SurveyMethod::CorrectedAverageAngle);
  steep.well.rotaryBuildRate = 1e300;
  WellState far = twoTargetWell(SurveyMethod::CorrectedAverageAngle);
  placeTarget2(far.well, 960, 1280, 2800);
  far.well.rotaryDropRate = -1e300;
  for (WellState* s : {&steep, &far}) {
    EXPECT_EQ(DesignProfile(*s), DesignOutcome::DataUnusable);
    EXPECT_EQ(s->well.designPointCount, 2);
    expectAllFinite(*s);
    for (const DesignSegment& row : s->designSegments) EXPECT_EQ(row.md, 0);
  }
}

TEST(DesignProgress, ShowsTheWellAndReleasesTheBusyPointerOnEveryOutcome) {
  WellState s = singleTargetWell();
  RecordingHost host;
  s.host = &host;
  ASSERT_EQ(DesignProfile(s), DesignOutcome::Done);
  const std::vector<std::string> expected = {"status:庄1-2井正在设计计算中，请稍等！", "busy",
                                             "idle"};
  EXPECT_EQ(host.events, expected);

  WellState early = singleTargetWell();
  early.well.buildToInclination = 60;
  early.host = &host;
  host.events.clear();
  ASSERT_EQ(DesignProfile(early), DesignOutcome::KickoffTooHigh);
  EXPECT_EQ(host.events, std::vector<std::string>{"idle"}) << "no progress text before row 1";
}

TEST(InclinationToTarget, LevelWithTheTargetAndAtTheTargetAreFinite) {
  EXPECT_EQ(InclinationToTarget(100, 0), 90);
  EXPECT_EQ(InclinationToTarget(0, 0), 0);
  EXPECT_NEAR(InclinationToTarget(100, 100), 45, 1e-9);
  EXPECT_NEAR(InclinationToTarget(100, -100), -45, 1e-9);
}

}  // namespace
}  // namespace tarsek
