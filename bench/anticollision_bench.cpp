// Scan and chart timings of the anti-collision view on pads of realistic size.
#include <benchmark/benchmark.h>

#include <cmath>

#include "anticollision/anticollision_chart.h"
#include "anticollision/clearance_scan.h"
#include "bench_support.h"
#include "survey/survey_calc.h"

namespace tarsek {
namespace {

using bench::NullSurface;
using bench::padWell;

WellState padSession(int neighbours, int stations, double ownTvd) {
  WellState s;
  s.well = padWell("本井", 0, 0, std::max(stations, 300), ownTvd, 45);
  for (int i = 0; i < neighbours; ++i) {
    const double a = i * 6.28318530718 / neighbours;
    s.neighbourWells.push_back(padWell("邻" + std::to_string(i), 8 * std::cos(a), 8 * std::sin(a),
                                       stations, ownTvd * (0.8 + 0.02 * i), i * 37.0));
    s.neighbourColours.push_back(rgb(10 * i, 100, 200));
  }
  return s;
}

void BM_ScanSmallPad(benchmark::State& state) {
  const WellState s = padSession(10, 200, 3000);
  ClearanceScan scan;
  for (auto _ : state) {
    scanClearance(s, 15, scan);
    benchmark::DoNotOptimize(scan.closestDistance);
  }
}
BENCHMARK(BM_ScanSmallPad)->Unit(benchmark::kMillisecond);

void BM_ScanLargePad(benchmark::State& state) {
  const WellState s = padSession(20, 1000, 5000);
  const auto search = state.range(0) == 0 ? StationSearch::Resume : StationSearch::FromTop;
  ClearanceScan scan;
  for (auto _ : state) {
    scanClearance(s, 2, scan, search);
    benchmark::DoNotOptimize(scan.closestDistance);
  }
  state.SetLabel(state.range(0) == 0 ? "resumed search" : "search from the top");
}
BENCHMARK(BM_ScanLargePad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_DrawLargePad(benchmark::State& state) {
  const WellState s = padSession(20, 1000, 5000);
  ClearanceScan scan;
  scanClearance(s, 2, scan);
  NullSurface surface(12000, 9000);
  for (auto _ : state) {
    if (state.range(0) == 0)
      drawSpacingChart(surface, s, scan, 25);
    else
      drawTrendChart(surface, s, scan, 25, 0, 0);
    benchmark::ClobberMemory();
  }
  state.SetLabel(state.range(0) == 0 ? "spacing chart" : "trend chart");
}
BENCHMARK(BM_DrawLargePad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarsek
