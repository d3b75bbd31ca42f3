#include "survey/survey_display.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "common/constants.h"
#include "common/numtext.h"
#include "print/recording_surface.h"
#include "survey/guidance.h"
#include "survey/survey_calc.h"

namespace tarsek {
namespace {

double atanDeg(double x) { return std::atan(x) * 180 / kPi; }

// A well whose stations lie on a straight line heading grid 45 degrees; only the values the
// display reads are filled in. Station i is at measured depth md[i] and vertical depth tvd[i].
WellState wellWithStations(const std::vector<double>& md, const std::vector<double>& tvd,
                           int targetCount = 1) {
  WellState session;
  WellRecord& w = session.well;
  w.wellNo = "W1";
  w.targetCount = static_cast<std::int16_t>(targetCount);
  w.targetRadius = 30;
  w.designAzimuth = 45;
  w.wellheadX = 1000;
  w.wellheadY = 2000;
  w.target1Tvd = 2000;
  w.designDisplacement1 = 500;
  w.target1X = w.wellheadX + 500 / std::sqrt(2.0);
  w.target1Y = w.wellheadY + 500 / std::sqrt(2.0);
  if (targetCount == 2) {
    w.target1Tvd = 1000;
    w.target2Tvd = 2000;
    w.designDisplacement2 = 800;
    w.target2X = w.wellheadX + 800 / std::sqrt(2.0);
    w.target2Y = w.wellheadY + 800 / std::sqrt(2.0);
  }
  const std::size_t n = md.size();
  w.stationCount = static_cast<std::int16_t>(n);
  w.stations.assign(n + 1, SurveyStation{});
  w.results.assign(n + 1, StationResult{});
  for (std::size_t i = 0; i < n; ++i) {
    const double h = std::sqrt(std::max(0.0, md[i] * md[i] - tvd[i] * tvd[i]));
    w.stations[i] = {static_cast<std::int16_t>(i), md[i], i == 0 ? 0.0 : 12.5, 45, 45};
    StationResult& r = w.results[i];
    r.tvd = tvd[i];
    r.north = r.east = h / std::sqrt(2.0);
    r.closureDistance = h;
    r.closureAzimuth = h > 0 ? 45 : 0;
    r.verticalSection = h;
    r.doglegSeverity = 1.25;
    const auto aim = [&](double tTvd, double dd, double& inc, double& az, double& dist) {
      dist = std::fabs(dd - h);
      az = 45;
      inc = tTvd > tvd[i] ? atanDeg(dist / (tTvd - tvd[i])) : 0;
      if (tTvd <= tvd[i]) az = 0;
    };
    aim(w.target1Tvd, w.designDisplacement1, r.target1Inclination, r.target1Azimuth,
        r.target1Distance);
    if (targetCount == 2)
      aim(w.target2Tvd, w.designDisplacement2, r.target2Inclination, r.target2Azimuth,
          r.target2Distance);
  }
  return session;
}

// The crossings the search finds on the hand-made results (RecalculateAll would recompute them).
void findCrossings(WellState& session) {
  session.target1Hit = FindTargetCrossing(session, 1);
  session.target2Hit = FindTargetCrossing(session, 2);
}

TargetCrossing crossing(double tvd, double radius, double north, double east) {
  TargetCrossing h;
  h.station = {0, tvd + 20, 12.5, 45, 45};
  h.result.tvd = tvd;
  h.result.north = north;
  h.result.east = east;
  h.result.closureDistance = std::hypot(north, east);
  h.result.verticalSection = 497;
  h.result.lateralOffset = 1.5;
  h.result.closureAzimuth = 45;
  h.hitRadius = radius;
  h.crossed = true;
  return h;
}

// Where a text call put its text: the log keeps the cursor even for an empty line, which
// draws nothing.
double cursorY(const RecordingSurface::Call& c) {
  return std::stod(c.args.substr(c.args.find(',') + 1));
}
double cursorX(const RecordingSurface::Call& c) { return std::stod(c.args); }

std::vector<std::string> texts(const std::vector<PanelLine>& lines) {
  std::vector<std::string> out;
  for (const PanelLine& l : lines) out.push_back(l.text);
  return out;
}

TEST(GuidancePanel, EmptyWithoutWellOrStations) {
  WellState session;
  EXPECT_TRUE(guidancePanelLines(session).empty());
  session.well.wellNo = "W1";
  EXPECT_TRUE(guidancePanelLines(session).empty());

  RecordingSurface panel, header, rows;
  drawSurveyDisplay(panel, header, rows, session);
  EXPECT_EQ(panel.log(), "clear\n");
  EXPECT_EQ(rows.log(), "clear\n");
  EXPECT_TRUE(header.calls().empty());
}

TEST(GuidancePanel, OneTargetAboveTheTargetIsGuided) {
  const WellState session = wellWithStations({0, 1000, 1930}, {0, 990, 1900});
  const std::vector<std::string> lines = texts(guidancePanelLines(session));
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "目    前");
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3].rfind("距靶点： 剩余井段：", 0), 0u);
  EXPECT_EQ(lines.back(), "    ");
  for (const std::string& l : lines) EXPECT_EQ(l.find("米"), std::string::npos) << l;
  EXPECT_TRUE(guidesTarget(session, 1));
  EXPECT_FALSE(guidesTarget(session, 2));
}

