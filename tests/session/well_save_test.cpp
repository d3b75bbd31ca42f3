#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "design/design_input.h"
#include "model/well_files.h"
#include "session/well_io.h"
#include "support/temp_dir.h"
#include "survey/survey_entry.h"

namespace tarsek {
namespace {

using ::testing::HasSubstr;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;
namespace fs = std::filesystem;

void fillA12(Session& s) {
  WellRecord& w = s.well;
  w.wellNo = "A12";
  w.targetCount = 1;
  w.padWellheadX = 1000;
  w.padWellheadY = 2000;
  w.wellheadX = 1005;
  w.wellheadY = 2003;
  w.target1X = 1300;
  w.target1Y = 2400;
  w.gateDirection = 45;
  w.rigSkidDistance = 5;
  w.magDeclination = -3.5;
  w.target1Tvd = 1500;
  w.designAzimuth = 53.13;
  w.designDisplacement1 = 500;
  w.targetRadius = 30;
  w.buildRate = 3;
  w.buildToInclination = 30;
  w.kickoffDepth = 300;
  w.rotaryBuildRate = 2;
  w.rotaryDropRate = -1.5;
  w.designFinalTvd = 1800;
  w.stationCount = 2;
  w.stations.assign(3, SurveyStation{});
  w.stations[0] = {0, 300, 0, 0, -3.5};
  w.stations[1] = {1, 400, 3.5, 52.5, 49};
}

const std::string kA12Design =
    "\"A12\"\r\n"
    "1,1000,2000,1005,2003,1300,2400,0,0,45,5,-3.5,1500,0,53.13,500,0,30\r\n"
    "3,30,300,2,-1.5,1800\r\n";
const std::string kA12Survey = "2\r\n300,0,0\r\n400,3.5,52.5\r\n";

TEST(SaveWellFiles, A12IsWrittenExactlyAsEngineersFilesHoldIt) {
  TempDir dir;
  Session s;
  fillA12(s);
  s.surveyDirty = Unsaved::Stations;
  s.designDirty = Unsaved::Design;
  ASSERT_TRUE(SaveDesignFile(s, dir.path()));
  EXPECT_EQ(s.wellFilePath, dir.file("A12.kvd"));
  ASSERT_TRUE(SaveSurveyFile(s, dir.path()));
  EXPECT_EQ(s.wellFilePath, dir.file("A12.sur"));
  EXPECT_EQ(readBytes(dir.file("A12.kvd")), kA12Design);
  EXPECT_EQ(readBytes(dir.file("A12.sur")), kA12Survey);
  EXPECT_EQ(s.surveyDirty, Unsaved::Nothing);
  EXPECT_EQ(s.designDirty, Unsaved::Nothing);
  EXPECT_FALSE(fs::exists(dir.file("A12.kvd.tmp")));
  EXPECT_FALSE(fs::exists(dir.file("A12.sur.tmp")));
}

TEST(SaveWellFiles, OverwritesAnExistingFileWhole) {
  TempDir dir;
  writeBytes(dir.file("A12.sur"), std::string(5000, 'x'));
  Session s;
  fillA12(s);
  s.well.stationCount = 0;
  ASSERT_TRUE(SaveSurveyFile(s, dir.path()));
  EXPECT_EQ(readBytes(dir.file("A12.sur")), "0\r\n");
}

TEST(SaveWellFiles, TemporaryTargetIsDroppedOnSaveInFileAndRecord) {
  TempDir dir;
  Session s;
  fillA12(s);
  setTargetByBearing(s, 10, 100);  // the target dialog
  ASSERT_NE(s.well.target1X, 1300);
  ASSERT_TRUE(SaveDesignFile(s, dir.path()));
  EXPECT_EQ(readBytes(dir.file("A12.kvd")), kA12Design);
  EXPECT_EQ(s.well.target1X, 1300);
  EXPECT_EQ(s.well.target1Y, 2400);
  EXPECT_FALSE(s.targetSaved);
}

// A design target on a grid axis is a target like any other: kept on the first temporary
// target, restored on cancel and written on save, never the temporary one.
TEST(SaveWellFiles, DesignTargetWithAZeroCoordinateIsKept) {
  const double targets[][2] = {{0, 2400}, {1300, 0}, {0, 0}};
  for (const auto& t : targets) {
    TempDir dir;
    Session s;
    fillA12(s);
    s.well.target1X = t[0];
    s.well.target1Y = t[1];
    setTargetByBearing(s, 10, 100);
    setTargetByBearing(s, 20, 200);
    restoreDesignTarget(s);
    EXPECT_EQ(s.well.target1X, t[0]);
    EXPECT_EQ(s.well.target1Y, t[1]);
    setTargetByBearing(s, 30, 300);
    ASSERT_TRUE(SaveDesignFile(s, dir.path()));
    WellRecord back;
    std::string error;
    ASSERT_TRUE(ParseDesignFile(readBytes(dir.file("A12.kvd")), "A12.kvd", false, back, error));
    EXPECT_EQ(back.target1X, t[0]);
    EXPECT_EQ(back.target1Y, t[1]);
    EXPECT_EQ(s.well.target1X, t[0]);
  }
}

// The prediction's cut-back to the final depth saves and opens again (it used to write two
// stations at one depth, which the reader refuses).
TEST(SaveWellFiles, PredictionCutBackSavesAndReloads) {
  TempDir dir;
  Session s;
  fillA12(s);
  s.well.designDisplacement1 = 0;
  s.well.target1Tvd = 1200;
  s.well.designFinalTvd = 1600;
  s.well.stationCount = 0;
  ASSERT_TRUE(storeEntry(s, 0, 0, 0).stored);
  ASSERT_TRUE(storeEntry(s, 1000, 0, 0).stored);
  ASSERT_EQ(predictTrajectory(s, 0, 0), PredictOutcome::ReachedFinalDepth);
  ASSERT_TRUE(SaveSurveyFile(s, dir.path()));
  ASSERT_TRUE(SaveDesignFile(s, dir.path()));
  Session back;
  const WellLoadResult r = LoadWell(back, back.well, dir.file("A12.kvd"), false, dir.path());
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(back.well.stationCount, s.well.stationCount);
  EXPECT_EQ(back.well.stations[static_cast<std::size_t>(back.well.stationCount - 1)].md, 1600);
}

TEST(SaveWellFiles, ChineseWellNumberNamesTheFileInUtf8AndIsStoredInGbk) {
  TempDir dir;
  Session s;
  fillA12(s);
  s.well.wellNo = "示例1井";
  ASSERT_TRUE(SaveDesignFile(s, dir.path()));
  const std::string bytes = readBytes(dir.file("示例1井.kvd"));
  EXPECT_EQ(bytes.substr(0, 9),
            "\"\xCA\xBE\xC0\xFD"
            "1\xBE\xAE\"");
}

// A directory standing where the temporary file goes makes the write fail even for root.
TEST(SaveWellFiles, FailedSaveKeepsTheOldFileAndTheDirtyFlag) {
  TempDir dir;
  Session s;
  fillA12(s);
  writeBytes(dir.file("A12.sur"), "old survey");
  writeBytes(dir.file("A12.kvd"), "old design");
  fs::create_directory(dir.file("A12.sur.tmp"));
  fs::create_directory(dir.file("A12.kvd.tmp"));
  s.surveyDirty = Unsaved::Stations;
  s.designDirty = Unsaved::Design;
  s.targetSaved = true;
  s.savedTarget1X = 1;
  s.savedTarget1Y = 2;

  const FileResult survey = SaveSurveyFile(s, dir.path());
  EXPECT_FALSE(survey.ok);
  EXPECT_THAT(survey.message, HasSubstr(dir.file("A12.sur")));
  const FileResult design = SaveDesignFile(s, dir.path());
  EXPECT_FALSE(design.ok);
  EXPECT_THAT(design.message, HasSubstr(dir.file("A12.kvd")));

  EXPECT_EQ(readBytes(dir.file("A12.sur")), "old survey");
  EXPECT_EQ(readBytes(dir.file("A12.kvd")), "old design");
  EXPECT_EQ(s.surveyDirty, Unsaved::Stations);
  EXPECT_EQ(s.designDirty, Unsaved::Design);
  EXPECT_EQ(s.well.target1X, 1300);  // the temporary target stays in force until a save succeeds
  EXPECT_TRUE(s.targetSaved);
}

TEST(SaveWellFiles, MissingDirectoryFailsWithAMessageNamingTheFile) {
  std::string gone;
  {
    TempDir dir;
    gone = dir.path();
  }
  Session s;
  fillA12(s);
  s.surveyDirty = Unsaved::Stations;
  const FileResult r = SaveSurveyFile(s, gone);
  EXPECT_FALSE(r.ok);
  EXPECT_THAT(r.message, HasSubstr("A12.sur"));
  EXPECT_THAT(r.message, HasSubstr("目录不存在"));
  EXPECT_EQ(s.surveyDirty, Unsaved::Stations);
}

TEST(SaveWellFiles, UnsafeWellNumberWritesNothing) {
  TempDir dir;
  Session s;
  fillA12(s);
  s.well.wellNo = "../A12";
  s.designDirty = Unsaved::Design;
  const FileResult r = SaveDesignFile(s, dir.path());
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.message, kBadWellNoMessage);
  EXPECT_EQ(s.designDirty, Unsaved::Design);
  EXPECT_FALSE(fs::exists(fs::path(dir.path()).parent_path() / "A12.kvd"));
}

// Answers the save question with a fixed answer and records every question asked.
class ScriptedHost : public QuietHost {
 public:
  explicit ScriptedHost(Answer a) : QuietHost(a) {}
  Answer askYesNoCancel(const std::string& text) override {
    questions.push_back(text);
    return QuietHost::askYesNoCancel(text);
  }
  std::vector<std::string> questions;
};

struct AskCase {
  Unsaved survey;
  Unsaved design;
  Answer answer;
};

class AskToSave : public ::testing::TestWithParam<AskCase> {};

TEST_P(AskToSave, AsksBySumAndSavesOnlyOnYes) {
  const AskCase c = GetParam();
  TempDir dir;
  Session s;
  fillA12(s);
  ScriptedHost host(c.answer);
  s.host = &host;
  s.surveyDirty = c.survey;
  s.designDirty = c.design;
  const Unsaved sum = c.survey | c.design;

  const std::int16_t r = AskToSaveChanges(s, dir.path());

  EXPECT_EQ(s.lastDirtySum, sum);
  if (sum == Unsaved::Nothing) {
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(r, 0);
    return;
  }
  ASSERT_EQ(host.questions.size(), 1u);
  const char* expected[] = {"", "是否保存A12井测斜数据的更改?", "是否保存A12井设计数据的更改?",
                            "是否保存A12井测斜数据和设计数据的更改?"};
  EXPECT_EQ(host.questions[0], expected[static_cast<int>(sum)]);
  EXPECT_EQ(r, c.answer == Answer::Cancel ? -1 : 0);
  const bool yes = c.answer == Answer::Yes;
  EXPECT_EQ(fs::exists(dir.file("A12.sur")), yes && c.survey != Unsaved::Nothing);
  EXPECT_EQ(fs::exists(dir.file("A12.kvd")), yes && c.design != Unsaved::Nothing);
  EXPECT_EQ(s.surveyDirty, yes ? Unsaved::Nothing : c.survey);
  EXPECT_EQ(s.designDirty, yes ? Unsaved::Nothing : c.design);
}

INSTANTIATE_TEST_SUITE_P(
    SumsAndAnswers, AskToSave,
    ::testing::Values(AskCase{Unsaved::Nothing, Unsaved::Nothing, Answer::Yes},
                      AskCase{Unsaved::Stations, Unsaved::Nothing, Answer::Yes},
                      AskCase{Unsaved::Stations, Unsaved::Nothing, Answer::No},
                      AskCase{Unsaved::Stations, Unsaved::Nothing, Answer::Cancel},
                      AskCase{Unsaved::Nothing, Unsaved::Design, Answer::Yes},
                      AskCase{Unsaved::Nothing, Unsaved::Design, Answer::No},
                      AskCase{Unsaved::Nothing, Unsaved::Design, Answer::Cancel},
                      AskCase{Unsaved::Stations, Unsaved::Design, Answer::Yes},
                      AskCase{Unsaved::Stations, Unsaved::Design, Answer::No},
                      AskCase{Unsaved::Stations, Unsaved::Design, Answer::Cancel}));

TEST(AskToSaveChanges, NoOpenWellAsksNothing) {
  Session s;
  ScriptedHost host(Answer::Cancel);
  s.host = &host;
  s.surveyDirty = Unsaved::Stations;
  EXPECT_EQ(AskToSaveChanges(s, "/nonexistent"), 0);
  EXPECT_TRUE(host.questions.empty());
}

TEST(AskToSaveChanges, YesWithAFailedSaveKeepsTheWellAndSaysWhy) {
  TempDir dir;
  Session s;
  fillA12(s);
  ScriptedHost host(Answer::Yes);
  s.host = &host;
  s.surveyDirty = Unsaved::Stations;
  s.designDirty = Unsaved::Design;
  fs::create_directory(dir.file("A12.sur.tmp"));
  EXPECT_EQ(AskToSaveChanges(s, dir.path()), -1);
  EXPECT_THAT(host.statusText, HasSubstr("A12.sur"));
  EXPECT_EQ(s.surveyDirty, Unsaved::Stations);
  EXPECT_EQ(s.designDirty, Unsaved::Nothing);  // the design file could be written
  EXPECT_EQ(readBytes(dir.file("A12.kvd")), kA12Design);
}

TEST(WellDirectory, ProgramDirectoryWhenWritableElseTheUsersDataDirectory) {
  TempDir dir;
  EXPECT_EQ(ChooseWellDirectory(dir.path(), "/unused", "/unused"), dir.path());

  const std::string missing = dir.file("no-such-program-dir");
  const std::string xdg = dir.file("xdg");
  EXPECT_EQ(ChooseWellDirectory(missing, xdg, "/unused"), xdg + "/Tarsek");
  EXPECT_TRUE(fs::is_directory(xdg + "/Tarsek"));

  const std::string home = dir.file("home");
  EXPECT_EQ(ChooseWellDirectory(missing, "", home), home + "/.local/share/Tarsek");
  EXPECT_EQ(ChooseWellDirectory(missing, "relative/xdg", home), home + "/.local/share/Tarsek");
  EXPECT_TRUE(fs::is_directory(home + "/.local/share/Tarsek"));

  // A plain file where the program directory should be is not a place for wells.
  writeBytes(dir.file("plain"), "x");
  EXPECT_EQ(ChooseWellDirectory(dir.file("plain"), xdg, home), xdg + "/Tarsek");
  EXPECT_EQ(ChooseWellDirectory(missing, "", ""), "");
}

TEST(WellDirectory, AnInstalledCopyIsToldFromABuildTreeByTheShareFolderBesideIt) {
  TempDir dir;
  const std::string prefix = dir.file("usr");
  fs::create_directories(prefix + "/bin");
  fs::create_directories(dir.file("build/bin"));
  fs::create_directories(dir.file("build/share/doc/tarsek"));  // the manual alone is no install
  EXPECT_FALSE(IsInstalledProgramDirectory(prefix + "/bin"));
  fs::create_directories(prefix + "/share/tarsek/samples");
  EXPECT_TRUE(IsInstalledProgramDirectory(prefix + "/bin"));
  EXPECT_FALSE(IsInstalledProgramDirectory(dir.file("build/bin")));
  EXPECT_FALSE(IsInstalledProgramDirectory(""));
}

TEST(WellDirectory, PathsUseThePlatformSeparator) {
  EXPECT_EQ(WellFilePath("/data/wells", "草20-1", ".kvd"), "/data/wells/草20-1.kvd");
  EXPECT_EQ(WellFilePath("/data/wells/", "A12", ".sur"), "/data/wells/A12.sur");
}

}  // namespace
}  // namespace tarsek
