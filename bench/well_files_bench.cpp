// Reading and writing well files: the largest survey a well can hold, and a sample well loaded
// the way the program opens it (design and trajectory included).

#include <benchmark/benchmark.h>

#include <string>

#include "model/well_file_format.h"
#include "model/well_files.h"
#include "session/well_io.h"

namespace {

std::string largestSurvey() {
  tarsek::WellRecord w;
  w.stationCount = 32767;
  w.stations.resize(32768);
  for (int i = 0; i < 32767; ++i) {
    w.stations[static_cast<std::size_t>(i)] = {static_cast<std::int16_t>(i), 50 + i * 30.25,
                                               (i % 900) / 10.0, (i * 7 % 3600) / 10.0, 0};
  }
  std::string bytes, error;
  tarsek::FormatSurveyFile(w, bytes, error);
  return bytes;
}

void BM_ParseLargestSurvey(benchmark::State& state) {
  const std::string bytes = largestSurvey();
  for (auto _ : state) {
    tarsek::WellRecord w;
    std::string error;
    benchmark::DoNotOptimize(tarsek::ParseSurveyFile(bytes, "bench.sur", w, error));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ParseLargestSurvey)->Unit(benchmark::kMillisecond);

void BM_FormatLargestSurvey(benchmark::State& state) {
  tarsek::WellRecord w;
  std::string error;
  tarsek::ParseSurveyFile(largestSurvey(), "bench.sur", w, error);
  for (auto _ : state) {
    std::string bytes;
    benchmark::DoNotOptimize(tarsek::FormatSurveyFile(w, bytes, error));
  }
}
BENCHMARK(BM_FormatLargestSurvey)->Unit(benchmark::kMillisecond);

void BM_LoadSampleWell(benchmark::State& state) {
  const std::string dir = TARSEK_SAMPLES_DIR;
  const std::string path = tarsek::WellFilePath(dir, "草20-1", tarsek::kDesignExtension);
  for (auto _ : state) {
    tarsek::Session s;
    benchmark::DoNotOptimize(tarsek::LoadWell(s, s.well, path, false, dir).ok);
  }
}
BENCHMARK(BM_LoadSampleWell)->Unit(benchmark::kMillisecond);

}  // namespace
