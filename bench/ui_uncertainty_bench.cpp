// The plan view redraws on every resize and splitter drag: with the error ellipses of a long
// well it must still fit in one frame (16 ms). The figures themselves are worked out after
// every station change, so their cost is measured too.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <filesystem>

#include "bench_support.h"
#include "plot/trajectory_plot.h"
#include "ui/painter_surface.h"
#include "uncertainty/session_uncertainty.h"

using namespace tarsek;

namespace {

// A 5000-station well with its parameter file in a scratch directory, figures worked out.
struct LongWell {
  LongWell() {
    dir = std::filesystem::temp_directory_path() / "tarsek-unc-bench";
    std::filesystem::create_directories(dir);
    s.wellDirectory = dir.string();
    s.well = bench::padWell("基准1", 0, 0, 5000, 4000, 60);
    s.well.target1Tvd = 3800;
    s.well.target1X = 400;
    s.well.target1Y = 690;
    s.well.targetRadius = 30;
    unc::SiteParameters p;
    p.btotal = 54000;
    p.dip = 58;
    p.latitude = 40;
    std::string message;
    unc::SaveSiteParameters(s.wellDirectory, s.well.wellNo, p, message);
    unc::UpdateUncertainty(s);
  }
  ~LongWell() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  std::filesystem::path dir;
  WellState s;
};

// The pane as the window paints it: antialiased, 640 × 760 pixels.
void drawPane(benchmark::State& state, bool ellipses) {
  LongWell well;
  if (!well.s.uncertainty || !well.s.uncertainty->ok) {
    state.SkipWithError("no uncertainty figures");
    return;
  }
  well.s.showUncertainty = ellipses;
  QImage image(640, 760, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    PainterSurface surface(painter, image.width() * kScreenTwipsPerPixel,
                           image.height() * kScreenTwipsPerPixel, kScreenTwipsPerPixel,
                           kScreenTwipsPerPixel);
    DrawPlanView(surface, well.s);
  }
}

void BM_PlanViewWithEllipses(benchmark::State& state) { drawPane(state, true); }
BENCHMARK(BM_PlanViewWithEllipses)->Unit(benchmark::kMillisecond);

void BM_PlanViewHidden(benchmark::State& state) { drawPane(state, false); }
BENCHMARK(BM_PlanViewHidden)->Unit(benchmark::kMillisecond);

void BM_UpdateUncertainty(benchmark::State& state) {
  LongWell well;
  for (auto _ : state) unc::UpdateUncertainty(well.s);
}
BENCHMARK(BM_UpdateUncertainty)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
