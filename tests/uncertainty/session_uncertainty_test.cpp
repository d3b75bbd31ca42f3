// The open well's uncertainty figures as the windows and pages read them, on the sample pad.

#include "uncertainty/session_uncertainty.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "anticollision/neighbour_loader.h"
#include "anticollision/separation_chart.h"
#include "common/numtext.h"
#include "model/well_files.h"
#include "plot/trajectory_plot.h"
#include "plot/uncertainty_overlay.h"
#include "print/recording_surface.h"
#include "session/well_io.h"
#include "support/temp_dir.h"
#include "survey/survey_display.h"
#include "survey/survey_report.h"
#include "uncertainty/uncertainty_report.h"

namespace tarsek {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

// 草20-1 opened from dir, with 草20-2 and 草20-3 as its neighbours.
Session pad(const std::string& dir, bool neighbours = true) {
  Session s;
  s.wellDirectory = dir;
  const WellLoadResult r = LoadWell(s, s.well, dir + "/草20-1.kvd", false, dir);
  EXPECT_TRUE(r.ok && r.found) << r.message;
  if (neighbours) {
    for (const char* name : {"草20-2", "草20-3"}) {
      WellRecord n;
      EXPECT_EQ(LoadNeighbourWell(s, n, dir + "/" + name + ".kvd"), AddNeighbourOutcome::Added);
      s.neighbourWells.push_back(n);
      s.neighbourColours.push_back(0x00FF00u);
    }
  }
  return s;
}

// The pad copied to a scratch directory, so that parameter files can be taken away.
void copyPad(const TempDir& dir) {
  for (const auto& e : fs::directory_iterator(TARSEK_SAMPLES_DIR))
    if (e.path().filename().string().rfind("草20-", 0) == 0)
      fs::copy_file(e.path(), fs::path(dir.path()) / e.path().filename());
}

bool anyText(const RecordingSurface& s, const std::string& part) {
  for (const std::string& t : s.texts())
    if (t.find(part) != std::string::npos) return true;
  return false;
}

TEST(SessionUncertainty, SamplePadFiguresHangTogether) {
  const Session s = pad(TARSEK_SAMPLES_DIR);
  const unc::SessionUncertainty u = unc::ComputeSessionUncertainty(s);
  ASSERT_TRUE(u.ok) << u.status;
  ASSERT_EQ(u.stations.size(), static_cast<std::size_t>(s.well.stationCount));
  for (std::size_t i = 0; i < u.stations.size(); ++i) {
    const unc::StationFigure& f = u.stations[i];
    EXPECT_EQ(f.md, s.well.stations[i].md);
    EXPECT_EQ(f.north, s.well.results[i].north);  // drawn on the path the views draw
    EXPECT_GE(f.ellipse.semiMajor, f.ellipse.semiMinor);
    EXPECT_TRUE(f.hasSf);
    if (i > 0) {
      EXPECT_GE(f.ellipse.semiMajor, u.stations[i - 1].ellipse.semiMajor - 1e-9);
    }
  }
  ASSERT_EQ(u.neighbours.size(), 2u);
  for (const unc::NeighbourClearance& n : u.neighbours) {
    ASSERT_TRUE(n.ok) << n.status;
    const auto lowest = std::min_element(n.points.begin(), n.points.end(),
                                         [](const auto& a, const auto& b) { return a.sf < b.sf; });
    EXPECT_EQ(n.minimumSf, lowest->sf);
    EXPECT_EQ(n.minimumMd, lowest->md);
  }
  // Each station's closest SF is the smaller of the two neighbours' there.
  const std::size_t lead = u.neighbours[0].points.size() - u.stations.size();
  for (std::size_t i = 0; i < u.stations.size(); ++i)
    EXPECT_EQ(u.stations[i].closestSf,
              std::min(u.neighbours[0].points[i + lead].sf, u.neighbours[1].points[i + lead].sf));
  EXPECT_EQ(u.belowOne(), std::min(u.neighbours[0].minimumSf, u.neighbours[1].minimumSf) < 1);
  ASSERT_FALSE(u.targets.empty());
  EXPECT_TRUE(u.targets[0].surveyed);
  EXPECT_GE(u.targets[0].probability, 0.0);
  EXPECT_LE(u.targets[0].probability, 1.0);
}

TEST(SessionUncertainty, AWellAboveItsTargetGetsTheProjectedChance) {
  Session s = pad(TARSEK_SAMPLES_DIR, false);
  int above = 0;
  while (above < s.well.stationCount && s.well.results[above].tvd < s.well.target1Tvd - 200)
    ++above;
  s.well.stationCount = static_cast<std::int16_t>(above);
  const unc::SessionUncertainty u = unc::ComputeSessionUncertainty(s);
  ASSERT_TRUE(u.ok);
  ASSERT_FALSE(u.targets.empty());
  EXPECT_FALSE(u.targets[0].surveyed);
  EXPECT_TRUE(u.targets[0].projected);
  s.uncertainty = std::make_shared<unc::SessionUncertainty>(u);
  bool told = false;
  for (const PanelLine& line : guidancePanelLines(s))
    told = told || line.text.find("预计中靶概率：" + unc::PercentText(u.targets[0].probability)) !=
                       std::string::npos;
  EXPECT_TRUE(told);
}

// Without usable parameters nothing is shown anywhere, and the reason is given instead.
TEST(SessionUncertainty, NoOrBadParameterFileShowsNothing) {
  TempDir dir;
  copyPad(dir);
  struct Case {
    const char* fileText;  // nullptr: no file
    const char* status;    // part of the reason
  } cases[] = {{nullptr, unc::kNoSiteParameters}, {"btotal=abc\ndip=58\n", "第1行"}};
  for (const Case& c : cases) {
    fs::remove(dir.file("草20-1.unc"));
    if (c.fileText != nullptr) testing::writeBytes(dir.file("草20-1.unc"), c.fileText);
    Session s = pad(dir.path());
    const Session plain = s;
    unc::UpdateUncertainty(s);
    ASSERT_TRUE(s.uncertainty);
    EXPECT_FALSE(s.uncertainty->ok);
    EXPECT_NE(s.uncertainty->status.find(c.status), std::string::npos) << s.uncertainty->status;
    EXPECT_EQ(unc::ShownUncertainty(s), nullptr);
    // The guidance panel and the survey page are those of a well without the file.
    const auto lines = guidancePanelLines(s), before = guidancePanelLines(plain);
    ASSERT_EQ(lines.size(), before.size());
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].text, before[i].text);
    RecordingSurface page;
    PrintUncertaintyPage(page, s, 0, 100);
    EXPECT_TRUE(anyText(page, c.status));
    EXPECT_FALSE(anyText(page, "σH"));
    EXPECT_EQ(UncertaintyReportRows(s), 0);
  }
}

