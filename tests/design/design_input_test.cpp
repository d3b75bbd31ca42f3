#include "design/design_input.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <string>

#include "design/profile_design.h"
#include "design_form_fixture.h"

namespace tarsek {
namespace {

// Basic data that pass every rule: one target at 1500 m, final depth 1800 m.
BasicData validData() {
  BasicData d;
  d.targetCount = 1;
  d.buildRate = 15;
  d.buildToInclination = 10;
  d.kickoffDepth = 300;
  d.target1Tvd = 1500;
  d.designFinalTvd = 1800;
  d.rotaryBuildRate = 3;
  d.rotaryDropRate = 3;
  return d;
}

using testing::a12Form;

TEST(DesignRules, EachRuleInOrderWithItsText) {
  EXPECT_EQ(checkDesignData(validData()), 0);

  struct Case {
    char rule;
    void (*breakIt)(BasicData&);
    const char* text;
  };
  const Case cases[] = {
      {'a', [](BasicData& d) { d.buildRate = 0; }, "井设计造斜率有误，请重新输入！"},
      {'b', [](BasicData& d) { d.buildToInclination = 90.01; }, "井设计造到井斜有误，请重新输入！"},
      {'b', [](BasicData& d) { d.buildToInclination = -1; }, "井设计造到井斜有误，请重新输入！"},
      {'c', [](BasicData& d) { d.kickoffDepth = -0.5; }, "井设计造斜点有误，请重新输入！"},
      {'c', [](BasicData& d) { d.kickoffDepth = 1500.01; }, "井设计造斜点有误，请重新输入！"},
      {'d', [](BasicData& d) { d.designFinalTvd = 1499; }, "井设计完井垂深有误，请重新输入！"},
      {'g', [](BasicData& d) { d.rotaryBuildRate = 90.5; },
       "井设计转盘钻具增斜率有误，请重新输入！"},
      // A drop rate above 90 is reported with the build-rate text.
      {'h', [](BasicData& d) { d.rotaryDropRate = 91; }, "井设计转盘钻具增斜率有误，请重新输入！"},
  };
  for (const Case& c : cases) {
    BasicData d = validData();
    c.breakIt(d);
    EXPECT_EQ(checkDesignData(d), c.rule) << c.text;
    EXPECT_STREQ(designRuleText(checkDesignData(d)), c.text);
  }

  // The first broken rule wins.
  BasicData d = validData();
  d.buildRate = -1;
  d.kickoffDepth = -1;
  d.rotaryDropRate = 100;
  EXPECT_EQ(checkDesignData(d), 'a');
  d.buildRate = 1;
  EXPECT_EQ(checkDesignData(d), 'c');
  EXPECT_STREQ(designRuleText(0), "");
}

TEST(DesignRules, BoundariesThatPass) {
  BasicData d = validData();
  d.kickoffDepth = d.target1Tvd;
  EXPECT_EQ(checkDesignData(d), 0) << "kick-off at the target depth";
  d.designFinalTvd = d.target1Tvd;
  EXPECT_EQ(checkDesignData(d), 0) << "final depth at the target depth";
  d.buildToInclination = 90;
  d.rotaryBuildRate = 90;
  d.rotaryDropRate = 90;
  EXPECT_EQ(checkDesignData(d), 0);
  d.kickoffDepth = 0;
  d.buildToInclination = 0;
  d.rotaryBuildRate = -40;  // no lower limit on the rotary rates
  d.rotaryDropRate = -40;
  EXPECT_EQ(checkDesignData(d), 0);
}

TEST(DesignRules, TwoTargetDepthRules) {
  BasicData d = validData();
  d.target2Tvd = d.target1Tvd;  // ignored for a single target
  EXPECT_EQ(checkDesignData(d), 0);

  d.targetCount = 2;
  EXPECT_EQ(checkDesignData(d), 'e') << "equal target depths";
  EXPECT_STREQ(designRuleText('e'), "井设计中双靶垂深有误，请重新输入！");
  d.target2Tvd = 1700;
  EXPECT_EQ(checkDesignData(d), 0);
  d.target2Tvd = 1800;
  EXPECT_EQ(checkDesignData(d), 0) << "target 2 at the final depth";
  d.target2Tvd = 1800.5;
  EXPECT_EQ(checkDesignData(d), 'f');
  EXPECT_STREQ(designRuleText('f'), "井设计完井垂深有误，请重新输入！");
  d.rotaryBuildRate = 95;  // e and f come before g
  EXPECT_EQ(checkDesignData(d), 'f');
}

TEST(DesignGeometry, WellheadFromPadGateAndSkid) {
  const PlanePoint p = WellheadFromPad(1000, 2000, 90, 5);
  EXPECT_EQ(p.x, 1000.00);
  EXPECT_EQ(p.y, 2005.00);
  // The record keeps the two-decimal value the label shows, not the raw product.
  const PlanePoint q = WellheadFromPad(1000, 2000, 45, 1);
  EXPECT_EQ(q.x, 1000.71);
  EXPECT_EQ(q.y, 2000.71);
  const PlanePoint r = WellheadFromPad(0, 0, 180, 2.005);
  EXPECT_EQ(r.x, -2.01) << "halves round away from zero";
  EXPECT_EQ(r.y, 0);
}

TEST(DesignGeometry, SingleAndTwoTargetGeometry) {
  WellRecord w;
  w.target2X = 5;
  w.target2Tvd = 9;
  DesignFormValues v = a12Form();
  v.target2X = 1;  // typed in the disabled boxes: not taken for a single target
  v.target2Y = 2;
  v.target2Tvd = 3;
  applyDesignGeometry(w, v);
  EXPECT_EQ(w.wellNo, "A12");
  EXPECT_EQ(w.targetCount, 1);
  EXPECT_EQ(w.wellheadX, 1000);
  EXPECT_EQ(w.wellheadY, 2005);
  EXPECT_EQ(w.target2X, 0);
  EXPECT_EQ(w.target2Y, 0);
  EXPECT_EQ(w.target2Tvd, 0);
  EXPECT_EQ(w.designDisplacement2, 0);
  EXPECT_NEAR(w.designDisplacement1, std::hypot(300, 395), 1e-9);
  EXPECT_NEAR(w.designAzimuth, std::atan2(395, 300) * 180 / 3.14159265359, 1e-6);
  EXPECT_EQ(w.magDeclination, -3.067);
  EXPECT_EQ(w.target1Tvd, 1500);
  EXPECT_EQ(w.buildRate, 0) << "parameters are taken later, after the vertical-well question";

  v.twoTargets = true;
  v.target2X = 1000 + 30;
  v.target2Y = 2005 + 40;
  v.target2Tvd = 1700;
  v.target1X = 1000;
  v.target1Y = 1900;  // due west of the wellhead
  applyDesignGeometry(w, v);
  EXPECT_EQ(w.targetCount, 2);
  EXPECT_EQ(w.target2Tvd, 1700);
  EXPECT_NEAR(w.designDisplacement2, 50, 1e-9);
  EXPECT_NEAR(w.designAzimuth, 270, 1e-6);
  EXPECT_NEAR(w.designDisplacement1, 105, 1e-9);
}

TEST(DesignTexts, OutcomeTexts) {
  const char* const expected[] = {
      "",
      "井设计造斜点偏高或造斜率或造到井斜偏大，请重新输入！",
      "井设计转盘钻具增斜率偏小，请重新输入！",
      "井设计转盘钻具增斜率偏大，请重新输入！",
      "井设计靶点转盘钻具降斜率应增斜，请输入负值！",
      "井设计靶点转盘钻具降斜率偏小，请重新输入！",
      "井设计靶点转盘钻具降斜率增斜偏小，请重新输入负值！",
      "井设计靶点转盘钻具降斜率应为正值，请重新输入！",
      "井设计剖面点数超限，请检查增斜率、降斜率！",
      "井设计向靶点2增斜时越过靶点2，请重新输入转盘钻具降斜率！",
      "井设计数据无法使用，请检查造斜率等设计数据！",
  };
  ASSERT_EQ(std::size(expected), static_cast<std::size_t>(kDesignOutcomeCount));
  for (int code = 0; code < kDesignOutcomeCount; ++code)
    EXPECT_STREQ(designOutcomeText(static_cast<DesignOutcome>(code)), expected[code]) << code;
  // Outcome 7 is worded by the form; the calculation itself has no text for it.
  EXPECT_STREQ(ProfileOutcomeText(DesignOutcome::DropMustDrop), "");
  for (int unknown : {-1, kDesignOutcomeCount})
    EXPECT_STREQ(designOutcomeText(static_cast<DesignOutcome>(unknown)), "");
}

TEST(DesignKeys, NumberBoxesTakeDigitsSignsPointAndWideCharacters) {
  for (char c : std::string("0123456789+-.\b")) EXPECT_TRUE(designKeyAccepted(c)) << int(c);
  for (char c : std::string("aZw ,/*:;=e\t\x7f")) EXPECT_FALSE(designKeyAccepted(c)) << int(c);
  EXPECT_FALSE(designKeyAccepted(0));
  EXPECT_FALSE(designKeyAccepted(7));
  EXPECT_TRUE(designKeyAccepted(0x4E95));  // 井
  EXPECT_TRUE(designKeyAccepted(128));
}

TEST(TargetByBearing, KeepsTheDesignTargetOnceAndRestoresIt) {
  WellState s;
  s.well.wellheadX = 1000;
  s.well.wellheadY = 2000;
  s.well.target1X = 1300;
  s.well.target1Y = 2400;

  restoreDesignTarget(s);  // nothing kept yet: nothing changes
  EXPECT_EQ(s.well.target1X, 1300);

  setTargetByBearing(s, 90, 100);
  EXPECT_NEAR(s.well.target1X, 1000, 1e-9);
  EXPECT_NEAR(s.well.target1Y, 2100, 1e-9);
  EXPECT_EQ(s.savedTarget1X, 1300);
  EXPECT_EQ(s.savedTarget1Y, 2400);

  // A second temporary target must not overwrite the kept design target.
  setTargetByBearing(s, 180, 50);
  EXPECT_NEAR(s.well.target1X, 950, 1e-9);
  EXPECT_NEAR(s.well.target1Y, 2000, 1e-6);
  EXPECT_EQ(s.savedTarget1X, 1300);

  restoreDesignTarget(s);
  EXPECT_EQ(s.well.target1X, 1300);
  EXPECT_EQ(s.well.target1Y, 2400);
}

}  // namespace
}  // namespace tarsek
