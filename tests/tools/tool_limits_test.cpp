#include "tools/tool_limits.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarsek {
namespace {

TEST(ToolLimits, ImpossibleValuesAreRefusedNamingTheBoxAndEmptyBoxesNever) {
  struct Case {
    ToolCalculator calculator;
    std::vector<double> values;  // in box order
    const char* message;         // empty: accepted
  };
  const std::vector<double> pump = {2000, 60, 150, 80, 1.2, 12, 12, 12, 215.9, 177.8, 71.4, 150};
  auto with = [](std::vector<double> v, std::size_t box, double value) {
    v[box] = value;
    return v;
  };
  const Case cases[] = {
      {ToolCalculator::Hydraulics, pump, ""},
      {ToolCalculator::Hydraulics, std::vector<double>(12, 0), ""},
      {ToolCalculator::Hydraulics, with(pump, 8, 127),
       "钻头直径应大于127且不大于1000mm，请重新输入！"},
      {ToolCalculator::Hydraulics, with(pump, 8, 170), "钻挺外径应小于钻头直径，请重新输入！"},
      {ToolCalculator::Hydraulics, with(pump, 11, 2000), "钻挺长度应小于井深，请重新输入！"},
      {ToolCalculator::Hydraulics, with(pump, 3, 101), "容积效率应大于0且不大于100%，请重新输入！"},
      {ToolCalculator::StuckPoint,
       {-50, 20, 215.9, 2500},
       "平均伸长应大于0且不大于10000cm，请重新输入！"},
      {ToolCalculator::Weighting,
       {1.2, 1.34, -100, 4.2},
       "原浆体积应大于0且不大于10000m^3，请重新输入！"},
      {ToolCalculator::KillDensity, {2500, -3.5, 1.2}, "关井立压应在0～200MPa之间，请重新输入！"},
      {ToolCalculator::Turn, {1000, 30, 100, 1030, 180, 105, 150, 40, 3}, ""},
      {ToolCalculator::Turn,
       {1000, 30, 100, 999, 32, 105, 150, 40, 3},
       "扭方位后测深应不小于扭方位前测深，请重新输入！"},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(c.values.size(), toolLimits(c.calculator).size()) << c.message;
    EXPECT_EQ(checkToolInputs(c.calculator, c.values), c.message);
  }
}

}  // namespace
}  // namespace tarsek
