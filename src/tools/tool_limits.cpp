#include "tools/tool_limits.h"

#include <cmath>

#include "common/numtext.h"

namespace tarsek {
namespace {

// Generous bounds: a value beyond them is a typing slip, not a well.
constexpr double kDepth = 20000;    // m, the deepest hole there is
constexpr double kDensity = 5;      // g/cm^3, heavier than any drilling mud
constexpr double kMaterial = 10;    // g/cm^3, heavier than any weighting material
constexpr double kDiameter = 1000;  // mm

constexpr ToolLimit kHydraulics[] = {
    {"H", "井深", "m", 0, kDepth, true},
    {"n", "泵冲", "/min", 0, 500, true},
    {"Dl", "缸套", "mm", 0, kDiameter, true},
    {"eta", "容积效率", "%", 0, 100, true},
    {"rho", "比重", "g/cm^3", 0, kDensity, true},
    {"d1", "1#喷嘴", "mm", 0, 100, false},
    {"d2", "2#喷嘴", "mm", 0, 100, false},
    {"d3", "3#喷嘴", "mm", 0, 100, false},
    // The bit has to pass the 127 mm drill pipe the losses are worked for.
    {"Db", "钻头直径", "mm", 127, kDiameter, true},
    {"Dco", "钻挺外径", "mm", 0, kDiameter, false},
    {"Dci", "钻挺内径", "mm", 0, kDiameter, false},
    {"Lc", "钻挺长度", "m", 0, kDepth, false},
};

constexpr ToolLimit kCasing[] = {
    {"rho", "密度", "g/cm^3", 0, kDensity, true},
    {"L", "段长", "m", 0, kDepth, true},
    {"Hc", "预留水泥塞面深", "m", 0, kDepth, false},
};

constexpr ToolLimit kKillDensity[] = {
    {"H", "井深", "m", 0, kDepth, true},
    {"Pd", "关井立压", "MPa", 0, 200, false},
    {"rho0", "原浆比重", "g/cm^3", 0, kDensity, true},
};

constexpr ToolLimit kWeighting[] = {
    {"rho0", "原浆比重", "g/cm^3", 0, kDensity, true},
    {"rho1", "预配比重", "g/cm^3", 0, kDensity, true},
    {"V", "原浆体积", "m^3", 0, 10000, true},
    {"rhow", "加重料比重", "g/cm^3", 0, kMaterial, true},
};

constexpr ToolLimit kStuckPoint[] = {
    {"e", "平均伸长", "cm", 0, 10000, true},
    {"P", "平均拉力", "T", 0, 1000, true},
    {"Dh", "井径", "mm", 0, kDiameter, true},
    {"H", "井深", "m", 0, kDepth, true},
};

constexpr ToolLimit kTurn[] = {
    {"MD1", "扭方位前测深", "m", 0, kDepth, false},
    {"I1", "扭方位前井斜", "°", 0, 180, false},
    {"A1", "扭方位前方位", "°", 0, 360, false},
    {"MD2", "扭方位后测深", "m", 0, kDepth, false},
    {"I2", "扭方位后井斜", "°", 0, 180, false},
    {"A2", "扭方位后方位", "°", 0, 360, false},
    // The oriented azimuth found by the window adds toolface and torque allowance to an azimuth
    // and can pass 360; it must still go back in.
    {"Ao", "定向方位角", "°", -720, 720, false},
    {"w0", "初始装置角", "°", -360, 360, false},
    {"K", "造斜率", "°/100m", -90, 90, false},
};

// Two inputs of which the first must stay below the second (both given).
struct Order {
  ToolCalculator calculator;
  std::size_t lower;
  std::size_t upper;
  bool equalAllowed;
  const char* text;
};

constexpr Order kOrders[] = {
    {ToolCalculator::Hydraulics, 9, 8, false, "钻挺外径应小于钻头直径，请重新输入！"},
    {ToolCalculator::Hydraulics, 10, 9, false, "钻挺内径应小于钻挺外径，请重新输入！"},
    {ToolCalculator::Hydraulics, 11, 0, false, "钻挺长度应小于井深，请重新输入！"},
    {ToolCalculator::Turn, 0, 3, true, "扭方位后测深应不小于扭方位前测深，请重新输入！"},
};

std::string number(double v) {
  std::string t = formatFileNumber(v);
  if (!t.empty() && t[0] == '.') t.insert(0, "0");
  if (t.size() > 1 && t[0] == '-' && t[1] == '.') t.insert(1, "0");
  return t;
}

std::string rangeMessage(const ToolLimit& l) {
  if (l.lowExcluded)
    return std::string(l.caption) + "应大于" + number(l.low) + "且不大于" + number(l.high) +
           l.unit + "，请重新输入！";
  return std::string(l.caption) + "应在" + number(l.low) + "～" + number(l.high) + l.unit +
         "之间，请重新输入！";
}

}  // namespace

std::span<const ToolLimit> toolLimits(ToolCalculator calculator) noexcept {
  switch (calculator) {
    case ToolCalculator::Hydraulics:
      return kHydraulics;
    case ToolCalculator::Casing:
      return kCasing;
    case ToolCalculator::KillDensity:
      return kKillDensity;
    case ToolCalculator::Weighting:
      return kWeighting;
    case ToolCalculator::StuckPoint:
      return kStuckPoint;
    case ToolCalculator::Turn:
      return kTurn;
  }
  return {};
}

std::string checkToolInputs(ToolCalculator calculator, std::span<const double> values) {
  const std::span<const ToolLimit> limits = toolLimits(calculator);
  for (std::size_t i = 0; i < limits.size() && i < values.size(); ++i) {
    const double v = values[i];
    if (v == 0) continue;
    const ToolLimit& l = limits[i];
    const bool aboveLow = l.lowExcluded ? v > l.low : v >= l.low;
    if (!(aboveLow && v <= l.high)) return rangeMessage(l);
  }
  for (const Order& o : kOrders) {
    if (o.calculator != calculator || o.lower >= values.size() || o.upper >= values.size())
      continue;
    const double a = values[o.lower];
    const double b = values[o.upper];
    if (a == 0 || b == 0) continue;
    if (o.equalAllowed ? a > b : a >= b) return o.text;
  }
  return {};
}

}  // namespace tarsek
