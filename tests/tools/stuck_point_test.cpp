#include "tools/stuck_point.h"

#include <gtest/gtest.h>

#include <string>

#include "common/numtext.h"

namespace tarsek {
namespace {

TEST(StuckPoint, WorkedExampleOnTheStartingPipe) {
  const StuckPointResult r = computeStuckPoint("φ127mm×9.19mm", 50, 20, 215.9, 2500);
  ASSERT_TRUE(r.depth && r.oilVolume);
  EXPECT_EQ(formatFixed(*r.depth, 2), "1787.50");
  EXPECT_EQ(formatFixed(*r.oilVolume, 2), "30.80");
}

TEST(StuckPoint, OilVolumeUsesTheShownDepth) {
  // 33 * 715 / 7 = 3370.714..., shown as 3370.71: the volume must use the shown figure.
  const StuckPointResult r = computeStuckPoint("φ127mm×9.19mm", 33, 7, 215.9, 4000);
  ASSERT_TRUE(r.depth && r.oilVolume);
  EXPECT_NEAR(*r.depth, 33.0 * 715 / 7, 1e-9);
  const double od = 0.127, wall = 0.00919, hole = 0.2159;
  const double perMetre =
      3.14159265359 * ((hole * hole - od * od) * 1.35 + (od - wall) * (od - wall)) / 4;
  EXPECT_DOUBLE_EQ(*r.oilVolume, (4000 - 3370.71) * perMetre);
}

TEST(StuckPoint, EveryTablePipeIsRecognisedOnlyByItsExactText) {
  for (const DrillPipe& p : kDrillPipes) {
    const StuckPointResult r = computeStuckPoint(p.text, 10, 10, 0, 0);
    ASSERT_TRUE(r.depth.has_value()) << p.text;
    EXPECT_DOUBLE_EQ(*r.depth, p.k);
  }
  EXPECT_EQ(findDrillPipe("φ127mm×9.19mm "), nullptr);
  EXPECT_EQ(findDrillPipe("Φ127mm×9.19mm"), nullptr);
  EXPECT_EQ(findDrillPipe("φ127mmx9.19mm"), nullptr);
}

TEST(StuckPoint, MissingInputsLeaveResultsUnchanged) {
  EXPECT_FALSE(computeStuckPoint("φ127mm×9.19", 50, 20, 215.9, 2500).depth.has_value());
  EXPECT_FALSE(computeStuckPoint("", 50, 20, 215.9, 2500).depth.has_value());
  for (const auto& r : {computeStuckPoint("φ127mm×9.19mm", 0, 20, 215.9, 2500),
                        computeStuckPoint("φ127mm×9.19mm", 50, 0, 215.9, 2500),
                        computeStuckPoint("φ127mm×9.19mm", -50, -20, 215.9, 2500)}) {
    EXPECT_FALSE(r.depth.has_value());
    EXPECT_FALSE(r.oilVolume.has_value());
  }
  // Depth known, but no hole or no well depth: the volume stays as it was.
  for (const auto& r : {computeStuckPoint("φ127mm×9.19mm", 50, 20, 0, 2500),
                        computeStuckPoint("φ127mm×9.19mm", 50, 20, 215.9, 0)}) {
    EXPECT_TRUE(r.depth.has_value());
    EXPECT_FALSE(r.oilVolume.has_value());
  }
}

TEST(StuckPoint, StuckBelowTheWellGivesANegativeVolume) {
  const StuckPointResult r = computeStuckPoint("φ127mm×9.19mm", 50, 20, 215.9, 1000);
  ASSERT_TRUE(r.oilVolume.has_value());
  EXPECT_LT(*r.oilVolume, 0);
}

}  // namespace
}  // namespace tarsek
