#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "design/profile_design.h"
#include "model/well_files.h"
#include "session/well_io.h"
#include "support/temp_dir.h"

namespace tarsek {
namespace {

using ::testing::HasSubstr;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;
namespace fs = std::filesystem;

const std::string kA12Design =
    "\"A12\"\r\n"
    "1,1000,2000,1005,2003,1300,2400,0,0,45,5,-3.5,1500,0,53.13,500,0,30\r\n"
    "3,30,300,2,-1.5,1800\r\n";
const std::string kA12Survey = "2\r\n300,0,0\r\n400,3.5,52.5\r\n";

const char* const kSamples[] = {"示例1", "草20-1", "草20-2", "草20-3"};

std::string samplePath(const std::string& no, const char* ext) {
  return (fs::path(TARSEK_SAMPLES_DIR) / (no + ext)).string();
}

// Everything a load may change, as comparable text: both files' forms of the record plus the
// sizes and counts the files do not hold.
std::string snapshot(const Session& s) {
  std::string design, survey, error;
  WellRecord w = s.well;
  if (w.wellNo.empty()) w.wellNo = "-";
  FormatDesignFile(w, design, error);
  FormatSurveyFile(w, survey, error);
  return design + survey + "|" + std::to_string(w.stations.size()) + "|" +
         std::to_string(w.results.size()) + "|" + std::to_string(w.designPointCount) + "|" +
         std::to_string(w.designPoints.size()) + "|" + s.wellFilePath;
}

TEST(LoadWell, A12LoadsDesignsAndComputesThenSavesBackByteForByte) {
  TempDir dir;
  writeBytes(dir.file("A12.kvd"), kA12Design);
  writeBytes(dir.file("A12.sur"), kA12Survey);
  Session s;
  const WellLoadResult r = LoadWell(s, s.well, dir.file("A12.kvd"), false, dir.path());
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_TRUE(r.found);
  EXPECT_EQ(s.well.wellNo, "A12");
  ASSERT_EQ(s.well.stationCount, 2);
  EXPECT_EQ(s.well.stations.size(), 3u);
  EXPECT_EQ(s.well.results.size(), 3u);
  EXPECT_EQ(s.well.stations[1].gridAzimuth, 49);
  EXPECT_EQ(s.well.results[0].tvd, 300);  // the trajectory was computed
  EXPECT_GT(s.well.results[1].tvd, 300);
  EXPECT_GT(s.well.designPointCount, 2);  // and the profile designed

  Session again = s;
  EXPECT_EQ(r.designOutcome, DesignProfile(again));

  TempDir out;
  ASSERT_TRUE(SaveDesignFile(s, out.path()));
  ASSERT_TRUE(SaveSurveyFile(s, out.path()));
  EXPECT_EQ(readBytes(out.file("A12.kvd")), kA12Design);
  EXPECT_EQ(readBytes(out.file("A12.sur")), kA12Survey);
}

TEST(LoadWell, SamplesLoadDesignCleanlyComputeAndSaveBackUnchanged) {
  for (const std::string no : kSamples) {
    SCOPED_TRACE(no);
    Session s;
    const WellLoadResult r =
        LoadWell(s, s.well, samplePath(no, kDesignExtension), false, TARSEK_SAMPLES_DIR);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(s.well.wellNo, no);
    EXPECT_EQ(r.designOutcome, DesignOutcome::Done);
    EXPECT_GE(s.well.stationCount, 30);
    const StationResult& last = s.well.results[static_cast<std::size_t>(s.well.stationCount - 1)];
    EXPECT_GT(last.tvd, 1000);
    EXPECT_GT(last.closureDistance, 100);

    TempDir out;
    ASSERT_TRUE(SaveDesignFile(s, out.path()));
    ASSERT_TRUE(SaveSurveyFile(s, out.path()));
    EXPECT_EQ(readBytes(out.file(no + ".kvd")), readBytes(samplePath(no, kDesignExtension)));
    EXPECT_EQ(readBytes(out.file(no + ".sur")), readBytes(samplePath(no, kSurveyExtension)));
  }
}

TEST(LoadWell, NeighbourSkipsLineThreeAndTheDesignButGetsItsTrajectory) {
  TempDir dir;
  writeBytes(dir.file("A12.kvd"), kA12Design.substr(0, kA12Design.rfind("3,30")));
  writeBytes(dir.file("A12.sur"), kA12Survey);
  Session s;
  s.neighbourWells.emplace_back();
  const WellLoadResult r =
      LoadWell(s, s.neighbourWells.back(), dir.file("A12.kvd"), true, dir.path());
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_FALSE(r.designOutcome.has_value());
  const WellRecord& n = s.neighbourWells.back();
  EXPECT_EQ(n.wellNo, "A12");
  EXPECT_EQ(n.buildRate, 0);
  EXPECT_EQ(n.designFinalTvd, 0);
  EXPECT_EQ(n.designPointCount, 0);
  EXPECT_GT(n.results[1].tvd, 300);
  EXPECT_TRUE(s.well.wellNo.empty());  // the open well is not touched

  // A neighbour read into a record of its own, not yet listed, is computed all the same.
  WellRecord loose;
  ASSERT_TRUE(LoadWell(s, loose, dir.file("A12.kvd"), true, dir.path()));
  EXPECT_EQ(loose.results[1].tvd, n.results[1].tvd);
}

TEST(LoadWell, FirstLineNamingAnotherWellLoadsThatWellsSurvey) {
  TempDir dir;
  writeBytes(dir.file("copy.kvd"), kA12Design);
  writeBytes(dir.file("copy.sur"), "1\r\n100,0,0\r\n");
  writeBytes(dir.file("A12.sur"), kA12Survey);
  Session s;
  ASSERT_TRUE(LoadWell(s, s.well, dir.file("copy.kvd"), false, dir.path()));
  EXPECT_EQ(s.well.wellNo, "A12");
  EXPECT_EQ(s.well.stationCount, 2);
  EXPECT_EQ(s.wellFilePath, dir.file("A12.sur"));
}

TEST(LoadWell, SurveyIsLookedForInTheWellDirectory) {
  TempDir designs, wells;
  writeBytes(designs.file("A12.kvd"), kA12Design);
  writeBytes(designs.file("A12.sur"), "1\r\n100,0,0\r\n");
  writeBytes(wells.file("A12.sur"), kA12Survey);
  Session s;
  ASSERT_TRUE(LoadWell(s, s.well, designs.file("A12.kvd"), false, wells.path()));
  EXPECT_EQ(s.well.stationCount, 2);
}

TEST(LoadWell, MissingDesignFileDoesNothingAndSaysNothing) {
  TempDir dir;
  Session s;
  s.well.wellNo = "open";
  const std::string before = snapshot(s);
  const WellLoadResult r = LoadWell(s, s.well, dir.file("none.kvd"), false, dir.path());
  EXPECT_TRUE(r.ok);
  EXPECT_FALSE(r.found);
  EXPECT_TRUE(r.message.empty());
  EXPECT_EQ(snapshot(s), before);
  // A directory of that name is no design file either.
  fs::create_directory(dir.file("dir.kvd"));
  EXPECT_FALSE(LoadWell(s, s.well, dir.file("dir.kvd"), false, dir.path()).found);
}

// Opening a designed but never surveyed well after one with stations and crossings: nothing of
// the well left behind stays, so nothing of it can be shown or saved as this well's.
TEST(LoadWell, AWellWithoutASurveyFileOpensWithNoStationsOrCrossings) {
  TempDir dir;
  writeBytes(dir.file("A12.kvd"), kA12Design);
  writeBytes(dir.file("B7.kvd"), std::string(kA12Design).replace(1, 3, "B7"));
  writeBytes(dir.file("A12.sur"), "3\r\n0,0,0\r\n1400,20,53\r\n1700,20,53\r\n");
  Session s;
  ASSERT_TRUE(LoadWell(s, s.well, dir.file("A12.kvd"), false, dir.path()));
  ASSERT_TRUE(s.target1Hit.crossed);
  ASSERT_GT(s.target1Hit.hitRadius, 0);
  ASSERT_TRUE(LoadWell(s, s.well, dir.file("B7.kvd"), false, dir.path()));
  EXPECT_EQ(s.well.wellNo, "B7");
  EXPECT_EQ(s.well.stationCount, 0);
  EXPECT_EQ(s.well.stations.size(), 1u);
  EXPECT_EQ(s.well.results.size(), 1u);
  EXPECT_FALSE(s.target1Hit.crossed);
  EXPECT_EQ(s.target1Hit.hitRadius, 0);
  EXPECT_EQ(s.target1Hit.result.north, 0);
  ASSERT_TRUE(SaveSurveyFile(s, dir.path()));
  EXPECT_EQ(readBytes(dir.file("B7.sur")), "0\r\n");
}

TEST(LoadWell, LfLinesAndAUtf8ByteOrderMarkLoad) {
  TempDir dir;
  writeBytes(dir.file("a.kvd"),
             "\xEF\xBB\xBF\"草20-9\"\n1,1000,2000,1005,2003,1300,2400,0,0,45,5,-3.5,1500,0,53.13,"
             "500,0,30\n3,30,300,2,-1.5,1800\n");
  writeBytes(dir.file("草20-9.sur"), "2\n0300,0,0\n400,3.5,52.5\n");
  Session s;
  const WellLoadResult r = LoadWell(s, s.well, dir.file("a.kvd"), false, dir.path());
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(s.well.wellNo, "草20-9");
  EXPECT_EQ(s.well.stations[0].md, 300);
  // Saved again, it is GB18030 with CR LF like every other well file.
  ASSERT_TRUE(SaveDesignFile(s, dir.path()));
  EXPECT_EQ(readBytes(dir.file("草20-9.kvd")).substr(0, 10),
            "\"\xB2\xDD"
            "20-9\"\r\n");
}

TEST(LoadWell, SurveyWithMoreStationLinesThanItsCountLoadsThemAll) {
  TempDir dir;
  writeBytes(dir.file("A12.kvd"), kA12Design);
  writeBytes(dir.file("A12.sur"), "1\r\n300,0,0\r\n400,3.5,52.5\r\n");
  Session s;
  ASSERT_TRUE(LoadWell(s, s.well, dir.file("A12.kvd"), false, dir.path()));
  EXPECT_EQ(s.well.stationCount, 2);
}

struct Malformed {
  const char* what;
  std::string design;
  std::string survey;
  const char* where;  // the file and line the message must name
};

class RefusedLoad : public ::testing::TestWithParam<Malformed> {};

TEST_P(RefusedLoad, NamesFileAndLineAndLeavesTheOpenWellAsItWas) {
  const Malformed m = GetParam();
  TempDir dir;
  // The open well: a sample, loaded and designed.
  Session s;
  ASSERT_TRUE(
      LoadWell(s, s.well, samplePath("草20-1", kDesignExtension), false, TARSEK_SAMPLES_DIR));
  s.surveyDirty = Unsaved::Stations;
  const std::string before = snapshot(s);
  const double resultBefore = s.well.results[5].tvd;

  writeBytes(dir.file("W1.kvd"), m.design);
  if (!m.survey.empty()) writeBytes(dir.file("W1.sur"), m.survey);
  const WellLoadResult r = LoadWell(s, s.well, dir.file("W1.kvd"), false, dir.path());

  EXPECT_FALSE(r.ok);
  EXPECT_THAT(r.message, HasSubstr(m.where));
  EXPECT_EQ(snapshot(s), before);
  EXPECT_EQ(s.well.results[5].tvd, resultBefore);
  EXPECT_EQ(s.surveyDirty, Unsaved::Stations);
}

const std::string kW1Line1 = "\"W1\"\r\n";
const std::string kLine2 =
    "1,1000,2000,1005,2003,1300,2400,0,0,45,5,-3.5,1500,0,53.13,500,0,30\r\n";
const std::string kLine3 = "3,30,300,2,-1.5,1800\r\n";
const std::string kGood = kW1Line1 + kLine2 + kLine3;

INSTANTIATE_TEST_SUITE_P(
    EveryFault, RefusedLoad,
    ::testing::Values(
        Malformed{"empty design file", "", "", "W1.kvd”第1行缺失"},
        Malformed{"no line 3", kW1Line1 + kLine2, "", "W1.kvd”第3行缺失"},
        Malformed{"missing item", kW1Line1 + "1,1000,2000\r\n" + kLine3, "",
                  "W1.kvd”第2行缺少第4项"},
        Malformed{"non-numeric item", kW1Line1 + kLine2 + "3,30,x,2,-1.5,1800\r\n", "",
                  "W1.kvd”第3行第3项不是数字"},
        Malformed{"unsafe well number", "\"..\\\\W1\"\r\n" + kLine2 + kLine3, "", "W1.kvd”第1行"},
        Malformed{"negative count", kGood, "-2\r\n", "W1.sur”第1行测点数超出范围"},
        Malformed{"count above 32767", kGood, "40000\r\n", "W1.sur”第1行测点数超出范围"},
        Malformed{"non-numeric count", kGood, "two\r\n", "W1.sur”第1行第1项不是数字"},
        Malformed{"fewer stations than the count", kGood, "3\r\n300,0,0\r\n400,1,1\r\n",
                  "W1.sur”第4行缺失"},
        Malformed{"station missing an item", kGood, "2\r\n300,0,0\r\n400,1\r\n",
                  "W1.sur”第3行缺少第3项"},
        Malformed{"equal depths", kGood, "2\r\n300,0,0\r\n300,1,1\r\n", "W1.sur”第3行测深不大于"},
        Malformed{"decreasing depths", kGood, "3\r\n300,0,0\r\n400,1,1\r\n350,2,2\r\n",
                  "W1.sur”第4行测深不大于"}),
    [](const ::testing::TestParamInfo<Malformed>& info) {
      std::string name;
      for (const char* p = info.param.what; *p != '\0'; ++p)
        name += (*p == ' ' || *p == '-') ? '_' : *p;
      return name;
    });

}  // namespace
}  // namespace tarsek
