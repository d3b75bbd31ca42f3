// Storing a station in a long survey, with the recalculation and the redraw of the survey
// window, must fit in one frame (16 ms) so that typing stations never stalls the window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include "survey/survey_entry.h"
#include "ui/fake_view_host.h"
#include "ui/survey_view.h"

using namespace tarsek;

namespace {

void BM_StoreStationAndRedraw(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  FakeViewHost host;
  WellRecord& w = host.s.well;
  w.wellNo = "B1";
  w.target1X = 800;
  w.target1Y = 300;
  w.target1Tvd = 3000;
  w.designFinalTvd = 6000;
  w.targetRadius = 30;
  w.designAzimuth = 20;
  w.designDisplacement1 = 850;
  // Build the table directly; storing one station at a time would recalculate each time.
  w.stationCount = static_cast<std::int16_t>(count);
  w.stations.assign(static_cast<std::size_t>(count) + 1, SurveyStation{});
  for (int i = 0; i < count; ++i)
    w.stations[static_cast<std::size_t>(i)] = {static_cast<std::int16_t>(i), i * 10.0,
                                               std::min(i * 0.05, 40.0), 20, 20};
  storeEntry(host.s, 0, 0, 20);

  SurveyView view(host);
  view.show();
  QApplication::processEvents();
  auto* md = view.findChild<QLineEdit*>(QStringLiteral("T测深"));
  auto* inc = view.findChild<QLineEdit*>(QStringLiteral("T井斜"));
  auto* confirm = view.findChild<QPushButton*>(QStringLiteral("确定"));
  const double lastMd = (count - 1) * 10.0;
  int k = 0;
  for (auto _ : state) {
    // Replace the deepest station: the whole trajectory is recalculated from station 0.
    md->setText(QString::number(lastMd));
    inc->setText(QString::number(30 + (k++ % 10)));
    confirm->click();
    benchmark::DoNotOptimize(view.grab());
  }
}
BENCHMARK(BM_StoreStationAndRedraw)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
