// The sample pad's wells through their parameter files: separation to the neighbours and the
// target crossings, surveyed and projected.

#include "uncertainty/well_uncertainty.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "exchange/uncertainty_columns.h"
#include "model/well_files.h"
#include "session/session.h"
#include "session/well_io.h"
#include "support/temp_dir.h"

namespace tarsek::unc {
namespace {

namespace fs = std::filesystem;

WellRecord load(const std::string& dir, const std::string& wellNo, bool neighbour) {
  Session session;
  session.wellDirectory = dir;
  WellRecord record;
  const WellLoadResult r = LoadWell(session, neighbour ? record : session.well,
                                    WellFilePath(dir, wellNo, ".kvd"), neighbour, dir);
  EXPECT_TRUE(r.ok && r.found) << r.message;
  return neighbour ? record : session.well;
}

TEST(WellUncertainty, SeparationToNeighboursOnThePad) {
  testing::TempDir dir;
  for (const char* f : {"草20-1.kvd", "草20-1.sur", "草20-1.unc", "草20-2.kvd", "草20-2.sur",
                        "草20-2.unc", "草20-3.kvd", "草20-3.sur"})
    fs::copy_file(fs::path(TARSEK_SAMPLES_DIR) / f, dir.file(f));
  const WellRecord well = load(dir.path(), "草20-1", false);
  const WellUncertainty own = UncertaintyOfWell(well, dir.path());
  ASSERT_TRUE(own.ok) << own.status;
  const std::vector<WellRecord> neighbours = {load(dir.path(), "草20-2", true),
                                              load(dir.path(), "草20-3", true)};
  const std::vector<NeighbourSeparation> seps =
      SeparationToNeighbours(well, own, neighbours, dir.path());
  ASSERT_EQ(seps.size(), 2u);
  ASSERT_TRUE(seps[0].ok) << seps[0].status;
  ASSERT_EQ(seps[0].points.size(), static_cast<std::size_t>(well.stationCount));
  EXPECT_EQ(seps[0].points[0].md, well.stations[0].md);
  // Near the surface the wells stand about their wellheads apart.
  EXPECT_NEAR(seps[0].points[0].distance,
              std::hypot(neighbours[0].wellheadX - well.wellheadX,
                         neighbours[0].wellheadY - well.wellheadY),
              0.5);
  EXPECT_LE(seps[0].minimumSf, seps[0].points.back().sf);
  EXPECT_FALSE(seps[1].ok);
  EXPECT_EQ(seps[1].status, "邻井“草20-3”未设置测量误差参数");

  // Without the open well's own file nothing is computed, and the status says why.
  fs::remove(dir.file("草20-1.unc"));
  const WellUncertainty none = UncertaintyOfWell(well, dir.path());
  EXPECT_FALSE(none.ok);
  EXPECT_EQ(none.status, kNoSiteParameters);
  WellTargetHit hit;
  EXPECT_FALSE(TargetHitOfWell(none, well, 1, hit));
}

TEST(WellUncertainty, TargetCrossingIsProjectedWhileTheSurveyIsAbove) {
  const WellRecord full = load(TARSEK_SAMPLES_DIR, "草20-1", false);
  WellRecord part = full;
  part.stationCount = 40;
  for (const WellRecord* w : {&full, static_cast<const WellRecord*>(&part)}) {
    const WellUncertainty u = UncertaintyOfWell(*w, TARSEK_SAMPLES_DIR);
    ASSERT_TRUE(u.ok) << u.status;
    WellTargetHit hit;
    ASSERT_TRUE(TargetHitOfWell(u, *w, 2, hit));
    EXPECT_EQ(hit.tvd, w->target2Tvd);
    const bool reached = w == &full;
    EXPECT_EQ(hit.surveyed.crossed, reached);
    EXPECT_EQ(hit.projected.crossed, !reached);
    const TargetHit& at = reached ? hit.surveyed : hit.projected;
    EXPECT_NEAR(at.at.point.position[2], w->target2Tvd, 1e-6);
    EXPECT_GE(at.probability, 0);
    EXPECT_LE(at.probability, 1);
    if (!reached) {
      EXPECT_GT(at.at.covariance.ee, u.track.covariance(u.track.size() - 1).ee);
    }
  }
  WellTargetHit none;
  EXPECT_FALSE(TargetHitOfWell(UncertaintyOfWell(full, TARSEK_SAMPLES_DIR), full, 3, none));
}

TEST(WellUncertainty, ExportColumnsOnlyWithParameters) {
  testing::TempDir dir;
  for (const char* f : {"草20-1.kvd", "草20-1.sur", "草20-1.unc"})
    fs::copy_file(fs::path(TARSEK_SAMPLES_DIR) / f, dir.file(f));
  Session session;
  session.wellDirectory = dir.path();
  session.well = load(dir.path(), "草20-1", false);
  const auto n = static_cast<std::size_t>(session.well.stationCount);
  const std::vector<ExportColumn> columns = UncertaintyExportColumns(session, false);
  ASSERT_EQ(columns.size(), 7u);
  const WellUncertainty u = UncertaintyOfWell(session.well, dir.path());
  const Cov3 last = u.track.covariance(u.track.size() - 1);
  for (const ExportColumn& c : columns) {
    ASSERT_EQ(c.values.size(), n) << c.title;
    for (double v : c.values) EXPECT_TRUE(std::isfinite(v)) << c.title;
  }
  EXPECT_NEAR(columns[3].values[n - 1], std::sqrt(last.vv), 1e-9);  // σV at the last station
  EXPECT_GT(columns[4].values[n - 1], columns[4].values[1]);        // the ellipse grows
  EXPECT_TRUE(UncertaintyExportColumns(session, true).empty());     // no design columns
  fs::remove(dir.file("草20-1.unc"));
  EXPECT_TRUE(UncertaintyExportColumns(session, false).empty());
}

}  // namespace
}  // namespace tarsek::unc