TEST(SessionUncertainty, ANeighbourWithoutParametersIsNamedNotCompared) {
  TempDir dir;
  copyPad(dir);
  fs::remove(dir.file("草20-3.unc"));
  const unc::SessionUncertainty u = unc::ComputeSessionUncertainty(pad(dir.path()));
  ASSERT_TRUE(u.ok);
  EXPECT_TRUE(u.neighbours[0].ok);
  EXPECT_FALSE(u.neighbours[1].ok);
  EXPECT_NE(u.neighbours[1].status.find("草20-3"), std::string::npos);
  EXPECT_NE(u.neighbours[1].status.find(unc::kNoSiteParameters), std::string::npos);
}

TEST(SessionUncertainty, ReportAndChartShowTheFigures) {
  Session s = pad(TARSEK_SAMPLES_DIR);
  unc::UpdateUncertainty(s);
  ASSERT_TRUE(s.uncertainty->ok);
  RecordingSurface page;
  PrintUncertaintyPage(page, s, 0, 4);
  const unc::StationFigure& f = s.uncertainty->stations[3];
  for (const std::string& t : {formatFixed(f.sigmaH, 2), formatFixed(f.ellipse.azimuth, 1),
                               formatFixed(f.closestSf, 2), std::string("ISCWSA MWD Rev4")})
    EXPECT_TRUE(anyText(page, t)) << t;
  // The hit probability beside the hit radius, in the panel and in the survey heading.
  const std::string chance = (s.well.targetCount == 2 ? "中靶1概率：" : "中靶概率：") +
                             unc::PercentText(s.uncertainty->targets[0].probability);
  RecordingSurface heading;
  PrintSurveyPage(heading, s, 0, 4);
  EXPECT_TRUE(anyText(heading, chance));
  bool inPanel = false;
  for (const PanelLine& line : guidancePanelLines(s)) inPanel = inPanel || line.text == chance;
  EXPECT_TRUE(inPanel);

  RecordingSurface chart(12000, 8000);
  drawSeparationChart(chart, s);
  EXPECT_TRUE(anyText(chart, "SF=1.0"));
  EXPECT_TRUE(anyText(chart, "SF=1.5"));
  for (const unc::NeighbourClearance& n : s.uncertainty->neighbours)
    EXPECT_TRUE(anyText(chart, n.name + " 最小SF " + formatFixed(n.minimumSf, 2)));
  EXPECT_EQ(chart.callsOf("polyline").size(), s.uncertainty->neighbours.size());
}

