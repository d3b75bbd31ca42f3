// Minimum curvature against published and analytic trajectories.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/constants.h"
#include "design/design_fixtures.h"
#include "design/profile_design.h"
#include "survey/survey_calc.h"

using namespace tarsek;

namespace {

using Vec = std::array<double, 3>;  // north, east, down

Vec direction(double incDeg, double azDeg) {
  const double i = incDeg * kPi / 180, a = azDeg * kPi / 180;
  return {std::sin(i) * std::cos(a), std::sin(i) * std::sin(a), std::cos(i)};
}

Vec combine(double p, const Vec& a, double q, const Vec& b) {
  return {p * a[0] + q * b[0], p * a[1] + q * b[1], p * a[2] + q * b[2]};
}

/// A plane arc: it starts along t0 and bends toward b (a unit vector square to t0) through
/// turnDeg over length metres; stations are laid every length / courses metres.
struct Arc {
  const char* name;
  double inc0, az0;  // start direction, degrees
  double bInc, bAz;  // direction toward which the arc bends (made square to t0)
  double turnDeg;
  double length;
  int courses;
  bool endsVertical;  // the last station is exactly vertical
};

struct ArcGeometry {
  Vec t0, b;
  double radius;  // 0 for a straight line
  double angle;   // radians turned over the whole length

  ArcGeometry(const Arc& arc) : t0(direction(arc.inc0, arc.az0)), angle(arc.turnDeg * kPi / 180) {
    const Vec w = direction(arc.bInc, arc.bAz);
    const double d = w[0] * t0[0] + w[1] * t0[1] + w[2] * t0[2];
    b = combine(1, w, -d, t0);
    const double n = std::sqrt(b[0] * b[0] + b[1] * b[1] + b[2] * b[2]);
    b = combine(1 / n, b, 0, b);
    radius = angle > 0 ? arc.length / angle : 0;
  }
  Vec tangent(double s) const {
    if (radius == 0) return t0;
    return combine(std::cos(s / radius), t0, std::sin(s / radius), b);
  }
  Vec position(double s) const {
    if (radius == 0) return combine(s, t0, 0, t0);
    // 1 - cos x as 2 sin²(x / 2): a nearly straight arc would lose every digit otherwise.
    const double half = std::sin(s / radius / 2);
    return combine(radius * std::sin(s / radius), t0, 2 * radius * half * half, b);
  }
};

SurveyStation stationOn(const ArcGeometry& g, double s, bool vertical) {
  const Vec t = g.tangent(s);
  SurveyStation st;
  st.md = s;
  st.inclination = vertical ? 0 : std::atan2(std::hypot(t[0], t[1]), t[2]) * 180 / kPi;
  st.azimuth = std::atan2(t[1], t[0]) * 180 / kPi;
  if (st.azimuth < 0) st.azimuth += 360;
  if (vertical) st.azimuth = 0;
  st.gridAzimuth = st.azimuth;
  return st;
}

}  // namespace

TEST(MinimumCurvature, PublishedTestWellOneVerticalDepths) {
  std::ifstream in(std::string(TARSEK_UNC_DATA_DIR) + "/well1-survey.csv");
  ASSERT_TRUE(in) << "ISCWSA well #1 survey missing";
  std::string line;
  std::getline(in, line);  // heading
  std::vector<SurveyStation> stations;
  std::vector<double> published;
  std::vector<int> decimals;
  while (std::getline(in, line)) {
    std::stringstream row(line);
    std::string md, inc, az, tvd;
    std::getline(row, md, ',');
    std::getline(row, inc, ',');
    std::getline(row, az, ',');
    std::getline(row, tvd, ',');
    SurveyStation s;
    s.index = static_cast<std::int16_t>(stations.size());
    s.md = std::stod(md);
    s.inclination = std::stod(inc);
    s.azimuth = std::stod(az);  // true azimuths, no convergence
    stations.push_back(s);
    published.push_back(std::stod(tvd));
    const auto dot = tvd.find('.');
    decimals.push_back(dot == std::string::npos ? 0 : static_cast<int>(tvd.size() - dot - 1));
  }
  ASSERT_EQ(stations.size(), 268u);
  BasicData block;
  const auto results = ComputeTrajectory(stations, block, static_cast<int>(stations.size()),
                                         SurveyMethod::MinimumCurvature);
  for (std::size_t i = 0; i < stations.size(); ++i)
    EXPECT_NEAR(results[i].tvd, published[i], 0.5 * std::pow(10.0, -decimals[i]) + 1e-9)
        << "MD " << stations[i].md;
}

