#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tarsek {

/// One drill pipe size of the stuck-point table.
struct DrillPipe {
  const char* text;  ///< size as typed, e.g. "φ127mm×9.19mm"
  double k;          ///< stuck point coefficient
  double od;         ///< outside diameter, mm
  double wall;       ///< wall thickness, mm
};

/// The eight drill pipe sizes.
extern const std::array<DrillPipe, 8> kDrillPipes;

/// The pipe whose text equals `text` exactly, or null.
const DrillPipe* findDrillPipe(std::string_view text) noexcept;

/// What a stuck-point calculation changes; an empty field keeps what is shown.
struct StuckPointResult {
  std::optional<double> depth;      ///< stuck point depth, m
  std::optional<double> oilVolume;  ///< spotting oil volume, m^3
};

/// Stuck point from the pipe size text, average stretch cm, average pull t, hole diameter mm
/// and well depth m. The depth is set when the pipe is known and stretch and pull are non-zero;
/// the oil volume, from the depth rounded to two decimals as shown, when in addition hole
/// diameter and depth are non-zero. A negative pull and non-finite values leave both unset.
StuckPointResult computeStuckPoint(std::string_view pipeText, double stretch, double pull,
                                   double holeDiameter, double wellDepth);

}  // namespace tarsek
