#include "survey/survey_report.h"

#include <algorithm>
#include <string>

#include "common/numtext.h"
#include "print/report_heading.h"
#include "survey/survey_calc.h"
#include "uncertainty/session_uncertainty.h"

namespace tarsek {
namespace {

std::string metres(double v) { return formatFixed(v, 2) + "(米)"; }
std::string degrees(double v) { return formatFixed(v, 2) + "(度)"; }

// A design line: displacement and azimuth in the first two print zones from the left margin,
// the target depth ending at the right margin; the cursor ends on the next line.
void designLine(Surface& p, const std::string& displacement, const std::string& azimuth,
                const std::string& depth) {
  const double y = p.currentY;
  p.currentX = kReportLeft;
  p.printItem(displacement);
  p.nextZone();
  p.printItem(azimuth);
  p.currentY = y;
  p.currentX = kReportRight - p.textWidth(depth);
  p.printLine(depth);
}

void rightAlignedLine(Surface& p, const std::string& text) {
  p.currentX = kReportRight - p.textWidth(text);
  p.printLine(text);
}

struct Column {
  const char* heading;
  double x;
  const char* unit;  // empty: no unit line
  double unitX;
};

constexpr Column kColumns[] = {
    {"NO.", 10, "", 0},           {"测深", 18, "(米)", 18},
    {"井斜角", 29, "(度)", 29},   {"方位角", 38, "(度)", 38},
    {"垂深", 48, "(米)", 48},     {"位移", 60, "(米)", 60},
    {"N值", 70, "(米)", 70},      {"E值", 80, "(米)", 80},
    {"闭合方位", 88, "(度)", 90}, {"狗腿度", 99, "(度/30米)", 98},
};

// The probability of landing in each target circle, between the method and the hit radius on
// the method's line, when the well's uncertainty is known; "(预计)" marks a projected crossing.
void probabilities(Surface& p, const WellState& session) {
  const auto& u = session.uncertainty;
  if (!u || !u->ok) return;
  const bool two = session.well.targetCount == 2;
  std::string text;
  for (const unc::TargetChance& c : u->targets) {
    if (!c.surveyed && !c.projected) continue;
    if (!text.empty()) text += "  ";
    text += two ? "中靶" + std::to_string(c.target) + "概率：" : std::string("中靶概率：");
    text += unc::PercentText(c.probability) + (c.projected ? "(预计)" : "");
  }
  if (text.empty()) return;
  p.currentX = 42;
  p.printItem(text);
}

}  // namespace

void PrintSurveyPage(Surface& p, const WellState& session, int first, int last) {
  const WellRecord& w = session.well;
  if (w.wellNo.empty()) return;
  // h, half the title's height, spaces the whole heading.
  const double h = PrintReportTitle(p, w.wellNo + "井轨迹测斜数据及计算结果");

  const bool two = w.targetCount == 2;
  if (two) {
    designLine(p, "设计位移1：" + metres(w.designDisplacement1),
               "设计方位：" + degrees(w.designAzimuth), "中靶垂深1：" + metres(w.target1Tvd));
    designLine(p, "设计位移2：" + metres(w.designDisplacement2),
               "设计方位：" + degrees(w.designAzimuth), "中靶垂深2：" + metres(w.target2Tvd));
  } else {
    designLine(p, "设计位移：" + metres(w.designDisplacement1),
               "设计方位：" + degrees(w.designAzimuth), "中靶垂深：" + metres(w.target1Tvd));
  }

  p.currentY += h;
  p.currentX = kReportLeft;
  p.printItem(std::string("计算方法：") + MethodName(session.calcMethod));
  probabilities(p, session);
  // Without an observed crossing there is no hit radius; a printed 0.00 would read as a hit.
  const auto radius = [](const TargetCrossing& hit) {
    return hit.crossed ? metres(hit.hitRadius) : std::string("未经过靶点垂深");
  };
  rightAlignedLine(p, (two ? "中靶1半径：" : "中靶半径：") + radius(session.target1Hit));
  if (two) rightAlignedLine(p, "中靶2半径：" + radius(session.target2Hit));

  const double y = p.currentY;
  p.line(kReportLeft, y + h, kReportRight, y + h, kBlue);
  p.line(kReportLeft, y + 2 * h, kReportRight, y + 2 * h, kBlue);

  const double headingY = p.currentY + h;
  const double lineHeight = p.textHeight("0");
  for (const Column& c : kColumns) {
    p.currentX = c.x;
    p.currentY = headingY;
    p.printLine(c.heading);
    if (*c.unit != '\0') {
      p.currentX = c.unitX;
      p.printLine(c.unit);
    }
  }

  // Rows beyond the stations held would read stale or missing entries.
  const int held = static_cast<int>(std::min(w.stations.size(), w.results.size()));
  first = std::max(first, 0);
  last = std::min({last, static_cast<int>(w.stationCount) - 1, held - 1});
  double rowY = headingY + 2 * lineHeight + h;
  for (int i = first; i <= last; ++i) {
    const SurveyStation& st = w.stations[i];
    const StationResult& r = w.results[i];
    PrintReportCell(p, 10, rowY, std::to_string(st.index));
    PrintReportCell(p, 17, rowY, formatFixed(st.md, 2));
    PrintReportCell(p, 29, rowY, formatFixed(st.inclination, 1));
    PrintReportCell(p, 38, rowY, formatFixed(st.azimuth, 1));
    PrintReportCell(p, 48, rowY, formatFixed(r.tvd, 2));
    PrintReportCell(p, 60, rowY, formatFixed(r.closureDistance, 2));
    PrintReportCell(p, 70, rowY, formatFixed(r.north, 2));
    PrintReportCell(p, 80, rowY, formatFixed(r.east, 2));
    PrintReportCell(p, 90, rowY, formatFixed(r.closureAzimuth, 1));
    PrintReportCell(p, 100, rowY, formatFixed(r.doglegSeverity, 2));
    rowY += lineHeight;
    // Groups of five keep long tables readable.
    if (st.index > 0 && st.index % 5 == 0) rowY += h;
  }
  p.currentX = 0;
  p.currentY = rowY;
}

}  // namespace tarsek
