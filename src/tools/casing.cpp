#include "tools/casing.h"

#include <cmath>

#include "common/constants.h"
#include "common/numtext.h"

namespace tarsek {

const std::array<CasingGrade, 6> kCasingCatalogue = {{
    {"φ139.7mm×7.72mm×J55长圆扣", 25.3, 112.0, 345.2, 374, 124.26},
    {"φ244.5mm×8.94mm×J55长圆扣", 53.57, 205.5, 142.0, 247.5, 226.62},
    {"φ244.5mm×8.94mm×J55短圆扣", 53.57, 178.7, 142.0, 247.5, 226.62},
    {"φ273.1mm×8.89mm×J55梯形扣", 60.26, 362.4, 111.1, 220, 255.32},
    {"φ139.7mm×9.17mm×N80梯形扣", 29.79, 264.4, 620.7, 632, 121.36},
    {"φ244.5mm×7.92mm×J55长圆扣", 48.06, 115.2, 98.4, 159.6, 228.66},
}};

CasingCheck computeCasingCheck(int grade, double density, double length,
                               double plugDepth) noexcept {
  CasingCheck check;
  if (grade < 0 || grade >= static_cast<int>(kCasingCatalogue.size())) return check;
  check.outcome = CasingOutcome::Empty;
  // A negative density or length passes the zero test but turns every factor into nonsense.
  if (density * length == 0 || density < 0 || length < 0) return check;

  const CasingGrade& g = kCasingCatalogue[static_cast<std::size_t>(grade)];
  const double radius = g.insideDiameter / 2000;  // m
  CasingResult& r = check.result;
  r.weight = length * g.unitWeight / 1000;
  r.tension = g.jointStrength / r.weight;
  r.collapse = g.collapse * 100 / (density * length * 9.8);
  r.internalYield = g.internalYield * 100 / (density * length * 9.8);
  r.displacement = radius * radius * kPi * plugDepth;
  for (double v : {r.weight, r.tension, r.collapse, r.internalYield, r.displacement})
    if (!std::isfinite(v)) return check;
  check.outcome = CasingOutcome::Shown;
  return check;
}

std::vector<std::string> casingLines(const CasingResult& r) {
  return {
      "重  量：" + formatFixed(r.weight, 2) + "吨",
      "抗  拉：" + formatFixed(r.tension, 2),
      "抗  挤：" + formatFixed(r.collapse, 2),
      "抗内压：" + formatFixed(r.internalYield, 2),
      "替  量：" + formatFixed(r.displacement, 2) + "m^3",
  };
}

}  // namespace tarsek
