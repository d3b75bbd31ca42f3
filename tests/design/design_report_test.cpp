#include "design/design_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "design/design_tables.h"
#include "print/recording_surface.h"

namespace tarsek {
namespace {

// A session with a finished design as the profile calculation leaves it; the report only reads.
WellState designedSession(int targets) {
  WellState s;
  WellRecord& w = s.well;
  w.wellNo = "A12";
  w.targetCount = static_cast<std::int16_t>(targets);
  w.wellheadX = 1000;
  w.wellheadY = 2005;
  w.target1X = 1300;
  w.target1Y = 2400;
  w.target1Tvd = 1500;
  if (targets == 2) {
    w.target2X = 1450;
    w.target2Y = 2600;
    w.target2Tvd = 1700;
    w.designDisplacement2 = 745.5;
  }
  w.magDeclination = -3.5;
  w.gateDirection = 90;
  w.rigSkidDistance = 5;
  w.designAzimuth = 52.8;
  w.designDisplacement1 = 496.2;
  w.targetRadius = 30;
  w.buildRate = 15;
  w.buildToInclination = 10;
  w.kickoffDepth = 300;
  w.rotaryBuildRate = 3;
  w.rotaryDropRate = 2;
  w.designFinalTvd = 1800;
  const char* names[] = {"直井段", "造斜段", "增斜段", "稳斜段", "降斜段", "稳斜段"};
  for (int r = 0; r < 6; ++r) {
    DesignSegment& g = s.designSegments[static_cast<std::size_t>(r)];
    g.name = names[r];
    if (r <= 3 || targets == 2) {
      g.md = 300 + 400.0 * r;
      g.tvd = 300 + 350.0 * r;
      g.inclination = 10.0 + r;
    }
  }
  return s;
}

const RecordingSurface::Call* findText(const RecordingSurface& page, const std::string& prefix) {
  for (const auto& c : page.calls())
    if (c.op == "text" && c.text.rfind(prefix, 0) == 0) return &c;
  return nullptr;
}

// Text calls that put something on the page (a bare line end is recorded as an empty text).
std::vector<RecordingSurface::Call> shown(const RecordingSurface& page) {
  std::vector<RecordingSurface::Call> out;
  for (const auto& c : page.callsOf("text"))
    if (!c.text.empty()) out.push_back(c);
  return out;
}

std::vector<std::string> shownTexts(const RecordingSurface& page) {
  std::vector<std::string> out;
  for (const auto& c : shown(page)) out.push_back(c.text);
  return out;
}

std::vector<RecordingSurface::Call> linesOf(const RecordingSurface& page) {
  return page.callsOf("line");
}

TEST(DesignReport, NothingWithoutAWellOrADesign) {
  RecordingSurface page;
  WellState none;
  EXPECT_FALSE(PrintDesignReport(page, none));
  WellState noDesign = designedSession(1);
  noDesign.designSegments[3].md = 0;
  EXPECT_FALSE(PrintDesignReport(page, noDesign));
  WellState noWell = designedSession(1);
  noWell.well.wellNo.clear();
  EXPECT_FALSE(PrintDesignReport(page, noWell));
  EXPECT_TRUE(page.calls().empty());
}

TEST(DesignReport, SingleTargetPageLayout) {
  RecordingSurface page;
  page.setFontSize(10);
  WellState s = designedSession(1);
  ASSERT_TRUE(PrintDesignReport(page, s));
  EXPECT_EQ(page.fontSize(), 10) << "the font grows only while the report draws";
  page.setFontSize(12);  // measure as the report did

  const auto* title = findText(page, "A12剖面设计基本数据");
  ASSERT_NE(title, nullptr);
  EXPECT_DOUBLE_EQ(title->y, 14);
  EXPECT_EQ(title->fontSize, 12);
  EXPECT_NEAR(title->x + page.textWidth("A12剖面设计基本数据") / 2, 50, 1e-9);

  // The coordinate lines run their parts together, with no blank before "Y：".
  const auto* head = findText(page, "井口地理坐标");
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(head->text, "井口地理坐标X：  1000.00Y：  2005.00");
  EXPECT_DOUBLE_EQ(head->x, 10);
  const auto* target = findText(page, "靶点地理坐标");
  ASSERT_NE(target, nullptr);
  EXPECT_EQ(target->text, "靶点地理坐标X：  1300.00Y：  2400.00");
  EXPECT_DOUBLE_EQ(target->x, 10);
  EXPECT_EQ(findText(page, "靶点2地理坐标"), nullptr);

  // Both rules are pairs of blue lines from 10 to 90, one unit apart; the first pair sits one
  // unit under the blank line after the title.
  const auto lines = linesOf(page);
  ASSERT_EQ(lines.size(), 8u);
  const double lh = page.textHeight("0");
  for (const auto& l : lines) {
    EXPECT_EQ(l.colour, kBlue);
    EXPECT_DOUBLE_EQ(l.x, 10);
    EXPECT_DOUBLE_EQ(l.x2, 90);
    EXPECT_DOUBLE_EQ(l.y, l.y2);
  }
  for (std::size_t i = 0; i < lines.size(); i += 2)
    EXPECT_NEAR(lines[i + 1].y - lines[i].y, 1, 1e-9);
  EXPECT_NEAR(lines[0].y, 14 + 2 * lh + 1, 1e-9);
  EXPECT_NEAR(head->y, lines[1].y + 1, 1e-9);

  // The columns start on the same line; the left one at 10, the right one at 50.
  const auto* tvd = findText(page, "靶点垂深(米)：");
  const auto* gate = findText(page, "大门方向(度)：");
  ASSERT_NE(tvd, nullptr);
  ASSERT_NE(gate, nullptr);
  EXPECT_EQ(tvd->text, "靶点垂深(米)：1500.00");
  EXPECT_EQ(gate->text, "大门方向(度)：90.00");
  EXPECT_DOUBLE_EQ(tvd->x, 10);
  EXPECT_DOUBLE_EQ(gate->x, 50);
  EXPECT_DOUBLE_EQ(tvd->y, gate->y);
  const auto* rate = findText(page, "转盘钻具增斜率(度/百米)：");
  ASSERT_NE(rate, nullptr);
  EXPECT_NEAR(rate->y - tvd->y, 5 * 2 * lh, 1e-9) << "a blank line between consecutive texts";
  EXPECT_EQ(findText(page, "转盘钻具降斜率"), nullptr);
  EXPECT_EQ(findText(page, "设计位移(米)：")->text, "设计位移(米)：496.20");
  EXPECT_EQ(findText(page, "允许半径(米)：")->text, "允许半径(米)：< 30.00");
  EXPECT_EQ(findText(page, "设计井深(米)：")->text, "设计井深(米)：1500.00");
  EXPECT_EQ(findText(page, "最大井斜(度)：")->text, "最大井斜(度)：13.00");

  // Third rule one unit under the last right-column line (plus one), then the second title.
  const auto* last = findText(page, "最大井斜(度)：");
  EXPECT_NEAR(lines[4].y, last->y + lh + 1 + 1, 1e-9);
  const auto* title2 = findText(page, "A12剖面设计分段数据");
  ASSERT_NE(title2, nullptr);
  EXPECT_NEAR(title2->y, lines[5].y + 14, 1e-9);

  // Table: head on one line, four segment rows two lines apart, cells at 20 .. 80.
  const auto* headCell = findText(page, "井段");
  const auto* lastHead = findText(page, "平增(米)");
  ASSERT_NE(headCell, nullptr);
  ASSERT_NE(lastHead, nullptr);
  EXPECT_DOUBLE_EQ(headCell->y, lastHead->y);
  EXPECT_DOUBLE_EQ(lastHead->x, 80);
  const auto* row0 = findText(page, "直井段");
  const auto* row3 = findText(page, "稳斜段");
  ASSERT_NE(row0, nullptr);
  ASSERT_NE(row3, nullptr);
  EXPECT_NEAR(row0->y, headCell->y + 2 * lh, 1e-9);
  EXPECT_NEAR(row3->y, row0->y + 6 * lh, 1e-9);
  EXPECT_EQ(findText(page, "降斜段"), nullptr);
}

TEST(DesignReport, TwoTargetPageAddsTheSecondTargetAndRows) {
  RecordingSurface page;
  WellState s = designedSession(2);
  ASSERT_TRUE(PrintDesignReport(page, s));
  EXPECT_EQ(findText(page, "靶点1地理坐标")->text, "靶点1地理坐标X：  1300.00Y：  2400.00");
  EXPECT_EQ(findText(page, "靶点2地理坐标")->text, "靶点2地理坐标X：  1450.00Y：  2600.00");
  EXPECT_NEAR(findText(page, "靶点2地理坐标")->x, 10, 1e-9);
  EXPECT_EQ(findText(page, "靶点1垂深(米)：")->text, "靶点1垂深(米)：1500.00");
  EXPECT_EQ(findText(page, "靶点2垂深(米)：")->text, "靶点2垂深(米)：1700.00");
  EXPECT_EQ(findText(page, "转盘钻具降斜率(度/百米)：")->text, "转盘钻具降斜率(度/百米)：2.00");
  EXPECT_EQ(findText(page, "设计位移1(米)：")->text, "设计位移1(米)：496.20");
  EXPECT_EQ(findText(page, "设计位移2(米)：")->text, "设计位移2(米)：745.50");
  EXPECT_EQ(findText(page, "设计井深(米)：")->text, "设计井深(米)：2300.00") << "row 5";
  EXPECT_EQ(findText(page, "最大井斜(度)：")->text, "最大井斜(度)：13.00") << "row 3";
  EXPECT_EQ(findText(page, "靶点垂深"), nullptr);

  // The longer left column pushes the third rule down below its last line.
  const auto lines = linesOf(page);
  ASSERT_EQ(lines.size(), 8u);
  page.setFontSize(page.fontSize() + 2);
  const double lh = page.textHeight("0");
  EXPECT_NEAR(lines[4].y, findText(page, "转盘钻具降斜率(度/百米)：")->y + lh + 1 + 1, 1e-9);

  const auto texts = shownTexts(page);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "降斜段"), 1);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "稳斜段"), 2);
}