TEST(GuidancePanel, LastStationAtTheTargetDepthGivesTheVerdict) {
  WellState session = wellWithStations({0, 1000, 2030}, {0, 990, 2000});
  session.target1Hit = FindTargetCrossing(session, 1);
  EXPECT_FALSE(guidesTarget(session, 1));
  const StationResult& last = session.well.results[2];
  const double radius =
      std::hypot(last.north - 500 / std::sqrt(2.0), last.east - 500 / std::sqrt(2.0));
  // A real miss, not the "hit" of the zero a missing crossing used to give.
  ASSERT_GT(radius, session.well.targetRadius);
  const std::vector<PanelLine> lines = guidancePanelLines(session);
  const std::vector<std::string> expected = {
      "",
      "很 遗 憾！",
      "",
      "中靶半径：" + formatFixed(static_cast<float>(radius), 2) + "米",
      "靶点有效位移差值：" + formatFixed(last.verticalSection - 500, 2) + "米",
      "靶点偏移距：" + formatFixed(last.lateralOffset, 2) + "米",
      "靶点纵坐标（X）：" + formatFixed(1000 + last.north, 2),
      "    横坐标（Y）：" + formatFixed(2000 + last.east, 2),
      "",
      "井底纵坐标（X）：" + formatFixed(1000 + last.north, 2),
      "    横坐标（Y）：" + formatFixed(2000 + last.east, 2),
  };
  EXPECT_EQ(texts(lines), expected);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].colour, i == 0 ? kBlue : kRed);
    EXPECT_EQ(lines[i].centred, i == 1);
  }
}

TEST(GuidancePanel, SurveyStartingBelowTheTargetGivesNoVerdict) {
  struct Case {
    int targets;
    std::vector<double> md, tvd;
    const char* line;  // the panel's line in place of the verdict
    std::size_t at;
  };
  const Case cases[] = {
      {1, {2100, 2200}, {2050, 2150}, "测点未经过靶点垂深，无法判断是否中靶！", 1},
      {2, {1100, 1500}, {1050, 1450}, "测点未经过靶点1垂深，无法判断是否中靶！", 1},
      {2, {2100, 2200}, {2050, 2150}, "测点未经过靶点2垂深，无法判断是否中靶！", 2},
  };
  for (const Case& c : cases) {
    WellState session = wellWithStations(c.md, c.tvd, c.targets);
    findCrossings(session);
    EXPECT_FALSE(session.target1Hit.crossed);
    const std::vector<std::string> t = texts(guidancePanelLines(session));
    ASSERT_GT(t.size(), c.at) << c.line;
    EXPECT_EQ(t[c.at], c.line);
    for (const std::string& l : t) EXPECT_EQ(l.find("半径"), std::string::npos) << l;
    EXPECT_EQ(stationTableEntries(session).size(), c.md.size());
  }
}

TEST(GuidancePanel, HitRadiusEqualToTheRadiusIsAHitAndJustAboveIsAMiss) {
  WellState session = wellWithStations({0, 1000, 2130}, {0, 990, 2100});
  session.target1Hit = crossing(2000, 30, 350, 352);
  std::vector<PanelLine> lines = guidancePanelLines(session);
  EXPECT_EQ(lines[1].text, "恭 喜 你！");
  EXPECT_EQ(lines[1].colour, kBlue);

  session.target1Hit.hitRadius = 30.01;
  lines = guidancePanelLines(session);
  EXPECT_EQ(lines[1].text, "很 遗 憾！");
  EXPECT_EQ(lines[3].text, "中靶半径：30.01米");
  // The miss colours the rest of the verdict too.
  for (std::size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(lines[i].colour, kRed) << i;
}

TEST(GuidancePanel, CrossingAtTheWellheadLinePrintsNoCoordinates) {
  WellState session = wellWithStations({0, 1000, 2130}, {0, 990, 2100});
  session.target1Hit = crossing(2000, 5, 0, 0);
  const std::vector<std::string> lines = texts(guidancePanelLines(session));
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines.back(), "靶点偏移距：1.50米");
}

