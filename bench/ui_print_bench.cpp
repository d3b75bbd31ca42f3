// Printing speed: a long survey report into PDF, and the print preview of it.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "survey/survey_calc.h"
#include "ui/main_window.h"
#include "ui/report_pdf.h"

namespace {

// A well of n stations building to 60 degrees, its trajectory computed.
void fillWell(tarsek::Session& session, int n) {
  auto& w = session.well;
  w.wellNo = "B5000";
  w.targetCount = 1;
  w.target1X = 800;
  w.target1Y = 600;
  w.target1Tvd = 2500;
  w.designAzimuth = 36.87;
  w.designDisplacement1 = 1000;
  w.targetRadius = 30;
  w.designFinalTvd = 3000;
  w.stations.assign(static_cast<std::size_t>(n) + 1, {});
  w.results.assign(static_cast<std::size_t>(n) + 1, {});
  for (int i = 0; i < n; ++i) {
    auto& s = w.stations[static_cast<std::size_t>(i)];
    s.index = static_cast<std::int16_t>(i);
    s.md = 100.0 + 2.0 * i;
    s.inclination = std::min(60.0, 0.05 * i);
    s.azimuth = 36.0;
  }
  w.stationCount = static_cast<std::int16_t>(n);
  tarsek::RecalculateAll(session);
}

void BM_SurveyReportToPdf(benchmark::State& state) {
  tarsek::Session session;
  fillWell(session, static_cast<int>(state.range(0)));
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("report.pdf"));
  int pages = 0;
  for (auto _ : state) {
    const std::string failed = tarsek::WriteReportPdf(session, tarsek::Report::Survey, path,
                                                      QPageSize(QPageSize::A4), &pages);
    if (!failed.empty()) state.SkipWithError(failed.c_str());
  }
  state.counters["pages"] = pages;
}
BENCHMARK(BM_SurveyReportToPdf)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PreviewBuild(benchmark::State& state) {
  tarsek::Session session;
  fillWell(session, static_cast<int>(state.range(0)));
  tarsek::MainWindow window(session);
  window.resize(1200, 800);
  window.show();
  QApplication::processEvents();
  for (auto _ : state) {
    window.enterPreview();
    QApplication::processEvents();  // the pages in sight are drawn
    state.PauseTiming();
    window.leavePreview();
    QApplication::processEvents();
    state.ResumeTiming();
  }
  session.surveyDirty = tarsek::Unsaved::Nothing;
  session.designDirty = tarsek::Unsaved::Nothing;
}
BENCHMARK(BM_PreviewBuild)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
