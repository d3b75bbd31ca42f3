#include "survey/survey_report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/numtext.h"
#include "print/recording_surface.h"
#include "survey/survey_calc.h"

namespace tarsek {
namespace {

using Call = RecordingSurface::Call;

// A single-target well with n stations, 30 m apart below 500 m, building 1.5 degrees a station
// towards 40 degrees, computed by the survey calculation itself.
WellState reportWell(int n) {
  WellState s;
  WellRecord& w = s.well;
  w.wellNo = "文11-2";
  w.targetCount = 1;
  w.designAzimuth = 42.5;
  w.designDisplacement1 = 312.345;
  w.target1Tvd = 1850;
  w.targetRadius = 30;
  w.magDeclination = -2.5;
  w.target1X = 312.345 * std::cos(42.5 * M_PI / 180);
  w.target1Y = 312.345 * std::sin(42.5 * M_PI / 180);
  w.stationCount = static_cast<std::int16_t>(n);
  w.stations.assign(n + 1, SurveyStation{});
  for (int i = 0; i < n; ++i) {
    SurveyStation& st = w.stations[i];
    st.index = static_cast<std::int16_t>(i);
    st.md = 500 + 30.0 * i;
    st.inclination = 1.5 * i;
    st.azimuth = 40 + 0.25 * i;
  }
  RecalculateAll(s);
  return s;
}

WellState twoTargetReportWell(int n) {
  WellState s = reportWell(n);
  s.well.targetCount = 2;
  s.well.designDisplacement2 = 520.5;
  s.well.target2Tvd = 2400;
  s.target1Hit.crossed = true;
  s.target1Hit.hitRadius = 12.345;
  s.target2Hit.crossed = true;
  s.target2Hit.hitRadius = 0;
  return s;
}

std::vector<Call> textCalls(const RecordingSurface& p) { return p.callsOf("text"); }

const Call* findText(const RecordingSurface& p, const std::string& text) {
  for (const Call& c : p.calls())
    if (c.op == "text" && c.text == text) return &c;
  return nullptr;
}

// Every call of the rows: texts below the column units.
std::vector<Call> rowCells(const RecordingSurface& p) {
  const Call* units = findText(p, "(度/30米)");
  std::vector<Call> out;
  if (units == nullptr) return out;
  for (const Call& c : textCalls(p))
    if (c.y > units->y + 1e-9) out.push_back(c);
  return out;
}

TEST(SurveyReport, NoWellDrawsNothing) {
  WellState s = reportWell(3);
  s.well.wellNo.clear();
  RecordingSurface page;
  PrintSurveyPage(page, s, 0, 2);
  EXPECT_TRUE(page.calls().empty());
}

TEST(SurveyReport, ATargetNotYetReachedHasNoRadius) {
  WellState s = reportWell(3);  // stations end far above the target depth
  ASSERT_FALSE(s.target1Hit.crossed);
  RecordingSurface page;
  PrintSurveyPage(page, s, 0, 2);
  EXPECT_NE(findText(page, "中靶半径：未经过靶点垂深"), nullptr);
  EXPECT_EQ(findText(page, "中靶半径：0.00(米)"), nullptr);
}

TEST(SurveyReport, SingleTargetHeading) {
  WellState s = reportWell(3);
  s.calcMethod = SurveyMethod::ChordStep;
  s.target1Hit.crossed = true;
  s.target1Hit.hitRadius = 7.25;
  RecordingSurface page;
  page.setFontSize(10);
  PrintSurveyPage(page, s, 0, 2);
  EXPECT_DOUBLE_EQ(page.scaleWidth(), 120);
  EXPECT_EQ(page.fontSize(), 10);

  const Call* title = findText(page, "文11-2井轨迹测斜数据及计算结果");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->fontSize, 12);
  const double h = page.textHeight("0") * 12 / 10 / 2;
  EXPECT_NEAR(title->y, 6 * h, 1e-9);
  EXPECT_NEAR(title->x + page.textWidth("文11-2井轨迹测斜数据及计算结果") * 12 / 10 / 2, 60, 1e-9);

  // Design line: two print zones from the left margin, the target depth ending at 108.
  const Call* disp = findText(page, "设计位移：312.35(米)");
  const Call* az = findText(page, "设计方位：42.50(度)");
  const Call* depth = findText(page, "中靶垂深：1850.00(米)");
  ASSERT_TRUE(disp && az && depth);
  EXPECT_DOUBLE_EQ(disp->x, 10);
  const double zone = 14 * page.textWidth("0");
  EXPECT_NEAR(std::fmod(az->x + 1e-9, zone), 0, 1e-6);
  EXPECT_GT(az->x, disp->x + page.textWidth(disp->text) - 1e-9);
  EXPECT_EQ(az->y, disp->y);
  EXPECT_EQ(depth->y, disp->y);
  EXPECT_NEAR(depth->x + page.textWidth(depth->text), 108, 1e-9);

