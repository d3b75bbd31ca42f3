#include "plot/trajectory_plot.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <vector>

#include "common/numtext.h"
#include "plot/plot_geometry.h"
#include "plot/uncertainty_overlay.h"

namespace tarsek {
namespace {

// Entries of a result table that may be drawn: the count the record claims, but never past the
// arrays actually held (a record being rebuilt can be one step behind its count).
int usedCount(int count, std::size_t a, std::size_t b) {
  const auto held = static_cast<long>(std::min(a, b));
  return static_cast<int>(std::clamp<long>(count, 0, held));
}

int stationsInUse(const WellRecord& w) {
  return usedCount(w.stationCount, w.stations.size(), w.results.size());
}

int designPointsInUse(const WellRecord& w) {
  return usedCount(w.designPointCount, w.designPoints.size(), w.designResults.size());
}

bool finite(const PlotTarget& t) {
  return std::isfinite(t.displacement) && std::isfinite(t.depth) && std::isfinite(t.radius);
}

// A positive, finite displacement is what makes a drawing: a straight hole has none.
bool hasDisplacement(const PlotTarget& t) { return finite(t) && t.displacement > 0; }

bool finitePoint(PlotPoint p) { return std::isfinite(p.x) && std::isfinite(p.y); }

bool usable(PlotScale s) {
  return s.width > 0 && s.height > 0 && std::isfinite(s.width) && std::isfinite(s.height);
}

void textAt(Surface& s, double x, double y, const std::string& text) {
  s.currentX = x;
  s.currentY = y;
  s.printItem(text);
}

// The font, at most the surface's current one, in which every label fits its room (user units):
// its width and a blank within roomWidth, its height within roomHeight. Labels of one axis
// share it, so that they read alike and never run into their neighbours.
double fittingFont(const Surface& s, const std::vector<std::string>& labels, double roomWidth,
                   double roomHeight) {
  const double base = s.fontSize();
  double factor = 1;
  const double blank = s.textWidth(" ");
  for (const std::string& text : labels) {
    const double w = s.textWidth(text) + blank;
    if (w > 0 && w * factor > roomWidth) factor = roomWidth / w;
  }
  const double h = s.textHeight("0");
  if (h > 0 && h * factor > roomHeight) factor = roomHeight / h;
  return base * std::max(factor, 0.0);
}

// Labels drawn in a font made to fit their room, the surface's font restored afterwards. A label
// with a room of its own (roomBelow > 0: the distance down to the next label, as the target
// depth among the depth ticks has) is made smaller still where that room is short.
struct Label {
  double x;
  double y;
  std::string text;
  double roomBelow = 0;
};

void fittedLabels(Surface& s, const std::vector<Label>& labels, double roomWidth,
                  double roomHeight) {
  std::vector<std::string> texts;
  texts.reserve(labels.size());
  for (const Label& l : labels) texts.push_back(l.text);
  const double base = s.fontSize();
  const double shared = fittingFont(s, texts, roomWidth, roomHeight);
  s.setFontSize(shared);
  const double height = s.textHeight("0");
  for (const Label& l : labels) {
    const bool tight = l.roomBelow > 0 && height > l.roomBelow;
    if (tight) s.setFontSize(shared * l.roomBelow / height);
    textAt(s, l.x, l.y, l.text);
    if (tight) s.setFontSize(shared);
  }
  s.setFontSize(base);
}

// A plan-view position of a grid point (X north, Y east) relative to the wellhead at c.
PlotPoint planPoint(const WellRecord& w, PlotPoint c, double X, double Y) {
  return {c.x + Y - w.wellheadY, c.y - (X - w.wellheadX)};
}

// Lines from the wellhead through the plan positions of the results, a point at each.
void planPath(Surface& s, PlotPoint c, const std::vector<StationResult>& results, int count,
              Colour colour) {
  PlotPoint prev = c;
  for (int i = 0; i < count; ++i) {
    const PlotPoint p{c.x + results[i].east, c.y - results[i].north};
    // A station the calculation could not place is passed over rather than drawn to infinity.
    if (!finitePoint(p)) continue;
    s.line(prev.x, prev.y, p.x, p.y, colour);
    s.point(p.x, p.y, colour);
    prev = p;
  }
}

// Lines from the origin through (section, depth) of the results, each divided by k (1 on
// screen), a point at each.
void sectionPath(Surface& s, PlotPoint o, double k, const std::vector<StationResult>& results,
                 int count, Colour colour) {
  PlotPoint prev = o;
  for (int i = 0; i < count; ++i) {
    const PlotPoint p{o.x + results[i].verticalSection / k, o.y + results[i].tvd / k};
    if (!finitePoint(p)) continue;
    s.line(prev.x, prev.y, p.x, p.y, colour);
    s.point(p.x, p.y, colour);
    prev = p;
  }
}

void crossings(Surface& s, const WellState& session, PlotPoint c) {
  auto one = [&](const TargetCrossing& hit) {
    // A target the survey has not passed has no crossing to mark; its zeros are not a position.
    if (!hit.crossed) return;
    const PlotPoint p{c.x + hit.result.east, c.y - hit.result.north};
    if (!finitePoint(p)) return;
    s.line(c.x, c.y, p.x, p.y, kGreen);
    s.point(p.x, p.y, kRed);
  };
  one(session.target1Hit);
  if (session.well.targetCount == 2) one(session.target2Hit);
}

}  // namespace

void DrawPlanView(Surface& s, const WellState& session) {
  const WellRecord& w = session.well;
  if (w.wellNo.empty()) return;
  s.setForeColour(kBlack);
  s.setFontSize(planViewFontSize(s.deviceWidth()));
  s.resetScale();
  s.clear();
  const PlotTarget t = plotTarget(w);
  if (!hasDisplacement(t)) return;
  const PlotScale sc = planViewScale(s.deviceWidth(), s.deviceHeight(), t.displacement, t.radius);
  if (!usable(sc)) return;
  s.setScale(sc.width, sc.height);
  const PlotPoint c = planViewOrigin(w.designAzimuth, sc);

  // Each ring's value where it meets the axes; neighbouring values are one ring apart.
  std::vector<Label> rings;
  for (double r : tickValues(0, sc.width, 50)) {
    s.circle(c.x, c.y, r, kBlue);
    rings.push_back({c.x, c.y - r, formatGeneral(r)});
    rings.push_back({c.x, c.y + r, formatGeneral(-r)});
    rings.push_back({c.x - r, c.y, formatGeneral(-r)});
    rings.push_back({c.x + r, c.y, formatGeneral(r)});
  }
  fittedLabels(s, rings, 50, 50);

  s.line(0, c.y, sc.width, c.y, kBlue);
  textAt(s, sc.width - 10, c.y, "E");
  s.line(c.x, 0, c.x, sc.height, kBlue);
  textAt(s, c.x, 10, "N");

  const bool two = w.targetCount == 2;
  const PlotPoint t1 = planPoint(w, c, w.target1X, w.target1Y);
  const PlotPoint t2 = planPoint(w, c, w.target2X, w.target2Y);
  s.circle(t1.x, t1.y, t.radius, kRed);
  if (two) s.circle(t2.x, t2.y, t.radius, kRed);
  s.line(c.x, c.y, t1.x, t1.y, kRed);
  if (two) s.line(c.x, c.y, t2.x, t2.y, kRed);

  if (const unc::SessionUncertainty* u = unc::ShownUncertainty(session)) DrawPlanEllipses(s, *u, c);
  const int n = stationsInUse(w);
  planPath(s, c, w.results, n, kBlue);
  crossings(s, session, c);
}

void DrawVerticalSection(Surface& s, const WellState& session) {
  const WellRecord& w = session.well;
  if (w.wellNo.empty()) return;
  s.setForeColour(kBlack);
  s.setFontSize(sectionFontSize(s.deviceWidth()));
  s.resetScale();
  s.clear();
  const PlotTarget t = plotTarget(w);
  if (!hasDisplacement(t)) return;
  const PlotScale sc = sectionScale(s.deviceWidth(), s.deviceHeight(), t.depth);
  if (!usable(sc)) return;
  s.setScale(sc.width, sc.height);
  const PlotPoint o = sectionOrigin(sc);
  const double D = t.displacement;
  const double T = t.depth;
  const double R = t.radius;
  const double tickEnd = 7 * o.x / 8;

  // Depth values stand left of the ticks, one tick apart; the target depth among them.
  std::vector<Label> depths;
  for (double v : tickValues(0, T + 200, 200)) {
    s.line(o.x, o.y + v, tickEnd, o.y + v, kBlue);
    depths.push_back({0, o.y + v, formatGeneral(v)});
  }
  // The target depth goes in among the ticks: the tick value above it has only the distance
  // down to it, and it the distance down to the next tick.
  const auto next =
      std::find_if(depths.begin(), depths.end(), [&](const Label& l) { return l.y > o.y + T; });
  Label target{0, o.y + T, formatGeneral(T)};
  if (next != depths.end()) target.roomBelow = next->y - target.y;
  if (next != depths.begin() && std::prev(next)->y < target.y)
    std::prev(next)->roomBelow = target.y - std::prev(next)->y;
  depths.push_back(target);
  fittedLabels(s, depths, tickEnd, 200);
  s.line(o.x, o.y + T, tickEnd, o.y + T, kRed);

  if (w.targetCount == 2) s.line(o.x + D - R, o.y + T, o.x + D + R, o.y + T, kRed);
  const double d1 = w.designDisplacement1;
  s.line(o.x + d1 - R, o.y + w.target1Tvd, o.x + d1 + R, o.y + w.target1Tvd, kRed);

  // Displacement values along the axis, one tick apart.
  std::vector<Label> displacements;
  for (double h : tickValues(0, d1 + 200, 200)) {
    s.line(o.x + h, o.y, o.x + h, o.y - R, kBlue);
    displacements.push_back({o.x + h, o.y, formatGeneral(h)});
  }
  fittedLabels(s, displacements, 200, 200);

  s.line(o.x, 0, o.x, 8 * o.y, kBlue);
  s.line(0, o.y, 8 * o.x, o.y, kBlue);

  if (T != 0) {
    sectionPath(s, o, 1, w.designResults, designPointsInUse(w), kRed);
    if (const unc::SessionUncertainty* u = unc::ShownUncertainty(session))
      DrawSectionBand(s, *u, o, 1);
    sectionPath(s, o, 1, w.results, stationsInUse(w), kBlue);
  }
}

void DrawTrajectoryPlot(Surface& s, const WellState& session) {
  const WellRecord& w = session.well;
  const int n = stationsInUse(w);
  if (w.wellNo.empty() || n == 0) return;
  const PlotTarget t = plotTarget(w);
  if (!hasDisplacement(t)) return;
  const PlotScale sc = pageScale(s.deviceWidth(), s.deviceHeight(), t.displacement, t.radius);
  if (!usable(sc)) return;
  s.setScaleLeft(0);
  s.setScaleTop(0);
  s.setScale(sc.width, sc.height);
  const double Sw = sc.width;
  const double Sh = sc.height;
  const double D = t.displacement;
  const double T = t.depth;
  const double R = t.radius;
  const double S = D + R;
  const Colour textColour = s.foreColour;

  // Title.
  const double baseFont = s.fontSize();
  s.setFontSize(baseFont + 4);
  const std::string title = w.wellNo + "井垂直剖面和水平投影图";
  s.currentY = Sh / 10;
  s.currentX = Sw / 2 - s.textWidth(title) / 2;
  s.printLine(title);
  s.setFontSize(baseFont);
  s.setLineWidth(3);
  s.setDotted(false);

  // Frame and the plan square.
  const PagePlan plan = pagePlan(w.designAzimuth, sc, D, R);
  s.box(Sw / 10, Sh / 7, 9 * Sw / 10, 7 * Sh / 8, kBlue);
  s.box(plan.left, plan.top, plan.left + 1.1 * S, plan.top + 1.1 * S, kBlue);

  // Ring arcs, each labelled where it meets the vertical axis.
  const PlotPoint c = plan.wellhead;
  const double labelWidth = s.textWidth("1000");
  const double labelHeight = s.textHeight("1000");
  for (double r : tickValues(0, S, 50)) {
    s.circle(c.x, c.y, r, kBlue, plan.arcStart, plan.arcEnd);
    textAt(s, c.x + plan.labelShift * labelWidth, c.y + plan.labelDirection * r - labelHeight / 2,
           formatGeneral(-plan.labelDirection * r));
  }
  s.line(c.x, plan.top, c.x, plan.top + 1.1 * S, kBlue);
  s.line(plan.left, c.y, plan.left + 1.1 * S, c.y, kBlue);

  // Targets and their planned directions.
  s.setLineWidth(1);
  auto target = [&](double X, double Y) {
    const PlotPoint p = planPoint(w, c, X, Y);
    s.setDotted(true);
    s.line(c.x, c.y, p.x, p.y, kRed);
    s.setDotted(false);
    s.circle(p.x, p.y, R, kRed);
  };
  target(w.target1X, w.target1Y);
  if (w.targetCount == 2) target(w.target2X, w.target2Y);

  const unc::SessionUncertainty* u = unc::ShownUncertainty(session);
  if (u != nullptr) DrawPlanEllipses(s, *u, c);
  planPath(s, c, w.results, n, kBlue);
  crossings(s, session, c);

  // The vertical section, on its own scale: m metres span m / k page units.
  double deepest = 0;
  for (int i = 0; i < n; ++i) deepest = std::max(deepest, w.results[i].tvd);
  const double k = pageSectionFactor(w.designFinalTvd, T, deepest, Sh);
  if (!(k > 0) || !std::isfinite(k)) return;
  const double qx = Sw / 7;
  const double qy = Sh / 6;
  const double tick = R / k;

  const double axisBottom = 7 * Sh / 8;
  s.line(qx, Sh / 7, qx, axisBottom, kBlue);
  s.line(qx, axisBottom, qx - 3.5, axisBottom - 9.5, kBlue);
  s.line(qx, axisBottom, qx + 3.5, axisBottom - 9.5, kBlue);
  const double axisRight = qx + (D + 100) / k;
  s.line(qx, qy, axisRight, qy, kBlue);
  s.line(axisRight, qy, axisRight - 9.5, qy - 3.5, kBlue);
  s.line(axisRight, qy, axisRight - 9.5, qy + 3.5, kBlue);

  s.setForeColour(textColour);
  for (double z : tickValues(0, T + 200, 200)) {
    const double y = qy + z / k;
    s.line(qx - tick, y, qx, y, kBlue);
    // The label sits on its tick rather than across it, the tick being shorter than the text.
    textAt(s, qx - labelWidth, y - labelHeight, formatFixed(z, 0));
  }
  textAt(s, qx, qy + T / k, formatFixed(T, 0));
  s.line(qx - tick, qy + T / k, qx, qy + T / k, kRed);
  if (w.targetCount == 2) s.line(qx + (D - R) / k, qy + T / k, qx + (D + R) / k, qy + T / k, kRed);
  const double d1 = w.designDisplacement1;
  const double z1 = w.target1Tvd / k;
  s.line(qx + (d1 - R) / k, qy + z1, qx + (d1 + R) / k, qy + z1, kRed);

  for (double d : tickValues(100, D + 100, 100)) {
    s.line(qx + d / k, qy, qx + d / k, qy - tick, kBlue);
    textAt(s, qx + d / k, qy + tick, formatFixed(d, 0));
  }

  if (u != nullptr) DrawSectionBand(s, *u, {qx, qy}, k);
  sectionPath(s, {qx, qy}, k, w.results, n, kBlue);
  const int m = designPointsInUse(w);
  if (m >= 1) {
    s.setDotted(true);
    sectionPath(s, {qx, qy}, k, w.designResults, m, kRed);
    s.setDotted(false);
  }
}

}  // namespace tarsek
