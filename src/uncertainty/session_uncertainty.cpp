#include "uncertainty/session_uncertainty.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "common/numtext.h"
#include "uncertainty/hit_probability.h"
#include "uncertainty/well_uncertainty.h"

namespace tarsek::unc {
namespace {

double root(double v) { return std::sqrt(std::max(0.0, v)); }

int stationsInUse(const WellRecord& w) {
  const auto held = static_cast<int>(std::min(w.stations.size(), w.results.size()));
  return std::clamp<int>(w.stationCount, 0, held);
}

// The band's half-width: the spread across the path within the plane of the vertical section
// (displacement along the design azimuth, depth down), at the station's direction.
void sectionNormal(const Cov3& c, const PathStation& st, double designAzimuth, StationFigure& f) {
  const double a = designAzimuth * std::numbers::pi / 180;
  const Vec3 u{std::cos(a), std::sin(a), 0};
  const Vec3 t = DirectionOf(st.inc, st.azi);
  double dx = t[0] * u[0] + t[1] * u[1];
  double dz = t[2];
  const double len = std::hypot(dx, dz);
  // A course across the section plane has no direction in it: measure the depth spread.
  if (len < 1e-9) {
    dx = 1;
    dz = 0;
  } else {
    dx /= len;
    dz /= len;
  }
  f.normalX = -dz;
  f.normalY = dx;
  const Vec3 w{f.normalX * u[0], f.normalX * u[1], f.normalY};
  f.sectionSigma = root(c.along(w));
}

TargetChance chanceAt(const WellState& session, const WellUncertainty& own, int target) {
  TargetChance out;
  out.target = target;
  WellTargetHit hit;
  if (!TargetHitOfWell(own, session.well, target, hit)) return out;
  out.surveyed = hit.surveyed.crossed;
  out.projected = !out.surveyed && hit.projected.crossed;
  const TargetHit& at = out.surveyed ? hit.surveyed : hit.projected;
  if (!at.crossed) return out;
  out.probability = at.probability;
  out.north = at.at.point.position[0];
  out.east = at.at.point.position[1];
  out.ellipse = EllipseOf(at.at.covariance);
  // A surveyed crossing is judged where the window shows it, by the well's own calculation
  // method, so that the probability and the hit radius beside it speak of the same point.
  const TargetCrossing& shown = target == 1 ? session.target1Hit : session.target2Hit;
  if (out.surveyed && shown.crossed && std::isfinite(shown.result.north) &&
      std::isfinite(shown.result.east)) {
    out.north = shown.result.north;
    out.east = shown.result.east;
    const Cov3& c = at.at.covariance;
    out.probability =
        HitProbability(out.north - hit.north, out.east - hit.east, c.nn, c.ee, c.ne, hit.radius);
  }
  return out;
}

}  // namespace

bool SessionUncertainty::belowOne() const noexcept {
  for (const NeighbourClearance& n : neighbours)
    if (n.ok && n.minimumSf < 1.0) return true;
  return false;
}

SessionUncertainty ComputeSessionUncertainty(const WellState& session) {
  SessionUncertainty out;
  const WellRecord& w = session.well;
  SiteParameters site;
  const SiteFile file = LoadSiteParameters(session.wellDirectory, w.wellNo, site, out.status);
  if (file == SiteFile::Missing) out.status = kNoSiteParameters;
  if (file != SiteFile::Loaded) return out;
  const int n = stationsInUse(w);
  if (n == 0) {
    out.status = "没有测点，无法计算位置误差";
    return out;
  }
  const WellUncertainty own = UncertaintyOfWell(w, site, w);
  out.site = own.site;
  if (!own.ok) {
    out.status = own.status;
    return out;
  }
  // The track may start with a surface point ahead of the well's first station.
  if (own.track.size() != own.track.firstSurveyed() + static_cast<std::size_t>(n)) {
    out.status = "测点无法计算位置误差";
    return out;
  }
  const std::size_t lead = own.track.firstSurveyed();
  out.stations.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    const std::size_t k = lead + static_cast<std::size_t>(i);
    const Cov3& c = own.track.covariance(k);
    const PathStation& st = own.track.station(k);
    const StationResult& r = w.results[static_cast<std::size_t>(i)];
    StationFigure f;
    f.station = i;
    f.md = st.md;
    f.tvd = r.tvd;
    f.north = r.north;
    f.east = r.east;
    f.verticalSection = r.verticalSection;
    const Cov3 hla = ToHighSideLateralAlong(c, st.inc, st.azi);
    f.sigmaH = root(hla.nn);
    f.sigmaL = root(hla.ee);
    f.sigmaA = root(hla.vv);
    f.sigmaV = root(c.vv);
    f.ellipse = EllipseOf(c);
    sectionNormal(c, st, w.designAzimuth, f);
    out.stations.push_back(f);
  }
  out.targets.push_back(chanceAt(session, own, 1));
  if (w.targetCount == 2) out.targets.push_back(chanceAt(session, own, 2));
  // Separation points run from the well's first survey station, as the stations do.
  for (const NeighbourSeparation& sep :
       SeparationToNeighbours(w, own, session.neighbourWells, session.wellDirectory)) {
    NeighbourClearance c;
    c.name = sep.wellNo;
    c.ok = sep.ok && sep.points.size() == out.stations.size();
    c.status = sep.ok && !c.ok ? "分离系数无法与测点对应" : sep.status;
    c.points = sep.points;
    c.minimumSf = sep.minimumSf;
    c.minimumMd = sep.minimumSfMd;
    if (c.ok) {
      for (std::size_t j = 0; j < c.points.size(); ++j) {
        StationFigure& f = out.stations[j];
        f.hasSf = true;
        f.closestSf = std::min(f.closestSf, c.points[j].sf);
      }
    }
    out.neighbours.push_back(std::move(c));
  }
  out.ok = true;
  return out;
}

void UpdateUncertainty(WellState& session) {
  if (session.well.wellNo.empty()) {
    session.uncertainty.reset();
    return;
  }
  session.uncertainty =
      std::make_shared<const SessionUncertainty>(ComputeSessionUncertainty(session));
}

const SessionUncertainty* ShownUncertainty(const WellState& session) noexcept {
  if (!session.showUncertainty || !session.uncertainty || !session.uncertainty->ok) return nullptr;
  return session.uncertainty.get();
}

std::string PercentText(double probability) {
  return formatFixed(std::clamp(probability, 0.0, 1.0) * 100, 1) + "%";
}

}  // namespace tarsek::unc
