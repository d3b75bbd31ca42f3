#include "plot/uncertainty_overlay.h"

#include <cmath>
#include <numbers>

namespace tarsek {
namespace {

// Enough for an ellipse to look smooth at any size the panes give it.
constexpr int kEllipsePoints = 36;

void ellipse(Surface& s, PlotPoint c, double north, double east, const unc::HorizontalEllipse& e,
             double multiple, std::vector<double>& xy) {
  const double a = multiple * e.semiMajor;
  const double b = multiple * e.semiMinor;
  if (!std::isfinite(a) || !std::isfinite(b) || !(a > 0)) return;
  const double th = e.azimuth * std::numbers::pi / 180;
  // Major axis along the bearing, minor axis a right angle clockwise of it; (east, north).
  const double me = std::sin(th), mn = std::cos(th);
  const double ne = std::cos(th), nn = -std::sin(th);
  xy.clear();
  for (int i = 0; i <= kEllipsePoints; ++i) {
    const double t = 2 * std::numbers::pi * i / kEllipsePoints;
    const double u = a * std::cos(t), v = b * std::sin(t);
    xy.push_back(c.x + east + u * me + v * ne);
    xy.push_back(c.y - (north + u * mn + v * nn));
  }
  s.polyline(xy, kEllipseColour);
}

}  // namespace

double EllipseSpacing(double md) noexcept {
  double step = 10;
  const double steps[3] = {1, 2, 5};
  for (double decade = 10; decade < 1e7; decade *= 10) {
    for (double f : steps) {
      step = f * decade;
      if (!(md / step > 60)) return step;
    }
  }
  return step;
}

std::vector<std::size_t> EllipseStations(const unc::SessionUncertainty& u) {
  std::vector<std::size_t> out;
  if (u.stations.empty()) return out;
  const double step = EllipseSpacing(u.stations.back().md);
  double next = step;
  for (std::size_t i = 0; i < u.stations.size(); ++i) {
    if (u.stations[i].md >= next) {
      out.push_back(i);
      next = (std::floor(u.stations[i].md / step) + 1) * step;
    }
  }
  if (out.empty() || out.back() + 1 != u.stations.size()) out.push_back(u.stations.size() - 1);
  return out;
}

void DrawPlanEllipses(Surface& s, const unc::SessionUncertainty& u, PlotPoint c) {
  const double m = u.site.sigmaMultiple;
  std::vector<double> xy;
  xy.reserve(2 * (kEllipsePoints + 1));
  for (std::size_t i : EllipseStations(u)) {
    const unc::StationFigure& f = u.stations[i];
    ellipse(s, c, f.north, f.east, f.ellipse, m, xy);
  }
  for (const unc::TargetChance& t : u.targets)
    if (t.surveyed || t.projected) ellipse(s, c, t.north, t.east, t.ellipse, m, xy);
}

void DrawSectionBand(Surface& s, const unc::SessionUncertainty& u, PlotPoint o, double k) {
  if (u.stations.empty() || !(k > 0)) return;
  const double m = u.site.sigmaMultiple;
  std::vector<double> upper, lower;
  upper.reserve(2 * u.stations.size());
  lower.reserve(2 * u.stations.size());
  for (const unc::StationFigure& f : u.stations) {
    const double d = m * f.sectionSigma;
    const double x = o.x + f.verticalSection / k, y = o.y + f.tvd / k;
    upper.push_back(x + d * f.normalX / k);
    upper.push_back(y + d * f.normalY / k);
    lower.push_back(x - d * f.normalX / k);
    lower.push_back(y - d * f.normalY / k);
  }
  s.polyline(upper, kBandColour);
  s.polyline(lower, kBandColour);
}

}  // namespace tarsek
