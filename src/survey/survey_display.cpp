#include "survey/survey_display.h"

#include <cstddef>

#include "common/numtext.h"
#include "survey/guidance.h"
#include "uncertainty/session_uncertainty.h"

namespace tarsek {
namespace {

// The panel's heading; its width also fixes where every centred line starts.
constexpr const char* kHeading = "目    前";

std::string f2(double v) { return formatFixed(v, 2); }
std::string f1(double v) { return formatFixed(v, 1); }

const StationResult& lastResult(const WellState& session) {
  return session.well.results[static_cast<std::size_t>(session.well.stationCount - 1)];
}

class PanelWriter {
 public:
  explicit PanelWriter(const WellState& session)
      : session_(session), well_(session.well), s_(lastResult(session)) {}

  std::vector<PanelLine> build() {
    add("");
    centreNext_ = true;
    if (0 <= s_.tvd && s_.tvd < well_.target1Tvd) {
      add(kHeading);
      add("");
      guidanceBlock(1);
      return std::move(lines_);
    }
    verdictBlock1();
    if (well_.targetCount == 2) {
      colour_ = kBlue;
      if (s_.tvd < well_.target2Tvd) {
        guidanceBlock(2);
      } else {
        centreNext_ = true;
        verdictBlock2();
      }
    }
    return std::move(lines_);
  }

 private:
  void add(std::string text) {
    lines_.push_back({std::move(text), colour_, centreNext_});
    centreNext_ = false;
  }

  void guidanceBlock(int k) {
    const TargetGuidance g = computeTargetGuidance(well_, k);
    if (g.insideCircle) {
      if (k == 2) add("");
      add("水平投影已进入靶圈！");
    }
    const char* label = well_.targetCount == 1 ? "距靶点： 剩余井段："
                        : k == 1               ? "距靶点1：剩余井段："
                                               : "距靶点2：剩余井段：";
    add(label + f2(g.remainingLength) + "m");
    add("         剩余位移：" + f2(g.remainingDisplacement) + "m");
    add("         偏 移 距：" + f2(g.lateralOffset) + "m");
    if (const unc::TargetChance* c = chance(k); c != nullptr && c->projected)
      add("  预计中靶概率：" + unc::PercentText(c->probability));
    add("");
    add("靶心井斜：" + f2(g.centreInclination) + "°");
    add("靶心方位：" + f2(g.centreAzimuth) + "°");
    add("");
    add("井斜范围：" + f2(g.inclinationMin) + "≈" + f2(g.inclinationMax) + "°");
    add("");
    add("对准靶点增斜率：" + f2(g.centreBuildRate) + "°/100m");
    const std::string buildRange = f2(g.buildRateLow) + "≈" + f2(g.buildRateHigh) + "°/100m";
    if (g.holdAzimuth) {
      add("稳方位井斜变化率范围：");
      add((k == 1 ? "         " : "") + buildRange);
    } else {
      add("允许井斜变化率：" + buildRange);
    }
    add("");
    add("方位范围：" + f2(g.azimuthMin) + "≈" + f2(g.azimuthMax) + "°");
    add("");
    add("对准靶点方位漂移率：" + f2(g.centreTurnRate) + "°/100m");
    const std::string turnRange = f2(g.turnRateLow) + "≈" + f2(g.turnRateHigh) + "°/100m";
    if (g.holdInclination) {
      if (k == 1) {
        add("稳井斜允许方位变化率：");
        add("          " + turnRange);
      } else {
        add("稳井斜允许方位变化率：" + turnRange);
      }
    } else {
      add("允许方位变化率：" + turnRange);
      add("");
      add("注意：增斜率接近于0,方位漂移率越准确");
    }
    if (k == 1) add("    ");
  }

  // The hit radius is shown, and judged, at single precision.
  static double shownRadius(const TargetCrossing& hit) {
    return static_cast<double>(static_cast<float>(hit.hitRadius));
  }

  // A survey that never passed the target's depth (its first station is already below it) has
  // no crossing to judge: it says so instead of judging a hit radius nobody measured.
  void noCrossing(const char* target) {
    add(std::string("测点未经过") + target + "垂深，无法判断是否中靶！");
  }

