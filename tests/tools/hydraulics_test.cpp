#include "tools/hydraulics.h"

#include <gtest/gtest.h>

namespace tarsek {
namespace {

// The worked example of the rig sheet: 2000 m, 60 /min, 150 mm liner, 80 %, 1.2 g/cm^3, three
// 12 mm nozzles, 215.9 mm bit, 150 m of 177.8 x 71.4 mm collars.
HydraulicsInput example() { return {2000, 60, 150, 80, 1.2, 12, 12, 12, 215.9, 177.8, 71.4, 150}; }

TEST(Hydraulics, WorkedExampleGivesTheElevenLines) {
  const auto r = computeHydraulics(example());
  ASSERT_TRUE(r.has_value());
  const std::vector<std::string> expected = {
      "泵 排 量  ：12.94 L/s",
      "钻头压降  ：0.93 MPa",
      "环空压耗  ：1.79 MPa",
      "泵    压  ：2.72 MPa",
      "",
      "钻头水功率：12.01 KW",
      "",
      "比水功率  ：0.35 W/mm^2",
      "",
      "喷射速度  ：36.81 m/s",
      "",
      "冲击力    ：551.76 N",
      "",
      "钻杆返速  ：0.54 m/s",
      "",
      "钻铤返速  ：1.10 m/s",
      "",
      "功率利用率：34.13 %",
  };
  EXPECT_EQ(hydraulicsLines(*r), expected);
  EXPECT_NEAR(r->flow, 12.9356, 1e-4);
  EXPECT_DOUBLE_EQ(r->pumpPressure, r->bitDrop + r->annularLoss);
}

TEST(Hydraulics, EmptyUntilEveryRequiredValueIsNonZero) {
  EXPECT_FALSE(computeHydraulics(HydraulicsInput{}).has_value());
  // Strokes, liner, efficiency, density, the nozzles and the bit each leave the result empty
  // when they alone are zero (a zero nozzle area needs all three nozzles zero).
  for (int box : {kHydDepth, kHydStrokes, kHydLiner, kHydEfficiency, kHydDensity, kHydBit}) {
    HydraulicsInput in = example();
    in[box] = 0;
    EXPECT_FALSE(computeHydraulics(in).has_value()) << "box " << box;
  }
  HydraulicsInput noNozzles = example();
  noNozzles[kHydNozzle1] = noNozzles[kHydNozzle2] = noNozzles[kHydNozzle3] = 0;
  EXPECT_FALSE(computeHydraulics(noNozzles).has_value());
  HydraulicsInput oneNozzle = example();
  oneNozzle[kHydNozzle2] = oneNozzle[kHydNozzle3] = 0;
  EXPECT_TRUE(computeHydraulics(oneNozzle).has_value());
}

TEST(Hydraulics, CollarsMustBeShorterThanTheHoleAndSmallerThanTheBit) {
  HydraulicsInput in = example();
  in[kHydCollarLength] = 2000;
  EXPECT_FALSE(computeHydraulics(in).has_value());
  in[kHydCollarLength] = 1999.9;
  EXPECT_TRUE(computeHydraulics(in).has_value());

  in = example();
  in[kHydCollarOd] = 215.9;
  EXPECT_FALSE(computeHydraulics(in).has_value());
}

TEST(Hydraulics, NoCollarsLeavesOutTheirLossButShowsEveryLine) {
  HydraulicsInput in = example();
  in[kHydCollarLength] = 0;
  in[kHydCollarId] = 0;  // a bore of zero must not matter when there are no collars
  const auto without = computeHydraulics(in);
  const auto with = computeHydraulics(example());
  ASSERT_TRUE(without && with);
  EXPECT_LT(without->annularLoss, with->annularLoss);
  EXPECT_DOUBLE_EQ(without->bitDrop, with->bitDrop);
  EXPECT_EQ(hydraulicsLines(*without).size(), 18u);
}

TEST(Hydraulics, MeaninglessGeometryGivesNothingInsteadOfNonFiniteValues) {
  // A bit no larger than the 127 mm drill pipe passes the collar test when the collars are
  // smaller still, but the annulus around the pipe is closed or negative.
  HydraulicsInput in = example();
  in[kHydBit] = 120;
  in[kHydCollarOd] = 100;
  EXPECT_FALSE(computeHydraulics(in).has_value());
  in[kHydBit] = 127;
  EXPECT_FALSE(computeHydraulics(in).has_value());
  // Collars with no bore.
  in = example();
  in[kHydCollarId] = 0;
  EXPECT_FALSE(computeHydraulics(in).has_value());
}

}  // namespace
}  // namespace tarsek