TEST(GuidancePanel, TwoTargetsAboveTheFirstGuidesOnlyTheFirst) {
  const WellState session = wellWithStations({0, 500}, {0, 500}, 2);
  const std::vector<std::string> lines = texts(guidancePanelLines(session));
  EXPECT_EQ(lines[1], "目    前");
  EXPECT_EQ(lines[3].rfind("距靶点1：剩余井段：", 0), 0u);
  EXPECT_EQ(lines.back(), "    ");
  for (const std::string& l : lines) EXPECT_EQ(l.find("靶点2"), std::string::npos) << l;
  EXPECT_FALSE(guidesTarget(session, 2));
}

TEST(GuidancePanel, TwoTargetsBetweenGivesTheFirstVerdictThenGuidesTheSecond) {
  WellState session = wellWithStations({0, 1000, 1530}, {0, 990, 1500}, 2);
  session.target1Hit = crossing(1000, 40, 350, 352);  // a miss: red verdict
  EXPECT_TRUE(guidesTarget(session, 2));
  const std::vector<PanelLine> lines = guidancePanelLines(session);
  const std::vector<std::string> t = texts(lines);
  const std::vector<std::string> verdict = {"",
                                            "很 遗 憾！",
                                            "",
                                            "中靶1半径：40.00米",
                                            "靶点有效位移差值：-3.00米",
                                            "靶点偏移距：1.50米",
                                            "靶点1纵坐标（X）：1350.00",
                                            "     横坐标（Y）：2352.00"};
  ASSERT_GT(t.size(), verdict.size());
  EXPECT_EQ(std::vector<std::string>(t.begin(), t.begin() + 8), verdict);
  EXPECT_EQ(t[8].rfind("距靶点2：剩余井段：", 0), 0u);
  EXPECT_EQ(lines[7].colour, kRed);
  EXPECT_EQ(lines[8].colour, kBlue);  // the second target starts blue again
  EXPECT_FALSE(lines[8].centred);
  EXPECT_NE(t.back(), "    ");
  for (const std::string& l : t) EXPECT_NE(l, "目    前");
}

TEST(GuidancePanel, SecondTargetHoldingInclinationPrintsItsRangeOnOneLine) {
  // Heading straight at target 2 with the inclination that reaches its centre.
  WellState session = wellWithStations({0, 1000, 1530}, {0, 990, 1500}, 2);
  session.target1Hit = crossing(1000, 5, 350, 352);
  WellRecord& w = session.well;
  const StationResult& s = w.results[2];
  w.stations[2].inclination = s.target2Inclination;
  const TargetGuidance g = computeTargetGuidance(w, 2);
  ASSERT_TRUE(g.holdInclination);
  ASSERT_TRUE(g.holdAzimuth);
  const std::vector<std::string> t = texts(guidancePanelLines(session));
  const std::string turnLine = "稳井斜允许方位变化率：" + formatFixed(g.turnRateLow, 2) + "≈" +
                               formatFixed(g.turnRateHigh, 2) + "°/100m";
  EXPECT_EQ(t.back(), turnLine);
  const std::string buildLine =
      formatFixed(g.buildRateLow, 2) + "≈" + formatFixed(g.buildRateHigh, 2) + "°/100m";
  bool found = false;
  for (std::size_t i = 0; i + 1 < t.size(); ++i)
    if (t[i] == "稳方位井斜变化率范围：") found = t[i + 1] == buildLine;  // no indent for target 2
  EXPECT_TRUE(found);
}

TEST(GuidancePanel, SecondTargetInsideTheCircleStartsWithAnEmptyLine) {
  WellState session = wellWithStations({0, 1000, 1530}, {0, 990, 1500}, 2);
  session.target1Hit = crossing(1000, 5, 350, 352);
  session.well.results[2].target2Distance = 10;
  const std::vector<std::string> t = texts(guidancePanelLines(session));
  EXPECT_EQ(t[8], "");
  EXPECT_EQ(t[9], "水平投影已进入靶圈！");
  EXPECT_EQ(t[10].rfind("距靶点2：剩余井段：", 0), 0u);
}