TEST(DesignReport, VerticalDesignAndUnfinishedTwoTargetDesign) {
  RecordingSurface page;
  WellState vertical = designedSession(1);
  for (auto& g : vertical.designSegments) g = DesignSegment{g.name};
  vertical.designSegments[3].md = vertical.designSegments[3].tvd = 1800;
  vertical.designSegments[3].deltaTvd = 1800;
  ASSERT_TRUE(PrintDesignReport(page, vertical));
  EXPECT_EQ(findText(page, "设计井深(米)：")->text, "设计井深(米)：1800.00");
  EXPECT_EQ(findText(page, "最大井斜(度)：")->text, "最大井斜(度)：0.00");

  // A two-target design that stopped after the build toward target 2 has no rows 4 and 5.
  page.reset();
  WellState partial = designedSession(2);
  partial.designSegments[4] = DesignSegment{"降斜段"};
  partial.designSegments[5] = DesignSegment{"稳斜段"};
  ASSERT_TRUE(PrintDesignReport(page, partial));
  EXPECT_EQ(findText(page, "设计井深(米)：")->text, "设计井深(米)：0.00");
}

TEST(DesignReport, OddTargetCountUsesTwoTargetTextsAndOneRow) {
  RecordingSurface page;
  WellState s = designedSession(2);
  s.well.targetCount = 3;
  ASSERT_TRUE(PrintDesignReport(page, s));
  EXPECT_NE(findText(page, "靶点2地理坐标"), nullptr);
  EXPECT_NE(findText(page, "设计位移2(米)："), nullptr);
  const auto texts = shownTexts(page);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "直井段"), 1);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "造斜段"), 0);
}

