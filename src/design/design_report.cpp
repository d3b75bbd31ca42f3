#include "design/design_report.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/numtext.h"

namespace tarsek {

namespace {

std::string num(double v) { return formatFixed(v, 2); }

// Two blue lines across the page, the first one unit below the cursor; the cursor ends at the
// right end of the second.
void rule(Surface& page, double offset = 1) {
  const double y = page.currentY + offset;
  page.line(10, y, 90, y, kBlue);
  page.line(10, y + 1, 90, y + 1, kBlue);
}

// One column of captioned values starting at the cursor's line, each text at x, a blank line
// between consecutive texts.
void column(Surface& page, double x, const std::vector<std::string>& texts) {
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) page.printLine();
    page.currentX = x;
    page.printLine(texts[i]);
  }
}

std::string coordinates(const char* caption, double x, double y) {
  // The parts run together on purpose: the page has always read "...X：  1000.00Y：  2005.00".
  return std::string(caption) + "X：  " + num(x) + "Y：  " + num(y);
}

}  // namespace

bool designReportAvailable(const WellState& session) noexcept {
  return !session.well.wellNo.empty() && session.designSegments[3].md != 0;
}

bool PrintDesignReport(Surface& page, const WellState& session) {
  if (!designReportAvailable(session)) return false;
  const WellRecord& w = session.well;
  const auto& seg = session.designSegments;
  const bool one = w.targetCount == 1;

  page.setScale(100, 200);
  const double baseFont = page.fontSize();
  page.setFontSize(baseFont + 2);
  page.currentY = 14;

  const std::string title = w.wellNo + "剖面设计基本数据";
  page.currentX = 50 - page.textWidth(title) / 2;
  page.printLine(title);
  page.printLine();

  rule(page);
  page.currentY += 1;
  page.currentX = 10;

  page.printLine(coordinates("井口地理坐标", w.wellheadX, w.wellheadY));
  page.printLine();
  page.currentX = 10;
  if (one) {
    page.printLine(coordinates("靶点地理坐标", w.target1X, w.target1Y));
  } else {
    page.printLine(coordinates("靶点1地理坐标", w.target1X, w.target1Y));
    page.printLine();
    page.currentX = 10;
    page.printLine(coordinates("靶点2地理坐标", w.target2X, w.target2Y));
  }

  page.currentY += 1;
  rule(page);
  page.printLine();
  page.currentY += 1;
  page.currentX = 10;
  const double y0 = page.currentY;

  std::vector<std::string> left;
  if (one) {
    left.push_back("靶点垂深(米)：" + num(w.target1Tvd));
  } else {
    left.push_back("靶点1垂深(米)：" + num(w.target1Tvd));
    left.push_back("靶点2垂深(米)：" + num(w.target2Tvd));
  }
  left.push_back("设计完钻垂深(米)：" + num(w.designFinalTvd));
  left.push_back("磁偏角(度)：" + num(w.magDeclination));
  left.push_back("造斜点深(米)：" + num(w.kickoffDepth));
  left.push_back("造斜率(度/百米)：" + num(w.buildRate));
  left.push_back("转盘钻具增斜率(度/百米)：" + num(w.rotaryBuildRate));
  if (!one) left.push_back("转盘钻具降斜率(度/百米)：" + num(w.rotaryDropRate));
  column(page, 10, left);
  const double leftEnd = page.currentY;

  std::vector<std::string> right;
  right.push_back("大门方向(度)：" + num(w.gateDirection));
  right.push_back("设计方位(度)：" + num(w.designAzimuth));
  if (one) {
    right.push_back("设计位移(米)：" + num(w.designDisplacement1));
  } else {
    right.push_back("设计位移1(米)：" + num(w.designDisplacement1));
    right.push_back("设计位移2(米)：" + num(w.designDisplacement2));
  }
  right.push_back("允许半径(米)：< " + num(w.targetRadius));
  right.push_back("设计井深(米)：" + num(seg[one ? 3 : 5].md));
  right.push_back("最大井斜(度)：" + num(seg[3].inclination));
  page.currentY = y0;
  column(page, 50, right);

  // The two-target left column is longer than the right one: a rule placed a fixed distance
  // under the right column would cut through the drop-rate line with a tall font, so the rule
  // follows whichever column ends lower.
  page.currentY = std::max(page.currentY, leftEnd) + 1;
  page.currentX = 10;
  rule(page);

  const std::string title2 = w.wellNo + "剖面设计分段数据";
  page.currentY += 14;
  page.currentX = 50 - page.textWidth(title2) / 2;
  page.printLine(title2);

  page.currentY += 1;
  rule(page);

  page.currentY += 1;
  const double y1 = page.currentY;
  static const char* const kHeads[] = {"井段",     "斜深(米)", "垂深(米)", "位移(米)",
                                       "井斜(度)", "斜增(米)", "垂增(米)", "平增(米)"};
  for (int c = 0; c < 8; ++c) {
    page.currentY = y1;
    page.currentX = 10 + 10 * c;
    page.printLine(kHeads[c]);
  }

  const int lastRow = one ? 3 : (w.targetCount == 2 ? 5 : 0);
  for (int r = 0; r <= lastRow; ++r) {
    const DesignSegment& s = seg[static_cast<std::size_t>(r)];
    page.printLine();
    const double y = page.currentY;
    const double cells[] = {s.md,      s.tvd,      s.displacement,   s.inclination,
                            s.deltaMd, s.deltaTvd, s.deltaHorizontal};
    page.currentX = 10;
    page.printLine(s.name);
    for (int c = 0; c < 7; ++c) {
      page.currentY = y;
      page.currentX = 20 + 10 * c;
      page.printLine(num(cells[c]));
    }
  }

  page.setFontSize(baseFont);
  return true;
}

}  // namespace tarsek
