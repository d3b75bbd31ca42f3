#include "tools/azimuth_turn.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/numtext.h"

namespace tarsek {
namespace {

// Before 1000 m / 30° / 100°, after 1030 m / 32° / 105°, 3°/100 m, oriented azimuth 150°.
TurnInput example() {
  TurnInput in;
  in.md1 = 1000;
  in.inclination1 = 30;
  in.azimuth1 = 100;
  in.md2 = 1030;
  in.inclination2 = 32;
  in.azimuth2 = 105;
  in.orientedAzimuth = 150;
  in.toolface = 40;
  in.buildRate = 3;
  return in;
}

TEST(InitialToolface, WorkedExample) {
  const InitialToolface r = findInitialToolface(example());
  EXPECT_FALSE(r.badBuildRate);
  ASSERT_TRUE(r.drillToDepth && r.toolface && r.orientedAzimuth);
  EXPECT_EQ(formatFixed(*r.drillToDepth, 2), "1108.69");
  EXPECT_EQ(formatFixed(*r.toolface, 2), "54.29");
  EXPECT_EQ(formatFixed(*r.orientedAzimuth, 2), "184.29");  // 30° allowance at 1000 m
}

TEST(InitialToolface, BadBuildRateStillGivesTheToolface) {
  for (double rate : {0.0, -3.0}) {
    TurnInput in = example();
    in.buildRate = rate;
    const InitialToolface r = findInitialToolface(in);
    EXPECT_TRUE(r.badBuildRate);
    EXPECT_FALSE(r.drillToDepth.has_value());
    ASSERT_TRUE(r.toolface.has_value());
    EXPECT_EQ(formatFixed(*r.toolface, 2), "54.29");
    EXPECT_TRUE(r.orientedAzimuth.has_value());
  }
}

TEST(InitialToolface, AllowanceStepsAt1200And1500Metres) {
  EXPECT_DOUBLE_EQ(torqueAllowance(1000), 30);
  EXPECT_DOUBLE_EQ(torqueAllowance(1199.99), 1199.99 / 100 * 3);
  EXPECT_DOUBLE_EQ(torqueAllowance(1200), 48);
  EXPECT_DOUBLE_EQ(torqueAllowance(1499.99), 1499.99 / 100 * 4);
  EXPECT_DOUBLE_EQ(torqueAllowance(1500), 75);
  EXPECT_DOUBLE_EQ(torqueAllowance(0), 0);

  // The allowance reaches the oriented azimuth: same surveys, deeper start.
  TurnInput in = example();
  in.md1 = 1200;
  in.md2 = 1230;
  EXPECT_EQ(formatFixed(*findInitialToolface(in).orientedAzimuth, 2), "202.29");
  in.md1 = 1500;
  in.md2 = 1530;
  EXPECT_EQ(formatFixed(*findInitialToolface(in).orientedAzimuth, 2), "229.29");
}

TEST(InitialToolface, DroppingInclinationTakesTheOtherHalfCircle) {
  TurnInput in = example();
  in.inclination2 = 28;  // ΔI < 0: ω = π - arcsin(s)
  const auto omega = achievedToolface(in);
  ASSERT_TRUE(omega.has_value());
  EXPECT_GT(*omega, 3.14159265359 / 2);
  in.inclination2 = 30;  // ΔI = 0 counts as a drop as well
  const auto level = achievedToolface(in);
  ASSERT_TRUE(level.has_value());
  EXPECT_GT(*level, 3.14159265359 / 2);
}

TEST(InitialToolface, IdenticalSurveysGiveZeroToolface) {
  TurnInput in = example();
  in.md2 = in.md1;
  in.inclination2 = in.inclination1;
  in.azimuth2 = in.azimuth1;
  EXPECT_EQ(turnDogleg(in), 0);
  ASSERT_TRUE(achievedToolface(in).has_value());
  EXPECT_EQ(*achievedToolface(in), 0);
  EXPECT_EQ(*findInitialToolface(in).drillToDepth, in.md1);
}

TEST(InitialToolface, ZeroDoglegStaysFiniteAndOverflowGivesNothing) {
  // A vertical well turned through 180° of azimuth has no inclination change and no weighted
  // azimuth change: γ = 0, so the γ = 0 formula applies and stays finite.
  TurnInput in = example();
  in.inclination1 = in.inclination2 = 0;
  in.azimuth2 = in.azimuth1 + 180;
  EXPECT_EQ(turnDogleg(in), 0);
  EXPECT_TRUE(achievedToolface(in).has_value());

  // Absurd inputs overflow the dogleg: nothing is shown rather than a non-finite angle.
  TurnInput huge = example();
  huge.inclination2 = 1e308;
  EXPECT_FALSE(achievedToolface(huge).has_value());
  EXPECT_FALSE(findReactiveTorque(huge).has_value());
  const InitialToolface r = findInitialToolface(huge);
  EXPECT_FALSE(r.drillToDepth || r.toolface || r.orientedAzimuth);
}

TEST(ReactiveTorque, WorkedExample) {
  const auto r = findReactiveTorque(example());
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(formatFixed(*r, 2), "-4.29");
}

TEST(PredictTurn, WorkedExample) {
  const auto p = predictTurn(example());
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(formatFixed(p->inclination, 3), "30.694");
  EXPECT_EQ(formatFixed(p->azimuth, 3), "101.133");
}

TEST(PredictTurn, NoCourseKeepsTheSurvey) {
  TurnInput in = example();
  in.md2 = in.md1;
  const auto p = predictTurn(in);
  ASSERT_TRUE(p.has_value());
  EXPECT_NEAR(p->inclination, 30, 1e-9);
  EXPECT_NEAR(p->azimuth, 100, 1e-9);
}

TEST(PredictTurn, VerticalResultHasNoAzimuthChange) {
  // Dropping 30° of inclination with the toolface straight down (180°) ends vertical.
  TurnInput in = example();
  in.toolface = 180;
  in.buildRate = 3;
  in.md2 = in.md1 + 1000;
  const auto p = predictTurn(in);
  ASSERT_TRUE(p.has_value());
  EXPECT_TRUE(std::isfinite(p->inclination));
  EXPECT_NEAR(p->azimuth, 100, 1e-6);
}

}  // namespace
}  // namespace tarsek