TEST(DesignTables, SegmentTableShowsTheRowsOfTheTargetCount) {
  RecordingSurface box(6000, 3000);
  WellState s = designedSession(1);
  drawDesignSegmentTable(box, s);
  EXPECT_EQ(box.calls().front().op, "clear");
  auto texts = shownTexts(box);
  ASSERT_EQ(texts.size(), 8u + 4 * 8);
  EXPECT_EQ(texts[0], "井段");
  EXPECT_EQ(texts[7], "平增");
  EXPECT_EQ(texts[8], "直井段");
  EXPECT_EQ(texts[9], "300.00");
  // Columns every 10 units of 80; rows one line apart after a blank line under the titles.
  const auto cells = shown(box);
  const double lh = box.textHeight("0");
  EXPECT_DOUBLE_EQ(cells[7].x, 70);
  EXPECT_NEAR(cells[8].y, 2 * lh, 1e-9);
  EXPECT_NEAR(cells[16].y, 3 * lh, 1e-9);

  box.reset();
  s = designedSession(2);
  drawDesignSegmentTable(box, s);
  EXPECT_EQ(shownTexts(box).size(), 8u + 6 * 8);

  box.reset();
  s.well.targetCount = 0;
  drawDesignSegmentTable(box, s);
  EXPECT_EQ(shownTexts(box).size(), 8u + 8);

  box.reset();
  s.well.wellNo.clear();
  drawDesignSegmentTable(box, s);
  EXPECT_TRUE(shownTexts(box).empty());
}

