#include "tools/casing.h"

#include <gtest/gtest.h>

#include <string>

namespace tarsek {
namespace {

TEST(CasingCheck, WorkedExampleOnTheFirstGrade) {
  const CasingCheck c = computeCasingCheck(0, 1.2, 2000, 1980);
  ASSERT_EQ(c.outcome, CasingOutcome::Shown);
  const std::vector<std::string> expected = {
      "重  量：50.60吨", "抗  拉：2.21", "抗  挤：1.47", "抗内压：1.59", "替  量：24.01m^3",
  };
  EXPECT_EQ(casingLines(c.result), expected);
}

TEST(CasingCheck, NoGradeChosenChangesNothing) {
  EXPECT_EQ(computeCasingCheck(-1, 1.2, 2000, 1980).outcome, CasingOutcome::NoGrade);
  EXPECT_EQ(computeCasingCheck(6, 1.2, 2000, 1980).outcome, CasingOutcome::NoGrade);
}

TEST(CasingCheck, ZeroDensityOrLengthClearsThePicture) {
  EXPECT_EQ(computeCasingCheck(0, 0, 2000, 1980).outcome, CasingOutcome::Empty);
  EXPECT_EQ(computeCasingCheck(0, 1.2, 0, 1980).outcome, CasingOutcome::Empty);
  EXPECT_EQ(computeCasingCheck(0, -1.2, 2000, 1980).outcome, CasingOutcome::Empty);
  EXPECT_EQ(computeCasingCheck(0, -1.2, -2000, 1980).outcome, CasingOutcome::Empty);
  const CasingCheck noPlug = computeCasingCheck(0, 1.2, 2000, 0);
  ASSERT_EQ(noPlug.outcome, CasingOutcome::Shown);
  EXPECT_EQ(casingLines(noPlug.result)[4], "替  量：0.00m^3");
}

TEST(CasingCheck, LongAndShortThreadDifferOnlyInTension) {
  const auto a = casingLines(computeCasingCheck(1, 1.3, 1500, 1450).result);
  const auto b = casingLines(computeCasingCheck(2, 1.3, 1500, 1450).result);
  ASSERT_EQ(a.size(), 5u);
  ASSERT_EQ(b.size(), 5u);
  EXPECT_NE(a[1], b[1]);
  // 205.5 t and 178.7 t over 1500 m at 53.57 kg/m
  EXPECT_EQ(a[1], "抗  拉：2.56");
  EXPECT_EQ(b[1], "抗  拉：2.22");
  for (int i : {0, 2, 3, 4}) EXPECT_EQ(a[i], b[i]);
}

TEST(CasingCheck, CatalogueInsideDiametersMatchTheirSizes) {
  // Inside diameter is the outside diameter less two walls, both read from the entry's text.
  for (const CasingGrade& g : kCasingCatalogue) {
    const std::string text = g.text;
    const auto x1 = text.find("mm×");
    const double od = std::stod(text.substr(text.find("φ") + std::string("φ").size()));
    const double wall = std::stod(text.substr(x1 + std::string("mm×").size()));
    EXPECT_NEAR(g.insideDiameter, od - 2 * wall, 1e-9) << text;
  }
}

}  // namespace
}  // namespace tarsek