TEST(MinimumCurvature, FollowsTheArcExactly) {
  const Arc arcs[] = {
      {"build from vertical, 3°/30 m", 0, 0, 90, 135, 60, 600, 20, false},
      {"build and turn in a tilted plane", 30, 40, 80, 100, 50, 500, 17, false},
      {"horizontal section", 90, 120, 90, 30, 0, 900, 30, false},
      {"horizontal 180° reversal across north", 90, 270, 90, 0, 180, 600, 20, false},
      {"vertical well", 0, 0, 90, 0, 0, 1500, 50, false},
      {"drop to vertical", 20, 60, 70, 240, 20, 400, 10, true},
      {"nearly straight", 45, 10, 135, 10, 1e-5, 300, 10, false},
  };
  for (const Arc& arc : arcs) {
    SCOPED_TRACE(arc.name);
    const ArcGeometry g(arc);
    std::vector<SurveyStation> stations;
    for (int k = 0; k <= arc.courses; ++k) {
      const bool last = k == arc.courses;
      stations.push_back(stationOn(g, arc.length * k / arc.courses, last && arc.endsVertical));
      stations.back().index = static_cast<std::int16_t>(k);
    }
    BasicData block;
    const int count = static_cast<int>(stations.size());
    const auto r = ComputeTrajectory(stations, block, count, SurveyMethod::MinimumCurvature);
    for (int k = 0; k < count; ++k) {
      const Vec p = g.position(stations[k].md);
      EXPECT_NEAR(r[k].north, p[0], 1e-9) << k;
      EXPECT_NEAR(r[k].east, p[1], 1e-9) << k;
      EXPECT_NEAR(r[k].tvd, p[2], 1e-9) << k;
    }
    // Points inside a course lie on the arc too, by measured and by vertical depth.
    for (int k = 1; k < count; ++k) {
      const double mid = (stations[k - 1].md + stations[k].md) / 2 + 0.37;
      const TargetCrossing x = StationAtDepth(mid, stations[k - 1], r[k - 1], block, stations[k],
                                              false, SurveyMethod::MinimumCurvature);
      const Vec p = g.position(x.station.md);
      EXPECT_NEAR(x.station.md, mid, 1e-4);
      EXPECT_NEAR(x.result.north, p[0], 1e-9) << k;
      EXPECT_NEAR(x.result.east, p[1], 1e-9) << k;
      EXPECT_NEAR(x.result.tvd, p[2], 1e-9) << k;
      if (r[k].tvd - r[k - 1].tvd < 1e-3) continue;  // a level course has no depth to look up
      const double depth = (r[k - 1].tvd + r[k].tvd) / 2;
      const TargetCrossing y = StationAtDepth(depth, stations[k - 1], r[k - 1], block, stations[k],
                                              true, SurveyMethod::MinimumCurvature);
      EXPECT_NEAR(y.result.tvd, depth, 1e-4);
      EXPECT_NEAR(y.result.tvd, g.position(y.station.md)[2], 1e-9) << k;
    }
  }
}

TEST(MinimumCurvature, OpposedDirectionsAddNothingAndStayFinite) {
  SurveyStation up, down;
  up.inclination = 90;
  up.gridAzimuth = 0;
  down.md = 30;
  down.inclination = 90;
  down.gridAzimuth = 180;
  const StationResult d = IntervalIncrements(up, down, SurveyMethod::MinimumCurvature);
  EXPECT_EQ(d.tvd, 0);
  EXPECT_EQ(d.north, 0);
  EXPECT_EQ(d.east, 0);
  const TargetCrossing x = StationAtDepth(10, up, StationResult{}, BasicData{}, down, false,
                                          SurveyMethod::MinimumCurvature);
  EXPECT_TRUE(std::isfinite(x.result.north) && std::isfinite(x.station.gridAzimuth));
}

TEST(MinimumCurvature, DesignBuildEndsOnTheRadiusFormulas) {
  for (double rate : {3.0, 6.0, 7.5}) {
    WellState s = tarsek::testing::singleTargetWell(SurveyMethod::MinimumCurvature);
    s.well.buildRate = rate;
    s.well.buildToInclination = 20;
    ASSERT_EQ(DesignProfile(s), DesignOutcome::Done) << rate;
    const double radius = 18000 / (kPi * rate);
    const double end = 20 * kPi / 180;
    const DesignSegment& build = s.designSegments[1];
    EXPECT_NEAR(build.deltaTvd, radius * std::sin(end), 1e-6) << rate;
    EXPECT_NEAR(build.displacement, radius * (1 - std::cos(end)), 1e-6) << rate;
    EXPECT_NEAR(build.deltaMd, 20 * 100 / rate, 1e-9) << rate;
  }
}