TEST(DesignTables, PointRowsDrawOnlyTheRequestedRowsAtTheirPlace) {
  RecordingSurface box(6000, 3000);
  WellState s = designedSession(1);
  WellRecord& w = s.well;
  w.designPointCount = 4;
  w.designPoints.assign(5, SurveyStation{});
  w.designResults.assign(5, StationResult{});
  for (int i = 0; i < 4; ++i) {
    w.designPoints[i].index = static_cast<std::int16_t>(i);
    w.designPoints[i].md = 300 + 30 * i;
    w.designPoints[i].azimuth = 56.3;
    w.designResults[i].tvd = 300 + 29.5 * i;
    w.designResults[i].north = -1.005 * i;
  }
  drawDesignPointRows(box, s, 2, 99);
  const auto cells = shown(box);
  ASSERT_EQ(cells.size(), 16u) << "rows 2 and 3 only";
  const double pitch = designPointRowPitch(box);
  EXPECT_EQ(cells[0].text, "2");
  EXPECT_NEAR(cells[0].y, 2 * pitch, 1e-9);
  EXPECT_EQ(cells[1].text, "360.00");
  EXPECT_EQ(cells[3].text, "56.30");
  EXPECT_EQ(cells[4].text, "359.00");
  EXPECT_EQ(cells[6].text, "-2.01");
  EXPECT_NEAR(cells[8].y, 3 * pitch, 1e-9);

  // A failed design may leave fewer results than points; the rows stop there.
  box.reset();
  w.designResults.resize(2);
  drawDesignPointRows(box, s, -5, 10);
  EXPECT_EQ(shownTexts(box).size(), 16u);

  box.reset();
  drawDesignPointTitles(box);
  EXPECT_EQ(shownTexts(box),
            (std::vector<std::string>{"序号", "测深", "井斜", "方位", "垂深", "位移", "N", "E"}));
}

TEST(DesignTables, PointViewScrollsToTheLastPoint) {
  WellState s = designedSession(1);
  WellRecord& w = s.well;
  w.designPointCount = 100;
  w.designPoints.assign(101, SurveyStation{});
  w.designResults.assign(101, StationResult{});
  for (int i = 0; i < 100; ++i) w.designPoints[i].index = static_cast<std::int16_t>(i);
  RecordingSurface box(6000, 3000);
  const double pitch = designPointRowPitch(box);
  const double boxHeight = box.scaleHeight();

  // At the top the first row sits at the top edge and only the rows in view are drawn.
  drawDesignPointView(box, s, 0);
  auto cells = shown(box);
  ASSERT_FALSE(cells.empty());
  EXPECT_EQ(cells.front().text, "0");
  EXPECT_NEAR(cells.front().y, 0, 1e-9);
  const std::size_t rowsInView = cells.size() / 8;
  EXPECT_LE(rowsInView, static_cast<std::size_t>(boxHeight / pitch) + 2);

  // At the bottom the last point is drawn inside the box, with the table's two spare rows
  // under it. Recorded y values are table coordinates; the box shows them shifted by the offset.
  box.reset();
  drawDesignPointView(box, s, 1);
  cells = shown(box);
  ASSERT_FALSE(cells.empty());
  const auto& lastIndex = cells[cells.size() - 8];
  EXPECT_EQ(lastIndex.text, "99");
  const double offset = 102 * pitch - boxHeight;
  EXPECT_NEAR(boxHeight - (lastIndex.y - offset), 3 * pitch, 1e-6);
  EXPECT_GE(cells.front().y, offset - pitch) << "rows above the view are not drawn";
  EXPECT_EQ(box.scaleTop(), 0) << "the surface's scale is left as it was";

  // Out-of-range scroll values are clamped rather than drawing nowhere.
  box.reset();
  drawDesignPointView(box, s, 7);
  EXPECT_EQ(shown(box).back().text, cells.back().text);
}

}  // namespace
}  // namespace tarsek
