#include "anticollision/neighbour_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "model/well_file_format.h"
#include "survey/survey_calc.h"

namespace tarsek {
namespace {

namespace fs = std::filesystem;

struct LoaderFixture : ::testing::Test {
  fs::path dir;
  WellState session;
  std::mt19937 engine{1};

  void SetUp() override {
    dir =
        fs::temp_directory_path() /
        ("tarsek_neighbours_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
    session.wellDirectory = dir.string();
    session.well.wellNo = "本井";
    session.well.stationCount = 1;
    session.well.stations.assign(2, SurveyStation{});
    session.well.results.assign(2, StationResult{});
  }
  void TearDown() override { fs::remove_all(dir); }

  void write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir / name, std::ios::binary) << bytes;
  }
  WellRecord neighbour(const std::string& name, double wellheadY, int stations) {
    WellRecord w;
    w.wellNo = name;
    w.wellheadY = wellheadY;
    w.magDeclination = -3;
    w.buildRate = 9;  // line 3 is not read for a neighbour
    w.stationCount = static_cast<std::int16_t>(stations);
    w.stations.assign(static_cast<std::size_t>(stations) + 1, SurveyStation{});
    for (int i = 0; i < stations; ++i) {
      w.stations[i].md = i * 30.0;
      w.stations[i].inclination = i * 2.0;
      w.stations[i].azimuth = 60;
    }
    std::string bytes, error;
    EXPECT_TRUE(FormatDesignFile(w, bytes, error)) << error;
    write(name + ".kvd", bytes);
    if (stations > 0) {
      EXPECT_TRUE(FormatSurveyFile(w, bytes, error)) << error;
      write(name + ".sur", bytes);
    }
    return w;
  }
  AddNeighbourOutcome add(const std::string& file) {
    return addNeighbourWell(session, file, 15, LoadNeighbourWell, engine);
  }
};

TEST_F(LoaderFixture, ReadsBothFilesAndComputesTheTrajectory) {
  WellRecord w = neighbour("邻A", 30, 5);
  ASSERT_EQ(add("邻A.kvd"), AddNeighbourOutcome::Added);
  const WellRecord& got = session.neighbourWells.at(0);
  EXPECT_EQ(got.wellNo, "邻A");
  EXPECT_EQ(got.stationCount, 5);
  EXPECT_EQ(got.buildRate, 0);
  EXPECT_DOUBLE_EQ(got.stations[4].gridAzimuth, 57);
  const std::vector<StationResult> expected =
      ComputeTrajectory(w.stations, w.basic(), 5, session.calcMethod);
  EXPECT_DOUBLE_EQ(got.results[4].north, expected[4].north);
  EXPECT_DOUBLE_EQ(got.results[4].east, expected[4].east);
  EXPECT_GT(got.results[4].east, 0);
}

TEST_F(LoaderFixture, MissingBadOrEmptyFilesAreRefused) {
  EXPECT_EQ(add("无.kvd"), AddNeighbourOutcome::NoFile);
  write("坏.kvd", "\"坏\"\r\n1,2,three\r\n");
  EXPECT_EQ(add("坏.kvd"), AddNeighbourOutcome::BadFile);
  neighbour("空", 30, 0);  // a design file without a survey file
  EXPECT_EQ(add("空.kvd"), AddNeighbourOutcome::NoStations);
  neighbour("残", 30, 3);
  write("残.sur", "3\r\n0,0,0\r\nx\r\n");
  EXPECT_EQ(add("残.kvd"), AddNeighbourOutcome::BadFile);
  EXPECT_TRUE(session.neighbourWells.empty());
  EXPECT_TRUE(session.neighbourColours.empty());
}

}  // namespace
}  // namespace tarsek
