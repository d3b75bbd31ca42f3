// Importing stations: files of 100 000 lines in each format, read the way the import dialog and
// tarsek-calc read them, and the plan of the largest survey a well can hold.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "exchange/import_plan.h"
#include "exchange/station_export.h"
#include "exchange/station_import.h"

namespace {

constexpr std::size_t kLines = 100000;

tarsek::ExportTable bigTable() {
  tarsek::ExportTable t;
  t.wellNo = "基准1";
  t.name = "测斜数据";
  const char* titles[] = {"测深", "井斜", "方位", "垂深", "北坐标", "东坐标"};
  for (const char* title : titles) t.columns.push_back({title, "m", 2, {}});
  for (std::size_t i = 0; i < kLines; ++i) {
    const double md = 50 + static_cast<double>(i) * 0.5;
    const double values[] = {md,
                             static_cast<double>(i % 900) / 10,
                             static_cast<double>(i * 7 % 3600) / 10,
                             md * 0.9,
                             md * 0.3,
                             md * 0.2};
    for (std::size_t c = 0; c < t.columns.size(); ++c) t.columns[c].values.push_back(values[c]);
  }
  return t;
}

std::string writeBig(const char* extension) {
  const std::string path =
      (std::filesystem::temp_directory_path() / (std::string("tarsek_bench") + extension)).string();
  std::string message;
  tarsek::WriteStationFile(bigTable(), path, tarsek::ExportFormat::FromExtension,
                           tarsek::TextEncoding::Utf8Bom, message);
  return path;
}

void readFile(benchmark::State& state, const char* extension) {
  const std::string path = writeBig(extension);
  for (auto _ : state) {
    const tarsek::ParseResult r = tarsek::ReadStationFile(path);
    if (r.rows.size() != kLines) state.SkipWithError("rows lost");
    benchmark::DoNotOptimize(r.rows.data());
  }
  std::filesystem::remove(path);
}

void BM_ImportCsv100k(benchmark::State& state) { readFile(state, ".csv"); }
void BM_ImportXlsx100k(benchmark::State& state) { readFile(state, ".xlsx"); }
void BM_ImportWitsml100k(benchmark::State& state) { readFile(state, ".xml"); }

void BM_PlanMergeLargestSurvey(benchmark::State& state) {
  tarsek::WellRecord w;
  w.wellNo = "基准1";
  w.stationCount = 16000;
  w.stations.resize(16001);
  for (int i = 0; i < 16000; ++i) w.stations[static_cast<std::size_t>(i)].md = 10.0 + i * 2;
  std::vector<tarsek::ImportedRow> rows;
  for (int i = 0; i < 32767 - 8000; ++i) rows.push_back({i + 2, 5.0 + (32767 - i) * 1.0, 1, 2});
  for (auto _ : state) {
    const tarsek::ImportPlan p = tarsek::PlanImport(w, rows, tarsek::ImportMode::Merge);
    benchmark::DoNotOptimize(p.stations.data());
  }
}

}  // namespace

BENCHMARK(BM_ImportCsv100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportXlsx100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportWitsml100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanMergeLargestSurvey)->Unit(benchmark::kMillisecond);
