#include "common/numtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tarsek {
namespace {

TEST(FormatFixed, RoundsHalfAwayFromZeroOnTheDecimalForm) {
  EXPECT_EQ(formatFixed(2.675, 2), "2.68");  // binary 2.67499999... must still round up
  EXPECT_EQ(formatFixed(-2.675, 2), "-2.68");
  EXPECT_EQ(formatFixed(1.005, 2), "1.01");
  EXPECT_EQ(formatFixed(0.125, 2), "0.13");
  EXPECT_EQ(formatFixed(9.995, 2), "10.00");
  EXPECT_EQ(formatFixed(0.05, 1), "0.1");
  EXPECT_EQ(formatFixed(2.5, 0), "3");
  EXPECT_EQ(formatFixed(1234.5678, 3), "1234.568");
}

TEST(FormatFixed, NeverShowsNegativeZeroOrNonFinite) {
  EXPECT_EQ(formatFixed(-0.001, 2), "0.00");
  EXPECT_EQ(formatFixed(-0.0, 2), "0.00");
  EXPECT_EQ(formatFixed(-0.004, 0), "0");
  EXPECT_EQ(formatFixed(std::numeric_limits<double>::quiet_NaN(), 2), "--");
  EXPECT_EQ(formatFixed(std::numeric_limits<double>::infinity(), 2), "--");
}

TEST(FormatFixed, SmallAndLargeMagnitudes) {
  EXPECT_EQ(formatFixed(0.000004, 2), "0.00");
  EXPECT_EQ(formatFixed(0.006, 2), "0.01");
  EXPECT_EQ(formatFixed(123456789.125, 2), "123456789.13");
  EXPECT_EQ(formatFixed(1e20, 1), "100000000000000000000.0");
}

TEST(FileNumber, DropsTheLeadingZeroAndKeepsShortestForm) {
  EXPECT_EQ(formatFileNumber(2.5), "2.5");
  EXPECT_EQ(formatFileNumber(0.25), ".25");
  EXPECT_EQ(formatFileNumber(-0.5), "-.5");
  EXPECT_EQ(formatFileNumber(1000), "1000");
  EXPECT_EQ(formatFileNumber(-3.5), "-3.5");
  EXPECT_EQ(formatFileNumber(0), "0");
  EXPECT_EQ(formatFileNumber(53.13), "53.13");
  EXPECT_EQ(formatFileNumber(0.1 + 0.2), ".3");  // 15 significant digits hide the binary tail
  EXPECT_EQ(formatFileNumber(1.0 / 3.0), ".333333333333333");
}

TEST(PlainNumber, LeadsNonNegativeValuesWithOneBlank) {
  EXPECT_EQ(formatPlain(2.5), " 2.5");
  EXPECT_EQ(formatPlain(0.25), " .25");
  EXPECT_EQ(formatPlain(-0.5), "-.5");
  EXPECT_EQ(formatPlain(0), " 0");
  EXPECT_EQ(formatGeneral(0.25), "0.25");
  EXPECT_EQ(formatGeneral(-50), "-50");
}

TEST(ReadNumber, TakesTheLeadingNumericPart) {
  EXPECT_DOUBLE_EQ(readNumber("12.5abc"), 12.5);
  EXPECT_DOUBLE_EQ(readNumber("  1 2 . 5"), 12.5);
  EXPECT_DOUBLE_EQ(readNumber(" .25"), 0.25);
  EXPECT_DOUBLE_EQ(readNumber("-.5"), -0.5);
  EXPECT_DOUBLE_EQ(readNumber("+3"), 3);
  EXPECT_DOUBLE_EQ(readNumber("1.5.6"), 1.5);
  EXPECT_DOUBLE_EQ(readNumber("2E3"), 2000);
  EXPECT_DOUBLE_EQ(readNumber("2Ex"), 2);
  EXPECT_DOUBLE_EQ(readNumber(""), 0);
  EXPECT_DOUBLE_EQ(readNumber("abc"), 0);
  // A number too large for a double reads 0 but is told apart from a typed zero.
  EXPECT_DOUBLE_EQ(readNumber("1e999"), 0);
  EXPECT_TRUE(readsOutOfRange("1e999"));
  EXPECT_TRUE(readsOutOfRange("-9e400x"));
  EXPECT_FALSE(readsOutOfRange("1e-999"));
  EXPECT_FALSE(readsOutOfRange("0"));
  EXPECT_FALSE(readsOutOfRange("abc"));
  EXPECT_FALSE(readsOutOfRange("1e308"));
  EXPECT_DOUBLE_EQ(readNumber("-"), 0);
  EXPECT_DOUBLE_EQ(readNumber("."), 0);
  EXPECT_DOUBLE_EQ(readNumber("1e999"), 0);
}

TEST(ReadNumber, ReadsBackEveryFileForm) {
  for (double v : {2.5, 0.25, -0.5, 1000.0, 53.13, -3.067, 1e-7, 123456.789012345}) {
    EXPECT_DOUBLE_EQ(readNumber(formatFileNumber(v)), v) << formatFileNumber(v);
    EXPECT_DOUBLE_EQ(readNumber(formatPlain(v)), v);
  }
}

}  // namespace
}  // namespace tarsek