  void verdictBlock1() {
    const TargetCrossing& h = session_.target1Hit;
    if (!h.crossed) {
      noCrossing(well_.targetCount == 1 ? "靶点" : "靶点1");
      return;
    }
    const double r = shownRadius(h);
    if (r > well_.targetRadius) {
      colour_ = kRed;
      add("很 遗 憾！");
    } else {
      add("恭 喜 你！");
    }
    add("");
    const bool one = well_.targetCount == 1;
    add((one ? "中靶半径：" : "中靶1半径：") + f2(r) + "米");
    if (const unc::TargetChance* c = chance(1); c != nullptr && c->surveyed)
      add((one ? "中靶概率：" : "中靶1概率：") + unc::PercentText(c->probability));
    add("靶点有效位移差值：" + f2(h.result.verticalSection - well_.designDisplacement1) + "米");
    add("靶点偏移距：" + f2(h.result.lateralOffset) + "米");
    if (h.result.closureDistance != 0) {
      if (one) {
        add("靶点纵坐标（X）：" + f2(well_.wellheadX + h.result.north));
        add("    横坐标（Y）：" + f2(well_.wellheadY + h.result.east));
        add("");
        bottomHole();
      } else {
        add("靶点1纵坐标（X）：" + f2(well_.wellheadX + h.result.north));
        add("     横坐标（Y）：" + f2(well_.wellheadY + h.result.east));
      }
    }
  }

  void verdictBlock2() {
    const TargetCrossing& h = session_.target2Hit;
    if (!h.crossed) {
      noCrossing("靶点2");
      return;
    }
    const double r = shownRadius(h);
    const bool hit = r <= well_.targetRadius;
    colour_ = hit ? kBlue : kRed;
    add(hit ? "恭 喜 你！" : "很 遗 憾！");
    add("");
    add("中靶2半径：" + f2(r) + "米");
    if (const unc::TargetChance* c = chance(2); c != nullptr && c->surveyed)
      add("中靶2概率：" + unc::PercentText(c->probability));
    add("");
    add("靶点有效位移差值：" + f2(h.result.verticalSection - well_.designDisplacement2) + "米");
    add("靶 点 偏 移  距：" + f2(h.result.lateralOffset) + "米");
    add("");
    if (h.result.closureDistance != 0) {
      add("靶点2纵坐标（X）：" + f2(well_.wellheadX + h.result.north));
      add("     横坐标（Y）：" + f2(well_.wellheadY + h.result.east));
      add("");
      bottomHole();
    }
    add("");
    add("靶点详情看右侧阅览框");
  }

  // The probability of landing in target k's circle, when the well's uncertainty is known.
  const unc::TargetChance* chance(int k) const {
    const auto& u = session_.uncertainty;
    if (!u || !u->ok) return nullptr;
    for (const unc::TargetChance& c : u->targets)
      if (c.target == k) return &c;
    return nullptr;
  }

  void bottomHole() {
    add("井底纵坐标（X）：" + f2(well_.wellheadX + s_.north));
    add("    横坐标（Y）：" + f2(well_.wellheadY + s_.east));
  }

