#include "uncertainty/propagation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace tarsek::unc {
namespace {

constexpr double kRad = std::numbers::pi / 180;

// Weighting of one term at one station: on depth, inclination and azimuth; or, for a term
// with a near-vertical form at a vertical station, the north/east/vertical move directly.
struct RawWeight {
  double d = 0, i = 0, a = 0;
  bool direct = false;
  Vec3 nev{};
};

struct StationTrig {
  double md, tvd;
  double si, ci;
  double sm, cm;  // magnetic azimuth
  double st, ct;  // true azimuth
  double tanDip, bcosDip, g;
  bool vertical;
};

RawWeight evaluate(WeightFunction f, const StationTrig& s) {
  RawWeight w;
  const double sqrt2 = std::numbers::sqrt2;
  switch (f) {
    case WeightFunction::DREF:
      w.d = 1;
      break;
    case WeightFunction::DSF:
      w.d = s.md;
      break;
    case WeightFunction::DST:
      w.d = s.md * s.tvd;
      break;
    case WeightFunction::ABXY_TI1:
      w.i = -s.ci / s.g;
      w.a = s.tanDip * s.ci * s.sm / s.g;
      break;
    case WeightFunction::ABXY_TI2:
      if (s.vertical) {
        w.direct = true;
        w.nev = {-s.st / s.g, s.ct / s.g, 0};
      } else {
        w.a = (s.ci / s.si - s.tanDip * s.cm) / s.g;
      }
      break;
    case WeightFunction::ABZ:
      w.i = -s.si / s.g;
      w.a = s.tanDip * s.si * s.sm / s.g;
      break;
    case WeightFunction::ASXY_TI1:
      w.i = s.si * s.ci / sqrt2;
      w.a = -s.tanDip * s.si * s.ci * s.sm / sqrt2;
      break;
    case WeightFunction::ASXY_TI2:
      w.i = s.si * s.ci / 2;
      w.a = -s.tanDip * s.si * s.ci * s.sm / 2;
      break;
    case WeightFunction::ASXY_TI3:
      w.a = (s.tanDip * s.si * s.cm - s.ci) / 2;
      break;
    case WeightFunction::ASZ:
      w.i = -s.si * s.ci;
      w.a = s.tanDip * s.si * s.ci * s.sm;
      break;
    case WeightFunction::MBXY_TI1:
      w.a = -s.ci * s.sm / s.bcosDip;
      break;
    case WeightFunction::MBXY_TI2:
      w.a = s.cm / s.bcosDip;
      break;
    case WeightFunction::MBZ:
      w.a = -s.si * s.sm / s.bcosDip;
      break;
    case WeightFunction::MSXY_TI1:
      w.a = s.si * s.sm * (s.tanDip * s.ci + s.si * s.cm) / sqrt2;
      break;
    case WeightFunction::MSXY_TI2:
      w.a = s.sm * (s.tanDip * s.si * s.ci - s.ci * s.ci * s.cm - s.cm) / 2;
      break;
    case WeightFunction::MSXY_TI3:
      w.a = (s.ci * s.cm * s.cm - s.ci * s.sm * s.sm - s.tanDip * s.si * s.cm) / 2;
      break;
    case WeightFunction::MSZ:
      w.a = -(s.si * s.cm + s.tanDip * s.ci) * s.si * s.sm;
      break;
    case WeightFunction::AZ:
      w.a = 1;
      break;
    case WeightFunction::DBH:
      w.a = 1 / s.bcosDip;
      break;
    case WeightFunction::AMIL:
      w.a = s.si * s.sm / s.bcosDip;
      break;
    case WeightFunction::SAG:
      w.i = s.si;
      break;
    case WeightFunction::XYM1:
      w.i = std::fabs(s.si);
      break;
    case WeightFunction::XYM2:
      w.a = -1;
      break;
    case WeightFunction::XYM3:
      if (s.vertical) {
        w.direct = true;
        w.nev = {1, 0, 0};
      } else {
        w.i = std::fabs(s.ci) * s.ct;
        w.a = -std::fabs(s.ci) * s.st / s.si;
      }
      break;
    case WeightFunction::XYM4:
      if (s.vertical) {
        w.direct = true;
        w.nev = {0, 1, 0};
      } else {
        w.i = std::fabs(s.ci) * s.st;
        w.a = std::fabs(s.ci) * s.ct / s.si;
      }
      break;
  }
  return w;
}

Vec3 add(const Vec3& a, const Vec3& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }

}  // namespace

void CovarianceTrack::weightsAt(double md, double tvd, double incDeg, double aziDeg,
                                Weight* out) const {
  const double inc = incDeg * kRad, azi = aziDeg * kRad;
  weightsAt(md, tvd, incDeg, std::sin(inc), std::cos(inc), std::sin(azi), std::cos(azi), out);
}

