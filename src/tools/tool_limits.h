#pragma once

#include <span>
#include <string>

namespace tarsek {

/// The calculators of the tools window whose inputs are checked against physical limits.
enum class ToolCalculator {
  Hydraulics,   ///< 钻头水力参数: the twelve boxes of 水力参数
  Casing,       ///< 套管强度校核: density, section length, plug-top depth
  KillDensity,  ///< 关井基本数据: depth, shut-in pressure, original density
  Weighting,    ///< 加重料重量: original, planned and material density, mud volume
  StuckPoint,   ///< 卡点深度、泡油量: stretch, pull, hole diameter, depth
  Turn,         ///< 扭方位: the nine boxes of the azimuth-turn frame
};

/// The range a calculator input may take. Zero is an empty box, which the calculators answer
/// with empty results; it is never refused.
struct ToolLimit {
  const char* name;     ///< input name in `tarsek-calc tool`, e.g. "Db"
  const char* caption;  ///< what the window calls the box, e.g. "钻头直径"
  const char* unit;     ///< unit shown in messages, e.g. "mm"
  double low;
  double high;
  bool lowExcluded;  ///< the low end itself is refused (a bit no larger than the drill pipe)
};

/// The limits of a calculator's inputs in the order its boxes are read (as the window and the
/// command line read them).
std::span<const ToolLimit> toolLimits(ToolCalculator calculator) noexcept;

/// Why the values (in the order of toolLimits) cannot be computed: the first value outside its
/// range, or a pair of values that contradict each other (collars longer than the hole); the
/// text names the box and ends "请重新输入！". Empty when every value is accepted.
std::string checkToolInputs(ToolCalculator calculator, std::span<const double> values);

/// The refusal of a casing grade text that is no entry of the catalogue.
inline constexpr const char* kBadCasingGrade = "套管规格不在规格表中，请从列表中选择！";

}  // namespace tarsek
