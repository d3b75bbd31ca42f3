// How long the trajectory drawings take for the largest well a station table can hold: the
// window redraws both panes on every resize and splitter drag, so they must stay well under a
// frame even at 32767 stations.

#include <benchmark/benchmark.h>

#include <cmath>

#include "bench_support.h"
#include "common/angles.h"
#include "common/constants.h"
#include "plot/trajectory_plot.h"
#include "survey/survey_report.h"

namespace tarsek {
namespace {

using bench::NullSurface;

WellState bigWell(int n) {
  WellState s;
  WellRecord& w = s.well;
  w.wellNo = "基准1";
  w.designAzimuth = 60;
  w.designDisplacement1 = 1500;
  w.target1X = 1500 * std::cos(toRadians(60));
  w.target1Y = 1500 * std::sin(toRadians(60));
  w.target1Tvd = 3000;
  w.targetRadius = 30;
  w.designFinalTvd = 3200;
  w.stationCount = static_cast<std::int16_t>(n);
  w.stations.assign(n + 1, SurveyStation{});
  w.results.assign(n + 1, StationResult{});
  for (int i = 0; i < n; ++i) {
    const double f = static_cast<double>(i) / n;
    w.stations[i].index = static_cast<std::int16_t>(i);
    w.stations[i].md = 3300 * f;
    w.results[i].tvd = 3200 * f;
    w.results[i].verticalSection = 1550 * f * f;
    w.results[i].north = w.results[i].verticalSection * 0.5;
    w.results[i].east = w.results[i].verticalSection * 0.866;
  }
  return s;
}

void BM_WindowPanes(benchmark::State& state) {
  const WellState s = bigWell(static_cast<int>(state.range(0)));
  NullSurface plan, section;
  for (auto _ : state) {
    DrawPlanView(plan, s);
    DrawVerticalSection(section, s);
  }
}
BENCHMARK(BM_WindowPanes)->Arg(100)->Arg(kMaxCount)->Unit(benchmark::kMillisecond);

void BM_PlotPage(benchmark::State& state) {
  const WellState s = bigWell(static_cast<int>(state.range(0)));
  NullSurface page;
  for (auto _ : state) DrawTrajectoryPlot(page, s);
}
BENCHMARK(BM_PlotPage)->Arg(100)->Arg(kMaxCount)->Unit(benchmark::kMillisecond);

void BM_SurveyPage(benchmark::State& state) {
  const WellState s = bigWell(kMaxCount);
  NullSurface page;
  for (auto _ : state) PrintSurveyPage(page, s, 0, 49);
}
BENCHMARK(BM_SurveyPage)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarsek
