// The design adds each point with one course of computation instead of a pass over the whole
// trajectory. These tests hold it to the values of the full pass, bit for bit.

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "design/design_fixtures.h"
#include "design/profile_design.h"

namespace tarsek {
namespace {

using testing::placeTarget1;
using testing::placeTarget2;
using testing::singleTargetWell;
using testing::twoTargetWell;

bool sameBits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

::testing::AssertionResult sameDesign(const WellState& a, const WellState& b) {
  const WellRecord& x = a.well;
  const WellRecord& y = b.well;
  if (x.designPointCount != y.designPointCount) {
    return ::testing::AssertionFailure()
           << "point counts " << x.designPointCount << " and " << y.designPointCount;
  }
  if (x.designPoints.size() != y.designPoints.size() ||
      x.designResults.size() != y.designResults.size()) {
    return ::testing::AssertionFailure() << "array sizes differ";
  }
  for (std::size_t i = 0; i < x.designPoints.size(); ++i) {
    const SurveyStation& p = x.designPoints[i];
    const SurveyStation& q = y.designPoints[i];
    const double pf[] = {p.md, p.inclination, p.azimuth, p.gridAzimuth};
    const double qf[] = {q.md, q.inclination, q.azimuth, q.gridAzimuth};
    for (int f = 0; f < 4; ++f) {
      if (!sameBits(pf[f], qf[f])) {
        return ::testing::AssertionFailure()
               << "point " << i << " field " << f << ": " << pf[f] << " vs " << qf[f];
      }
    }
    if (p.index != q.index) return ::testing::AssertionFailure() << "point " << i << " index";
  }
  for (std::size_t i = 0; i < x.designResults.size(); ++i) {
    const StationResult& r = x.designResults[i];
    const StationResult& s = y.designResults[i];
    const std::array<double, 15> rf = fieldsOf(r);
    const std::array<double, 15> sf = fieldsOf(s);
    for (int f = 0; f < 15; ++f) {
      if (!sameBits(rf[f], sf[f])) {
        return ::testing::AssertionFailure()
               << "result " << i << " field " << f << ": " << rf[f] << " vs " << sf[f];
      }
    }
  }
  for (std::size_t k = 0; k < a.designSegments.size(); ++k) {
    const DesignSegment& r = a.designSegments[k];
    const DesignSegment& s = b.designSegments[k];
    const double rf[] = {r.md,      r.tvd,      r.displacement,   r.inclination,
                         r.deltaMd, r.deltaTvd, r.deltaHorizontal};
    const double sf[] = {s.md,      s.tvd,      s.displacement,   s.inclination,
                         s.deltaMd, s.deltaTvd, s.deltaHorizontal};
    for (int f = 0; f < 7; ++f) {
      if (!sameBits(rf[f], sf[f])) return ::testing::AssertionFailure() << "row " << k;
    }
    if (r.name != s.name) return ::testing::AssertionFailure() << "row name " << k;
  }
  return ::testing::AssertionSuccess();
}

struct Scenario {
  const char* name;
  std::function<WellState(SurveyMethod)> make;
  std::optional<DesignOutcome> outcome;
  int pointLimit = 32767;
};

Scenario withPointLimit(Scenario s, int limit) {
  s.pointLimit = limit;
  return s;
}

TEST(DesignRecompute, IncrementalEqualsFullRecomputationForEveryMethodAndOutcome) {
  const Scenario scenarios[] = {
      {"single target", [](SurveyMethod m) { return singleTargetWell(m); }, DesignOutcome::Done},
      {"two targets", [](SurveyMethod m) { return twoTargetWell(m); }, DesignOutcome::Done},
      {"vertical",
       [](SurveyMethod m) {
         WellState s = singleTargetWell(m);
         placeTarget1(s.well, 0, 0, 2500);
         return s;
       },
       DesignOutcome::Done},
      {"build ends on a 30 m point",
       [](SurveyMethod m) {
         WellState s = singleTargetWell(m);
         s.well.kickoffDepth = 487.3;
         s.well.buildRate = 10;
         s.well.buildToInclination = 9;
         return s;
       },
       DesignOutcome::Done},
      {"no motor build",
       [](SurveyMethod m) {
         WellState s = singleTargetWell(m);
         s.well.buildToInclination = 0;
         s.well.rotaryBuildRate = 3;
         return s;
       },
       DesignOutcome::Done},
      {"outcome 1",
       [](SurveyMethod m) {
         WellState s = singleTargetWell(m);
         s.well.buildToInclination = 60;
         return s;
       },
       DesignOutcome::KickoffTooHigh},
      {"no well number",
       [](SurveyMethod m) {
         WellState s = singleTargetWell(m);
         s.well.wellNo.clear();
         return s;
       },
       DesignOutcome::KickoffTooHigh},
      {"outcome 2",
       [](SurveyMethod m) {
         WellState s = singleTargetWell(m);
         s.well.rotaryBuildRate = 0;
         return s;
       },
       DesignOutcome::RotaryBuildTooLow},
      {"outcome 3",
       [](SurveyMethod m) {
         WellState s = singleTargetWell(m);
         placeTarget1(s.well, 3, 4, 2000);
         s.well.buildToInclination = 0.1;
         s.well.buildRate = 1;
         s.well.rotaryBuildRate = 90;
         return s;
       },
       DesignOutcome::RotaryBuildTooHigh},
      {"outcome 4",
       [](SurveyMethod m) {
         WellState s = twoTargetWell(m);
         placeTarget2(s.well, 960, 1280, 2800);
         return s;
       },
       DesignOutcome::DropMustBuild},
      {"outcome 5",
       [](SurveyMethod m) {
         WellState s = twoTargetWell(m);
         placeTarget2(s.well, 780, 1040, 2900);
         s.well.designFinalTvd = 3200;
         return s;
       },
       DesignOutcome::DropTooLow},
      {"outcome 5 through vertical",
       [](SurveyMethod m) {
         WellState s = twoTargetWell(m);
         placeTarget2(s.well, 624, 832, 4000);
         s.well.designFinalTvd = 4200;
         s.well.rotaryDropRate = 30;
         return s;
       },
       std::nullopt},
      {"tangent next to vertical",
       [](SurveyMethod m) {
         WellState s = twoTargetWell(m);
         placeTarget2(s.well, 636, 848, 4000);
         s.well.designFinalTvd = 4200;
         s.well.rotaryDropRate = 30;
         return s;
       },
       DesignOutcome::Done},
      {"outcome 6",
       [](SurveyMethod m) {
         WellState s = twoTargetWell(m);
         placeTarget2(s.well, 960, 1280, 2800);
         s.well.rotaryDropRate = -3;
         return s;
       },
       DesignOutcome::BuildTooLow},
      {"targets in line", [](SurveyMethod m) { return testing::targetsInLine(m, 3); },
       DesignOutcome::Done},
      {"build overshooting target 2",
       [](SurveyMethod m) {
         WellState s = twoTargetWell(m);
         placeTarget2(s.well, 612, 816, 2310);
         s.well.rotaryDropRate = -30;
         return s;
       },
       DesignOutcome::BuildPassesTarget2},
      {"outcome 7",
       [](SurveyMethod m) {
         WellState s = twoTargetWell(m);
         s.well.rotaryDropRate = -3;
         return s;
       },
       DesignOutcome::DropMustDrop},
      withPointLimit({"outcome 8 in a vertical rotary build",
                      [](SurveyMethod m) {
                        WellState s = singleTargetWell(m);
                        s.well.buildToInclination = 0;
                        s.well.rotaryBuildRate = 0;
                        return s;
                      },
                      DesignOutcome::PointLimit},
                     400),
      withPointLimit({"outcome 8 in the drop",
                      [](SurveyMethod m) {
                        WellState s = twoTargetWell(m);
                        s.well.rotaryDropRate = 0.5;
                        return s;
                      },
                      DesignOutcome::PointLimit},
                     80),
      withPointLimit({"outcome 8 in the hold", [](SurveyMethod m) { return singleTargetWell(m); },
                      DesignOutcome::PointLimit},
                     60),
      {"unusable file data",
       [](SurveyMethod m) {
         WellState s = singleTargetWell(m);
         s.well.buildRate = 0;
         return s;
       },
       DesignOutcome::DataUnusable},
  };
  for (const Scenario& sc : scenarios) {
    for (SurveyMethod method : kSurveyMethods) {
      SCOPED_TRACE(::testing::Message() << sc.name << ", method " << method);
      WellState incremental = sc.make(method);
      WellState full = sc.make(method);
      // Stale output of an earlier design must not leak into the new one.
      full.well.designResults.assign(500, StationResult{1, 2, 3});
      const DesignOutcome a =
          DesignProfile(incremental, {DesignRecompute::Incremental, sc.pointLimit});
      const DesignOutcome b = DesignProfile(full, {DesignRecompute::Full, sc.pointLimit});
      EXPECT_EQ(a, b);
      if (sc.outcome) {
        EXPECT_EQ(a, *sc.outcome);
      }
      EXPECT_TRUE(sameDesign(incremental, full));
    }
  }
}

TEST(DesignRecompute, VerticalPointsKeepTheGridAzimuthTheFullPassLeaves) {
  // The average angle method hands grid azimuths across vertical points; after a drop through
  // vertical the last point carries its neighbour's direction, the other methods its own. (The
  // tangential method reaches the second target without going vertical.)
  for (SurveyMethod method : {SurveyMethod::AverageAngle, SurveyMethod::CorrectedAverageAngle,
                              SurveyMethod::ChordStep, SurveyMethod::BalancedTangential}) {
    SCOPED_TRACE(method);
    WellState s = twoTargetWell(method);
    placeTarget2(s.well, 624, 832, 4000);
    s.well.designFinalTvd = 4200;
    s.well.rotaryDropRate = 30;
    ASSERT_EQ(DesignProfile(s), DesignOutcome::DropTooLow);
    const int L = s.well.designPointCount - 1;
    const SurveyStation& vertical = s.well.designPoints[L];
    ASSERT_EQ(vertical.inclination, 0);
    if (method == SurveyMethod::AverageAngle) {
      EXPECT_EQ(vertical.gridAzimuth, s.well.designPoints[L - 1].gridAzimuth);
    } else {
      EXPECT_EQ(vertical.gridAzimuth, s.well.magDeclination);
    }
  }
}

}  // namespace
}  // namespace tarsek
