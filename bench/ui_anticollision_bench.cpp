// Both anti-collision charts drawn on screen-sized images through the painter surface.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "anticollision/anticollision_chart.h"
#include "anticollision/clearance_scan.h"
#include "bench_support.h"
#include "survey/survey_calc.h"
#include "ui/painter_surface.h"

namespace tarsek {
namespace {

using bench::padWell;

/// Twenty neighbours of 1000 stations round a 5000 m well, scanned every 2 m.
struct LargePad {
  WellState session;
  ClearanceScan scan;
  LargePad() {
    session.well = padWell("本井", 0, 0, 1000, 5000, 45);
    for (int i = 0; i < 20; ++i) {
      const double a = i * 6.28318530718 / 20;
      session.neighbourWells.push_back(padWell("邻" + std::to_string(i), 8 * std::cos(a),
                                               8 * std::sin(a), 1000, 5000 * (0.8 + 0.02 * i),
                                               i * 37.0));
      session.neighbourColours.push_back(rgb(10 * i, 100, 200));
    }
    scanClearance(session, 2, scan);
  }
};

void BM_PaintLargePad(benchmark::State& state) {
  static const LargePad pad;
  QImage image(1000, 700, QImage::Format_RGB32);
  const int zoom = static_cast<int>(state.range(1));
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    PainterSurface s(painter, image.width() * kScreenTwipsPerPixel,
                     image.height() * kScreenTwipsPerPixel, kScreenTwipsPerPixel,
                     kScreenTwipsPerPixel);
    if (state.range(0) == 0)
      drawSpacingChart(s, pad.session, pad.scan, zoom);
    else
      drawTrendChart(s, pad.session, pad.scan, zoom, 0, 0);
  }
  state.SetLabel(std::string(state.range(0) == 0 ? "spacing" : "trend") + " chart, zoom " +
                 std::to_string(zoom));
}
BENCHMARK(BM_PaintLargePad)
    ->Args({0, 25})
    ->Args({0, 1})
    ->Args({1, 25})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarsek

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
