#include "uncertainty/uncertainty_report.h"

#include <algorithm>
#include <string>

#include "common/numtext.h"
#include "print/report_heading.h"
#include "uncertainty/session_uncertainty.h"

namespace tarsek {
namespace {

struct Column {
  const char* heading;
  const char* unit;
  double x;
};

constexpr Column kColumns[] = {
    {"NO.", "", 10},        {"测深", "(米)", 15},   {"垂深", "(米)", 24},     {"N值", "(米)", 33},
    {"E值", "(米)", 42},    {"σH", "(米)", 51},     {"σL", "(米)", 58},       {"σA", "(米)", 65},
    {"长半轴", "(米)", 72}, {"短半轴", "(米)", 80}, {"长轴方位", "(度)", 88}, {"分离系数", "", 99},
};

std::string f2(double v) { return formatFixed(v, 2); }

}  // namespace

int UncertaintyReportRows(const WellState& session) noexcept {
  const auto& u = session.uncertainty;
  return u && u->ok ? static_cast<int>(u->stations.size()) : 0;
}

void PrintUncertaintyPage(Surface& p, const WellState& session, int first, int last) {
  const WellRecord& w = session.well;
  if (w.wellNo.empty()) return;
  const double h = PrintReportTitle(p, w.wellNo + kUncertaintyReportTitle);

  const auto& u = session.uncertainty;
  if (!u || !u->ok) {
    p.printLine(u ? u->status : std::string(unc::kNoSiteParameters));
    return;
  }
  const unc::SiteParameters& s = u->site;
  p.printItem("误差模型：" + s.model);
  p.nextZone();
  p.nextZone();
  p.printLine("误差为1σ值，图上按" + formatGeneral(s.sigmaMultiple) + "σ绘制");
  p.currentX = kReportLeft;
  p.printItem("磁场强度：" + formatFixed(s.btotal, 0) + "nT");
  p.nextZone();
  p.printItem("磁倾角：" + f2(s.dip) + "°");
  p.nextZone();
  p.printItem("纬度：" + f2(s.latitude) + "°");
  p.nextZone();
  p.printLine("磁偏角：" + f2(s.declination) + "°");
  p.currentX = kReportLeft;
  std::string compared;
  for (const unc::NeighbourClearance& n : u->neighbours) {
    if (!compared.empty()) compared += "、";
    compared += n.ok ? n.name : n.status;
  }
  p.printLine("分离系数对比邻井：" + (compared.empty() ? std::string("无") : compared));

  const double y = p.currentY;
  p.line(kReportLeft, y + h, kReportRight, y + h, kBlue);
  p.line(kReportLeft, y + 2 * h, kReportRight, y + 2 * h, kBlue);

  const double headingY = p.currentY + 3 * h;  // below the second rule
  const double lineHeight = p.textHeight("0");
  for (const Column& c : kColumns) {
    PrintReportCell(p, c.x, headingY, c.heading);
    if (*c.unit != '\0') PrintReportCell(p, c.x, headingY + lineHeight, c.unit);
  }

  first = std::max(first, 0);
  last = std::min(last, static_cast<int>(u->stations.size()) - 1);
  double rowY = headingY + 2 * lineHeight + h;
  for (int i = first; i <= last; ++i) {
    const unc::StationFigure& f = u->stations[static_cast<std::size_t>(i)];
    const int index = f.station < static_cast<int>(w.stations.size())
                          ? w.stations[static_cast<std::size_t>(f.station)].index
                          : f.station;
    const std::string values[] = {std::to_string(index),
                                  f2(f.md),
                                  f2(f.tvd),
                                  f2(f.north),
                                  f2(f.east),
                                  f2(f.sigmaH),
                                  f2(f.sigmaL),
                                  f2(f.sigmaA),
                                  f2(f.ellipse.semiMajor),
                                  f2(f.ellipse.semiMinor),
                                  formatFixed(f.ellipse.azimuth, 1),
                                  f.hasSf ? f2(f.closestSf) : std::string("—")};
    for (std::size_t c = 0; c < std::size(kColumns); ++c)
      PrintReportCell(p, kColumns[c].x, rowY, values[c]);
    rowY += lineHeight;
    if (index > 0 && index % 5 == 0) rowY += h;
  }
}

}  // namespace tarsek
