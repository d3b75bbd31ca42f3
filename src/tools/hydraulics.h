#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tarsek {

/// The twelve hydraulics inputs in the order of their boxes, in the units the boxes show:
/// depth m, strokes /min, liner mm, volumetric efficiency %, mud density g/cm^3, three nozzles
/// mm, bit diameter mm, collar outside and inside diameter mm, collar length m.
using HydraulicsInput = std::array<double, 12>;

/// Index of each hydraulics input in HydraulicsInput.
enum HydraulicsBox : int {
  kHydDepth = 0,
  kHydStrokes,
  kHydLiner,
  kHydEfficiency,
  kHydDensity,
  kHydNozzle1,
  kHydNozzle2,
  kHydNozzle3,
  kHydBit,
  kHydCollarOd,
  kHydCollarId,
  kHydCollarLength,
};

/// Bit and circulating-system hydraulics of a triplex pump, a three-nozzle bit, 127 mm drill
/// pipe and one collar section.
struct HydraulicsResult {
  double flow = 0;           ///< pump output, L/s
  double bitDrop = 0;        ///< pressure drop across the bit, MPa
  double annularLoss = 0;    ///< circulating pressure loss outside the bit, MPa
  double pumpPressure = 0;   ///< MPa
  double bitPower = 0;       ///< bit hydraulic power, kW
  double specificPower = 0;  ///< bit hydraulic power per nozzle area, W/mm^2
  double jetVelocity = 0;    ///< m/s
  double impactForce = 0;    ///< jet impact force, N
  double pipeReturn = 0;     ///< annular velocity around the drill pipe, m/s
  double collarReturn = 0;   ///< annular velocity around the collars, m/s
  double utilisation = 0;    ///< bit pressure drop as a share of pump pressure, %
};

/// Hydraulics from the twelve box values; nothing when the pump output, depth, density, nozzle
/// area or bit diameter is zero, when the collars are not shorter than the hole, when the bit is
/// not larger than the collars or the drill pipe, when collars are given without a bore, or when
/// the values lead to a non-finite result.
std::optional<HydraulicsResult> computeHydraulics(const HydraulicsInput& in) noexcept;

/// The picture-box lines of a result: caption, "：", value with two decimals and unit, with
/// empty lines between the groups (18 lines).
std::vector<std::string> hydraulicsLines(const HydraulicsResult& r);

}  // namespace tarsek
