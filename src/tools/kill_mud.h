#pragma once

#include <optional>

namespace tarsek {

/// Kill mud density, g/cm^3, that balances shut-in drill pipe pressure `sidpp` (MPa) at
/// `depth` (m) over mud of `originalDensity`: original plus sidpp / 9.8 / depth * 1000. Nothing
/// when any of the three is zero, the depth negative or the result not finite.
std::optional<double> computeKillDensity(double depth, double sidpp,
                                         double originalDensity) noexcept;

/// Mass of weighting material, t, that raises `volume` m^3 of mud from `originalDensity` to
/// `plannedDensity` with a material of `materialDensity` (all g/cm^3). Nothing when any input
/// is zero, the planned density is not above the original or not below the material's, or the
/// result is not finite.
std::optional<double> computeWeightingMaterial(double originalDensity, double plannedDensity,
                                               double volume, double materialDensity) noexcept;

/// The planned density with the additional-pressure margin (294 / depth) added, g/cm^3; nothing
/// when depth is not positive or the margin was already added since the last change.
std::optional<double> addPressureMargin(double depth, double plannedDensity,
                                        bool marginAdded) noexcept;

}  // namespace tarsek
