#include "anticollision/anticollision_chart.h"

#include <gtest/gtest.h>

#include <cmath>

#include "print/recording_surface.h"

namespace tarsek {
namespace {

using Call = RecordingSurface::Call;

WellRecord wellWith(const std::string& name, double wx, double wy,
                    const std::vector<std::array<double, 3>>& tvdNorthEast) {
  WellRecord w;
  w.wellNo = name;
  w.wellheadX = wx;
  w.wellheadY = wy;
  w.stationCount = static_cast<std::int16_t>(tvdNorthEast.size());
  w.stations.assign(tvdNorthEast.size() + 1, SurveyStation{});
  w.results.assign(tvdNorthEast.size() + 1, StationResult{});
  for (std::size_t i = 0; i < tvdNorthEast.size(); ++i) {
    w.stations[i].md = tvdNorthEast[i][0];
    w.results[i].tvd = tvdNorthEast[i][0];
    w.results[i].north = tvdNorthEast[i][1];
    w.results[i].east = tvdNorthEast[i][2];
  }
  return w;
}

std::vector<std::string> ringTexts(const RecordingSurface& s, Colour ringColour) {
  std::vector<std::string> out;
  for (const Call& c : s.callsOf("text"))
    if (c.colour == ringColour && !c.text.empty()) out.push_back(c.text);
  return out;
}

TEST(ChartFrames, TrendChartAtZoom25WithoutDisplacement) {
  const ChartFrame f = trendChartFrame(25, 0, 6000, 3000, 0, 0);
  EXPECT_DOUBLE_EQ(f.scaleHeight, 2);  // 50 / 25 = 2, the minimum
  EXPECT_DOUBLE_EQ(f.scaleWidth, 4);
  EXPECT_DOUBLE_EQ(f.reach, 25);
  EXPECT_DOUBLE_EQ(f.ringStep, 4);
  EXPECT_EQ(f.rings, (std::vector<double>{4, 8, 12, 16, 20, 24}));
  const ChartFrame g = trendChartFrame(60, 0, 6000, 3000, 0, 0);
  EXPECT_DOUBLE_EQ(g.scaleHeight, 2);  // below the minimum: held at 2
  const ChartFrame p = trendChartFrame(10, 500, 6000, 3000, 3, -4);
  EXPECT_DOUBLE_EQ(p.scaleHeight, 100);
  EXPECT_DOUBLE_EQ(p.cx, 100 - 3);
  EXPECT_DOUBLE_EQ(p.cy, 50 + 4);
  EXPECT_EQ(p.rings.size(), 50u);  // every 10 m up to 500 m
}

TEST(ChartFrames, SpacingChartAtZoom10) {
  const ChartFrame f = spacingChartFrame(10, 4500, 3000);
  EXPECT_DOUBLE_EQ(f.scaleHeight, 100);
  EXPECT_DOUBLE_EQ(f.scaleWidth, 150);
  EXPECT_DOUBLE_EQ(f.ringStep, 5);
  EXPECT_DOUBLE_EQ(f.cx, 75);
  EXPECT_DOUBLE_EQ(f.cy, 50);
  ASSERT_EQ(f.rings.size(), 15u);  // up to the larger half-extent, 75 m
  EXPECT_DOUBLE_EQ(f.rings.back(), 75);
  EXPECT_EQ(ringLabel(5, false), "5.0");
  EXPECT_EQ(ringLabel(50.0 / 60, false), ".8");
  EXPECT_EQ(ringLabel(50.0 / 60, true), "0.8");
  // A zoom the scroll bar cannot give must still yield a finite frame.
  EXPECT_TRUE(std::isfinite(spacingChartFrame(0, 4500, 3000).scaleWidth));
  EXPECT_TRUE(std::isfinite(spacingChartFrame(10, 4500, 0).scaleWidth));
}

struct ChartFixture : ::testing::Test {
  WellState session;
  ClearanceScan scan;
  RecordingSurface surface{4500, 3000};
  const Colour green = rgb(10, 200, 30);
  void SetUp() override {
    session.well = wellWith("本井", 1000, 2000, {{0, 0, 0}, {100, 1, 2}, {200, 3, 5}});
    session.neighbourWells.push_back(
        wellWith("邻1", 1010, 1995, {{0, 0, 0}, {150, -2, 1}, {300, -4, 3}}));
    session.neighbourColours.push_back(green);
    ASSERT_TRUE(scanClearance(session, 100, scan));
  }
};

TEST_F(ChartFixture, SpacingChartDrawsRingsAxesAndTrackAroundTheFixedCentre) {
  scan.closestOffsetEast = 1.5;
  scan.closestOffsetNorth = 2;
  PlanPoint marker;
  const ChartFrame f = drawSpacingChart(surface, session, scan, 10, &marker);
  EXPECT_DOUBLE_EQ(marker.east, 75 + 1.5);
  EXPECT_DOUBLE_EQ(marker.north, 50 - 2);
  EXPECT_EQ(surface.calls().front().op, "clear");
  const std::vector<std::string> labels = ringTexts(surface, kBlue);
  ASSERT_EQ(labels.size(), 15u);
  EXPECT_EQ(labels[0], "5.0");
  EXPECT_EQ(labels[1], "10.0");
  // Ring labels hang from the ring's top, on the vertical axis.
  const Call firstLabel = surface.callsOf("text")[1];
  EXPECT_DOUBLE_EQ(firstLabel.x, 75);
  EXPECT_DOUBLE_EQ(firstLabel.y, 45);

  // Track: one line, one dot and one small circle per sample, in the neighbour's colour.
  const std::size_t m = scan.tracks[0].samples.size();
  ASSERT_EQ(m, 3u);
  std::size_t lines = 0, dots = 0, marks = 0;
  for (const Call& c : surface.calls()) {
    if (c.colour != green) continue;
    lines += c.op == "line";
    dots += c.op == "point";
    marks += c.op == "circle" && std::fabs(c.x2 - kStationMarkRadius) < 1e-9;
  }
  EXPECT_EQ(lines, m);
  EXPECT_EQ(dots, m);
  EXPECT_EQ(marks, m);
  const ClearanceSample& s2 = scan.tracks[0].samples[2];
  const Call dot = surface.callsOf("point").back();
  EXPECT_NEAR(dot.x, f.cx + s2.dEast, 1e-9);
  EXPECT_NEAR(dot.y, f.cy - s2.dNorth, 1e-9);
  // The name is printed at the sample-0 point: 10 m north, 5 m west of the centre.
  const Call name = surface.callsOf("text").back();
  EXPECT_EQ(name.text, "邻1");
  EXPECT_NEAR(name.x, 75 - 5, 1e-9);
  EXPECT_NEAR(name.y, 50 - 10, 1e-9);
}

TEST_F(ChartFixture, MarksOutsideThePictureAreSkippedButLinesIntoItAreNot) {
  scan.tracks[0].samples[1].dEast = 1000;  // far east of a 150 m wide view
  scan.tracks[0].samples[2].dEast = 1100;
  drawSpacingChart(surface, session, scan, 10);
  std::size_t lines = 0, dots = 0;
  for (const Call& c : surface.calls()) {
    if (c.colour != green) continue;
    lines += c.op == "line";
    dots += c.op == "point";
  }
  EXPECT_EQ(dots, 1u);   // only sample 0 lies inside
  EXPECT_EQ(lines, 2u);  // sample 0 to itself and the line leaving the view; not 1 to 2
}

TEST_F(ChartFixture, MarksWithinHalfAPixelOfTheLastAreLeftOut) {
  // Three samples at one place (a vertical stretch), then one 10 cm on: at zoom 10 a metre is
  // 30 twips, so 10 cm is 3 twips, under half a 15-twip pixel; the next, 1 m on, is drawn.
  scan.tracks[0].samples.assign(5, ClearanceSample{scan.tracks[0].samples[0]});
  scan.tracks[0].samples[3].dEast += 0.1;
  scan.tracks[0].samples[4].dEast += 1;
  drawSpacingChart(surface, session, scan, 10);
  std::vector<Call> dots;
  for (const Call& c : surface.callsOf("point"))
    if (c.colour == green) dots.push_back(c);
  ASSERT_EQ(dots.size(), 2u);
  const std::vector<Call> lines = surface.callsOf("line");
  const Call last = lines.back();
  EXPECT_EQ(last.colour, green);
  EXPECT_NEAR(last.x2 - last.x, 1, 1e-9);  // joined to the last mark drawn
}

TEST_F(ChartFixture, TrendChartDrawsWellheadsPathsAndTheEndPointDisc) {
  session.well.designDisplacement1 = 100;  // 20 m tall at zoom 10: every well in view
  PlanPoint marker;
  drawTrendChart(surface, session, scan, 10, 0, 0, &marker);
  const ChartFrame f = trendChartFrame(10, 100, 4500, 3000, 0, 0);
  EXPECT_DOUBLE_EQ(marker.east, f.cx + scan.ownPointEast);
  EXPECT_DOUBLE_EQ(marker.north, f.cy - scan.ownPointNorth);

  // The end-point disc: filled red, radius 3.75 / 10 = 0.375 m.
  const PlanPoint end = scan.neighbourEndPoints[0];
  std::vector<Call> disc;
  for (const Call& c : surface.callsOf("circle"))
    if (c.colour == kRed && std::fabs(c.x - (f.cx + end.east)) < 1e-9 &&
        std::fabs(c.y - (f.cy - end.north)) < 1e-9)
      disc.push_back(c);
  ASSERT_EQ(disc.size(), 1u);
  EXPECT_TRUE(disc[0].filled);
  EXPECT_NEAR(disc[0].x2, 0.375, 1e-9);

  // The neighbour's wellhead sits 5 m west and 10 m north of the centre; its stations follow.
  const Call name = surface.callsOf("text")[f.rings.size()];  // after the ring labels
  EXPECT_EQ(name.text, "邻1");
  EXPECT_NEAR(name.x, f.cx - 5, 1e-9);
  EXPECT_NEAR(name.y, f.cy - 10, 1e-9);
  std::vector<Call> greenDots;
  for (const Call& c : surface.callsOf("point"))
    if (c.colour == green) greenDots.push_back(c);
  ASSERT_EQ(greenDots.size(), 3u);
  EXPECT_NEAR(greenDots[2].x, f.cx - 5 + 3, 1e-9);
  EXPECT_NEAR(greenDots[2].y, f.cy - 10 + 4, 1e-9);

  // The open well is drawn last, in blue, from the centre.
  const std::vector<Call> lines = surface.callsOf("line");
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back().colour, kBlue);
  EXPECT_NEAR(lines.back().x2, f.cx + 5, 1e-9);
  EXPECT_NEAR(lines.back().y2, f.cy - 3, 1e-9);
  EXPECT_EQ(surface.texts().back(), "本井");
}

TEST_F(ChartFixture, LeftPressFindsStationsOfOffsetNeighbours) {
  const ChartFrame f = trendChartFrame(25, 0, 4500, 3000, 0, 0);
  // The neighbour's station at 300 m: wellhead offset (-5 east, +10 north) plus (3, -4).
  const auto hit = stationTvdAt(session, f, f.cx - 5 + 3 + 0.1, f.cy - (10 - 4) - 0.1);
  ASSERT_TRUE(hit.has_value());
  EXPECT_DOUBLE_EQ(*hit, 300);
  EXPECT_FALSE(stationTvdAt(session, f, f.cx - 5 + 3 + 0.11, f.cy - 6).has_value());
  // The own well's station (5 east, 3 north) at 200 m.
  EXPECT_DOUBLE_EQ(*stationTvdAt(session, f, f.cx + 5, f.cy - 3), 200);
  // Both wells have a station at the wellhead ring: the later well's answer stands.
  session.neighbourWells[0].results[0].north = -10;
  session.neighbourWells[0].results[0].east = 5;
  session.neighbourWells[0].results[0].tvd = 7;
  EXPECT_DOUBLE_EQ(*stationTvdAt(session, f, f.cx, f.cy), 7);
}

TEST(ChartMouse, EdgeBandPansAndPicksPointerShapes) {
  const ChartFrame f = trendChartFrame(10, 500, 6000, 3000, 0, 0);  // 200 x 100 m
  EXPECT_TRUE(inInnerRegion(f, 100, 50));
  EXPECT_FALSE(inInnerRegion(f, 19, 50));
  EXPECT_FALSE(inInnerRegion(f, 100, 91));
  PanDirection d = panDirectionAt(f, 195, 5);
  EXPECT_EQ(d.x, 1);
  EXPECT_EQ(d.y, -1);
  d = panDirectionAt(f, 5, 50);
  EXPECT_EQ(d.x, -1);
  EXPECT_EQ(d.y, 0);
  EXPECT_EQ(edgePointerCode(f, 195, 95), 8);  // down-right of the centre
  EXPECT_EQ(edgePointerCode(f, 5, 5), 8);
  EXPECT_EQ(edgePointerCode(f, 195, 5), 6);
  EXPECT_EQ(edgePointerCode(f, 100, 5), 0);
}

TEST(ChartMouse, PanningStopsBeyondTheDesignDisplacement) {
  const ChartFrame f = trendChartFrame(10, 500, 6000, 3000, 0, 0);  // 200 x 100 m
  double px = 0, py = 0;
  EXPECT_TRUE(panStep(f, {1, 0}, 100, px, py));
  EXPECT_DOUBLE_EQ(px, 40);  // a fifth of the width a tick
  EXPECT_TRUE(panStep(f, {1, 1}, 100, px, py));
  EXPECT_DOUBLE_EQ(px, 80);
  EXPECT_DOUBLE_EQ(py, 20);
  EXPECT_FALSE(panStep(f, {1, 0}, 100, px, py));
  EXPECT_DOUBLE_EQ(px, 120);
  double qx = 0, qy = 0;
  EXPECT_FALSE(panStep(f, {0, 1}, 0, qx, qy));  // no displacement: no panning at all
}

TEST(Legend, OneLinePerNeighbourWithAStrokeInItsColour) {
  WellState session;
  session.neighbourWells = {WellRecord{}, WellRecord{}};
  session.neighbourWells[0].wellNo = "B2";
  session.neighbourWells[1].wellNo = "C33";
  session.neighbourColours = {rgb(1, 2, 3), rgb(4, 5, 6)};
  RecordingSurface s(3000, 1500);  // 150 x 75 points
  drawLegend(s, session);
  EXPECT_EQ(s.texts(), (std::vector<std::string>{"B2井：", "C33井："}));
  const std::vector<Call> strokes = s.callsOf("line");
  ASSERT_EQ(strokes.size(), 2u);
  const double lineHeight = s.textHeight("0");
  EXPECT_EQ(strokes[1].colour, rgb(4, 5, 6));
  EXPECT_NEAR(strokes[0].x, s.textWidth("B2井："), 1e-9);
  EXPECT_NEAR(strokes[0].x2, 150, 1e-9);
  EXPECT_NEAR(strokes[0].y, lineHeight - 0.5, 1e-9);
  EXPECT_NEAR(strokes[1].y, 2 * lineHeight - 0.5, 1e-9);
}

}  // namespace
}  // namespace tarsek