// Ellipses and band appear only with known figures and while shown; the rest of the drawing
// is the same call for call.
TEST(UncertaintyDisplay, TrajectoryDrawingsAddOnlyTheOverlay) {
  Session s = pad(TARSEK_SAMPLES_DIR, false);
  const auto draw = [](const Session& session) {
    std::vector<RecordingSurface> out(3, RecordingSurface(9000, 6000));
    DrawPlanView(out[0], session);
    DrawVerticalSection(out[1], session);
    DrawTrajectoryPlot(out[2], session);
    return out;
  };
  const auto plain = draw(s);
  unc::UpdateUncertainty(s);
  ASSERT_TRUE(s.uncertainty->ok);
  const auto shown = draw(s);
  std::size_t crossings = 0;
  for (const unc::TargetChance& t : s.uncertainty->targets) crossings += t.surveyed || t.projected;
  const std::size_t ellipses = EllipseStations(*s.uncertainty).size() + crossings;
  const std::size_t expected[3] = {ellipses, 2, ellipses + 2};
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(plain[i].callsOf("polyline").empty());
    EXPECT_EQ(shown[i].callsOf("polyline").size(), expected[i]) << i;
    EXPECT_EQ(shown[i].calls().size() - expected[i], plain[i].calls().size()) << i;
  }
  s.showUncertainty = false;
  const auto hidden = draw(s);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(hidden[i].log(), plain[i].log()) << i;
}

TEST(UncertaintyDisplay, SpacingAxisAndPercentTables) {
  struct Spacing {
    double md, step;
  } spacings[] = {{0, 10}, {600, 10}, {601, 20}, {3000, 50}, {3001, 100}, {12500, 500}};
  for (const Spacing& c : spacings) EXPECT_EQ(EllipseSpacing(c.md), c.step) << c.md;
  struct Axis {
    std::vector<double> factors;
    double top;
  } axes[] = {{{}, 2}, {{0.4, 1.2}, 2}, {{3.2}, 4}, {{unc::kSeparationCap}, 10}};
  for (const Axis& c : axes) EXPECT_EQ(separationAxisTop(c.factors), c.top);
  struct Percent {
    double p;
    const char* text;
  } percents[] = {{0, "0.0%"}, {0.9534, "95.3%"}, {1, "100.0%"}, {1.2, "100.0%"}};
  for (const Percent& c : percents) EXPECT_EQ(unc::PercentText(c.p), c.text);
}

TEST(UncertaintyDisplay, EllipsesEveryStepAndAtTheEnd) {
  unc::SessionUncertainty u;
  for (int i = 0; i <= 50; ++i) {
    unc::StationFigure f;
    f.md = i * 13.0;  // 650 m: ellipses every 20 m
    u.stations.push_back(f);
  }
  const std::vector<std::size_t> at = EllipseStations(u);
  ASSERT_FALSE(at.empty());
  EXPECT_EQ(at.back(), u.stations.size() - 1);
  for (std::size_t k = 1; k + 1 < at.size(); ++k) {
    // The first station past each multiple of 20 m, and no two in the same 20 m.
    EXPECT_GE(u.stations[at[k]].md, 20.0 * static_cast<int>(u.stations[at[k]].md / 20));
    EXPECT_LT(u.stations[at[k] - 1].md, 20.0 * static_cast<int>(u.stations[at[k]].md / 20));
  }
}

}  // namespace
}  // namespace tarsek
