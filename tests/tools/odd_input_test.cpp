// Whatever lands in the boxes, no calculator may hand the window a non-finite figure.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "tools/azimuth_turn.h"
#include "tools/casing.h"
#include "tools/hydraulics.h"
#include "tools/kill_mud.h"
#include "tools/stuck_point.h"

namespace tarsek {
namespace {

const std::vector<double> kOdd = {std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(),
                                  std::numeric_limits<double>::quiet_NaN(),
                                  1e308,
                                  -1e308,
                                  1e-308,
                                  -1,
                                  0};

bool finite(const std::optional<double>& v) { return !v || std::isfinite(*v); }

TEST(OddInput, HydraulicsNeverNonFinite) {
  const HydraulicsInput base = {2000, 60, 150, 80, 1.2, 12, 12, 12, 215.9, 177.8, 71.4, 150};
  for (std::size_t i = 0; i < base.size(); ++i) {
    for (double odd : kOdd) {
      HydraulicsInput in = base;
      in[i] = odd;
      const auto r = computeHydraulics(in);
      if (!r) continue;
      for (double v :
           {r->flow, r->bitDrop, r->annularLoss, r->pumpPressure, r->bitPower, r->specificPower,
            r->jetVelocity, r->impactForce, r->pipeReturn, r->collarReturn, r->utilisation})
        EXPECT_TRUE(std::isfinite(v)) << "box " << i << " = " << odd;
    }
  }
}

TEST(OddInput, CasingKillAndStuckNeverNonFinite) {
  for (double odd : kOdd) {
    for (const CasingCheck& c :
         {computeCasingCheck(0, odd, 2000, 1980), computeCasingCheck(0, 1.2, odd, 1980),
          computeCasingCheck(0, 1.2, 2000, odd)}) {
      if (c.outcome != CasingOutcome::Shown) continue;
      for (double v : {c.result.weight, c.result.tension, c.result.collapse, c.result.internalYield,
                       c.result.displacement})
        EXPECT_TRUE(std::isfinite(v)) << odd;
    }
    EXPECT_TRUE(finite(computeKillDensity(odd, 3.5, 1.2))) << odd;
    EXPECT_TRUE(finite(computeKillDensity(2500, odd, 1.2))) << odd;
    EXPECT_TRUE(finite(computeKillDensity(2500, 3.5, odd))) << odd;
    EXPECT_TRUE(finite(computeWeightingMaterial(odd, 1.34, 100, 4.2))) << odd;
    EXPECT_TRUE(finite(computeWeightingMaterial(1.2, odd, 100, 4.2))) << odd;
    EXPECT_TRUE(finite(computeWeightingMaterial(1.2, 1.34, odd, 4.2))) << odd;
    EXPECT_TRUE(finite(computeWeightingMaterial(1.2, 1.34, 100, odd))) << odd;
    EXPECT_TRUE(finite(addPressureMargin(odd, 1.34, false))) << odd;
    EXPECT_TRUE(finite(addPressureMargin(2500, odd, false))) << odd;
    for (const StuckPointResult& r : {computeStuckPoint("φ127mm×9.19mm", odd, 20, 215.9, 2500),
                                      computeStuckPoint("φ127mm×9.19mm", 50, odd, 215.9, 2500),
                                      computeStuckPoint("φ127mm×9.19mm", 50, 20, odd, 2500),
                                      computeStuckPoint("φ127mm×9.19mm", 50, 20, 215.9, odd)}) {
      EXPECT_TRUE(finite(r.depth)) << odd;
      EXPECT_TRUE(finite(r.oilVolume)) << odd;
    }
  }
}

TEST(OddInput, AzimuthTurnNeverNonFinite) {
  const TurnInput base{1000, 30, 100, 1030, 32, 105, 150, 40, 3};
  double TurnInput::*fields[] = {&TurnInput::md1,
                                 &TurnInput::inclination1,
                                 &TurnInput::azimuth1,
                                 &TurnInput::md2,
                                 &TurnInput::inclination2,
                                 &TurnInput::azimuth2,
                                 &TurnInput::orientedAzimuth,
                                 &TurnInput::toolface,
                                 &TurnInput::buildRate};
  for (auto field : fields) {
    for (double odd : kOdd) {
      TurnInput in = base;
      in.*field = odd;
      EXPECT_TRUE(finite(findReactiveTorque(in)));
      const InitialToolface r = findInitialToolface(in);
      EXPECT_TRUE(finite(r.drillToDepth) && finite(r.toolface) && finite(r.orientedAzimuth));
      const auto p = predictTurn(in);
      if (p) {
        EXPECT_TRUE(std::isfinite(p->inclination) && std::isfinite(p->azimuth));
      }
    }
  }
}

}  // namespace
}  // namespace tarsek
