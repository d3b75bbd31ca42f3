#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

#include "survey/survey_calc.h"
#include "survey/survey_entry.h"

using namespace tarsek;

namespace {

/// The largest well the 16-bit station table holds: a build, a long hold and a gentle turn.
WellState fullWell(SurveyMethod method) {
  WellState s;
  s.calcMethod = method;
  WellRecord& w = s.well;
  w.wellNo = "基准井";
  w.target1X = 800;
  w.target1Y = 600;
  w.target1Tvd = 2500;
  w.magDeclination = -4.5;
  w.designAzimuth = 37;
  const int n = 32767;
  w.stations.assign(static_cast<std::size_t>(n) + 1, SurveyStation{});
  for (int i = 0; i < n; ++i) {
    auto& st = w.stations[static_cast<std::size_t>(i)];
    st.index = static_cast<std::int16_t>(i);
    st.md = i * 0.3;
    st.inclination = std::min(85.0, std::max(0.0, (st.md - 500) * 0.03));
    st.azimuth = std::fmod(30 + st.md * 0.01, 360);
  }
  w.stationCount = static_cast<std::int16_t>(n);
  return s;
}

void BM_RecalculateAll(benchmark::State& state) {
  WellState s = fullWell(static_cast<SurveyMethod>(state.range(0)));
  for (auto _ : state) {
    RecalculateAll(s);
    benchmark::DoNotOptimize(s.well.results.data());
  }
  state.SetLabel(MethodName(static_cast<SurveyMethod>(state.range(0))));
}

// A prediction that fills the whole station table, then its discard: the discard walks the
// table and the predicted stations once each.
void BM_PredictFullTableAndDiscard(benchmark::State& state) {
  WellState s;
  s.well.wellNo = "基准井";
  s.well.target1Tvd = 2e6;
  s.well.designFinalTvd = 2e6;
  storeEntry(s, 0, 0, 0);
  storeEntry(s, 100, 1, 30);
  for (auto _ : state) {
    predictTrajectory(s, 0.001, 0.01);
    discardPrediction(s);
    benchmark::DoNotOptimize(s.well.stationCount);
  }
}

}  // namespace

BENCHMARK(BM_RecalculateAll)->DenseRange(0, kMethodCount - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PredictFullTableAndDiscard)->Unit(benchmark::kMillisecond);
