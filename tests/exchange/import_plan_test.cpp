#include "exchange/import_plan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/constants.h"
#include "exchange/station_import.h"
#include "survey/survey_calc.h"

namespace tarsek {
namespace {

WellState wellWith(const std::vector<std::vector<double>>& stations) {
  WellState s;
  s.well.wellNo = "测试1";
  s.well.magDeclination = -2;
  s.well.stationCount = static_cast<std::int16_t>(stations.size());
  s.well.stations.assign(stations.size() + 1, SurveyStation{});
  s.well.results.assign(stations.size() + 1, StationResult{});
  for (std::size_t i = 0; i < stations.size(); ++i)
    s.well.stations[i] = {static_cast<std::int16_t>(i), stations[i][0], stations[i][1],
                          stations[i][2], stations[i][2] - 2};
  return s;
}

TEST(PlanImport, CountsWhatReplaceAndMergeWouldChange) {
  const WellState s = wellWith({{100, 1, 10}, {200, 2, 20}, {300, 3, 30}});
  // Out of order in the file; 200 changes, 300 stays, 150 and 400 are new.
  const std::vector<ImportedRow> rows = {
      {2, 400, 4, 40}, {3, 200, 2.5, 20}, {4, 150, 1.5, 15}, {5, 300, 3, 30}};
  struct Case {
    ImportMode mode;
    int added, replaced, unchanged, removed;
    std::vector<double> depths;
  };
  const Case cases[] = {
      {ImportMode::Replace, 2, 1, 1, 1, {150, 200, 300, 400}},
      {ImportMode::Merge, 2, 1, 1, 0, {100, 150, 200, 300, 400}},
  };
  for (const Case& c : cases) {
    const ImportPlan p = PlanImport(s.well, rows, c.mode);
    ASSERT_TRUE(p.ok) << p.message;
    EXPECT_EQ(p.added, c.added);
    EXPECT_EQ(p.replaced, c.replaced);
    EXPECT_EQ(p.unchanged, c.unchanged);
    EXPECT_EQ(p.removed, c.removed);
    std::vector<double> depths;
    for (const SurveyStation& st : p.stations) {
      depths.push_back(st.md);
      EXPECT_EQ(st.index, static_cast<int>(depths.size()) - 1);
      EXPECT_EQ(st.gridAzimuth, st.azimuth - 2);
    }
    EXPECT_EQ(depths, c.depths);
  }
  EXPECT_EQ(DescribePlan(PlanImport(s.well, rows, ImportMode::Replace)),
            "新增2个测点，替换1个，删除1个，1个不变");
}

TEST(PlanImport, RejectsRepeatedDepthsAndRowsOutsideTheEntryRules) {
  const WellState s = wellWith({});
  const ImportPlan p =
      PlanImport(s.well, {{2, 100, 1, 1}, {3, 200, 200, 1}, {4, 100, 2, 2}, {5, 300, 1, -1}},
                 ImportMode::Merge);
  ASSERT_TRUE(p.ok);
  ASSERT_EQ(p.stations.size(), 1u);
  EXPECT_EQ(p.stations[0].inclination, 1);  // the first line at a depth stands
  ASSERT_EQ(p.rejected.size(), 3u);
  EXPECT_EQ(p.rejected[0].reason, "第3行：井斜不在0到180之间");
  EXPECT_EQ(p.rejected[1].reason, "第4行：测深与第2行相同");
  EXPECT_EQ(p.rejected[2].reason, "第5行：方位不在0到360之间");
}

TEST(PlanImport, RefusesWhatTypedEntryWouldRefuseAndThenChangesNothing) {
  WellState s = wellWith({{100, 1, 10}});
  std::vector<ImportedRow> tooMany;
  for (int i = 0; i < kMaxCount; ++i) tooMany.push_back({i + 1, 1000.0 + i, 1, 1});
  EXPECT_TRUE(PlanImport(s.well, tooMany, ImportMode::Replace).ok);
  const ImportPlan full = PlanImport(s.well, tooMany, ImportMode::Merge);
  EXPECT_FALSE(full.ok);
  EXPECT_NE(full.message.find("超过上限32767"), std::string::npos);
  EXPECT_FALSE(PlanImport(s.well, {}, ImportMode::Merge).ok);
  WellState closed;
  EXPECT_FALSE(PlanImport(closed.well, {{1, 1, 1, 1}}, ImportMode::Merge).ok);

  EXPECT_FALSE(ApplyImport(s, full));
  EXPECT_EQ(s.well.stationCount, 1);
  EXPECT_EQ(s.surveyDirty, Unsaved::Nothing);
}

// A WITSML feed referenced to grid north carries azimuth plus declination; the well keeps the
// azimuth as measured, so the plan takes the declination off (and wraps round north).
TEST(PlanImport, TakesTheDeclinationOffAzimuthsAgainstGridNorth) {
  const WellState s = wellWith({});  // declination -2
  const auto witsml = [](const char* aziRef) {
    return ParseWitsmlTrajectory(std::string("<trajectorys><trajectory><aziRef>") + aziRef +
                                 "</aziRef><trajectoryStation><md>100</md><incl>1</incl>"
                                 "<azi>1</azi></trajectoryStation><trajectoryStation><md>200</md>"
                                 "<incl>1</incl><azi>359</azi></trajectoryStation></trajectory>"
                                 "</trajectorys>");
  };
  struct Case {
    const char* aziRef;
    double first, second;
  };
  for (const Case& c : {Case{"grid north", 3, 1}, Case{"True North", 3, 1},
                        Case{"magnetic north", 1, 359}, Case{"", 1, 359}}) {
    SCOPED_TRACE(c.aziRef);
    const ParseResult parsed = witsml(c.aziRef);
    ASSERT_TRUE(parsed.ok) << parsed.message;
    const ImportPlan p =
        PlanImport(s.well, parsed.rows, ImportMode::Replace, parsed.azimuthReference);
    ASSERT_TRUE(p.ok) << p.message;
    ASSERT_EQ(p.stations.size(), 2u);
    EXPECT_DOUBLE_EQ(p.stations[0].azimuth, c.first);
    EXPECT_DOUBLE_EQ(p.stations[1].azimuth, c.second);
  }
}

TEST(ApplyImport, PutsTheStationsInMemoryMarksTheSurveyUnsavedAndRecalculates) {
  WellState s = wellWith({{100, 0, 0}});
  s.predictStart = 1;
  const ImportPlan p =
      PlanImport(s.well, {{1, 100, 0, 0}, {2, 200, 10, 90}, {3, 300, 20, 90}}, ImportMode::Merge);
  ASSERT_TRUE(ApplyImport(s, p));
  EXPECT_EQ(s.well.stationCount, 3);
  EXPECT_EQ(s.well.stations.size(), 4u);
  EXPECT_EQ(s.well.results.size(), 4u);
  EXPECT_EQ(s.surveyDirty, Unsaved::Stations);
  EXPECT_EQ(s.predictStart, 0);
  EXPECT_GT(s.well.results[2].east, 0);  // recalculated: the well heads east
  EXPECT_LT(s.well.results[2].tvd, 300);
}

}  // namespace
}  // namespace tarsek
