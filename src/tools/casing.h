#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tarsek {

/// One casing grade of the catalogue.
struct CasingGrade {
  const char* text;       ///< list entry as shown, e.g. "φ139.7mm×7.72mm×J55长圆扣"
  double unitWeight;      ///< kg/m
  double jointStrength;   ///< t
  double collapse;        ///< collapse resistance, in the unit of ρ·L·9.8/100
  double internalYield;   ///< same unit as collapse
  double insideDiameter;  ///< mm
};

/// The six casing grades in list order.
extern const std::array<CasingGrade, 6> kCasingCatalogue;

/// Weight, safety factors and displacement of one casing string.
struct CasingResult {
  double weight = 0;         ///< string weight, t
  double tension = 0;        ///< joint strength over weight
  double collapse = 0;       ///< collapse resistance over mud column pressure
  double internalYield = 0;  ///< internal yield over mud column pressure
  double displacement = 0;   ///< inside volume down to the plug top, m^3
};

/// What the casing frame shows after a change.
enum class CasingOutcome {
  NoGrade,  ///< no catalogue entry chosen: the picture keeps what it shows
  Empty,    ///< the picture is cleared and stays blank
  Shown,    ///< the picture is cleared and the result printed
};

/// A casing check: the outcome and, when Shown, the result.
struct CasingCheck {
  CasingOutcome outcome = CasingOutcome::NoGrade;
  CasingResult result;
};

/// Checks catalogue entry `grade` (list position 0..5; anything else is no choice) with mud
/// density g/cm^3, section length m and plug-top depth m. Empty when density or length is zero
/// or negative, or a result would not be finite.
CasingCheck computeCasingCheck(int grade, double density, double length, double plugDepth) noexcept;

/// The five picture lines of a result, values with two decimals.
std::vector<std::string> casingLines(const CasingResult& r);

}  // namespace tarsek
