// Opening the import preview on a file of 100 000 lines: reading, planning against the open
// well, building the dialog and painting it once. The rows are shown through a model, so the
// cost should be the reading, not the table.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QRadioButton>
#include <string>

#include "exchange/station_import.h"
#include "survey/survey_entry.h"
#include "ui/station_import_dialog.h"

using namespace tarsek;

namespace {

std::string longSurvey(int lines) {
  std::string text = "MD,Inc,Azi\n";
  text.reserve(static_cast<std::size_t>(lines) * 20);
  for (int i = 0; i < lines; ++i)
    text += std::to_string(i * 0.5) + "," + std::to_string(i % 90) + ",45.5\n";
  return text;
}

void BM_OpenImportPreview(benchmark::State& state) {
  const std::string text = longSurvey(static_cast<int>(state.range(0)));
  WellState s;
  s.well.wellNo = "B1";
  storeEntry(s, 0, 0, 0);
  const StationReader read = [&text](const ImportOptions& o) { return ParseStationText(text, o); };
  for (auto _ : state) {
    StationImportDialog dialog(s.well, QStringLiteral("bench.csv"), read, read(ImportOptions{}));
    dialog.show();
    benchmark::DoNotOptimize(dialog.grab());
  }
}
BENCHMARK(BM_OpenImportPreview)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Switching between replace and merge replans without reading the file again.
void BM_SwitchImportMode(benchmark::State& state) {
  const std::string text = longSurvey(static_cast<int>(state.range(0)));
  WellState s;
  s.well.wellNo = "B1";
  storeEntry(s, 0, 0, 0);
  const StationReader read = [&text](const ImportOptions& o) { return ParseStationText(text, o); };
  StationImportDialog dialog(s.well, QStringLiteral("bench.csv"), read, read(ImportOptions{}));
  dialog.show();
  auto* replace = dialog.findChild<QRadioButton*>(QStringLiteral("replaceRadio"));
  auto* merge = dialog.findChild<QRadioButton*>(QStringLiteral("mergeRadio"));
  bool flip = false;
  for (auto _ : state) {
    (flip ? replace : merge)->setChecked(true);
    flip = !flip;
    QApplication::processEvents();
  }
}
BENCHMARK(BM_SwitchImportMode)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
