// Separation factor between two wells and the probability of hitting the target circle.

#include "uncertainty/clearance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "uncertainty/hit_probability.h"

namespace tarsek::unc {
namespace {

// The probability by plain quadrature in polar coordinates about the target centre.
double polarProbability(double dn, double de, double nn, double ee, double ne, double r) {
  const double det = nn * ee - ne * ne;
  const int nr = 1200, nt = 1200;
  double sum = 0;
  for (int i = 0; i < nr; ++i) {
    const double rho = (i + 0.5) * r / nr;
    for (int j = 0; j < nt; ++j) {
      const double t = (j + 0.5) * 2 * std::numbers::pi / nt;
      const double x = rho * std::cos(t) - dn, y = rho * std::sin(t) - de;
      const double q = (ee * x * x - 2 * ne * x * y + nn * y * y) / det;
      sum += std::exp(-q / 2) * rho;
    }
  }
  return sum * (r / nr) * (2 * std::numbers::pi / nt) / (2 * std::numbers::pi * std::sqrt(det));
}

TEST(HitProbability, MatchesIndependentQuadrature) {
  struct Case {
    double dn, de, nn, ee, ne, r;
  };
  const Case cases[] = {
      {0, 0, 25, 25, 0, 10},     {8, -3, 16, 36, 0, 10}, {-12, 4, 30, 10, 12, 15},
      {30, 30, 20, 50, -25, 20}, {2, 1, 400, 1, 15, 10}, {0.5, 0, 0.04, 0.01, 0, 1},
      {6, 0, 9, 9, 0, 5},
  };
  for (const Case& c : cases) {
    const double p = HitProbability(c.dn, c.de, c.nn, c.ee, c.ne, c.r);
    EXPECT_NEAR(p, polarProbability(c.dn, c.de, c.nn, c.ee, c.ne, c.r), 2e-6)
        << c.dn << "," << c.de << "," << c.nn << "," << c.ee << "," << c.ne;
  }
  // Centred and round: 1 − exp(−r²/2σ²).
  EXPECT_NEAR(HitProbability(0, 0, 25, 25, 0, 10), 1 - std::exp(-2.0), 1e-9);
  // No spread: inside or outside.
  EXPECT_EQ(HitProbability(3, 4, 0, 0, 0, 5.01), 1);
  EXPECT_EQ(HitProbability(3, 4, 0, 0, 0, 4.99), 0);
  // A line of spread across the circle's centre: the normal law in one dimension.
  const double oneD =
      0.5 * (std::erf(3 / (4 * std::numbers::sqrt2)) - std::erf(-7 / (4 * std::numbers::sqrt2)));
  EXPECT_NEAR(HitProbability(0, 2, 0, 16, 0, 5), oneD, 1e-7);
}

// Vertical wells whose only error is an XY misalignment, of known size: a vertical well at
// depth D has a north standard deviation σ (D − 15) with 30 m stations.
SurveyPath vertical(double north, double east, double spacing) {
  SurveyPath path;
  path.tieOn = {north, east, 0};
  for (double md = 0; md <= 900; md += spacing) path.stations.push_back({md, 0, 0});
  return path;
}

TEST(Separation, SigmaAlongTheLineBetweenTheWells) {
  ErrorModel model;
  std::string message;
  ASSERT_TRUE(
      ParseErrorModel("Code,Term Description,Wt.Fn.,Magnitude,Units,Prop.\n"
                      "XYM3,m,XYM3,0.1,deg,S\n",
                      "t", "t.csv", model, message));
  SiteParameters site;
  site.btotal = 50000;
  site.dip = 60;
  CovarianceTrack reference;
  ASSERT_TRUE(reference.build(vertical(0, 0, 30), model, site, message)) << message;
  const double sigma600 = 0.1 * std::numbers::pi / 180 * (600 - 15);
  struct Case {
    double north, east;
    double spacing;  // of the offset's stations: 100 m puts the closest points between them
    double sigmaS;   // at reference depth 600 m
  };
  const Case cases[] = {
      {10, 0, 30, std::sqrt(2.0) * sigma600},
      {0, 10, 100, 0},
      {6, 8, 30, std::sqrt(2.0) * 0.6 * sigma600},
  };
  ClearanceSettings s;
  s.referenceRadius = s.offsetRadius = 0.1;
  for (const Case& c : cases) {
    CovarianceTrack offset;
    ASSERT_TRUE(offset.build(vertical(c.north, c.east, c.spacing), model, site, message));
    const std::vector<ClearancePoint> points = SeparationAlong(reference, offset, s);
    ASSERT_EQ(points.size(), reference.size());
    const ClearancePoint& p = points[20];
    ASSERT_EQ(p.md, 600);
    // An offset station every 100 m is still offset point 600, of a station placed there.
    EXPECT_NEAR(p.offsetMd, 600, 1e-9);
    EXPECT_NEAR(p.distance, 10, 1e-9);
    EXPECT_NEAR(p.sigmaS, c.sigmaS, 1e-9) << c.north << "," << c.east;
    EXPECT_NEAR(p.sf, (10 - 0.2 - 0.3) / (3.5 * std::sqrt(c.sigmaS * c.sigmaS + 0.25)), 1e-9);
  }
  // Coincident centres with nothing uncertain still give a finite figure.
  ClearanceSettings exact = s;
  exact.sigmaPa = 0;
  const ClearancePoint same = SeparationAt({0, 0, 0}, Cov3{}, {0, 0, 0}, Cov3{}, exact);
  EXPECT_EQ(same.sf, -kSeparationCap);
}

TEST(TargetHit, SurveyedAndProjectedCrossings) {
  const ErrorModel& model = *FindModel(kDefaultModelName);
  SiteParameters site;
  site.btotal = 50000;
  site.dip = 60;
  SurveyPath path;
  for (double md = 0; md <= 1200; md += 30)
    path.stations.push_back({md, md < 300 ? 0 : std::min(40.0, (md - 300) / 10), 45});
  CovarianceTrack track;
  std::string message;
  ASSERT_TRUE(track.build(path, model, site, message)) << message;
  const TargetHit above = HitAtDepth(track, 2000, 0, 0, 30);
  EXPECT_FALSE(above.crossed);
  const TargetHit crossing = HitAtDepth(track, 900, 0, 0, 30);
  ASSERT_TRUE(crossing.crossed);
  EXPECT_NEAR(crossing.at.point.position[2], 900, 1e-6);
  // A target centre 10 m north and 5 m west of the crossing.
  const Vec3& at = crossing.at.point.position;
  const TargetHit hit = HitAtDepth(track, 900, at[0] + 10, at[1] - 5, 12);
  EXPECT_NEAR(hit.missDistance, std::hypot(10, 5), 1e-9);
  const Cov3& c = hit.at.covariance;
  EXPECT_NEAR(hit.probability, polarProbability(-10, 5, c.nn, c.ee, c.ne, 12), 2e-6);
  EXPECT_GT(hit.probability, 0.01);
  // Projected ahead on the last direction, the well reaches the deeper target.
  const SurveyPath ahead = ProjectToDepth(path, 2000);
  ASSERT_EQ(ahead.stations.size(), path.stations.size() + 1);
  CovarianceTrack projected;
  ASSERT_TRUE(projected.build(ahead, model, site, message));
  const TargetHit later = HitAtDepth(projected, 2000, 0, 0, 30);
  ASSERT_TRUE(later.crossed);
  EXPECT_NEAR(later.at.point.position[2], 2000, 1e-6);
  EXPECT_NEAR(later.at.point.inc, 40, 1e-9);
  // Its spread keeps growing past the last station.
  EXPECT_GT(later.at.covariance.nn, track.covariance(track.size() - 1).nn);
}

}  // namespace
}  // namespace tarsek::unc
