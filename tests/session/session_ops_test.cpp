#include "session/session_ops.h"

#include <gtest/gtest.h>

#include "survey/survey_calc.h"

namespace tarsek {
namespace {

Session surveyedWell() {
  Session s;
  WellRecord& w = s.well;
  w.wellNo = "A12";
  w.magDeclination = -3.5;
  w.designAzimuth = 53.13;
  w.target1X = 300;
  w.target1Y = 400;
  w.target1Tvd = 1500;
  w.stationCount = 4;
  w.stations.assign(5, SurveyStation{});
  w.stations[0] = {0, 300, 0, 0, 0};
  w.stations[1] = {1, 400, 3.5, 52.5, 0};
  w.stations[2] = {2, 500, 8, 55, 0};
  w.stations[3] = {3, 600, 12.5, 56, 0};
  w.results.assign(5, StationResult{});
  return s;
}

TEST(SetCalcMethod, RecomputesTheTrajectoryByTheChosenMethod) {
  Session s = surveyedWell();
  SetCalcMethod(s, SurveyMethod::AverageAngle);
  const double averageAngleTvd = s.well.results[3].tvd;
  ASSERT_GT(averageAngleTvd, 500);
  SetCalcMethod(s, SurveyMethod::Tangential);
  EXPECT_EQ(s.calcMethod, SurveyMethod::Tangential);
  // The tangential method takes each course at its lower station's angles: a building well
  // ends shallower by it than by the average angle.
  EXPECT_LT(s.well.results[3].tvd, averageAngleTvd);
}

TEST(SetCalcMethod, OnlyTheCodesOfTheSixMethodsNameAMethod) {
  for (int code = -1; code <= kMethodCount; ++code) {
    const auto method = SurveyMethodFromCode(code);
    ASSERT_EQ(method.has_value(), code >= 0 && code < kMethodCount) << code;
    if (method) {
      EXPECT_EQ(MethodCode(*method), code);
    }
  }
}

TEST(ResetWellViews, ClearsSavedTargetAndDirtyFlags) {
  Session s;
  s.targetSaved = true;
  s.savedTarget1X = 1;
  s.savedTarget1Y = 2;
  s.surveyDirty = Unsaved::Stations;
  s.designDirty = Unsaved::Design;
  s.predictStart = 7;
  ResetWellViews(s);
  EXPECT_EQ(s.savedTarget1X, 0);
  EXPECT_EQ(s.savedTarget1Y, 0);
  EXPECT_FALSE(s.targetSaved);
  EXPECT_EQ(s.surveyDirty, Unsaved::Nothing);
  EXPECT_EQ(s.designDirty, Unsaved::Nothing);
  EXPECT_EQ(s.predictStart, 7);  // the callers reset the prediction themselves
}

}  // namespace
}  // namespace tarsek
