#include "plot/trajectory_plot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "plot/plot_geometry.h"
#include "plot/plot_test_wells.h"
#include "print/recording_surface.h"

namespace tarsek {
namespace {

using Call = RecordingSurface::Call;
using testing::singleTargetWell;
using testing::twoTargetWell;

std::vector<Call> withColour(const std::vector<Call>& calls, Colour c) {
  std::vector<Call> out;
  for (const Call& k : calls)
    if (k.colour == c) out.push_back(k);
  return out;
}

bool hasText(const RecordingSurface& s, const std::string& t) {
  const auto texts = s.texts();
  return std::find(texts.begin(), texts.end(), t) != texts.end();
}

// A pane of 6000 x 3000 twips: wider than tall.
constexpr double kPaneW = 6000;
constexpr double kPaneH = 3000;

TEST(PlanViewDrawing, NoWellDrawsNothingAndNoDisplacementOnlyClears) {
  WellState s = singleTargetWell();
  RecordingSurface pane(kPaneW, kPaneH);
  s.well.wellNo.clear();
  DrawPlanView(pane, s);
  EXPECT_TRUE(pane.calls().empty());

  s = singleTargetWell();
  s.well.designDisplacement1 = 0;
  DrawPlanView(pane, s);
  ASSERT_EQ(pane.calls().size(), 1u);
  EXPECT_EQ(pane.calls()[0].op, "clear");

  pane.reset();
  s.well.designDisplacement1 = std::numeric_limits<double>::quiet_NaN();
  DrawPlanView(pane, s);
  EXPECT_EQ(pane.calls().size(), 1u);
}

TEST(PlanViewDrawing, RingsTargetsAndSurveyAboutTheWellhead) {
  const WellState s = singleTargetWell();
  RecordingSurface pane(kPaneW, kPaneH);
  DrawPlanView(pane, s);
  EXPECT_DOUBLE_EQ(pane.scaleHeight(), 440);
  EXPECT_DOUBLE_EQ(pane.scaleWidth(), 880);
  EXPECT_DOUBLE_EQ(pane.fontSize(), kPaneW * 10 / 9500);
  const double cx = 220, cy = 330;

  // Rings every 50 m out to the scale width, each labelled four times with signed values.
  const auto blueCircles = withColour(pane.callsOf("circle"), kBlue);
  ASSERT_EQ(blueCircles.size(), 18u);  // 0, 50, ... 850
  EXPECT_DOUBLE_EQ(blueCircles[3].x2, 150);
  EXPECT_DOUBLE_EQ(blueCircles[3].x, cx);
  EXPECT_DOUBLE_EQ(blueCircles[3].y, cy);
  int found = 0;
  for (const Call& t : pane.callsOf("text")) {
    if (t.text == "150" && t.x == cx && t.y == cy - 150) ++found;
    if (t.text == "-150" && t.x == cx && t.y == cy + 150) ++found;
    if (t.text == "-150" && t.x == cx - 150 && t.y == cy) ++found;
    if (t.text == "150" && t.x == cx + 150 && t.y == cy) ++found;
  }
  EXPECT_EQ(found, 4);
  EXPECT_TRUE(hasText(pane, "E"));
  EXPECT_TRUE(hasText(pane, "N"));

  // The target 300 m out at 45 degrees, north up and east right.
  const double off = 300 * std::sin(M_PI / 4);
  const auto redCircles = withColour(pane.callsOf("circle"), kRed);
  ASSERT_EQ(redCircles.size(), 1u);
  EXPECT_NEAR(redCircles[0].x, cx + off, 1e-9);
  EXPECT_NEAR(redCircles[0].y, cy - off, 1e-9);
  EXPECT_DOUBLE_EQ(redCircles[0].x2, 30);
  const auto redLines = withColour(pane.callsOf("line"), kRed);
  ASSERT_EQ(redLines.size(), 1u);
  EXPECT_DOUBLE_EQ(redLines[0].x, cx);
  EXPECT_NEAR(redLines[0].y2, cy - off, 1e-9);

  // The survey: a blue line into each station from the previous one, a point at each.
  const auto bluePoints = withColour(pane.callsOf("point"), kBlue);
  ASSERT_EQ(bluePoints.size(), 4u);
  EXPECT_NEAR(bluePoints[3].x, cx + s.well.results[3].east, 1e-9);
  EXPECT_NEAR(bluePoints[3].y, cy - s.well.results[3].north, 1e-9);

  // The crossing of the target depth: a green line from the wellhead and a red point.
  const auto green = withColour(pane.callsOf("line"), kGreen);
  ASSERT_EQ(green.size(), 1u);
  EXPECT_DOUBLE_EQ(green[0].x, cx);
  EXPECT_DOUBLE_EQ(green[0].y, cy);
  EXPECT_NEAR(green[0].x2, cx + s.target1Hit.result.east, 1e-9);
  const auto redPoints = withColour(pane.callsOf("point"), kRed);
  ASSERT_EQ(redPoints.size(), 1u);
  EXPECT_NEAR(redPoints[0].y, cy - s.target1Hit.result.north, 1e-9);
}

TEST(PlanViewDrawing, ATargetNotPassedHasNoCrossingMark) {
  WellState s = twoTargetWell();
  s.target2Hit.crossed = false;  // the survey stops between the targets
  RecordingSurface pane(kPaneW, kPaneH);
  DrawPlanView(pane, s);
  EXPECT_EQ(withColour(pane.callsOf("line"), kGreen).size(), 1u);
  EXPECT_EQ(withColour(pane.callsOf("point"), kRed).size(), 1u);
}

TEST(PlanViewDrawing, TwoTargetWellDrawsBothTargetsAndCrossings) {
  const WellState s = twoTargetWell();
  RecordingSurface pane(kPaneW, kPaneH);
  DrawPlanView(pane, s);
  // The scale follows target 2: (500 + 30) * 4 / 3 down the wide pane.
  EXPECT_NEAR(pane.scaleHeight(), 530 * 4 / 3.0, 1e-9);
  EXPECT_EQ(withColour(pane.callsOf("circle"), kRed).size(), 2u);
  EXPECT_EQ(withColour(pane.callsOf("line"), kRed).size(), 2u);
  EXPECT_EQ(withColour(pane.callsOf("line"), kGreen).size(), 2u);
  EXPECT_EQ(withColour(pane.callsOf("point"), kRed).size(), 2u);
}

TEST(PlanViewDrawing, FarOffsetWellKeepsTheRingCountBounded) {
  WellState s = singleTargetWell();
  s.well.designDisplacement1 = 1e9;
  RecordingSurface pane(kPaneW, kPaneH);
  DrawPlanView(pane, s);
  EXPECT_LE(pane.callsOf("circle").size(), static_cast<std::size_t>(kMaxTicks) + 1);
}

TEST(PlanViewDrawing, OddRecordsDrawOnlyWhatCanBePlaced) {
  WellState s = singleTargetWell();
  s.well.stationCount = 30000;
  RecordingSurface pane(kPaneW, kPaneH);
  DrawPlanView(pane, s);
  EXPECT_EQ(withColour(pane.callsOf("point"), kBlue).size(), 5u);

  // A station without a finite position is skipped on every drawing; nothing goes to infinity.
  s = singleTargetWell();
  s.well.results[2].north = std::numeric_limits<double>::quiet_NaN();
  s.well.results[2].tvd = std::numeric_limits<double>::infinity();
  s.target1Hit.result.east = std::numeric_limits<double>::quiet_NaN();
  RecordingSurface plan(kPaneW, kPaneH), section(kPaneW, kPaneH), page;
  DrawPlanView(plan, s);
  DrawVerticalSection(section, s);
  DrawTrajectoryPlot(page, s);
  for (const RecordingSurface* r : {&plan, &section, &page}) {
    for (const Call& c : r->calls())
      EXPECT_TRUE(std::isfinite(c.x) && std::isfinite(c.y) && std::isfinite(c.x2) &&
                  std::isfinite(c.y2))
          << c.op << " " << c.args;
  }
  EXPECT_EQ(withColour(plan.callsOf("point"), kBlue).size(), 3u);
  EXPECT_EQ(withColour(section.callsOf("point"), kBlue).size(), 3u);
}

TEST(SectionDrawing, TicksAndOriginFollowTheTargetDepth) {
  const WellState s = singleTargetWell();
  RecordingSurface pane(kPaneW / 2, kPaneH * 2);
  DrawVerticalSection(pane, s);
  EXPECT_DOUBLE_EQ(pane.scaleHeight(), 2701.5);
  const double x0 = pane.scaleWidth() / 8;
  const double y0 = 337.6875;
  EXPECT_DOUBLE_EQ(pane.fontSize(), kPaneW / 2 * 10 / 4500);

  // Depth labels 0, 200, ... 2000 at the left edge, ticks leftward from the axis.
  std::vector<std::string> depthLabels;
  for (const Call& t : pane.callsOf("text"))
    if (t.x == 0) depthLabels.push_back(t.text);
  ASSERT_EQ(depthLabels.size(), 12u);
  EXPECT_EQ(depthLabels[1], "200");
  EXPECT_EQ(depthLabels[10], "2000");
  EXPECT_EQ(depthLabels[11], "1850");

  const auto red = withColour(pane.callsOf("line"), kRed);
  // The target-depth tick and the target window, 2R wide about D at T.
  ASSERT_GE(red.size(), 2u);
  EXPECT_DOUBLE_EQ(red[0].y, y0 + 1850);
  EXPECT_DOUBLE_EQ(red[0].x2, 7 * x0 / 8);
  EXPECT_DOUBLE_EQ(red[1].x, x0 + 270);
  EXPECT_DOUBLE_EQ(red[1].x2, x0 + 330);
  EXPECT_DOUBLE_EQ(red[1].y, y0 + 1850);

  // Displacement ticks every 200 m up to D + 200, pointing up by R.
  int dispTicks = 0;
  for (const Call& l : withColour(pane.callsOf("line"), kBlue))
    if (std::fabs(l.y - y0) < 1e-9 && std::fabs(l.y2 - (y0 - 30)) < 1e-9 && l.x == l.x2)
      ++dispTicks;
  EXPECT_EQ(dispTicks, 3);  // 0, 200, 400

  // Design in red, survey in blue, each from the wellhead through its points.
  const auto redPoints = withColour(pane.callsOf("point"), kRed);
  ASSERT_EQ(redPoints.size(), 3u);
  EXPECT_DOUBLE_EQ(redPoints[2].x, x0 + 300);
  EXPECT_DOUBLE_EQ(redPoints[2].y, y0 + 1850);
  const auto bluePoints = withColour(pane.callsOf("point"), kBlue);
  ASSERT_EQ(bluePoints.size(), 4u);
  EXPECT_DOUBLE_EQ(bluePoints[3].x, x0 + 310);
  EXPECT_DOUBLE_EQ(bluePoints[3].y, y0 + 1900);
}

// Labels on one line, in order along it, each ending before the next begins (the wellhead's
// "0", printed once per axis direction in one place, counted once).
void expectApart(RecordingSurface& pane, std::vector<Call> labels) {
  std::sort(labels.begin(), labels.end(), [](const Call& a, const Call& b) { return a.x < b.x; });
  for (std::size_t i = 0; i + 1 < labels.size(); ++i) {
    if (labels[i].x == labels[i + 1].x) continue;
    pane.setFontSize(labels[i].fontSize);
    EXPECT_LE(labels[i].x + pane.textWidth(labels[i].text), labels[i + 1].x + 1e-9)
        << labels[i].text << " runs into " << labels[i + 1].text;
  }
}

TEST(PaneLabels, TheFontFollowsThePaneWidthAndLabelsShrinkOnlyToFit) {
  const WellState s = singleTargetWell();
  for (const double width : {2000.0, 30000.0}) {
    RecordingSurface section(width, 4500);
    DrawVerticalSection(section, s);
    EXPECT_DOUBLE_EQ(section.fontSize(), width * 10 / 4500);
    std::vector<Call> displacements;
    for (const Call& t : section.callsOf("text"))
      if (t.y == section.scaleHeight() / 8 && t.x > 0) displacements.push_back(t);
    ASSERT_EQ(displacements.size(), 3u);  // 0, 200, 400
    // A narrow pane's labels have room at the rule's size.
    if (width == 2000) {
      EXPECT_EQ(displacements[2].fontSize, section.fontSize());
    }
    expectApart(section, displacements);

    RecordingSurface plan(width, width / 8);
    DrawPlanView(plan, s);
    EXPECT_DOUBLE_EQ(plan.fontSize(), width * 10 / 9500);
    std::vector<Call> east;
    for (const Call& t : plan.callsOf("text"))
      if (t.y == 3 * plan.scaleHeight() / 4 && t.text != "E") east.push_back(t);
    expectApart(plan, east);
  }
}

TEST(SectionDrawing, TwoTargetWellFollowsTheSecondTarget) {
  const WellState s = twoTargetWell();
  RecordingSurface pane(kPaneW / 2, kPaneH * 2);
  DrawVerticalSection(pane, s);
  EXPECT_DOUBLE_EQ(pane.scaleHeight(), 24.01 * 150);
  const double x0 = pane.scaleWidth() / 8;
  const double y0 = pane.scaleHeight() / 8;
  std::vector<Call> windows;
  for (const Call& l : withColour(pane.callsOf("line"), kRed))
    if (l.y == l.y2 && l.x > x0) windows.push_back(l);
  ASSERT_EQ(windows.size(), 2u);
  EXPECT_DOUBLE_EQ(windows[0].x, x0 + 470);
  EXPECT_DOUBLE_EQ(windows[0].y, y0 + 2400);
  EXPECT_DOUBLE_EQ(windows[1].x, x0 + 270);
  EXPECT_DOUBLE_EQ(windows[1].y, y0 + 1850);
  EXPECT_TRUE(hasText(pane, "2600"));
  EXPECT_FALSE(hasText(pane, "2800"));
}

TEST(SectionDrawing, NoTargetDepthLeavesOutBothTrajectories) {
  WellState s = singleTargetWell();
  s.well.target1Tvd = 0;
  RecordingSurface pane(kPaneW / 2, kPaneH * 2);
  DrawVerticalSection(pane, s);
  EXPECT_TRUE(pane.callsOf("point").empty());
  EXPECT_FALSE(pane.callsOf("line").empty());
}

// --- page ---------------------------------------------------------------------------------------

TEST(PlotPage, NothingWithoutStationsOrDisplacement) {
  WellState s = singleTargetWell();
  RecordingSurface page;
  s.well.stationCount = 0;
  DrawTrajectoryPlot(page, s);
  EXPECT_TRUE(page.calls().empty());
  s = singleTargetWell();
  s.well.designDisplacement1 = 0;
  DrawTrajectoryPlot(page, s);
  EXPECT_TRUE(page.calls().empty());
}

TEST(PlotPage, TitleFrameAndPlanSquare) {
  const WellState s = singleTargetWell();
  RecordingSurface page;
  page.setFontSize(10);
  DrawTrajectoryPlot(page, s);
  const double Sw = 825;
  const double Sh = 16838 * Sw / 11906;
  EXPECT_DOUBLE_EQ(page.scaleWidth(), Sw);
  EXPECT_DOUBLE_EQ(page.scaleHeight(), Sh);
  EXPECT_EQ(page.fontSize(), 10);
  EXPECT_EQ(page.lineWidth(), 1);
  EXPECT_FALSE(page.dotted());

  const Call title = page.callsOf("text").front();
  EXPECT_EQ(title.text, "测试1井垂直剖面和水平投影图");
  EXPECT_EQ(title.fontSize, 14);
  EXPECT_DOUBLE_EQ(title.y, Sh / 10);
  // Centred: thirteen full-em characters and one half-em digit at 14 points.
  const double width = (13 * 20 + 10) * 14 / (11906 / Sw);
  EXPECT_NEAR(title.x, Sw / 2 - width / 2, 1e-9);

  const auto boxes = page.callsOf("box");
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_DOUBLE_EQ(boxes[0].x, Sw / 10);
  EXPECT_DOUBLE_EQ(boxes[0].y2, 7 * Sh / 8);
  EXPECT_EQ(boxes[0].lineWidth, 3);
  EXPECT_DOUBLE_EQ(boxes[1].x, 0.9 * Sw - 1.1 * 330);
  EXPECT_DOUBLE_EQ(boxes[1].y2, Sh / 7 + 1.1 * 330);
}

TEST(PlotPage, RingLabelsReadTheirHeightAboveTheWellhead) {
  for (double a : {0.0, 45.0, 90.0, 135.0, 180.0, 225.0, 270.0, 315.0}) {
    WellState s = singleTargetWell();
    s.well.designAzimuth = a;
    RecordingSurface page;
    DrawTrajectoryPlot(page, s);
    const auto arcs = withColour(page.callsOf("circle"), kBlue);
    ASSERT_EQ(arcs.size(), 7u) << a;  // 0 .. 300 by 50, within S = 330
    const double cy = arcs[0].y;
    const double half = page.textHeight("1000") / 2;
    int labels = 0;
    for (const Call& t : page.callsOf("text")) {
      if (t.text.find("井") != std::string::npos) continue;
      const double value = std::stod(t.text);
      if (std::fabs(std::fabs(value) - 150) > 1e-9) continue;
      EXPECT_NEAR(cy - (t.y + half), value, 1e-9) << a;
      ++labels;
    }
    EXPECT_EQ(labels, 1) << a;
    EXPECT_EQ(arcs[6].lineWidth, 3);
  }
}

TEST(PlotPage, TargetLinesDottedAndTheSectionOnItsOwnScale) {
  const WellState s = singleTargetWell();
  RecordingSurface page;
  DrawTrajectoryPlot(page, s);
  const double Sw = 825;
  const double Sh = 16838 * Sw / 11906;
  const double k = 2000 / (0.675 * Sh);
  const double qx = Sw / 7, qy = Sh / 6;

  const auto red = withColour(page.callsOf("line"), kRed);
  ASSERT_FALSE(red.empty());
  EXPECT_TRUE(red[0].dotted);
  EXPECT_EQ(red[0].lineWidth, 1);
  const auto targetCircle = withColour(page.callsOf("circle"), kRed);
  ASSERT_EQ(targetCircle.size(), 1u);
  EXPECT_DOUBLE_EQ(targetCircle[0].x2, 30);

  // Survey in solid blue through (section / k, tvd / k); the deepest station at 1900 m.
  const auto points = page.callsOf("point");
  bool surveyEnd = false;
  for (const Call& p : points)
    if (p.colour == kBlue && std::fabs(p.x - (qx + 310 / k)) < 1e-9 &&
        std::fabs(p.y - (qy + 1900 / k)) < 1e-9) {
      surveyEnd = true;
      EXPECT_FALSE(p.dotted);
    }
  EXPECT_TRUE(surveyEnd);
  // Design in dotted red.
  int designPoints = 0;
  for (const Call& p : points)
    if (p.colour == kRed && p.dotted) {
      ++designPoints;
      EXPECT_GT(p.x, qx - 1e-9);
    }
  EXPECT_EQ(designPoints, 3);

  // Axes end in arrowheads 9.5 back and 3.5 aside.
  const double bottom = 7 * Sh / 8;
  const double right = qx + 400 / k;
  int heads = 0;
  for (const Call& l : withColour(page.callsOf("line"), kBlue)) {
    auto near = [](double a, double b) { return std::fabs(a - b) < 1e-9; };
    if (near(l.x, qx) && near(l.y, bottom) && near(l.y2, bottom - 9.5) &&
        near(std::fabs(l.x2 - qx), 3.5))
      ++heads;
    if (near(l.x, right) && near(l.y, qy) && near(l.x2, right - 9.5) &&
        near(std::fabs(l.y2 - qy), 3.5))
      ++heads;
  }
  EXPECT_EQ(heads, 4);

  // Depth ticks to T + 200 and displacement ticks from 100 to D + 100 labelled in whole metres.
  EXPECT_TRUE(hasText(page, "2000"));
  EXPECT_TRUE(hasText(page, "1850"));
  EXPECT_TRUE(hasText(page, "400"));
  int dispLabels = 0;
  for (const Call& t : page.callsOf("text"))
    if (std::fabs(t.y - (qy + 30 / k)) < 1e-9) ++dispLabels;
  EXPECT_EQ(dispLabels, 4);  // 100 .. 400
  // The target window, 2R wide about the design displacement at the target depth.
  bool window = false;
  for (const Call& l : red)
    if (std::fabs(l.x - (qx + 270 / k)) < 1e-9 && std::fabs(l.x2 - (qx + 330 / k)) < 1e-9 &&
        std::fabs(l.y - (qy + 1850 / k)) < 1e-9)
      window = true;
  EXPECT_TRUE(window);
}

TEST(PlotPage, TwoTargetPageDrawsBothTargetsAndWindows) {
  const WellState s = twoTargetWell();
  RecordingSurface page;
  DrawTrajectoryPlot(page, s);
  EXPECT_DOUBLE_EQ(page.scaleWidth(), 530 * 2.5);
  EXPECT_EQ(withColour(page.callsOf("circle"), kRed).size(), 2u);
  EXPECT_EQ(withColour(page.callsOf("line"), kGreen).size(), 2u);
  int windows = 0;
  for (const Call& l : withColour(page.callsOf("line"), kRed))
    if (l.y == l.y2 && l.x2 > l.x && !l.dotted && l.x > page.scaleWidth() / 7) ++windows;
  EXPECT_EQ(windows, 2);
}

TEST(PlotPage, WithoutAFinalDesignDepthTheSectionStillFits) {
  WellState s = singleTargetWell();
  s.well.designFinalTvd = 0;
  RecordingSurface page;
  DrawTrajectoryPlot(page, s);
  for (const Call& c : page.calls()) {
    EXPECT_TRUE(std::isfinite(c.x) && std::isfinite(c.y)) << c.op;
    EXPECT_TRUE(std::isfinite(c.x2) && std::isfinite(c.y2)) << c.op;
  }
  // The deepest station now ends 0.675 of the page below the section origin.
  double deepest = 0;
  for (const Call& p : withColour(page.callsOf("point"), kBlue)) deepest = std::max(deepest, p.y);
  EXPECT_NEAR(deepest, page.scaleHeight() / 6 + 0.675 * page.scaleHeight(), 1e-9);
}

}  // namespace
}  // namespace tarsek
