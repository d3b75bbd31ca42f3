#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <optional>

namespace tarsek {

/// How the course between two survey stations is taken. The codes are those the program has
/// always used (tarsek-calc --method, the JSON `calcMethod`); the method itself is stored nowhere.
enum class SurveyMethod : std::int16_t {
  AverageAngle = 0,           ///< 平均角法
  CorrectedAverageAngle = 1,  ///< 校正平均角法
  ChordStep = 2,              ///< 弦步法
  BalancedTangential = 3,     ///< 平衡正切法
  Tangential = 4,             ///< 正切法
  MinimumCurvature = 5,       ///< 最小曲率法: each course a circular arc
};

/// Number of survey methods.
inline constexpr int kMethodCount = 6;

/// Every survey method in menu order.
inline constexpr std::array<SurveyMethod, kMethodCount> kSurveyMethods{
    SurveyMethod::AverageAngle, SurveyMethod::CorrectedAverageAngle,
    SurveyMethod::ChordStep,    SurveyMethod::BalancedTangential,
    SurveyMethod::Tangential,   SurveyMethod::MinimumCurvature};

/// The method's code 0..5.
constexpr int MethodCode(SurveyMethod method) noexcept { return static_cast<int>(method); }

/// The method of a code 0..5; none for any other value.
constexpr std::optional<SurveyMethod> SurveyMethodFromCode(int code) noexcept {
  if (code < 0 || code >= kMethodCount) return std::nullopt;
  return static_cast<SurveyMethod>(code);
}

/// Writes the method's code, as messages of checks and logs show it.
std::ostream& operator<<(std::ostream& out, SurveyMethod method);

}  // namespace tarsek