TEST(GuidancePanel, TwoTargetsPastBothGivesBothVerdicts) {
  WellState session = wellWithStations({0, 1000, 2100}, {0, 990, 2050}, 2);
  session.target1Hit = crossing(1000, 40, 350, 352);
  session.target2Hit = crossing(2000, 12, 560, 566);
  session.target2Hit.result.verticalSection = 790;
  session.target2Hit.result.lateralOffset = -2;
  const std::vector<PanelLine> lines = guidancePanelLines(session);
  const std::vector<std::string> t = texts(lines);
  const std::vector<std::string> second = {
      "恭 喜 你！",
      "",
      "中靶2半径：12.00米",
      "",
      "靶点有效位移差值：-10.00米",
      "靶 点 偏 移  距：-2.00米",
      "",
      "靶点2纵坐标（X）：1560.00",
      "     横坐标（Y）：2566.00",
      "",
      "井底纵坐标（X）：" + formatFixed(1000 + session.well.results[2].north, 2),
      "    横坐标（Y）：" + formatFixed(2000 + session.well.results[2].east, 2),
      "",
      "靶点详情看右侧阅览框",
  };
  ASSERT_EQ(t.size(), 8 + second.size());
  EXPECT_EQ(std::vector<std::string>(t.begin() + 8, t.end()), second);
  EXPECT_TRUE(lines[8].centred);
  EXPECT_EQ(lines[8].colour, kBlue);
  EXPECT_EQ(lines.back().colour, kBlue);

  session.target2Hit.hitRadius = 31;
  const std::vector<PanelLine> missed = guidancePanelLines(session);
  EXPECT_EQ(missed[8].text, "很 遗 憾！");
  EXPECT_EQ(missed.back().colour, kRed);
}

TEST(GuidancePanel, DrawingCentresTheFirstLineOnTheHeadingWidth) {
  const WellState session = wellWithStations({0, 1000, 1930}, {0, 990, 1900});
  RecordingSurface panel(4000, 6000);
  panel.setForeColour(kRed);
  drawGuidancePanel(panel, session);
  const auto calls = panel.calls();
  ASSERT_EQ(calls.front().op, "clear");
  const auto textCalls = panel.callsOf("text");
  const std::vector<PanelLine> lines = guidancePanelLines(session);
  ASSERT_EQ(textCalls.size(), lines.size());
  const double lineHeight = panel.textHeight("0");
  // Heading "目    前": two full-width and four half-width characters at 9 points.
  EXPECT_DOUBLE_EQ(textCalls[1].x, (4000 - (2 * 180 + 4 * 90)) / 2.0);
  for (std::size_t i = 0; i < textCalls.size(); ++i) {
    EXPECT_EQ(textCalls[i].text, lines[i].text);
    EXPECT_NEAR(cursorY(textCalls[i]), lineHeight * static_cast<double>(i), 1e-3);
    if (i != 1) {
      EXPECT_EQ(cursorX(textCalls[i]), 0) << i;
    }
    if (!lines[i].text.empty()) {
      EXPECT_EQ(textCalls[i].colour, kBlue) << i;
    }
  }
}

TEST(StationTable, TargetRowFollowsTheLastStationAboveTheCrossing) {
  WellState session = wellWithStations({0, 1000, 1530, 2100}, {0, 990, 1500, 2050}, 2);
  session.target1Hit = crossing(1000, 40, 350, 352);
  session.target2Hit = crossing(2000, 12, 560, 566);
  const std::vector<TableEntry> entries = stationTableEntries(session);
  ASSERT_EQ(entries.size(), 6u);
  const int expected[6][2] = {{0, 0}, {1, 0}, {1, 1}, {2, 0}, {2, 2}, {3, 0}};
  for (std::size_t j = 0; j < 6; ++j) {
    EXPECT_EQ(entries[j].station, expected[j][0]) << j;
    EXPECT_EQ(entries[j].target, expected[j][1]) << j;
  }
  EXPECT_EQ(stationTableCells(session, entries[2])[0], "靶点1");
  EXPECT_EQ(stationTableCells(session, entries[4])[0], "靶点2");
  EXPECT_EQ(stationTableCells(session, entries[4])[4], "2000.00");

  session.well.targetCount = 1;
  session.target2Hit = TargetCrossing{};
  EXPECT_EQ(stationTableCells(session, stationTableEntries(session)[2])[0], "靶点");
}

TEST(StationTable, NoTargetRowWithoutACrossing) {
  WellState session = wellWithStations({0, 1000, 1530}, {0, 990, 1500});
  EXPECT_EQ(stationTableEntries(session).size(), 3u);
  // A crossing at or below the last station's depth has no station below it to precede.
  session.target1Hit = crossing(1500, 4, 10, 10);
  EXPECT_EQ(stationTableEntries(session).size(), 3u);
}

