#include "tools/kill_mud.h"

#include <gtest/gtest.h>

#include "common/numtext.h"

namespace tarsek {
namespace {

TEST(KillMud, KillDensityThenWeightingThroughTheShownText) {
  const auto planned = computeKillDensity(2500, 3.5, 1.20);
  ASSERT_TRUE(planned.has_value());
  EXPECT_NEAR(*planned - 1.20, 0.142857142857, 1e-12);
  const std::string shown = formatFixed(*planned, 2);
  EXPECT_EQ(shown, "1.34");
  // The weighting works on the rounded density the box shows, not the exact one.
  const auto weight = computeWeightingMaterial(1.20, readNumber(shown), 100, 4.2);
  ASSERT_TRUE(weight.has_value());
  EXPECT_EQ(formatFixed(*weight, 2), "5.87");
  EXPECT_NEAR(*weight, 100 * 1.2 * 0.14 / 2.86, 1e-12);
}

TEST(KillMud, MarginIsAddedOnceToTheShownDensity) {
  const auto withMargin = addPressureMargin(2500, 1.34, false);
  ASSERT_TRUE(withMargin.has_value());
  EXPECT_EQ(formatPlain(*withMargin), " 1.4576");
  const auto weight =
      computeWeightingMaterial(1.20, readNumber(formatPlain(*withMargin)), 100, 4.2);
  ASSERT_TRUE(weight.has_value());
  EXPECT_EQ(formatFixed(*weight, 2), "11.27");

  EXPECT_FALSE(addPressureMargin(2500, 1.34, true).has_value());
  EXPECT_FALSE(addPressureMargin(0, 1.34, false).has_value());
  EXPECT_FALSE(addPressureMargin(-100, 1.34, false).has_value());
}

TEST(KillMud, MissingKillInputsChangeNothing) {
  EXPECT_FALSE(computeKillDensity(0, 3.5, 1.2).has_value());
  EXPECT_FALSE(computeKillDensity(2500, 0, 1.2).has_value());
  EXPECT_FALSE(computeKillDensity(2500, 3.5, 0).has_value());
  EXPECT_FALSE(computeKillDensity(-2500, 3.5, 1.2).has_value());
}

TEST(KillMud, WeightingNeedsRisingDensitiesAndEveryInput) {
  EXPECT_FALSE(computeWeightingMaterial(0, 1.34, 100, 4.2).has_value());
  EXPECT_FALSE(computeWeightingMaterial(1.2, 1.34, 0, 4.2).has_value());
  EXPECT_FALSE(computeWeightingMaterial(1.2, 1.34, 100, 0).has_value());
  EXPECT_FALSE(computeWeightingMaterial(1.2, 0, 100, 4.2).has_value());
  EXPECT_FALSE(computeWeightingMaterial(1.34, 1.34, 100, 4.2).has_value());  // no rise
  EXPECT_FALSE(computeWeightingMaterial(1.4, 1.34, 100, 4.2).has_value());   // a fall
  EXPECT_FALSE(computeWeightingMaterial(1.2, 4.2, 100, 4.2).has_value());    // material too light
  EXPECT_FALSE(computeWeightingMaterial(1.2, 4.3, 100, 4.2).has_value());
}

TEST(KillMud, HugeInputsGiveNothingRatherThanInfinity) {
  EXPECT_FALSE(computeKillDensity(1e-320, 1e300, 1.2).has_value());
  EXPECT_FALSE(computeWeightingMaterial(1.2, 1.3, 1e308, 1.3 + 1e-9).has_value());
}

}  // namespace
}  // namespace tarsek
