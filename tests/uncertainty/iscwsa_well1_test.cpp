// ISCWSA test well #1 with the MWD Rev4 model: every covariance element of every term and of
// the totals at the four published depths.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "uncertainty/propagation.h"

namespace tarsek::unc {
namespace {

std::vector<std::vector<std::string>> readCsv(const std::string& name) {
  std::ifstream in(std::string(TARSEK_UNC_DATA_DIR) + "/" + name);
  std::vector<std::vector<std::string>> rows;
  std::string line;
  std::getline(in, line);  // header
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> f;
    std::stringstream ss(line);
    std::string item;
    while (std::getline(ss, item, ',')) f.push_back(item);
    if (!f.empty()) rows.push_back(f);
  }
  return rows;
}

SurveyPath well1Path() {
  SurveyPath path;
  for (const auto& r : readCsv("well1-survey.csv"))
    path.stations.push_back({std::stod(r[0]), std::stod(r[1]), std::stod(r[2])});
  return path;
}

SiteParameters well1Site() {
  std::map<std::string, std::string> ref;
  for (const auto& r : readCsv("well1-reference.csv")) ref[r[0]] = r[1];
  SiteParameters site;
  site.latitude = std::stod(ref.at("Latitude (deg)"));
  site.gravity = std::stod(ref.at("G (m/s2)"));
  site.btotal = std::stod(ref.at("Btotal (nT)"));
  site.dip = std::stod(ref.at("Dip (deg)"));
  site.declination = std::stod(ref.at("Declination (deg)"));
  site.convergence = std::stod(ref.at("Convergence (deg)"));
  return site;
}

double element(const Cov3& c, int i) {
  const double v[] = {c.nn, c.ee, c.vv, c.ne, c.nv, c.ev};
  return v[i];
}

TEST(IscwsaWell1, EveryTermAndTotalMatchesThePublishedCovariance) {
  const ErrorModel* model = FindModel("ISCWSA MWD Rev4");
  ASSERT_NE(model, nullptr);
  ASSERT_EQ(model->terms.size(), 27u);
  CovarianceTrack track;
  std::string message;
  ASSERT_TRUE(track.build(well1Path(), *model, well1Site(), message)) << message;

  const char* names[] = {"nn", "ee", "vv", "ne", "nv", "ev"};
  int checked = 0;
  for (const auto& row : readCsv("well1-covariance.csv")) {
    const double md = std::stod(row[0]);
    std::vector<Cov3> terms;
    const CovarianceTrack::Point p = track.at(md, &terms);
    ASSERT_DOUBLE_EQ(p.point.md, md);
    Cov3 got;
    if (row[1] == "Totals") {
      got = p.covariance;
    } else {
      const int t = model->termIndex(row[1]);
      ASSERT_GE(t, 0) << row[1];
      got = terms[static_cast<std::size_t>(t)];
    }
    for (int i = 0; i < 6; ++i) {
      const double want = std::stod(row[2 + i]);
      const double have = element(got, i);
      const double diff = std::fabs(have - want);
      if (diff > 0.001) {
        const double rel = diff / std::fabs(want);
        EXPECT_LE(rel, 0.005) << "MD " << md << " " << row[1] << " " << names[i] << ": " << have
                              << " vs " << want;
      }
      ++checked;
    }
  }
  EXPECT_EQ(checked, 4 * 28 * 6);
}

}  // namespace
}  // namespace tarsek::unc