TEST(StationTable, CellsUseTheDisplayFormats) {
  WellState session = wellWithStations({0, 1234.5}, {0, 1200});
  session.well.stations[1].inclination = 12.34;
  session.well.stations[1].azimuth = 359.96;
  session.well.results[1].closureAzimuth = 45.005;
  const std::vector<std::string> cells = stationTableCells(session, {1, 0});
  ASSERT_EQ(cells.size(), 11u);
  EXPECT_EQ(cells[0], "1");
  EXPECT_EQ(cells[1], "1234.50");
  EXPECT_EQ(cells[2], "12.3");
  EXPECT_EQ(cells[3], "360.0");
  EXPECT_EQ(cells[4], "1200.00");
  EXPECT_EQ(cells[8], "45.01");
  EXPECT_EQ(cells[10], "1.25");
  EXPECT_TRUE(stationTableCells(session, {5, 0}).empty());
}

TEST(StationTable, HeaderCaptionsAndUnitsInTheirColumns) {
  RecordingSurface header(11000, 600);
  drawStationTableHeader(header);
  const auto t = header.callsOf("text");
  ASSERT_EQ(t.size(), 21u);
  const std::vector<std::string> captions = {"序号", "测深", "井斜", "方位", "垂深", "位移",
                                             "N",    "E",    "B",    "V",    "γ"};
  const std::vector<std::string> units = {"米", "度", "度", "米", "米",
                                          "米", "米", "度", "米", "/30米"};
  for (std::size_t c = 0; c < 11; ++c) {
    EXPECT_EQ(t[c].text, captions[c]);
    EXPECT_DOUBLE_EQ(t[c].x, kTableColumns[c]);
    EXPECT_DOUBLE_EQ(t[c].y, 0);
  }
  for (std::size_t c = 0; c < 10; ++c) {
    EXPECT_EQ(t[11 + c].text, units[c]);
    EXPECT_DOUBLE_EQ(t[11 + c].x, kTableColumns[c + 1]);
    EXPECT_DOUBLE_EQ(t[11 + c].y, header.textHeight("0"));
  }
}

TEST(StationTable, RowsAreDoubleSpacedWithARedRuleUnderTargetRows) {
  WellState session = wellWithStations({0, 1000, 2100}, {0, 990, 2050});
  session.target1Hit = crossing(2000, 12, 350, 352);
  RecordingSurface panel, header, rows(11000, 3000);
  drawSurveyDisplay(panel, header, rows, session);
  EXPECT_EQ(rows.calls().front().op, "clear");
  const double h = rows.textHeight("0");
  const auto t = rows.callsOf("text");
  // Four rows of eleven cells and an empty line each.
  ASSERT_EQ(t.size(), 4u * 12);
  for (std::size_t row = 0; row < 4; ++row) {
    EXPECT_DOUBLE_EQ(t[row * 12].y, 2 * h * static_cast<double>(row)) << row;
    EXPECT_EQ(t[row * 12 + 11].text, "");
    EXPECT_NEAR(cursorY(t[row * 12 + 11]), 2 * h * static_cast<double>(row) + h, 1e-3) << row;
  }
  EXPECT_EQ(t[2 * 12].text, "靶点");
  const auto lines = rows.callsOf("line");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].colour, kRed);
  EXPECT_DOUBLE_EQ(lines[0].x, 0);
  EXPECT_DOUBLE_EQ(lines[0].x2, kTableScaleWidth);
  EXPECT_DOUBLE_EQ(lines[0].y, 5 * h);
  EXPECT_DOUBLE_EQ(lines[0].y2, 5 * h);
  EXPECT_DOUBLE_EQ(stationTableHeight(rows, session), 6 * 2 * h);
}

TEST(StationTable, OnlyTheVisibleRowsAreDrawn) {
  std::vector<double> md, tvd;
  for (int i = 0; i < 200; ++i) {
    md.push_back(i * 10.0);
    tvd.push_back(i * 10.0);
  }
  const WellState session = wellWithStations(md, tvd);
  RecordingSurface rows(11000, 3000);
  const double band = 2 * rows.textHeight("0");
  const std::vector<TableEntry> entries = stationTableEntries(session);
  // From the middle of row 50 to the middle of row 59: rows 50..59 meet the range.
  drawStationTableRows(rows, session, entries, band * 50.5, band * 59.5);
  const auto t = rows.callsOf("text");
  ASSERT_EQ(t.size(), 10u * 12);
  EXPECT_EQ(t.front().text, "50");
  EXPECT_EQ(t[9 * 12].text, "59");
}

}  // namespace
}  // namespace tarsek
