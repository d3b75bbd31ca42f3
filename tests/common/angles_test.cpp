#include "common/angles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tarsek {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Equal to the bit where it matters here: the sign of zero, and NaN as NaN.
::testing::AssertionResult sameValue(double got, double want) {
  if (std::isnan(want) ? std::isnan(got) : got == want && std::signbit(got) == std::signbit(want))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "got " << got << (std::signbit(got) ? " (negative)" : "") << ", want " << want;
}

struct Case {
  double in, full, once;
};

TEST(Angles, WrapAzimuthByWholeTurnsOrByOne) {
  const Case cases[] = {
      {0, 0, 0},       {-0.0, -0.0, -0.0}, {360, 0, 0},        {359.5, 359.5, 359.5},
      {-90, 270, 270}, {-360, -0.0, 0},    {719, 359, 359},    {725, 5, 365},
      {-1e-20, 0, 0},  {-725, 355, -365},  {kNaN, kNaN, kNaN}, {kInf, kNaN, kInf},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(sameValue(wrapAzimuth(c.in), c.full)) << "wrapAzimuth(" << c.in << ")";
    EXPECT_TRUE(sameValue(wrapAzimuthOnce(c.in), c.once)) << "wrapAzimuthOnce(" << c.in << ")";
  }
}

TEST(Angles, ShorterArcOfADifference) {
  const Case cases[] = {
      {0, 0, 0},         {-0.0, -0.0, -0.0}, {180, 180, 180}, {-180, -180, -180},
      {190, -170, -170}, {-350, 10, 10},     {360, 0, 0},     {-360, -0.0, 0},
      {540, 180, 180},   {725, 5, 365},      {kNaN, 0, kNaN}, {-kInf, 0, -kInf},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(sameValue(shorterArc(c.in), c.full)) << "shorterArc(" << c.in << ")";
    EXPECT_TRUE(sameValue(shorterArcOnce(c.in), c.once)) << "shorterArcOnce(" << c.in << ")";
  }
}

}  // namespace
}  // namespace tarsek
