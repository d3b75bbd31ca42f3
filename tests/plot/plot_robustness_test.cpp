// The trajectory drawings must stay finite and bounded whatever the basic data, the survey and
// the size of the picture or page they are drawn on.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "design/design_fixtures.h"
#include "design/profile_design.h"
#include "plot/plot_geometry.h"
#include "plot/trajectory_plot.h"
#include "print/recording_surface.h"
#include "support/robustness.h"
#include "survey/survey_calc.h"

namespace tarsek {
namespace {

using testing::drawingFinite;

// A real designed well with a survey along its design, so that every layer of the drawings
// has something to draw.
WellState designedWell(bool twoTargets, const std::function<void(WellRecord&)>& change) {
  WellState session = twoTargets ? testing::twoTargetWell() : testing::singleTargetWell();
  change(session.well);
  DesignProfile(session);
  WellRecord& w = session.well;
  const int n = std::min<int>(w.designPointCount, 200);
  w.stationCount = static_cast<std::int16_t>(n);
  w.stations.assign(static_cast<std::size_t>(n) + 1, SurveyStation{});
  for (int i = 0; i < n; ++i) {
    w.stations[static_cast<std::size_t>(i)] = w.designPoints[static_cast<std::size_t>(i)];
    w.stations[static_cast<std::size_t>(i)].index = static_cast<std::int16_t>(i);
  }
  RecalculateAll(session);
  RecalculateDesignTrajectory(session);
  return session;
}

struct Variation {
  const char* name;
  std::function<void(WellRecord&)> apply;
};

std::vector<Variation> variations() {
  return {
      {"as designed", [](WellRecord&) {}},
      {"zero radius", [](WellRecord& w) { w.targetRadius = 0; }},
      {"negative radius", [](WellRecord& w) { w.targetRadius = -30; }},
      {"radius cancelling the displacement", [](WellRecord& w) { w.targetRadius = -1000; }},
      {"huge radius", [](WellRecord& w) { w.targetRadius = 1e12; }},
      {"tiny displacement", [](WellRecord& w) { testing::placeTarget1(w, 1e-6, 0, 2500); }},
      {"huge displacement", [](WellRecord& w) { testing::placeTarget1(w, 6e7, 8e7, 2500); }},
      {"target at zero depth", [](WellRecord& w) { w.target1Tvd = 0; }},
      {"target above the surface", [](WellRecord& w) { w.target1Tvd = -3000; }},
      {"target very deep", [](WellRecord& w) { w.target1Tvd = 1e12; }},
      {"no final depth", [](WellRecord& w) { w.designFinalTvd = 0; }},
      {"negative final depth", [](WellRecord& w) { w.designFinalTvd = -10; }},
      {"azimuth off the compass", [](WellRecord& w) { w.designAzimuth = 725; }},
      {"negative azimuth", [](WellRecord& w) { w.designAzimuth = -45; }},
      {"azimuth exactly 90", [](WellRecord& w) { w.designAzimuth = 90; }},
      {"wellhead far off", [](WellRecord& w) { w.wellheadX = -1e15; }},
  };
}

struct Size {
  double width, height;
};

constexpr Size kSizes[] = {{6000, 8000}, {11906, 16838}, {1, 1},   {0, 0},
                           {-100, 500},  {1e9, 10},      {10, 1e9}};

// Rings and ticks are capped per axis; a drawing far beyond these counts has run away.
constexpr std::size_t kMostCalls = 100000;

void expectDrawingsSane(const WellState& session, const std::string& what) {
  for (const Size& size : kSizes) {
    SCOPED_TRACE(what + ", " + std::to_string(size.width) + " x " + std::to_string(size.height));
    RecordingSurface plan(size.width, size.height);
    DrawPlanView(plan, session);
    RecordingSurface section(size.width, size.height);
    DrawVerticalSection(section, session);
    RecordingSurface page(size.width, size.height);
    DrawTrajectoryPlot(page, session);
    for (const RecordingSurface* s : {&plan, &section, &page}) {
      EXPECT_TRUE(drawingFinite(*s));
      EXPECT_LT(s->calls().size(), kMostCalls);
    }
  }
}

TEST(PlotRobustness, OddBasicDataDrawFiniteAndBounded) {
  for (bool two : {false, true}) {
    for (const Variation& v : variations()) {
      expectDrawingsSane(designedWell(two, v.apply),
                         std::string(v.name) + (two ? ", two targets" : ", one target"));
    }
  }
}

// Survey tables the file reader accepts but no drilled well has: stations turning back up,
// lying flat, and a single station.
TEST(PlotRobustness, OddSurveysDrawFiniteAndBounded) {
  struct Table {
    const char* name;
    std::vector<SurveyStation> stations;
  };
  const Table tables[] = {
      {"one station", {{0, 1500, 30, 45, 45}}},
      {"upside down", {{0, 0, 0, 0, 0}, {1, 500, 180, 0, 0}, {2, 1500, 180, 90, 90}}},
      {"flat", {{0, 0, 90, 45, 45}, {1, 5000, 90, 45, 45}, {2, 9000, 90, 46, 46}}},
      {"depths far apart", {{0, -1e300, 0, 0, 0}, {1, 1e300, 45, 45, 45}}},
  };
  for (const Table& t : tables) {
    WellState session = designedWell(false, [](WellRecord&) {});
    WellRecord& w = session.well;
    w.stations = t.stations;
    w.stations.emplace_back();
    w.stationCount = static_cast<std::int16_t>(t.stations.size());
    for (SurveyMethod method : kSurveyMethods) {
      session.calcMethod = method;
      RecalculateAll(session);
      expectDrawingsSane(session,
                         std::string(t.name) + ", method " + std::to_string(MethodCode(method)));
    }
  }
}

TEST(PlotRobustness, TickValuesStayBounded) {
  EXPECT_TRUE(tickValues(0, 1e300, 1e-300).size() <= static_cast<std::size_t>(kMaxTicks));
  EXPECT_TRUE(tickValues(1e20, 1e20 + 1e6, 1).size() <= static_cast<std::size_t>(kMaxTicks));
  EXPECT_TRUE(tickValues(0, 100, 0).empty());
  EXPECT_TRUE(tickValues(0, 100, -5).empty());
  EXPECT_TRUE(tickValues(0, HUGE_VAL, 50).empty());
  EXPECT_TRUE(tickValues(std::nan(""), 100, 50).empty());
}

}  // namespace
}  // namespace tarsek
