#include "anticollision/anticollision_chart.h"

#include <algorithm>
#include <cmath>

#include "common/numtext.h"

namespace tarsek {
namespace {

constexpr double kEdge = 0.1;  // the edge band is a tenth of each axis
constexpr double kDiscOuterAtZoom1 = 3.75;

int safeZoom(int zoom) noexcept { return zoom < 1 ? 1 : zoom; }

ChartFrame makeFrame(double scaleHeight, double pictureWidth, double pictureHeight) {
  ChartFrame f;
  f.scaleHeight = scaleHeight;
  f.scaleWidth = pictureHeight > 0 && pictureWidth > 0 ? pictureWidth * scaleHeight / pictureHeight
                                                       : scaleHeight;
  return f;
}

void fillRings(ChartFrame& f) {
  f.rings.clear();
  if (!(f.ringStep > 0) || !std::isfinite(f.reach)) return;
  // Counted rather than summed, so that the last ring does not slip past the reach by drift.
  for (int k = 1;; ++k) {
    const double r = k * f.ringStep;
    if (r > f.reach + 1e-9 * f.reach || k > 100000) break;
    f.rings.push_back(r);
  }
}

void printAt(Surface& s, double x, double y, const std::string& text, Colour colour) {
  s.setForeColour(colour);
  s.currentX = x;
  s.currentY = y;
  s.printItem(text);
}

/// What lies in the picture. A pad of long neighbours at a close zoom puts tens of thousands of
/// stations outside the view; skipping them keeps a redraw within a frame.
class View {
 public:
  explicit View(const Surface& s) : w_(s.scaleWidth()), h_(s.scaleHeight()) {}
  bool line(double x1, double y1, double x2, double y2) const noexcept {
    return !((x1 < 0 && x2 < 0) || (x1 > w_ && x2 > w_) || (y1 < 0 && y2 < 0) ||
             (y1 > h_ && y2 > h_));
  }
  bool disc(double x, double y, double r) const noexcept {
    return x + r >= 0 && x - r <= w_ && y + r >= 0 && y - r <= h_;
  }
  bool text(const Surface& s, double x, double y, const std::string& t) const {
    return x <= w_ && y <= h_ && x + s.textWidth(t) >= 0 && y + s.textHeight(t) >= 0;
  }

 private:
  double w_;
  double h_;
};

/// A well's path of marks: for each station or sample a line from the previous mark, a dot and
/// a small circle. A mark within half a screen pixel of the one before it would only paint the
/// same pixels again (a vertical stretch gives hundreds), so it is left out.
class Path {
 public:
  Path(Surface& s, const View& v, Colour c, double x0, double y0)
      : s_(s),
        v_(v),
        c_(c),
        x_(x0),
        y_(y0),
        minDx_(kHalfPixelTwips / s.twipsPerUnitX()),
        minDy_(kHalfPixelTwips / s.twipsPerUnitY()) {}

  void to(double x, double y) {
    if (drawn_ && std::fabs(x - x_) < minDx_ && std::fabs(y - y_) < minDy_) return;
    if (v_.line(x_, y_, x, y)) s_.line(x_, y_, x, y, c_);
    if (v_.disc(x, y, kStationMarkRadius)) {
      s_.point(x, y, c_);
      s_.circle(x, y, kStationMarkRadius, c_);
    }
    x_ = x;
    y_ = y;
    drawn_ = true;
  }

