#include "tools/tool_limits.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarsek {
namespace {

// The worked examples of the calculators: every value accepted.
std::vector<double> sound(ToolCalculator c) {
  switch (c) {
    case ToolCalculator::Hydraulics:
      return {2000, 60, 150, 80, 1.2, 12, 12, 12, 215.9, 177.8, 71.4, 150};
    case ToolCalculator::Casing:
      return {1.2, 2000, 1980};
    case ToolCalculator::KillDensity:
      return {2500, 3.5, 1.2};
    case ToolCalculator::Weighting:
      return {1.2, 1.34, 100, 4.2};
    case ToolCalculator::StuckPoint:
      return {50, 20, 215.9, 2500};
    case ToolCalculator::Turn:
      return {1000, 30, 100, 1030, 32, 105, 150, 40, 3};
  }
  return {};
}

TEST(ToolLimits, WorkedExamplesAndEmptyBoxesPass) {
  for (ToolCalculator c : {ToolCalculator::Hydraulics, ToolCalculator::Casing,
                           ToolCalculator::KillDensity, ToolCalculator::Weighting,
                           ToolCalculator::StuckPoint, ToolCalculator::Turn}) {
    const std::vector<double> values = sound(c);
    ASSERT_EQ(values.size(), toolLimits(c).size());
    EXPECT_EQ(checkToolInputs(c, values), "");
    // An empty box reads 0: the calculator leaves its results empty, nothing is refused.
    EXPECT_EQ(checkToolInputs(c, std::vector<double>(values.size(), 0)), "");
  }
}

TEST(ToolLimits, ImpossibleValuesAreRefusedNamingTheBox) {
  struct Case {
    ToolCalculator calculator;
    std::size_t box;
    double value;
    const char* message;  // empty: accepted
  };
  const Case cases[] = {
      {ToolCalculator::StuckPoint, 0, -50, "平均伸长应大于0且不大于10000cm，请重新输入！"},
      {ToolCalculator::Hydraulics, 8, 127, "钻头直径应大于127且不大于1000mm，请重新输入！"},
      {ToolCalculator::Hydraulics, 8, 170, "钻挺外径应小于钻头直径，请重新输入！"},
      {ToolCalculator::Hydraulics, 10, 177.8, "钻挺内径应小于钻挺外径，请重新输入！"},
      {ToolCalculator::Hydraulics, 11, 2000, "钻挺长度应小于井深，请重新输入！"},
      {ToolCalculator::Hydraulics, 3, 100, ""},
      {ToolCalculator::Hydraulics, 3, 101, "容积效率应大于0且不大于100%，请重新输入！"},
      {ToolCalculator::Casing, 0, -1.2, "密度应大于0且不大于5g/cm^3，请重新输入！"},
      {ToolCalculator::Weighting, 2, -100, "原浆体积应大于0且不大于10000m^3，请重新输入！"},
      {ToolCalculator::KillDensity, 1, -3.5, "关井立压应在0～200MPa之间，请重新输入！"},
      {ToolCalculator::Turn, 4, 180, ""},
      {ToolCalculator::Turn, 4, 180.5, "扭方位后井斜应在0～180°之间，请重新输入！"},
      {ToolCalculator::Turn, 3, 999, "扭方位后测深应不小于扭方位前测深，请重新输入！"},
      {ToolCalculator::Turn, 3, 1000, ""},
  };
  for (const Case& c : cases) {
    std::vector<double> values = sound(c.calculator);
    values[c.box] = c.value;
    EXPECT_EQ(checkToolInputs(c.calculator, values), c.message) << c.box << " = " << c.value;
  }
}

}  // namespace
}  // namespace tarsek