  const WellState& session_;
  const WellRecord& well_;
  const StationResult& s_;
  std::vector<PanelLine> lines_;
  Colour colour_ = kBlue;
  bool centreNext_ = false;
};

const char* const kHeaderCaptions[11] = {"序号", "测深", "井斜", "方位", "垂深", "位移",
                                         "N",    "E",    "B",    "V",    "γ"};
const char* const kHeaderUnits[11] = {"",   "米", "度", "度", "米",   "米",
                                      "米", "米", "度", "米", "/30米"};

void printRow(Surface& s, const std::vector<std::string>& cells) {
  for (std::size_t c = 0; c < cells.size(); ++c) {
    s.currentX = kTableColumns[c];
    if (c + 1 < cells.size())
      s.printItem(cells[c]);
    else
      s.printLine(cells[c]);
  }
}

}  // namespace

std::vector<PanelLine> guidancePanelLines(const WellState& session) {
  if (!HasReadableStations(session.well)) return {};
  return PanelWriter(session).build();
}

void drawGuidancePanel(Surface& panel, const WellState& session) {
  panel.setForeColour(kBlue);
  panel.clear();
  for (const PanelLine& line : guidancePanelLines(session)) {
    if (line.centred)
      panel.currentX = panel.scaleLeft() + (panel.scaleWidth() - panel.textWidth(kHeading)) / 2;
    panel.setForeColour(line.colour);
    panel.printLine(line.text);
  }
}

std::vector<TableEntry> stationTableEntries(const WellState& session) {
  std::vector<TableEntry> entries;
  if (!HasReadableStations(session.well)) return entries;
  const WellRecord& w = session.well;
  const int n = w.stationCount;
  entries.reserve(static_cast<std::size_t>(n) + 2);
  bool drawn1 = false;
  bool drawn2 = false;
  const auto crossesBelow = [&](const TargetCrossing& hit, int i) {
    return hit.crossed && hit.result.tvd > 0 &&
           hit.result.tvd < w.results[static_cast<std::size_t>(i + 1)].tvd;
  };
  for (int i = 0; i < n; ++i) {
    entries.push_back({i, 0});
    if (i >= n - 1) continue;
    if (!drawn1 && crossesBelow(session.target1Hit, i)) {
      entries.push_back({i, 1});
      drawn1 = true;
    }
    if (!drawn2 && crossesBelow(session.target2Hit, i)) {
      entries.push_back({i, 2});
      drawn2 = true;
    }
  }
  return entries;
}

std::vector<std::string> stationTableCells(const WellState& session, const TableEntry& entry) {
  const WellRecord& w = session.well;
  if (entry.station < 0 || entry.station >= w.stationCount ||
      static_cast<std::size_t>(entry.station) >= w.stations.size() ||
      static_cast<std::size_t>(entry.station) >= w.results.size())
    return {};
  const auto i = static_cast<std::size_t>(entry.station);
  std::string label;
  const SurveyStation* st = &w.stations[i];
  const StationResult* r = &w.results[i];
  if (entry.target == 0) {
    label = std::to_string(st->index);
  } else {
    const TargetCrossing& hit = entry.target == 1 ? session.target1Hit : session.target2Hit;
    label = entry.target == 2 ? "靶点2" : w.targetCount == 1 ? "靶点" : "靶点1";
    st = &hit.station;
    r = &hit.result;
  }
  return {label,
          f2(st->md),
          f1(st->inclination),
          f1(st->azimuth),
          f2(r->tvd),
          f2(r->closureDistance),
          f2(r->north),
          f2(r->east),
          f2(r->closureAzimuth),
          f2(r->verticalSection),
          f2(r->doglegSeverity)};
}

void drawStationTableHeader(Surface& header) {
  header.clear();
  header.setScaleWidth(kTableScaleWidth);
  std::vector<std::string> captions(std::begin(kHeaderCaptions), std::end(kHeaderCaptions));
  printRow(header, captions);
  // The number column has no unit: the units line starts at the depth column.
  for (std::size_t c = 1; c < 11; ++c) {
    header.currentX = kTableColumns[c];
    if (c < 10)
      header.printItem(kHeaderUnits[c]);
    else
      header.printLine(kHeaderUnits[c]);
  }
}

double stationTableHeight(Surface& rows, const WellState& session) {
  rows.setScaleWidth(kTableScaleWidth);
  const int n = HasReadableStations(session.well) ? session.well.stationCount : 0;
  return (n + 3) * 2 * rows.textHeight("0");
}

void drawStationTableRows(Surface& rows, const WellState& session,
                          const std::vector<TableEntry>& entries, double top, double bottom) {
  rows.setScaleWidth(kTableScaleWidth);
  rows.setForeColour(kBlack);
  const double band = 2 * rows.textHeight("0");
  if (!(band > 0) || entries.empty()) return;
  // Rows are all two lines high, so the visible ones follow from the range directly.
  std::size_t first = 0;
  if (top > 0) first = static_cast<std::size_t>(top / band);
  for (std::size_t j = first; j < entries.size(); ++j) {
    const double y = static_cast<double>(j) * band;
    if (y >= bottom) break;
    if (y + band <= top) continue;
    rows.currentX = 0;
    rows.currentY = y;
    printRow(rows, stationTableCells(session, entries[j]));
    if (entries[j].target != 0) {
      rows.currentX = 0;
      rows.line(rows.currentX, rows.currentY, rows.scaleWidth(), rows.currentY, kRed);
    }
    rows.printLine("");
  }
}

void drawSurveyDisplay(Surface& panel, Surface& header, Surface& rows, const WellState& session) {
  drawGuidancePanel(panel, session);
  if (!HasReadableStations(session.well)) {
    rows.clear();
    return;
  }
  drawStationTableHeader(header);
  rows.clear();
  const std::vector<TableEntry> entries = stationTableEntries(session);
  const double height = 2 * rows.textHeight("0") * static_cast<double>(entries.size());
  drawStationTableRows(rows, session, entries, 0, height);
}

}  // namespace tarsek