 private:
  static constexpr double kHalfPixelTwips = 7.5;
  Surface& s_;
  const View& v_;
  Colour c_;
  double x_;
  double y_;
  double minDx_;
  double minDy_;
  bool drawn_ = false;
};

void setChartScale(Surface& s, const ChartFrame& f) {
  s.resetScale();
  s.setScale(f.scaleWidth, f.scaleHeight);
}

}  // namespace

ChartFrame spacingChartFrame(int zoom, double pictureWidth, double pictureHeight) {
  zoom = safeZoom(zoom);
  ChartFrame f = makeFrame(1000.0 / zoom, pictureWidth, pictureHeight);
  f.ringStep = 50.0 / zoom;
  f.cx = f.scaleWidth / 2;
  f.cy = f.scaleHeight / 2;
  f.reach = std::max(f.cx, f.cy);
  fillRings(f);
  return f;
}

ChartFrame trendChartFrame(int zoom, double designDisplacement1, double pictureWidth,
                           double pictureHeight, double panX, double panY) {
  zoom = safeZoom(zoom);
  const double r =
      designDisplacement1 > 0 && std::isfinite(designDisplacement1) ? designDisplacement1 : 25.0;
  ChartFrame f = makeFrame(std::max(2 * r / zoom, 2.0), pictureWidth, pictureHeight);
  f.ringStep = 100.0 / zoom;
  f.cx = f.scaleWidth / 2 - panX;
  f.cy = f.scaleHeight / 2 - panY;
  f.reach = r;
  fillRings(f);
  return f;
}

std::string ringLabel(double r, bool leadingZero) {
  std::string t = formatFixed(r, 1);
  if (!leadingZero && t.rfind("0.", 0) == 0) t.erase(0, 1);
  return t;
}

ChartFrame drawSpacingChart(Surface& s, const WellState& session, const ClearanceScan& scan,
                            int zoom, PlanPoint* markerCentre) {
  const ChartFrame f = spacingChartFrame(zoom, s.deviceWidth(), s.deviceHeight());
  setChartScale(s, f);
  s.clear();
  if (markerCentre != nullptr)
    *markerCentre = PlanPoint{f.cx + scan.closestOffsetEast, f.cy - scan.closestOffsetNorth};

  s.circle(f.cx, f.cy, kStationMarkRadius, kRed);
  printAt(s, f.cx, f.cy, session.well.wellNo, kBlack);
  for (double r : f.rings) {
    s.circle(f.cx, f.cy, r, kBlue);
    printAt(s, f.cx, f.cy - r, ringLabel(r, false), kBlue);
  }
  s.line(0, f.cy, 2 * f.cx, f.cy, kBlue);
  s.line(f.cx, 0, f.cx, 2 * f.cy, kBlue);

  const View view(s);
  const std::size_t n = std::min(session.neighbourWells.size(), scan.tracks.size());
  for (std::size_t i = 0; i < n; ++i) {
    const std::vector<ClearanceSample>& t = scan.tracks[i].samples;
    if (t.empty()) continue;
    const Colour c = i < session.neighbourColours.size() ? session.neighbourColours[i] : kBlack;
    const double x0 = f.cx + t[0].dEast;
    const double y0 = f.cy - t[0].dNorth;
    Path path(s, view, c, x0, y0);
    for (const ClearanceSample& k : t) path.to(f.cx + k.dEast, f.cy - k.dNorth);
    if (view.text(s, x0, y0, session.neighbourWells[i].wellNo))
      printAt(s, x0, y0, session.neighbourWells[i].wellNo, c);
  }
  s.setForeColour(kBlack);
  return f;
}

ChartFrame drawTrendChart(Surface& s, const WellState& session, const ClearanceScan& scan, int zoom,
                          double panX, double panY, PlanPoint* markerCentre) {
  const WellRecord& own = session.well;
  const ChartFrame f =
      trendChartFrame(zoom, own.designDisplacement1, s.deviceWidth(), s.deviceHeight(), panX, panY);
  setChartScale(s, f);
  s.clear();
  const double cx = f.cx, cy = f.cy, r = f.reach;
  if (markerCentre != nullptr)
    *markerCentre = PlanPoint{cx + scan.ownPointEast, cy - scan.ownPointNorth};

  s.line(cx + r, cy, cx - r, cy, kBlue);
  s.line(cx, cy + r, cx, cy - r, kBlue);
  for (double ring : f.rings) {
    s.circle(cx, cy, ring, kBlue);
    printAt(s, cx, cy - ring, ringLabel(ring, true), kBlue);
  }

  const View view(s);
  const double discOuter = kDiscOuterAtZoom1 / safeZoom(zoom);
  const std::size_t n = session.neighbourWells.size();
  for (std::size_t i = 0; i < n; ++i) {
    const WellRecord& nb = session.neighbourWells[i];
    const Colour c = i < session.neighbourColours.size() ? session.neighbourColours[i] : kBlack;
    const double wx = cx + nb.wellheadY - own.wellheadY;
    const double wy = cy - (nb.wellheadX - own.wellheadX);
    if (i < scan.neighbourEndPoints.size()) {
      const PlanPoint e = scan.neighbourEndPoints[i];
      // One filled disc paints what rings a millimetre apart would: they are always far
      // closer than a pixel, and a pad's worth of them took longer than the rest of the chart.
      if (view.disc(cx + e.east, cy - e.north, discOuter)) {
        s.setFilled(true);
        s.fillColour = kRed;
        s.circle(cx + e.east, cy - e.north, discOuter, kRed);
        s.setFilled(false);
      }
    }
    if (view.text(s, wx, wy, nb.wellNo)) printAt(s, wx, wy, nb.wellNo, c);
    if (view.disc(wx, wy, kStationMarkRadius)) s.circle(wx, wy, kStationMarkRadius, kRed);
    const int count = std::min<int>(nb.stationCount, static_cast<int>(nb.results.size()));
    Path path(s, view, c, wx, wy);
    for (int j = 0; j < count; ++j) path.to(wx + nb.results[j].east, wy - nb.results[j].north);
  }

  s.circle(cx, cy, kStationMarkRadius, kRed);
  printAt(s, cx, cy, own.wellNo, kBlack);
  const int count = std::min<int>(own.stationCount, static_cast<int>(own.results.size()));
  Path path(s, view, kBlue, cx, cy);
  for (int j = 0; j < count; ++j) path.to(cx + own.results[j].east, cy - own.results[j].north);
  s.setForeColour(kBlack);
  return f;
}

void drawLegend(Surface& s, const WellState& session) {
  s.resetScale();
  // Points: the half-unit lift of the stroke is then a hair above the foot of the name.
  s.setScale(s.deviceWidth() / 20.0, s.deviceHeight() / 20.0);
  s.clear();
  const double width = s.scaleWidth();
  for (std::size_t i = 0; i < session.neighbourWells.size(); ++i) {
    const Colour c = i < session.neighbourColours.size() ? session.neighbourColours[i] : kBlack;
    const std::string text = session.neighbourWells[i].wellNo + "井：";
    s.setForeColour(kBlack);
    s.currentX = 0;
    s.printLine(text);
    const double y = s.currentY - 0.5;
    s.line(s.textWidth(text), y, width, y, c);
    s.currentX = 0;
    s.currentY = y + 0.5;
  }
}

bool inInnerRegion(const ChartFrame& f, double x, double y) noexcept {
  return x > kEdge * f.scaleWidth && x < (1 - kEdge) * f.scaleWidth && y > kEdge * f.scaleHeight &&
         y < (1 - kEdge) * f.scaleHeight;
}

PanDirection panDirectionAt(const ChartFrame& f, double x, double y) noexcept {
  PanDirection d;
  if (x < kEdge * f.scaleWidth)
    d.x = -1;
  else if (x > (1 - kEdge) * f.scaleWidth)
    d.x = 1;
  if (y < kEdge * f.scaleHeight)
    d.y = -1;
  else if (y > (1 - kEdge) * f.scaleHeight)
    d.y = 1;
  return d;
}

int edgePointerCode(const ChartFrame& f, double x, double y) noexcept {
  const double dx = x - f.cx;
  const double dy = y - f.cy;
  if (dx == 0 || dy == 0) return 0;
  return (dx > 0) == (dy > 0) ? 8 : 6;
}

std::optional<double> stationTvdAt(const WellState& session, const ChartFrame& f, double x,
                                   double y) {
  const double px = x - f.cx;
  const double py = y - f.cy;
  std::optional<double> hit;
  auto search = [&](const WellRecord& w, double offX, double offY) {
    const int count = std::min<int>(w.stationCount, static_cast<int>(w.results.size()));
    for (int j = 0; j < count; ++j) {
      const double sx = offX + w.results[j].east;
      const double sy = -(offY + w.results[j].north);
      if (std::fabs(sx - px) < kStationMarkRadius && std::fabs(sy - py) < kStationMarkRadius) {
        hit = w.results[j].tvd;
        return;
      }
    }
  };
  const WellRecord& own = session.well;
  search(own, 0, 0);
  for (const WellRecord& nb : session.neighbourWells)
    search(nb, nb.wellheadY - own.wellheadY, nb.wellheadX - own.wellheadX);
  return hit;
}

bool panStep(const ChartFrame& f, PanDirection dir, double designDisplacement1, double& panX,
             double& panY) noexcept {
  panX += f.scaleWidth * dir.x / 5;
  panY += f.scaleHeight * dir.y / 5;
  return !(std::fabs(panX) > designDisplacement1 || std::fabs(panY) > designDisplacement1);
}

}  // namespace tarsek
