#include "plot/plot_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tarsek {
namespace {

TEST(PlotTarget, TwoTargetWellScalesByTheSecondTarget) {
  BasicData b;
  b.designDisplacement1 = 300;
  b.designDisplacement2 = 500;
  b.target1Tvd = 1850;
  b.target2Tvd = 2400;
  b.targetRadius = 30;
  b.targetCount = 1;
  EXPECT_EQ(plotTarget(b).displacement, 300);
  EXPECT_EQ(plotTarget(b).depth, 1850);
  b.targetCount = 2;
  EXPECT_EQ(plotTarget(b).displacement, 500);
  EXPECT_EQ(plotTarget(b).depth, 2400);
  EXPECT_EQ(plotTarget(b).radius, 30);
}

TEST(TickValues, IncludesTheLimitAndStaysBounded) {
  const auto ticks = tickValues(0, 1850 + 200, 200);
  ASSERT_EQ(ticks.size(), 11u);
  EXPECT_EQ(ticks.front(), 0);
  EXPECT_EQ(ticks.back(), 2000);
  EXPECT_EQ(tickValues(100, 400, 100).size(), 4u);
  EXPECT_EQ(tickValues(0, 0, 50).size(), 1u);
  EXPECT_TRUE(tickValues(0, -1, 50).empty());
  EXPECT_TRUE(tickValues(0, 100, 0).empty());
  EXPECT_TRUE(tickValues(0, std::numeric_limits<double>::infinity(), 50).empty());
  EXPECT_EQ(tickValues(0, 1e12, 50).size(), static_cast<std::size_t>(kMaxTicks));
}

TEST(PlanView, WidePaneTakesItsScaleFromTheHeight) {
  // D 300 and R 30 in a pane twice as wide as tall: 440 m down, 880 m across.
  const PlotScale s = planViewScale(6000, 3000, 300, 30);
  EXPECT_DOUBLE_EQ(s.height, 440);
  EXPECT_DOUBLE_EQ(s.width, 880);
  const PlotPoint c = planViewOrigin(45, s);
  EXPECT_DOUBLE_EQ(c.x, 220);
  EXPECT_DOUBLE_EQ(c.y, 330);
}

TEST(PlanView, TallOrSquarePaneTakesItsScaleFromTheWidth) {
  PlotScale s = planViewScale(3000, 6000, 300, 30);
  EXPECT_DOUBLE_EQ(s.width, 440);
  EXPECT_DOUBLE_EQ(s.height, 880);
  s = planViewScale(4000, 4000, 300, 30);
  EXPECT_DOUBLE_EQ(s.width, 440);
  EXPECT_DOUBLE_EQ(s.height, 440);
  s = planViewScale(0, 4000, 300, 30);
  EXPECT_EQ(s.width, 0);
}

TEST(PlanView, WellheadSitsOppositeTheTargetDirection) {
  const PlotScale s{400, 800};
  struct Case {
    double azimuth, x, y;
  };
  const Case cases[] = {{0, 200, 600},   {30, 100, 600},  {90, 100, 400},  {100, 100, 200},
                        {180, 200, 200}, {269, 300, 200}, {270, 300, 400}, {359.9, 300, 600},
                        {360, 0, 0},     {-1, 0, 0}};
  for (const Case& c : cases) {
    const PlotPoint p = planViewOrigin(c.azimuth, s);
    EXPECT_DOUBLE_EQ(p.x, c.x) << c.azimuth;
    EXPECT_DOUBLE_EQ(p.y, c.y) << c.azimuth;
  }
  const PlotPoint nan = planViewOrigin(std::nan(""), s);
  EXPECT_EQ(nan.x, 0);
  EXPECT_EQ(nan.y, 0);
}

TEST(PlanView, TheTargetFallsInsideThePaneForEveryDirection) {
  // Whatever the bearing, a target D away from the wellhead must be on screen with its ring.
  const PlotScale s = planViewScale(5000, 4000, 300, 30);
  for (double a = 0; a < 360; a += 7.5) {
    const PlotPoint c = planViewOrigin(a, s);
    const double rad = a * M_PI / 180;
    const double tx = c.x + 300 * std::sin(rad);
    const double ty = c.y - 300 * std::cos(rad);
    EXPECT_GE(tx - 30, -1e-9) << a;
    EXPECT_LE(tx + 30, s.width + 1e-9) << a;
    EXPECT_GE(ty - 30, -1e-9) << a;
    EXPECT_LE(ty + 30, s.height + 1e-9) << a;
  }
}

TEST(Section, ScaleFollowsTheTargetDepthInWholeHundreds) {
  const PlotScale s = sectionScale(3000, 6000, 1850);
  EXPECT_DOUBLE_EQ(s.height, 2701.5);
  EXPECT_DOUBLE_EQ(s.width, 1350.75);
  const PlotPoint o = sectionOrigin(s);
  EXPECT_DOUBLE_EQ(o.y, 337.6875);
  EXPECT_DOUBLE_EQ(o.x, 1350.75 / 8);
  EXPECT_DOUBLE_EQ(sectionScale(3000, 6000, 1899.9).height, 2701.5);
  EXPECT_DOUBLE_EQ(sectionScale(3000, 6000, 50).height, 1.5);
}

TEST(PagePlan, EightDirectionsPutTheWellheadAndArcsInsideTheSquare) {
  const PlotScale sc = pageScale(11906, 16838, 300, 30);
  EXPECT_DOUBLE_EQ(sc.width, 825);
  EXPECT_DOUBLE_EQ(sc.height, 16838 * 825.0 / 11906);
  const double azimuths[] = {0, 45, 90, 135, 180, 225, 270, 315};
  for (double a : azimuths) {
    const PagePlan p = pagePlan(a, sc, 300, 30);
    const double S = p.side;
    EXPECT_DOUBLE_EQ(S, 330);
    EXPECT_DOUBLE_EQ(p.left, 0.9 * 825 - 1.1 * S);
    EXPECT_DOUBLE_EQ(p.top, sc.height / 7);
    // Walk each ring arc counter-clockwise: rings of half the side fit the square in every
    // direction, full-side rings too when the wellhead sits in a corner.
    double span = p.arcEnd - p.arcStart;
    if (span <= 0) span += 2 * M_PI;
    const bool axis = a == 0 || a == 90 || a == 180 || a == 270;
    EXPECT_NEAR(span, axis ? M_PI : M_PI / 2, 1e-9) << a;
    for (double r : {0.5 * S, axis ? 0.5 * S : S}) {
      for (int i = 0; i <= 20; ++i) {
        const double ang = p.arcStart + span * i / 20;
        const double x = p.wellhead.x + r * std::cos(ang);
        const double y = p.wellhead.y - r * std::sin(ang);
        EXPECT_GE(x, p.left - 1e-6) << a;
        EXPECT_LE(x, p.left + 1.1 * S + 1e-6) << a;
        EXPECT_GE(y, p.top - 1e-6) << a;
        EXPECT_LE(y, p.top + 1.1 * S + 1e-6) << a;
      }
    }
    // The target, D away along the azimuth, lies inside the square as well.
    const double rad = a * M_PI / 180;
    const double tx = p.wellhead.x + 300 * std::sin(rad);
    const double ty = p.wellhead.y - 300 * std::cos(rad);
    EXPECT_GT(tx, p.left) << a;
    EXPECT_LT(tx, p.left + 1.1 * S) << a;
    EXPECT_GT(ty, p.top) << a;
    EXPECT_LT(ty, p.top + 1.1 * S) << a;
    // Labels go up the vertical axis exactly when the rings reach north.
    double north = M_PI / 2 - p.arcStart;
    while (north < -1e-9) north += 2 * M_PI;
    EXPECT_EQ(p.labelDirection, north <= span + 1e-9 ? -1 : 1) << a;
  }
  EXPECT_EQ(pagePlan(45, sc, 300, 30).labelShift, -1);
  EXPECT_EQ(pagePlan(135, sc, 300, 30).labelShift, -1);
  EXPECT_EQ(pagePlan(0, sc, 300, 30).labelShift, 0);
}

TEST(PagePlan, AzimuthOutsideTheCircleStaysInTheSquare) {
  const PlotScale sc = pageScale(11906, 16838, 300, 30);
  const PagePlan p = pagePlan(400, sc, 300, 30);
  EXPECT_DOUBLE_EQ(p.wellhead.x, p.left);
  EXPECT_DOUBLE_EQ(p.wellhead.y, p.top);
  EXPECT_NE(p.arcStart, p.arcEnd);
}

TEST(PageSection, FinalDepthSpansTheSetShareOfThePage) {
  EXPECT_DOUBLE_EQ(pageSectionFactor(2000, 1850, 1900, 1000), 2000 / 675.0);
  // Without a designed final depth the deeper of target and survey scales it.
  EXPECT_DOUBLE_EQ(pageSectionFactor(0, 1850, 1900, 1000), 1900 / 675.0);
  EXPECT_DOUBLE_EQ(pageSectionFactor(0, 1850, 0, 1000), 1850 / 675.0);
  EXPECT_EQ(pageSectionFactor(0, 0, 0, 1000), 0);
  EXPECT_EQ(pageSectionFactor(2000, 0, 0, 0), 0);
  EXPECT_DOUBLE_EQ(pageSectionFactor(std::nan(""), 1850, 0, 1000), 1850 / 675.0);
}

TEST(Splitter, PanesKeep1500FromEitherEdge) {
  double x = 100;
  PaneLayout l = SizePanes(x, 9000, 6000, 0, 300);
  EXPECT_EQ(x, 1500);
  EXPECT_EQ(l.picture1Width, 1500);
  EXPECT_EQ(l.splitterLeft, 1500);
  EXPECT_EQ(l.picture2Left, 1540);
  EXPECT_EQ(l.picture2Width, 9000 - 1640);
  EXPECT_EQ(l.title0Width, 1500);
  EXPECT_EQ(l.title1Left, 1560);
  EXPECT_EQ(l.title1Width, 9000 - 1640 - 40);
  EXPECT_EQ(l.paneTop, 300);
  EXPECT_EQ(l.paneHeight, 5700);

  x = 8000;
  l = SizePanes(x, 9000, 6000, 0, 300);
  EXPECT_EQ(x, 7500);
  x = 4000;
  SizePanes(x, 9000, 6000, 0, 300);
  EXPECT_EQ(x, 4000);
  // In a window too narrow for both limits the right-hand one wins.
  x = 100;
  SizePanes(x, 2000, 6000, 0, 300);
  EXPECT_EQ(x, 500);
}

TEST(Splitter, DragBarStops500FromEitherEdge) {
  EXPECT_EQ(splitterBarLeft(-300, 9000), 500);
  EXPECT_EQ(splitterBarLeft(499, 9000), 500);
  EXPECT_EQ(splitterBarLeft(4000, 9000), 4000);
  EXPECT_EQ(splitterBarLeft(8600, 9000), 8500);
}

}  // namespace
}  // namespace tarsek
