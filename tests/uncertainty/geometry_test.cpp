// Minimum-curvature geometry of the error model's paths, and survey tables read from CSV.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "uncertainty/survey_csv.h"
#include "uncertainty/survey_path.h"

namespace tarsek::unc {
namespace {

double distance(const Vec3& a, const Vec3& b) {
  return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) +
                   (a[2] - b[2]) * (a[2] - b[2]));
}

TEST(PathGeometry, QuarterCircleLiesOnItsCircle) {
  // Vertical to horizontal, due east, over a quarter circle of radius 200 m from 100 m down.
  const double r = 200;
  SurveyPath path;
  path.tieOn = {1, 2, 100};
  path.stations = {{100, 0, 90}, {100 + r * std::numbers::pi / 2, 90, 90}};
  PathGeometry g;
  g.build(path);
  EXPECT_NEAR(distance(g.position(1), {1, 2 + r, 100 + r}), 0, 1e-9);
  const CoursePoint mid = g.pointAt(100 + r * std::numbers::pi / 4);
  EXPECT_NEAR(mid.inc, 45, 1e-9);
  EXPECT_NEAR(mid.azi, 90, 1e-9);
  EXPECT_NEAR(distance(mid.position, {1, 2 + r * (1 - std::sqrt(0.5)), 100 + r * std::sqrt(0.5)}),
              0, 1e-9);
}

TEST(PathGeometry, ClosestPointMatchesADenseWalkAlongThePath) {
  SurveyPath path;
  for (int i = 0; i <= 40; ++i) {
    const double md = i * 50.0;
    path.stations.push_back(
        {md, md < 300 ? 0 : std::min(85.0, (md - 300) / 12), std::fmod(30 + md / 20, 360.0)});
  }
  PathGeometry g;
  g.build(path);
  const Vec3 queries[] = {{0, 0, 150},      {5, -3, 420},     {300, 200, 900},
                          {-50, 400, 1200}, {900, 900, 1000}, {0, 0, -40}};
  for (const Vec3& q : queries) {
    double bestMd = 0, best = 1e300;
    for (double md = 0; md <= 2000; md += 0.01) {
      const double d = distance(g.pointAt(md).position, q);
      if (d < best) {
        best = d;
        bestMd = md;
      }
    }
    const CourseMatch m = g.closestTo(q);
    EXPECT_NEAR(m.distance, best, 1e-6) << q[0] << "," << q[1] << "," << q[2];
    EXPECT_NEAR(m.md, bestMd, 0.02) << q[0] << "," << q[1] << "," << q[2];
    EXPECT_NEAR(distance(g.pointAt(m.md).position, q), m.distance, 1e-6);
  }
}

TEST(SurveyCsv, TablesAreReadOrRefusedWithTheLine) {
  struct Case {
    const char* text;
    std::size_t stations;  // 0: refused
    Vec3 tieOn;
    std::size_t first;  // index of the first station read (after a surface point put ahead)
    const char* says;
  };
  const Case cases[] = {
      {"md,inc,azi\n0,0,0\n30,1.5,45\n", 2, {0, 0, 0}, 0, ""},
      {"\xEF\xBB\xBFMD, Inc, Azi\r\n100,0,10\r\n130,2,12\r\n", 3, {0, 0, 0}, 1, ""},
      {"azi,md,inc,tvd,north,east\n45,1500,30,1400.5,200,-10\n45,1530,31,,,\n",
       2,
       {200, -10, 1400.5},
       0,
       ""},
      {"md,inc\n0,0\n", 0, {}, 0, "第1行的表头缺少“azi”列"},
      {"md,inc,azi,tvd\n0,0,0,0\n", 0, {}, 0, "tvd、north、east三列"},
      {"md,inc,azi\n0,0,0\n30,x,0\n", 0, {}, 0, "第3行的“inc”不是数字"},
      {"md,inc,azi\n0,0,0\n30,1,0\n30,2,0\n", 0, {}, 0, "测深30 m处的测点的测深没有大于上一个测点"},
      {"md,inc,azi\n0,0,0\n30,190,0\n", 0, {}, 0, "井斜应在0到180°之间"},
      {"", 0, {}, 0, "是空的"},
      {"md,inc,azi\n", 0, {}, 0, "中没有测点"},
  };
  for (const Case& c : cases) {
    SurveyPath path;
    std::string message;
    const bool ok = ParseSurveyCsv(c.text, "s.csv", path, message);
    EXPECT_EQ(ok, c.stations > 0) << c.text << message;
    if (ok) {
      EXPECT_EQ(path.stations.size(), c.stations) << c.text;
      EXPECT_EQ(path.tieOn, c.tieOn) << c.text;
      EXPECT_EQ(path.firstSurveyed, c.first) << c.text;
    } else {
      EXPECT_NE(message.find(c.says), std::string::npos) << message;
    }
  }
}

}  // namespace
}  // namespace tarsek::unc
