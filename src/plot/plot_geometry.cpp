#include "plot/plot_geometry.h"

#include <algorithm>
#include <cmath>

#include "common/constants.h"

namespace tarsek {

PlotTarget plotTarget(const BasicData& block) noexcept {
  PlotTarget t;
  const bool second = block.targetCount == 2;
  t.displacement = second ? block.designDisplacement2 : block.designDisplacement1;
  t.depth = second ? block.target2Tvd : block.target1Tvd;
  t.radius = block.targetRadius;
  return t;
}

std::vector<double> tickValues(double first, double limit, double step) {
  std::vector<double> out;
  if (!(step > 0) || !std::isfinite(first) || !std::isfinite(limit) || !std::isfinite(step))
    return out;
  // Multiples of the step rather than a running sum, so that 200-metre ticks stay exact.
  for (int i = 0; i < kMaxTicks; ++i) {
    const double v = first + i * step;
    if (v > limit + 1e-9) break;
    out.push_back(v);
  }
  return out;
}

double planViewFontSize(double paneWidthTwips) noexcept { return paneWidthTwips * 10 / 9500; }

PlotScale planViewScale(double paneWidth, double paneHeight, double displacement,
                        double radius) noexcept {
  PlotScale s;
  if (!(paneWidth > 0) || !(paneHeight > 0)) return s;
  const double span = (displacement + radius) * 4 / 3;
  if (paneHeight >= paneWidth) {
    s.width = span;
    s.height = paneHeight * s.width / paneWidth;
  } else {
    s.height = span;
    s.width = paneWidth * s.height / paneHeight;
  }
  return s;
}

PlotPoint planViewOrigin(double a, PlotScale s) noexcept {
  const double w = s.width;
  const double h = s.height;
  if (a == 0) return {w / 2, 3 * h / 4};
  if (a > 0 && a < 90) return {w / 4, 3 * h / 4};
  if (a == 90) return {w / 4, h / 2};
  if (a > 90 && a < 180) return {w / 4, h / 4};
  if (a == 180) return {w / 2, h / 4};
  if (a > 180 && a < 270) return {3 * w / 4, h / 4};
  if (a == 270) return {3 * w / 4, h / 2};
  if (a > 270 && a < 360) return {3 * w / 4, 3 * h / 4};
  return {0, 0};
}

double sectionFontSize(double paneWidthTwips) noexcept { return paneWidthTwips * 10 / 4500; }

PlotScale sectionScale(double paneWidth, double paneHeight, double targetDepth) noexcept {
  PlotScale s;
  if (!(paneWidth > 0) || !(paneHeight > 0) || !std::isfinite(targetDepth)) return s;
  s.height = (std::floor(targetDepth / 100) + 0.01) * 150;
  s.width = paneWidth * s.height / paneHeight;
  return s;
}

PlotPoint sectionOrigin(PlotScale s) noexcept { return {s.width / 8, s.height / 8}; }

PlotScale pageScale(double pageWidth, double pageHeight, double displacement,
                    double radius) noexcept {
  PlotScale s;
  if (!(pageWidth > 0) || !(pageHeight > 0)) return s;
  s.width = (displacement + radius) * 2.5;
  s.height = pageHeight * s.width / pageWidth;
  return s;
}

PagePlan pagePlan(double a, PlotScale scale, double displacement, double radius) noexcept {
  PagePlan p;
  const double S = displacement + radius;
  p.side = S;
  p.left = 9 * scale.width / 10 - 1.1 * S;
  p.top = scale.height / 7;
  const double near = 0.1 * S;  // wellhead near the left or top edge of the square
  const double mid = 0.55 * S;  // on the square's centre line
  const double far = S;         // near the right or bottom edge
  auto set = [&](double dx, double dy, double from, double to, int v, int h) {
    p.wellhead = {p.left + dx, p.top + dy};
    p.arcStart = from;
    p.arcEnd = to;
    p.labelDirection = v;
    p.labelShift = h;
  };
  const double half = kPi / 2;
  if (a == 0)
    set(mid, far, 0, kPi, -1, 0);
  else if (a > 0 && a < 90)
    set(near, far, 0, half, -1, -1);
  else if (a == 90)
    set(near, mid, kThreeHalfPi, half, -1, 0);
  else if (a > 90 && a < 180)
    set(near, near, kThreeHalfPi, 0, 1, -1);
  else if (a == 180)
    set(mid, near, kPi, 0, 1, 0);
  else if (a > 180 && a < 270)
    set(far, near, kPi, kThreeHalfPi, 1, 0);
  else if (a == 270)
    set(far, mid, half, kThreeHalfPi, -1, 0);
  else if (a > 270 && a < 360)
    set(far, far, half, kPi, -1, 0);
  else
    set(0, 0, kThreeHalfPi, 0, 1, 0);
  return p;
}

double pageSectionFactor(double designFinalTvd, double targetDepth, double deepest,
                         double pageScaleHeight) noexcept {
  if (!(pageScaleHeight > 0) || !std::isfinite(pageScaleHeight)) return 0;
  double depth = designFinalTvd;
  // A well whose design has not been run yet has no final depth; scaling by the target or the
  // survey keeps the section on the page instead of dividing by zero.
  if (!(depth > 0) || !std::isfinite(depth)) {
    depth = 0;
    if (std::isfinite(targetDepth)) depth = std::max(depth, targetDepth);
    if (std::isfinite(deepest)) depth = std::max(depth, deepest);
  }
  if (!(depth > 0)) return 0;
  return depth / (0.675 * pageScaleHeight);
}

PaneLayout SizePanes(double& x, double W, double H, double titlesTop,
                     double titlesHeight) noexcept {
  if (x < 1500) x = 1500;
  if (x > W - 1500) x = W - 1500;
  PaneLayout l;
  l.picture1Width = x;
  l.splitterLeft = x;
  l.picture2Left = x + 40;
  l.picture2Width = W - (l.picture1Width + 140);
  l.title0Width = l.picture1Width;
  l.title1Left = l.picture2Left + 20;
  l.title1Width = l.picture2Width - 40;
  l.paneTop = titlesHeight;
  l.paneHeight = H - (titlesTop + titlesHeight);
  return l;
}

double splitterBarLeft(double p, double W) noexcept {
  if (p < 500) return 500;
  if (p > W - 500) return W - 500;
  return p;
}

}  // namespace tarsek
