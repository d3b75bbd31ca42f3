// Profile design timings: typical wells, a design that runs into the 32767-point limit, and the
// one-course-per-point path against the full recomputation after every point on ~3000 points.

#include <benchmark/benchmark.h>

#include <cmath>

#include "design/profile_design.h"
#include "survey/survey_calc.h"

namespace tarsek {
namespace {

void placeTarget1(WellRecord& w, double north, double east, double tvd) {
  w.target1X = w.wellheadX + north;
  w.target1Y = w.wellheadY + east;
  w.target1Tvd = tvd;
  w.designAzimuth = AzimuthOf(north, east);
  w.designDisplacement1 = std::hypot(north, east);
}

// Kick-off 500 m, build 6 deg/100 m to 15 degrees, rotary build 2 deg/100 m, target 1 1000 m
// away at 2500 m, final depth 3000 m.
WellState singleTarget(SurveyMethod method) {
  WellState s;
  s.calcMethod = method;
  WellRecord& w = s.well;
  w.wellNo = "B1";
  w.wellheadX = 4120350.25;
  w.wellheadY = 20512870.5;
  w.magDeclination = -3.5;
  placeTarget1(w, 600, 800, 2500);
  w.kickoffDepth = 500;
  w.buildRate = 6;
  w.buildToInclination = 15;
  w.rotaryBuildRate = 2;
  w.rotaryDropRate = 3;
  w.designFinalTvd = 3000;
  return s;
}

// Target 1 at 2300 m, target 2 on a steeper line at 2800 m: the hold drops toward it.
WellState twoTargets(SurveyMethod method) {
  WellState s = singleTarget(method);
  WellRecord& w = s.well;
  placeTarget1(w, 600, 800, 2300);
  w.targetCount = 2;
  w.target2X = w.wellheadX + 810;
  w.target2Y = w.wellheadY + 1080;
  w.target2Tvd = 2800;
  w.designDisplacement2 = std::hypot(810.0, 1080.0);
  return s;
}

// Never builds past vertical, so the rotary build runs until the point limit stops it.
WellState endless(SurveyMethod method) {
  WellState s = singleTarget(method);
  s.well.buildToInclination = 0;
  s.well.rotaryBuildRate = 0;
  return s;
}

void runDesign(benchmark::State& state, WellState (*make)(SurveyMethod), DesignOptions options,
               DesignOutcome expected) {
  WellState s = make(static_cast<SurveyMethod>(state.range(0)));
  for (auto _ : state) {
    const DesignOutcome outcome = DesignProfile(s, options);
    if (outcome != expected) state.SkipWithError("unexpected outcome");
    benchmark::DoNotOptimize(s.well.designResults.data());
  }
  state.counters["points"] = s.well.designPointCount;
  state.SetLabel(MethodName(static_cast<SurveyMethod>(state.range(0))));
}

void BM_DesignSingleTarget(benchmark::State& state) {
  runDesign(state, singleTarget, {}, DesignOutcome::Done);
}
void BM_DesignTwoTargets(benchmark::State& state) {
  runDesign(state, twoTargets, {}, DesignOutcome::Done);
}
void BM_DesignPointLimit(benchmark::State& state) {
  runDesign(state, endless, {}, DesignOutcome::PointLimit);
}
void BM_Design3000Incremental(benchmark::State& state) {
  runDesign(state, endless, {DesignRecompute::Incremental, 3000}, DesignOutcome::PointLimit);
}
void BM_Design3000FullRecompute(benchmark::State& state) {
  runDesign(state, endless, {DesignRecompute::Full, 3000}, DesignOutcome::PointLimit);
}

BENCHMARK(BM_DesignSingleTarget)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DesignTwoTargets)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DesignPointLimit)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Design3000Incremental)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Design3000FullRecompute)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace tarsek
