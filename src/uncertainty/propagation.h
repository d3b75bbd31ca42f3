#pragma once

// Position covariance along a surveyed well from a tool error model, by the method of
// Williamson (SPE 67616): every error source at a station moves the two courses it borders;
// the moves are summed over stations as the source's propagation says (random sources add
// their squares, systematic and global ones add before squaring), giving one covariance per
// source, summed over sources for the total.

#include <cstddef>
#include <string>
#include <vector>

#include "uncertainty/covariance.h"
#include "uncertainty/error_model.h"
#include "uncertainty/site_params.h"
#include "uncertainty/survey_path.h"

namespace tarsek::unc {

/// Inclinations below this (degrees), or this near 180, count as vertical: the terms that have
/// near-vertical forms use them there.
inline constexpr double kVerticalLimitDeg = 0.0001;

/// The covariance of every station of one path, and of any point between them placed as a
/// station. A well is surveyed in one run here, so systematic and global sources propagate
/// alike. Built once (linear in stations × terms); queries do not change it.
class CovarianceTrack {
 public:
  CovarianceTrack() = default;

  /// Builds the track; false with a Chinese message (track left empty) when the path fails
  /// CheckPath or the site values fail CheckSiteParameters (site.model is not looked at: model
  /// may come from a file).
  bool build(const SurveyPath& path, const ErrorModel& model, const SiteParameters& site,
             std::string& message);

  std::size_t size() const noexcept { return geometry_.size(); }
  bool empty() const noexcept { return geometry_.size() == 0; }
  const ErrorModel& model() const noexcept { return model_; }
  const SiteParameters& site() const noexcept { return site_; }
  const PathGeometry& geometry() const noexcept { return geometry_; }
  /// The path's firstSurveyed: stations before it were put ahead of the survey.
  std::size_t firstSurveyed() const noexcept { return firstSurveyed_; }
  const PathStation& station(std::size_t i) const noexcept { return geometry_.station(i); }
  const Vec3& position(std::size_t i) const noexcept { return geometry_.position(i); }
  /// Total covariance at station i, NEV.
  const Cov3& covariance(std::size_t i) const noexcept { return total_[i]; }
  /// Covariance at station i from the model's term alone.
  Cov3 termCovariance(std::size_t i, std::size_t term) const noexcept;

  /// A point of the path with its covariance.
  struct Point {
    CoursePoint point;
    Cov3 covariance;
  };
  /// The point at measured depth md (clamped to the path), its covariance that of a station
  /// placed there; terms, when given, receives the covariance per model term.
  Point at(double md, std::vector<Cov3>* terms = nullptr) const;

 private:
  struct Frame {
    Vec3 t{};  // unit direction
  };
  // Site values every weighting uses, worked out once.
  double tanDip_ = 0, bcosDip_ = 0;
  double cosConvergence_ = 1, sinConvergence_ = 0;  // grid to true
  double cosToMagnetic_ = 1, sinToMagnetic_ = 0;    // grid to magnetic
  // One term's weighting at a station, already multiplied by its sigma: the depth weight and
  // the move per metre of half course (inclination and azimuth weights on the direction's
  // derivatives, or the near-vertical form).
  struct Weight {
    double depth = 0;
    Vec3 move{};
  };
  void weightsAt(double md, double tvd, double incDeg, double aziDeg, Weight* out) const;
  void weightsAt(double md, double tvd, double incDeg, double sinInc, double cosInc, double sinAzi,
                 double cosAzi, Weight* out) const;

  ErrorModel model_;
  SiteParameters site_;
  PathGeometry geometry_;
  std::vector<Frame> frames_;
  bool surfaceTie_ = true;
  std::size_t firstSurveyed_ = 0;
  std::size_t termCount_ = 0;
  std::vector<int> slot_;     // per term: index among the systematic or random terms
  std::vector<bool> random_;  // per term
  std::size_t systematicCount_ = 0, randomCount_ = 0;
  std::vector<Weight> weights_;   // station × term
  std::vector<Vec3> sysPrefix_;   // station × systematic term: Σ e over stations <= station
  std::vector<Cov3> randPrefix_;  // station × random term: Σ e eᵀ over stations <= station
  std::vector<Cov3> total_;
};

}  // namespace tarsek::unc
