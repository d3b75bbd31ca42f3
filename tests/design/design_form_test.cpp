#include <gtest/gtest.h>

#include <string>

#include "design/design_input.h"
#include "design_form_fixture.h"

namespace tarsek {
namespace {

using testing::a12Form;

TEST(DesignForm, VerticalWellQuestion) {
  DesignFormValues v = a12Form();
  v.target1X = 1000;
  v.target1Y = 2005;  // the target right under the wellhead

  WellState no;
  QuietHost sayNo(Answer::No);
  applyDesignGeometry(no.well, v);
  EXPECT_EQ(runDesignForm(no, sayNo, v).result, DesignFormResult::Declined);
  EXPECT_EQ(sayNo.lastQuestion, "您设计的是直井！是否需要防碰？");
  EXPECT_EQ(no.designInvalid, 1);
  EXPECT_EQ(no.designDirty, Unsaved::Nothing) << "declining changes nothing yet";
  EXPECT_EQ(no.well.designFinalTvd, 0);

  WellState yes;
  QuietHost sayYes(Answer::Yes);
  applyDesignGeometry(yes.well, v);
  const DesignFormOutcome out = runDesignForm(yes, sayYes, v);
  EXPECT_EQ(out.result, DesignFormResult::Designed);
  EXPECT_EQ(yes.designInvalid, 0);
  EXPECT_EQ(yes.designDirty, Unsaved::Design);
  EXPECT_EQ(yes.designSegments[3].md, 1800) << "a vertical design to the final depth";
  EXPECT_EQ(sayYes.statusText, "A12井基本数据");
  EXPECT_FALSE(sayYes.busy);

  // Displacement present: no question at all.
  WellState plain;
  QuietHost quiet(Answer::No);
  applyDesignGeometry(plain.well, a12Form());
  EXPECT_EQ(runDesignForm(plain, quiet, a12Form()).result, DesignFormResult::Designed);
  EXPECT_EQ(quiet.lastQuestion, "");
}

TEST(DesignForm, RejectedDataAndFailedDesigns) {
  WellState s;
  QuietHost host;
  s.designInvalid = 0;
  DesignFormValues v = a12Form();
  v.kickoffDepth = 1600;
  applyDesignGeometry(s.well, v);
  DesignFormOutcome out = runDesignForm(s, host, v);
  EXPECT_EQ(out.result, DesignFormResult::Rejected);
  EXPECT_EQ(out.rule, 'c');
  EXPECT_EQ(host.statusText, "A12井设计造斜点有误，请重新输入！");
  EXPECT_EQ(s.designInvalid, 1);
  EXPECT_EQ(s.well.kickoffDepth, 1600) << "the record keeps what was read";
  EXPECT_FALSE(host.busy);

  // No rotary build never turns toward the target: the design is deeper than target 1.
  v = a12Form();
  v.rotaryBuildRate = 0;
  applyDesignGeometry(s.well, v);
  out = runDesignForm(s, host, v);
  EXPECT_EQ(out.result, DesignFormResult::Failed);
  EXPECT_EQ(out.outcome, DesignOutcome::RotaryBuildTooLow);
  EXPECT_EQ(host.statusText, "A12井设计转盘钻具增斜率偏小，请重新输入！");
  EXPECT_EQ(s.designInvalid, 1);

  // A good design clears the mark again.
  v = a12Form();
  applyDesignGeometry(s.well, v);
  EXPECT_EQ(runDesignForm(s, host, v).result, DesignFormResult::Designed);
  EXPECT_EQ(s.designInvalid, 0);
  EXPECT_GT(s.designSegments[3].md, 1500);
}

TEST(DesignForm, NegativeDropRateWhereADropIsNeededIsAFailure) {
  // Target 2 lies on a flatter line than the hold toward target 1: the well must drop.
  WellState s;
  QuietHost host;
  DesignFormValues v = a12Form();
  v.twoTargets = true;
  v.target2X = 1330;
  v.target2Y = 2440;
  v.target2Tvd = 1700;
  v.rotaryDropRate = -2;
  applyDesignGeometry(s.well, v);
  const DesignFormOutcome out = runDesignForm(s, host, v);
  EXPECT_EQ(out.result, DesignFormResult::Failed);
  EXPECT_EQ(out.outcome, DesignOutcome::DropMustDrop);
  EXPECT_EQ(host.statusText, "A12井设计靶点转盘钻具降斜率应为正值，请重新输入！");
  EXPECT_EQ(s.designInvalid, 1);
}

}  // namespace
}  // namespace tarsek
