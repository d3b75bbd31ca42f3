// Covariance between stations, at a tie-on below the surface, and in the axes the windows show.

#include "uncertainty/propagation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace tarsek::unc {
namespace {

double distance(const Vec3& a, const Vec3& b) {
  return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

ErrorModel modelOf(const std::string& rows) {
  ErrorModel m;
  std::string message;
  EXPECT_TRUE(ParseErrorModel("Code,Term Description,Wt.Fn.,Magnitude,Units,Prop.\n" + rows, "t",
                              "t.csv", m, message))
      << message;
  return m;
}

SiteParameters site() {
  SiteParameters s;
  s.btotal = 50000;
  s.dip = 72;
  s.declination = -4;
  return s;
}

TEST(Propagation, PointBetweenStationsIsAStationPlacedThere) {
  SurveyPath path;
  for (int i = 0; i <= 60; ++i) {
    const double md = i * 30.0;
    path.stations.push_back(
        {md, md < 300 ? 0 : std::min(70.0, (md - 300) / 15), std::fmod(20 + md / 25, 360.0)});
  }
  const ErrorModel& model = *FindModel(kDefaultModelName);
  CovarianceTrack track;
  std::string message;
  ASSERT_TRUE(track.build(path, model, site(), message)) << message;
  for (double md : {10.0, 415.5, 1012.25, 1799.0}) {
    std::vector<Cov3> terms;
    const CovarianceTrack::Point p = track.at(md, &terms);
    SurveyPath placed = path;
    const std::size_t k = track.geometry().courseEnding(md);
    placed.stations.insert(placed.stations.begin() + static_cast<long>(k),
                           {md, p.point.inc, p.point.azi});
    CovarianceTrack other;
    ASSERT_TRUE(other.build(placed, model, site(), message)) << message;
    EXPECT_NEAR(distance(other.position(k), p.point.position), 0, 1e-9) << md;
    for (std::size_t t = 0; t < model.terms.size(); ++t) {
      const Cov3 want = other.termCovariance(k, t);
      EXPECT_NEAR(terms[t].nn, want.nn, 1e-9 * (1 + want.nn)) << md << model.terms[t].code;
      EXPECT_NEAR(terms[t].ev, want.ev, 1e-9 * (1 + std::fabs(want.ev))) << md;
    }
    EXPECT_NEAR(p.covariance.ee, other.covariance(k).ee, 1e-9 * (1 + other.covariance(k).ee));
  }
}

TEST(Propagation, FirstStationBelowTheSurfaceCarriesItsErrorIntoTheNextCourse) {
  // An azimuth error alone, on a straight hold at 30°: the lateral move over one 30 m course.
  const ErrorModel model = modelOf("XYM2,az,XYM2,0.1,deg,S\nDECR,az r,AZ,0.1,deg,R\n");
  const double sigma = 0.1 * M_PI / 180;
  struct Case {
    double tieMd;
    double lateralSigma;  // of the station 30 m below the first
  };
  // At the surface nothing is measured: only the lower station's half of the course moves.
  const Case cases[] = {{1000, sigma * 30 * 0.5}, {0, sigma * 15 * 0.5}};
  for (const Case& c : cases) {
    SurveyPath path;
    path.tieOn = {10, 20, c.tieMd * 0.8};
    path.stations = {{c.tieMd, 30, 60}, {c.tieMd + 30, 30, 60}};
    CovarianceTrack track;
    std::string message;
    ASSERT_TRUE(track.build(path, model, site(), message)) << message;
    EXPECT_EQ(track.covariance(0).nn + track.covariance(0).ee + track.covariance(0).vv, 0);
    const Cov3 sys = ToHighSideLateralAlong(track.termCovariance(1, 0), 30, 60);
    EXPECT_NEAR(std::sqrt(sys.ee), c.lateralSigma, 1e-12) << c.tieMd;
    EXPECT_NEAR(sys.nn, 0, 1e-15);
    EXPECT_NEAR(sys.vv, 0, 1e-15);
    // The random term's two stations add in squares.
    const Cov3 rnd = ToHighSideLateralAlong(track.termCovariance(1, 1), 30, 60);
    const double half = sigma * 15 * 0.5;
    EXPECT_NEAR(rnd.ee, c.tieMd > 0 ? 2 * half * half : half * half, 1e-15) << c.tieMd;
  }
}

TEST(Propagation, OddDirectionsGiveFiniteFigures) {
  const ErrorModel& model = *FindModel(kDefaultModelName);
  // Horizontal, straight up, and either side of the vertical limit, at every azimuth quadrant.
  for (double inc : {90.0, 180.0, 179.99995, 0.00005, 0.00011, 45.0}) {
    SurveyPath path;
    path.stations = {{0, 0, 0}, {500, 0, 0}};
    for (int i = 1; i <= 8; ++i) path.stations.push_back({500 + i * 30.0, inc, i * 90.0 - 45});
    CovarianceTrack track;
    std::string message;
    ASSERT_TRUE(track.build(path, model, site(), message)) << message;
    for (double md = 0; md <= 740; md += 7.5) {
      const Cov3 c = track.at(md).covariance;
      for (double v : {c.nn, c.ee, c.vv, c.ne, c.nv, c.ev})
        ASSERT_TRUE(std::isfinite(v)) << inc << " " << md;
      const HorizontalEllipse e = EllipseOf(c);
      ASSERT_TRUE(std::isfinite(e.semiMajor + e.semiMinor + e.azimuth)) << inc << " " << md;
    }
  }
}

TEST(Covariance, AxesAndEllipse) {
  struct Case {
    Cov3 nev;
    double major, minor, azimuth;
  };
  const Case cases[] = {
      {{4, 1, 9, 0, 0, 0}, 2, 1, 0},        {{1, 4, 9, 0, 0, 0}, 2, 1, 90},
      {{2.5, 2.5, 1, 1.5, 0, 0}, 2, 1, 45}, {{2.5, 2.5, 1, -1.5, 0, 0}, 2, 1, 135},
      {{1, 1, 1, 0, 0, 0}, 1, 1, 0},
  };
  for (const Case& c : cases) {
    const HorizontalEllipse e = EllipseOf(c.nev);
    EXPECT_NEAR(e.semiMajor, c.major, 1e-12);
    EXPECT_NEAR(e.semiMinor, c.minor, 1e-12);
    EXPECT_NEAR(e.azimuth, c.azimuth, 1e-9);
  }
  const Cov3 c{4, 1, 9, 0.5, -0.25, 0.75};
  // Vertical hole pointing north: high side is north, lateral east, along-hole down.
  const Cov3 v = ToHighSideLateralAlong(c, 0, 0);
  EXPECT_DOUBLE_EQ(v.nn, 4);
  EXPECT_DOUBLE_EQ(v.ee, 1);
  EXPECT_DOUBLE_EQ(v.vv, 9);
  // Horizontal hole pointing east: high side is up, lateral is north... and east along hole.
  const Cov3 h = ToHighSideLateralAlong(c, 90, 90);
  EXPECT_NEAR(h.nn, 9, 1e-12);
  EXPECT_NEAR(h.ee, 4, 1e-12);
  EXPECT_NEAR(h.vv, 1, 1e-12);
  EXPECT_NEAR(h.ne, -0.25, 1e-12);  // up × (−north)
  EXPECT_NEAR(Cov3({2, 2, 1, 1, 0, 0}).largestEigenvalue(), 3, 1e-12);
  EXPECT_NEAR(Cov3({5, 0, 0, 0, 0, 0}).largestEigenvalue(), 5, 1e-12);
}

TEST(ErrorModel, MalformedTablesAreRefusedNamingTheLine) {
  const std::string header = "Code,Term Description,Wt.Fn.,Magnitude,Units,Prop.\n";
  struct Case {
    std::string text;
    const char* says;
  };
  const Case cases[] = {
      {"Code,Wt.Fn.,Magnitude,Units,Prop.\n", "第1行的表头缺少“Term Description”列"},
      {header + "A,a,GYRO1,1,deg,S\n", "第2行的权函数“GYRO1”未知"},
      {header + "A,a,AZ,1,grad,S\n", "第2行的单位“grad”未知"},
      {header + "A,a,AZ,-1,deg,S\n", "第2行的误差大小不是非负数"},
      {header + "A,a,AZ,1,deg,X\n", "第2行的传播方式“X”应为R、S或G"},
      {header + "A,a,AZ,1,deg,S\n\"A\",\"a, b\",AZ,1,deg,R\n", "第3行的误差项“A”重复"},
      {header, "之前没有误差项"},
  };
  for (const Case& c : cases) {
    ErrorModel m;
    std::string message;
    EXPECT_FALSE(ParseErrorModel(c.text, "x", "x.csv", m, message)) << c.text;
    EXPECT_NE(message.find(c.says), std::string::npos) << message;
  }
  ErrorModel named;
  std::string message;
  ASSERT_TRUE(ParseErrorModel("# model=Test Tool\n" + header + "\"B\",\"b, c\",DBH,5000,deg.nT,G\n",
                              "x", "x.csv", named, message));
  EXPECT_EQ(named.name, "Test Tool");
  EXPECT_EQ(named.terms[0].description, "b, c");
  EXPECT_EQ(named.terms[0].propagation, Propagation::Global);
  EXPECT_NEAR(named.terms[0].sigma, 5000 * M_PI / 180, 1e-12);
}

}  // namespace
}  // namespace tarsek::unc