  // Method and hit radius a half title height further down, on one line.
  const Call* method = findText(page, "计算方法：弦步法");
  ASSERT_NE(method, nullptr);
  EXPECT_NEAR(method->y, disp->y + page.textHeight("0") + h, 1e-9);
  const std::string radius = "中靶半径：" + formatFixed(s.target1Hit.hitRadius, 2) + "(米)";
  const Call* hit = findText(page, radius);
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(hit->y, method->y);
  EXPECT_NEAR(hit->x + page.textWidth(radius), 108, 1e-9);
  EXPECT_EQ(findText(page, "设计位移1：312.35(米)"), nullptr);

  // Two double rules in blue across the page, h apart.
  const auto lines = page.callsOf("line");
  ASSERT_EQ(lines.size(), 4u);
  for (const Call& l : lines) {
    EXPECT_EQ(l.colour, kBlue);
    EXPECT_DOUBLE_EQ(l.x, 10);
    EXPECT_DOUBLE_EQ(l.x2, 108);
    EXPECT_EQ(l.y, l.y2);
  }
  EXPECT_NEAR(lines[1].y - lines[0].y, h, 1e-9);
  EXPECT_NEAR(lines[3].y - lines[2].y, h, 1e-9);
  EXPECT_NEAR(disp->y - lines[1].y, h, 1e-9);
  EXPECT_GT(lines[2].y, method->y);
}

TEST(SurveyReport, ColumnHeadingsWithUnitsBelow) {
  const WellState s = reportWell(1);
  RecordingSurface page;
  PrintSurveyPage(page, s, 0, 0);
  const char* headings[] = {"NO.",  "测深", "井斜角", "方位角",   "垂深",
                            "位移", "N值",  "E值",    "闭合方位", "狗腿度"};
  const double xs[] = {10, 18, 29, 38, 48, 60, 70, 80, 88, 99};
  const Call* no = findText(page, "NO.");
  ASSERT_NE(no, nullptr);
  const auto lines = page.callsOf("line");
  EXPECT_NEAR(no->y, lines[3].y + (lines[3].y - lines[2].y), 1e-9);
  for (int i = 0; i < 10; ++i) {
    const Call* c = findText(page, headings[i]);
    ASSERT_NE(c, nullptr) << headings[i];
    EXPECT_NEAR(c->x, xs[i], 1e-9);
    EXPECT_EQ(c->y, no->y);
  }
  const Call* dogleg = findText(page, "(度/30米)");
  ASSERT_NE(dogleg, nullptr);
  EXPECT_NEAR(dogleg->x, 98, 1e-9);
  EXPECT_NEAR(dogleg->y, no->y + page.textHeight("0"), 1e-9);
  int degreeUnits = 0;
  for (const Call& c : textCalls(page))
    if (c.text == "(度)") {
      ++degreeUnits;
      EXPECT_TRUE(std::fabs(c.x - 29) < 1e-9 || std::fabs(c.x - 38) < 1e-9 ||
                  std::fabs(c.x - 90) < 1e-9)
          << c.x;
    }
  EXPECT_EQ(degreeUnits, 3);
}

TEST(SurveyReport, RowsFallIntoGroupsOfFive) {
  const WellState s = reportWell(13);
  RecordingSurface page;
  PrintSurveyPage(page, s, 0, 12);
  const auto cells = rowCells(page);
  ASSERT_EQ(cells.size(), 13u * 10);
  const double line = page.textHeight("0");
  const Call* title = findText(page, "文11-2井轨迹测斜数据及计算结果");
  const double h = title->fontSize * 20 / (page.deviceHeight() / page.scaleHeight()) / 2;
  const Call* units = findText(page, "(度/30米)");
  EXPECT_NEAR(cells[0].y, units->y + line + h, 1e-9);
  for (int i = 1; i < 13; ++i) {
    const double gap = cells[i * 10].y - cells[(i - 1) * 10].y;
    // The row after station 5 and after station 10 starts h lower still; station 0 is no group.
    EXPECT_NEAR(gap, (i == 6 || i == 11) ? line + h : line, 1e-9) << i;
  }
  // Each row: number, depth, angles and results at their columns and in their formats.
  const Call* row3 = &cells[30];
  const SurveyStation& st = s.well.stations[3];
  const StationResult& r = s.well.results[3];
  const std::vector<std::pair<double, std::string>> want = {
      {10, "3"},
      {17, formatFixed(st.md, 2)},
      {29, formatFixed(st.inclination, 1)},
      {38, formatFixed(st.azimuth, 1)},
      {48, formatFixed(r.tvd, 2)},
      {60, formatFixed(r.closureDistance, 2)},
      {70, formatFixed(r.north, 2)},
      {80, formatFixed(r.east, 2)},
      {90, formatFixed(r.closureAzimuth, 1)},
      {100, formatFixed(r.doglegSeverity, 2)}};
  for (std::size_t k = 0; k < want.size(); ++k) {
    EXPECT_NEAR(row3[k].x, want[k].first, 1e-9);
    EXPECT_EQ(row3[k].text, want[k].second);
  }
  EXPECT_EQ(row3[2].text, "4.5");
  EXPECT_EQ(row3[3].text, "40.8");  // 40.75 as measured, not the grid azimuth
}

TEST(SurveyReport, StationZeroHangsStraightBelowTheWellhead) {
  const WellState s = reportWell(2);
  RecordingSurface page;
  PrintSurveyPage(page, s, 0, 1);
  const auto cells = rowCells(page);
  ASSERT_EQ(cells.size(), 20u);
  EXPECT_EQ(cells[0].text, "0");
  EXPECT_EQ(cells[1].text, "500.00");
  EXPECT_EQ(cells[4].text, "500.00");  // vertical depth = measured depth
  EXPECT_EQ(cells[5].text, "0.00");
  EXPECT_EQ(cells[6].text, "0.00");
  EXPECT_EQ(cells[7].text, "0.00");
}

TEST(SurveyReport, TwoTargetHeadingHasTwoDesignAndTwoRadiusLines) {
  const WellState s = twoTargetReportWell(3);
  RecordingSurface page;
  PrintSurveyPage(page, s, 0, 2);
  const Call* d1 = findText(page, "设计位移1：312.35(米)");
  const Call* d2 = findText(page, "设计位移2：520.50(米)");
  const Call* t1 = findText(page, "中靶垂深1：1850.00(米)");
  const Call* t2 = findText(page, "中靶垂深2：2400.00(米)");
  ASSERT_TRUE(d1 && d2 && t1 && t2);
  EXPECT_EQ(t1->y, d1->y);
  EXPECT_EQ(t2->y, d2->y);
  EXPECT_NEAR(d2->y - d1->y, page.textHeight("0"), 1e-9);
  int azimuths = 0;
  for (const Call& c : textCalls(page))
    if (c.text == "设计方位：42.50(度)") ++azimuths;
  EXPECT_EQ(azimuths, 2);

  const Call* r1 = findText(page, "中靶1半径：12.35(米)");
  const Call* r2 = findText(page, "中靶2半径：0.00(米)");  // target 2 not reached yet
  const Call* method = findText(page, "计算方法：平均角法");
  ASSERT_TRUE(r1 && r2 && method);
  EXPECT_EQ(r1->y, method->y);
  EXPECT_NEAR(r2->y - r1->y, page.textHeight("0"), 1e-9);
  EXPECT_NEAR(r2->x + page.textWidth(r2->text), 108, 1e-9);
}

TEST(SurveyReport, EmptyOrOutOfRangeRowsPrintOnlyWhatExists) {
  const WellState s = reportWell(5);
  RecordingSurface full, empty, beyond;
  PrintSurveyPage(full, s, 0, 4);
  PrintSurveyPage(empty, s, 5, 4);
  EXPECT_TRUE(rowCells(empty).empty());
  EXPECT_EQ(textCalls(empty).size(), textCalls(full).size() - 5 * 10);
  PrintSurveyPage(beyond, s, -3, 400);
  EXPECT_EQ(beyond.log(), full.log());
}

TEST(SurveyReport, TwoTargetPageMatchesTheGoldenLog) {
  const WellState s = twoTargetReportWell(12);
  RecordingSurface page;
  page.setFontSize(9);
  PrintSurveyPage(page, s, 0, 11);
  const std::string path = std::string(TARSEK_TEST_DATA_DIR) + "/survey_page_two_targets.log";
  if (std::getenv("TARSEK_UPDATE_GOLDEN") != nullptr) std::ofstream(path) << page.log();
  std::ifstream in(path);
  ASSERT_TRUE(in.good()) << path;
  std::stringstream golden;
  golden << in.rdbuf();
  EXPECT_EQ(page.log(), golden.str());
}

}  // namespace
}  // namespace tarsek
