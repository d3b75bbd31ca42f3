#include "anticollision/separation_chart.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "common/numtext.h"
#include "plot/plot_geometry.h"
#include "uncertainty/session_uncertainty.h"

namespace tarsek {
namespace {

// The chart's frame in a 100 × 100 user scale.
constexpr double kLeft = 12, kRight = 96, kTop = 10, kBottom = 88;

void textAt(Surface& s, double x, double y, const std::string& text) {
  s.currentX = x;
  s.currentY = y;
  s.printItem(text);
}

double niceStep(double span, int parts) {
  const double raw = span / parts;
  if (!(raw > 0) || !std::isfinite(raw)) return 1;
  const double decade = std::pow(10, std::floor(std::log10(raw)));
  for (double f : {1.0, 2.0, 5.0, 10.0})
    if (f * decade >= raw) return f * decade;
  return 10 * decade;
}

}  // namespace

double separationAxisTop(const std::vector<double>& factors) noexcept {
  double top = 0;
  for (double f : factors)
    if (std::isfinite(f)) top = std::max(top, f);
  return std::clamp(std::ceil(top), 2.0, 10.0);
}

void drawSeparationChart(Surface& s, const WellState& session) {
  s.resetScale();
  s.setForeColour(kBlack);
  s.clear();
  s.setScale(100, 100);
  const auto& u = session.uncertainty;
  if (!u || !u->ok) {
    textAt(s, kLeft, kTop, u ? u->status : std::string("未设置测量误差参数"));
    return;
  }
  std::vector<double> factors;
  double mdTop = 0;
  for (const unc::NeighbourClearance& n : u->neighbours) {
    for (const unc::ClearancePoint& p : n.points) {
      factors.push_back(p.sf);
      mdTop = std::max(mdTop, p.md);
    }
  }
  if (!u->stations.empty()) mdTop = std::max(mdTop, u->stations.back().md);
  const double sfTop = separationAxisTop(factors);
  if (!(mdTop > 0)) mdTop = 100;
  const auto X = [&](double md) { return kLeft + (kRight - kLeft) * md / mdTop; };
  const auto Y = [&](double sf) {
    return kBottom - (kBottom - kTop) * std::clamp(sf, 0.0, sfTop) / sfTop;
  };

  const double lineH = s.textHeight("0");
  textAt(s, kLeft, kTop - 2.6 * lineH, session.well.wellNo + "井分离系数图");
  textAt(s, kLeft - 10, kTop - 1.3 * lineH, "分离系数SF");
  textAt(s, kRight - s.textWidth("测深(米)"), kBottom + 1.3 * lineH, "测深(米)");

  s.line(kLeft, kTop, kLeft, kBottom, kBlue);
  s.line(kLeft, kBottom, kRight, kBottom, kBlue);
  for (double v : tickValues(0, sfTop, sfTop > 5 ? 1 : 0.5)) {
    s.line(kLeft - 1, Y(v), kLeft, Y(v), kBlue);
    const std::string label = formatFixed(v, 1);
    textAt(s, kLeft - 1.5 - s.textWidth(label), Y(v) - lineH / 2, label);
  }
  const double mdStep = niceStep(mdTop, 8);
  for (double md : tickValues(0, mdTop, mdStep)) {
    s.line(X(md), kBottom, X(md), kBottom + 1, kBlue);
    const std::string label = formatFixed(md, 0);
    textAt(s, X(md) - s.textWidth(label) / 2, kBottom + 1.2, label);
  }

  const auto level = [&](double sf, Colour c, const char* label) {
    s.setDotted(true);
    s.line(kLeft, Y(sf), kRight, Y(sf), c);
    s.setDotted(false);
    s.setForeColour(c);
    textAt(s, kRight - s.textWidth(label), Y(sf) - lineH, label);
    s.setForeColour(kBlack);
  };
  level(kSfCollision, kRed, "SF=1.0");
  level(kSfCaution, rgb(230, 120, 0), "SF=1.5");

  double noteY = kTop;
  std::vector<double> xy;
  for (std::size_t i = 0; i < u->neighbours.size(); ++i) {
    const unc::NeighbourClearance& n = u->neighbours[i];
    const Colour c = i < session.neighbourColours.size() ? session.neighbourColours[i] : kBlack;
    s.setForeColour(c);
    if (!n.ok) {
      textAt(s, kLeft + 2, noteY, n.status);  // the reason names the well
      noteY += lineH;
      s.setForeColour(kBlack);
      continue;
    }
    xy.clear();
    for (const unc::ClearancePoint& p : n.points) {
      xy.push_back(X(p.md));
      xy.push_back(Y(p.sf));
    }
    s.polyline(xy, c);
    const double mx = X(n.minimumMd), my = Y(n.minimumSf);
    s.circle(mx, my, 0.6, c);
    const std::string label = n.name + " 最小SF " + formatFixed(n.minimumSf, 2) + "（测深" +
                              formatFixed(n.minimumMd, 0) + "米）";
    const double lx = std::min(mx + 1, kRight - s.textWidth(label));
    textAt(s, std::max(kLeft + 1, lx), my - lineH - 0.5, label);
    s.setForeColour(kBlack);
  }
}

}  // namespace tarsek
