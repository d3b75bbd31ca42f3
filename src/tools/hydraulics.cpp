#include "tools/hydraulics.h"

#include <cmath>

#include "common/constants.h"
#include "common/numtext.h"

namespace tarsek {
namespace {

constexpr double kStrokeLength = 0.305;  // m
constexpr double kPipeOd = 12.7;         // cm
constexpr double kPipeOdSquared = 161.29;
constexpr double kPipeId = 10.8;           // cm
constexpr double kSurfaceEquivalent = 50;  // m of drill pipe

// Loss factor of one string section: bore term plus annulus term, per metre of the section.
double lossFactor(double bore, double hole, double od) {
  return 1.325 / std::pow(bore, 4.8) + 1.475 / (std::pow(hole - od, 3) * std::pow(hole + od, 1.8));
}

}  // namespace

std::optional<HydraulicsResult> computeHydraulics(const HydraulicsInput& in) noexcept {
  const double depth = in[kHydDepth];
  const double strokes = in[kHydStrokes];
  const double liner = in[kHydLiner] / 1000;
  const double efficiency = in[kHydEfficiency] / 100;
  const double density = in[kHydDensity];
  const double d1 = in[kHydNozzle1] / 10;
  const double d2 = in[kHydNozzle2] / 10;
  const double d3 = in[kHydNozzle3] / 10;
  const double bit = in[kHydBit] / 10;
  const double collarOd = in[kHydCollarOd] / 10;
  const double collarId = in[kHydCollarId] / 10;
  const double collarLength = in[kHydCollarLength];

  const double area = d1 * d1 + d2 * d2 + d3 * d3;
  const double flow = liner * (strokes * kPi * kStrokeLength * liner) / 80 * efficiency * 1000;
  if (flow * depth * density * area * bit == 0 || !(depth > collarLength) || !(bit > collarOd))
    return std::nullopt;
  // The loss and return-velocity formulas divide by the annulus around the pipe and by the
  // collar bore: a bit no larger than the drill pipe, or collars without a bore, have no
  // meaningful answer, so nothing is shown rather than a negative or endless figure.
  if (!(bit > kPipeOd) || (collarLength != 0 && !(collarId > 0))) return std::nullopt;

  HydraulicsResult r;
  r.flow = flow;
  r.bitDrop = flow * flow * (density * 0.82) / (0.965 * 0.965) / (area * area) * 9.8 / 100;
  const double pipeFactor = lossFactor(kPipeId, bit, kPipeOd) * (depth - collarLength);
  const double collarFactor =
      collarLength != 0 ? lossFactor(collarId, bit, collarOd) * collarLength : 0.0;
  const double surfaceFactor = 66.25 / std::pow(kPipeId, 4.8) * kSurfaceEquivalent;
  r.annularLoss = flow * flow * ((collarFactor + pipeFactor + surfaceFactor) * density) * 9.8 / 100;
  r.pumpPressure = r.bitDrop + r.annularLoss;
  r.bitPower = r.bitDrop * flow;
  r.specificPower = r.bitPower / (area * kPi / 4) / 10;
  r.jetVelocity = flow * 12.2941 / area;
  r.impactForce = r.jetVelocity * r.jetVelocity * (density * area * kPi / 4) / 10;
  r.pipeReturn = flow * 12.74 / (bit * bit - kPipeOdSquared);
  r.collarReturn = flow * 12.74 / (bit * bit - collarOd * collarOd);
  r.utilisation = r.bitDrop / r.pumpPressure * 100;

  // Absurd magnitudes can still overflow; a blank picture beats "--" among real numbers.
  for (double v : {r.flow, r.bitDrop, r.annularLoss, r.pumpPressure, r.bitPower, r.specificPower,
                   r.jetVelocity, r.impactForce, r.pipeReturn, r.collarReturn, r.utilisation})
    if (!std::isfinite(v)) return std::nullopt;
  return r;
}

std::vector<std::string> hydraulicsLines(const HydraulicsResult& r) {
  auto line = [](const char* caption, double value, const char* unit) {
    return std::string(caption) + "：" + formatFixed(value, 2) + unit;
  };
  return {
      line("泵 排 量  ", r.flow, " L/s"),
      line("钻头压降  ", r.bitDrop, " MPa"),
      line("环空压耗  ", r.annularLoss, " MPa"),
      line("泵    压  ", r.pumpPressure, " MPa"),
      "",
      line("钻头水功率", r.bitPower, " KW"),
      "",
      line("比水功率  ", r.specificPower, " W/mm^2"),
      "",
      line("喷射速度  ", r.jetVelocity, " m/s"),
      "",
      line("冲击力    ", r.impactForce, " N"),
      "",
      line("钻杆返速  ", r.pipeReturn, " m/s"),
      "",
      line("钻铤返速  ", r.collarReturn, " m/s"),
      "",
      line("功率利用率", r.utilisation, " %"),
  };
}

}  // namespace tarsek