void CovarianceTrack::weightsAt(double md, double tvd, double incDeg, double si, double ci,
                                double sa, double ca, Weight* out) const {
  StationTrig s{};
  s.md = md;
  s.tvd = tvd;
  s.si = si;
  s.ci = ci;
  // True and magnetic azimuths by the angle-sum rules, from the turns worked out once.
  s.st = sa * cosConvergence_ + ca * sinConvergence_;
  s.ct = ca * cosConvergence_ - sa * sinConvergence_;
  s.sm = sa * cosToMagnetic_ + ca * sinToMagnetic_;
  s.cm = ca * cosToMagnetic_ - sa * sinToMagnetic_;
  s.tanDip = tanDip_;
  s.bcosDip = bcosDip_;
  s.g = site_.gravity;
  // Straight up is as singular as straight down.
  s.vertical = incDeg < kVerticalLimitDeg || incDeg > 180 - kVerticalLimitDeg;
  // Derivatives of the direction with inclination and azimuth.
  const Vec3 dI{s.ci * ca, s.ci * sa, -s.si};
  const Vec3 dA{-s.si * sa, s.si * ca, 0};
  for (std::size_t t = 0; t < termCount_; ++t) {
    const RawWeight w = evaluate(model_.terms[t].weight, s);
    const double sigma = model_.terms[t].sigma;
    Weight& o = out[t];
    o.depth = sigma * w.d;
    if (w.direct) {
      for (int k = 0; k < 3; ++k) o.move[k] = sigma * w.nev[k];
    } else {
      for (int k = 0; k < 3; ++k) o.move[k] = sigma * (w.i * dI[k] + w.a * dA[k]);
    }
  }
}

namespace {

// The move of the position below station k from one term's error at k over the course
// before k (from direction tPrev, length dBefore) ...
Vec3 beforePart(double depth, const Vec3& move, const Vec3& tPrev, const Vec3& t, double dBefore) {
  Vec3 e{};
  for (int i = 0; i < 3; ++i) e[i] = depth * 0.5 * (tPrev[i] + t[i]) + 0.5 * dBefore * move[i];
  return e;
}

// ... and over the course after it (to direction tNext, length dAfter).
Vec3 afterPart(double depth, const Vec3& move, const Vec3& t, const Vec3& tNext, double dAfter) {
  Vec3 e{};
  for (int i = 0; i < 3; ++i) e[i] = -depth * 0.5 * (t[i] + tNext[i]) + 0.5 * dAfter * move[i];
  return e;
}

}  // namespace

bool CovarianceTrack::build(const SurveyPath& path, const ErrorModel& model,
                            const SiteParameters& site, std::string& message) {
  *this = CovarianceTrack();
  std::string fault = CheckPath(path);
  if (!fault.empty()) {
    message = "测点有误：" + fault + "，无法计算位置误差！";
    return false;
  }
  // The model is the one passed in, which need not be compiled in.
  SiteParameters probe = site;
  probe.model = kDefaultModelName;
  fault = CheckSiteParameters(probe);
  if (!fault.empty()) {
    message = "测量误差参数有误：" + fault + "，无法计算位置误差！";
    return false;
  }
  if (model.terms.empty()) {
    message = "误差模型“" + model.name + "”没有误差项，无法计算位置误差！";
    return false;
  }
  model_ = model;
  site_ = site;
  geometry_.build(path);
  tanDip_ = std::tan(site.dip * kRad);
  cosConvergence_ = std::cos(site.convergence * kRad);
  sinConvergence_ = std::sin(site.convergence * kRad);
  cosToMagnetic_ = std::cos((site.convergence - site.declination) * kRad);
  sinToMagnetic_ = std::sin((site.convergence - site.declination) * kRad);
  bcosDip_ = site.btotal * std::cos(site.dip * kRad);
  const std::vector<PathStation>& stations = path.stations;
  surfaceTie_ = path.stations.front().md <= 0;
  firstSurveyed_ = std::min(path.firstSurveyed, path.stations.size() - 1);
  termCount_ = model.terms.size();
  const std::size_t n = stations.size();
  slot_.resize(termCount_);
  random_.resize(termCount_);
  for (std::size_t t = 0; t < termCount_; ++t) {
    random_[t] = model.terms[t].propagation == Propagation::Random;
    slot_[t] = static_cast<int>(random_[t] ? randomCount_++ : systematicCount_++);
  }
  frames_.resize(n);
  for (std::size_t k = 0; k < n; ++k) frames_[k].t = DirectionOf(stations[k].inc, stations[k].azi);
  weights_.resize(n * termCount_);
  for (std::size_t k = 0; k < n; ++k)
    weightsAt(stations[k].md, geometry_.position(k)[2], stations[k].inc, stations[k].azi,
              &weights_[k * termCount_]);
  sysPrefix_.assign(n * systematicCount_, Vec3{});
  randPrefix_.assign(n * randomCount_, Cov3{});
  total_.assign(n, Cov3{});

  for (std::size_t k = 0; k < n; ++k) {
    const bool silent = k == 0 && surfaceTie_;
    const bool hasAfter = k + 1 < n;
    for (std::size_t t = 0; t < termCount_; ++t) {
      const Weight& w = weights_[k * termCount_ + t];
      Vec3 before{}, full{};
      if (!silent) {
        if (k > 0)
          before = beforePart(w.depth, w.move, frames_[k - 1].t, frames_[k].t,
                              stations[k].md - stations[k - 1].md);
        full = before;
        if (hasAfter)
          full = add(full, afterPart(w.depth, w.move, frames_[k].t, frames_[k + 1].t,
                                     stations[k + 1].md - stations[k].md));
      }
      const auto s = static_cast<std::size_t>(slot_[t]);
      if (random_[t]) {
        Cov3 prev = k > 0 ? randPrefix_[(k - 1) * randomCount_ + s] : Cov3{};
        Cov3 here = prev;
        here.addOuter(before);
        total_[k] += here;
        prev.addOuter(full);
        randPrefix_[k * randomCount_ + s] = prev;
      } else {
        const Vec3 prev = k > 0 ? sysPrefix_[(k - 1) * systematicCount_ + s] : Vec3{};
        total_[k].addOuter(add(prev, before));
        sysPrefix_[k * systematicCount_ + s] = add(prev, full);
      }
    }
  }
  return true;
}

