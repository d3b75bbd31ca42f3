// Position uncertainty timings: the covariance of a long well with every term of the model,
// and the separation factor of a well against a pad of neighbours.

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "uncertainty/clearance.h"
#include "uncertainty/propagation.h"

namespace tarsek::unc {
namespace {

// A build-and-turn well: vertical to 300 m, building at 3°/30 m to 60°, turning slowly.
SurveyPath buildAndTurn(int stations, double azimuth, double north, double east) {
  SurveyPath path;
  path.tieOn = {north, east, 0};
  for (int i = 0; i < stations; ++i) {
    const double md = i * 10.0;
    const double inc = md < 300 ? 0 : std::min(60.0, (md - 300) / 10);
    const double azi = std::fmod(azimuth + (md > 1500 ? (md - 1500) / 200 : 0), 360.0);
    path.stations.push_back({md, inc, azi});
  }
  return path;
}

SiteParameters site() {
  SiteParameters s;
  s.btotal = 54500;
  s.dip = 58.6;
  s.declination = -5.2;
  return s;
}

void BM_Covariance5000Stations(benchmark::State& state) {
  const SurveyPath path = buildAndTurn(5000, 45, 0, 0);
  const ErrorModel& model = *FindModel(kDefaultModelName);
  std::string message;
  for (auto _ : state) {
    CovarianceTrack track;
    track.build(path, model, site(), message);
    benchmark::DoNotOptimize(track.covariance(track.size() - 1).nn);
  }
}
BENCHMARK(BM_Covariance5000Stations)->Unit(benchmark::kMillisecond);

void BM_Separation1000Against20(benchmark::State& state) {
  const ErrorModel& model = *FindModel(kDefaultModelName);
  std::string message;
  CovarianceTrack reference;
  reference.build(buildAndTurn(1000, 45, 0, 0), model, site(), message);
  std::vector<CovarianceTrack> offsets(20);
  for (int i = 0; i < 20; ++i) {
    const double a = i * 6.28318530718 / 20;
    offsets[static_cast<std::size_t>(i)].build(
        buildAndTurn(1000, i * 18.0, 8 * std::cos(a), 8 * std::sin(a)), model, site(), message);
  }
  const ClearanceSettings settings;
  for (auto _ : state) {
    double least = kSeparationCap;
    for (const CovarianceTrack& o : offsets)
      for (const ClearancePoint& c : SeparationAlong(reference, o, settings))
        least = std::min(least, c.sf);
    benchmark::DoNotOptimize(least);
  }
}
BENCHMARK(BM_Separation1000Against20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarsek::unc