Cov3 CovarianceTrack::termCovariance(std::size_t k, std::size_t t) const noexcept {
  const bool silent = k == 0 && surfaceTie_;
  const Weight& w = weights_[k * termCount_ + t];
  Vec3 before{};
  if (!silent && k > 0)
    before = beforePart(w.depth, w.move, frames_[k - 1].t, frames_[k].t,
                        geometry_.station(k).md - geometry_.station(k - 1).md);
  const auto s = static_cast<std::size_t>(slot_[t]);
  Cov3 c;
  if (random_[t]) {
    if (k > 0) c = randPrefix_[(k - 1) * randomCount_ + s];
    c.addOuter(before);
  } else {
    const Vec3 prev = k > 0 ? sysPrefix_[(k - 1) * systematicCount_ + s] : Vec3{};
    c.addOuter(add(prev, before));
  }
  return c;
}

CovarianceTrack::Point CovarianceTrack::at(double md, std::vector<Cov3>* terms) const {
  Point out;
  if (terms != nullptr) terms->assign(termCount_, Cov3{});
  if (empty()) return out;
  const std::size_t k = geometry_.courseEnding(md);
  const auto stationPoint = [&](std::size_t i) {
    out.point = geometry_.pointAt(geometry_.station(i).md);
    out.covariance = total_[i];
    if (terms != nullptr)
      for (std::size_t t = 0; t < termCount_; ++t) (*terms)[t] = termCovariance(i, t);
    return out;
  };
  if (k == 0) return stationPoint(0);
  if (md >= geometry_.station(k).md) return stationPoint(k);
  const std::size_t j = k - 1;  // the station above the point
  if (md <= geometry_.station(j).md) return stationPoint(j);
  out.point = geometry_.pointAt(md);
  const Vec3& tp = out.point.direction;
  // Queries come by the thousand in a clearance scan: keep the point's weights off the heap.
  std::array<Weight, 48> local;
  std::vector<Weight> spill;
  Weight* wp = local.data();
  if (termCount_ > local.size()) {
    spill.resize(termCount_);
    wp = spill.data();
  }
  // The point's direction gives the sines and cosines without more trigonometry.
  const double horizontal = std::sqrt(tp[0] * tp[0] + tp[1] * tp[1]);
  if (horizontal > 1e-12)
    weightsAt(out.point.md, out.point.position[2], out.point.inc, horizontal, tp[2],
              tp[1] / horizontal, tp[0] / horizontal, wp);
  else
    weightsAt(out.point.md, out.point.position[2], out.point.inc, out.point.azi, wp);
  const double dBefore = j > 0 ? geometry_.station(j).md - geometry_.station(j - 1).md : 0;
  const double dAfter = out.point.md - geometry_.station(j).md;
  const bool silent = j == 0 && surfaceTie_;
  for (std::size_t t = 0; t < termCount_; ++t) {
    const Weight& w = weights_[j * termCount_ + t];
    // Station j's error now borders the course to the point; the point's over that course.
    Vec3 ej{};
    if (!silent) {
      if (j > 0) ej = beforePart(w.depth, w.move, frames_[j - 1].t, frames_[j].t, dBefore);
      ej = add(ej, afterPart(w.depth, w.move, frames_[j].t, tp, dAfter));
    }
    const Vec3 ep = beforePart(wp[t].depth, wp[t].move, frames_[j].t, tp, dAfter);
    const auto s = static_cast<std::size_t>(slot_[t]);
    Cov3 c;
    if (random_[t]) {
      if (j > 0) c = randPrefix_[(j - 1) * randomCount_ + s];
      c.addOuter(ej);
      c.addOuter(ep);
    } else {
      const Vec3 prev = j > 0 ? sysPrefix_[(j - 1) * systematicCount_ + s] : Vec3{};
      c.addOuter(add(add(prev, ej), ep));
    }
    out.covariance += c;
    if (terms != nullptr) (*terms)[t] = c;
  }
  return out;
}

}  // namespace tarsek::unc
