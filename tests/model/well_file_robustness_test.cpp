// Well files come from other programs, old disks and hand edits. Whatever bytes they hold, the
// readers either take values the calculation can use or refuse with a message naming the file;
// whatever the writers are given, the file on disk is the old one or the whole new one.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "common/constants.h"
#include "common/numtext.h"
#include "design/profile_design.h"
#include "model/well_file_format.h"
#include "model/well_files.h"
#include "session/well_io.h"
#include "support/temp_dir.h"
#include "survey/survey_calc.h"

namespace tarsek {
namespace {

using ::testing::HasSubstr;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;
namespace fs = std::filesystem;

const std::string kDesign =
    "\"A12\"\r\n"
    "2,1000,2000,1005,2003,1300,2400,1400,2500,45,5,-3.5,1500,1900,53.13,500,640,30\r\n"
    "3,30,300,2,-1.5,1800\r\n";
const std::string kSurvey = "4\r\n300,0,0\r\n400,3.5,52.5\r\n500,7.25,53\r\n600,11,54.5\r\n";

bool basicFinite(const BasicData& b) {
  for (double v : {b.wellheadX,
                   b.wellheadY,
                   b.target1X,
                   b.target1Y,
                   b.target2X,
                   b.target2Y,
                   b.padWellheadX,
                   b.padWellheadY,
                   b.magDeclination,
                   b.gateDirection,
                   b.rigSkidDistance,
                   b.target1Tvd,
                   b.target2Tvd,
                   b.designAzimuth,
                   b.designDisplacement1,
                   b.designDisplacement2,
                   b.targetRadius,
                   b.buildRate,
                   b.buildToInclination,
                   b.kickoffDepth,
                   b.rotaryBuildRate,
                   b.rotaryDropRate,
                   b.designFinalTvd})
    if (!std::isfinite(v)) return false;
  return true;
}

// What a reader must leave behind: either a refusal naming the file, or a record whose values
// are finite, whose tables are sized for their count and whose depths increase.
void expectDesignOutcome(const std::string& bytes, bool neighbourOnly) {
  WellRecord w;
  std::string error;
  if (ParseDesignFile(bytes, "x.kvd", neighbourOnly, w, error)) {
    EXPECT_TRUE(error.empty());
    EXPECT_TRUE(IsSafeWellNo(w.wellNo)) << w.wellNo;
    EXPECT_TRUE(w.targetCount == 1 || w.targetCount == 2);
    EXPECT_TRUE(basicFinite(w.basic()));
  } else {
    EXPECT_THAT(error, HasSubstr("x.kvd"));
  }
}

void expectSurveyOutcome(const std::string& bytes) {
  WellRecord w;
  w.magDeclination = -3.5;
  std::string error;
  if (ParseSurveyFile(bytes, "x.sur", w, error)) {
    EXPECT_TRUE(error.empty());
    ASSERT_GE(w.stationCount, 0);
    ASSERT_LE(static_cast<int>(w.stationCount), kMaxCount);
    ASSERT_EQ(w.stations.size(), static_cast<std::size_t>(w.stationCount) + 1);
    ASSERT_EQ(w.results.size(), static_cast<std::size_t>(w.stationCount) + 1);
    for (int i = 0; i < w.stationCount; ++i) {
      const SurveyStation& s = w.stations[static_cast<std::size_t>(i)];
      EXPECT_TRUE(std::isfinite(s.md) && std::isfinite(s.inclination) && std::isfinite(s.azimuth) &&
                  std::isfinite(s.gridAzimuth));
      EXPECT_EQ(s.index, i);
      if (i > 0) {
        EXPECT_GT(s.md, w.stations[static_cast<std::size_t>(i - 1)].md);
      }
    }
  } else {
    EXPECT_THAT(error, HasSubstr("x.sur"));
  }
}

// Every prefix of a good file: a file cut off by a full disk or a copy that stopped.
TEST(WellFileRobustness, EveryTruncationIsReadOrRefused) {
  for (std::size_t n = 0; n <= kDesign.size(); ++n) {
    SCOPED_TRACE("design cut at " + std::to_string(n));
    expectDesignOutcome(kDesign.substr(0, n), false);
    expectDesignOutcome(kDesign.substr(0, n), true);
  }
  for (std::size_t n = 0; n <= kSurvey.size(); ++n) {
    SCOPED_TRACE("survey cut at " + std::to_string(n));
    expectSurveyOutcome(kSurvey.substr(0, n));
  }
}

// Random damage to a file: flipped, replaced, inserted and deleted bytes, including NUL and
// bytes that start GB18030 or UTF-8 sequences.
void damage(std::string& s, int round, std::mt19937& engine) {
  static const std::string alphabet = [] {
    std::string a = "0123456789.,-+eE\r\n\" \t\x81\xFE\xEF\xBB\xBFnaif";
    a.push_back('\0');
    return a;
  }();
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  const int edits = 1 + round % 4;
  for (int e = 0; e < edits && !s.empty(); ++e) {
    std::uniform_int_distribution<std::size_t> at(0, s.size() - 1);
    const std::size_t p = at(engine);
    const char c = round % 2 ? static_cast<char>(byte(engine)) : alphabet[pick(engine)];
    switch ((round + e) % 4) {
      case 0:
        s[p] = c;
        break;
      case 1:
        s.insert(s.begin() + static_cast<long>(p), c);
        break;
      case 2:
        s.erase(p, 1);
        break;
      default:
        s[p] = static_cast<char>(s[p] ^ (1 << (e % 8)));
        break;
    }
  }
}

// Seeded, so a failure repeats.
TEST(WellFileRobustness, DamagedBytesAreReadOrRefused) {
  std::mt19937 engine(20261208);
  for (int round = 0; round < 3000; ++round) {
    std::string design = kDesign;
    std::string survey = kSurvey;
    damage(design, round, engine);
    damage(survey, round, engine);
    SCOPED_TRACE("round " + std::to_string(round));
    expectDesignOutcome(design, round % 3 == 0);
    expectSurveyOutcome(survey);
  }
}

TEST(WellFileRobustness, WholeBinaryFilesAreRefused) {
  std::mt19937 engine(7);
  std::uniform_int_distribution<int> byte(0, 255);
  for (std::size_t size : {1u, 2u, 3u, 64u, 4096u, 1u << 20}) {
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(byte(engine));
    expectDesignOutcome(bytes, false);
    expectSurveyOutcome(bytes);
  }
  expectDesignOutcome(std::string(100000, '\0'), false);
  expectSurveyOutcome(std::string(100000, '\0'));
  expectSurveyOutcome(std::string(100000, '\n'));
  expectSurveyOutcome(std::string(1 << 20, '9'));  // one endless number
}

TEST(WellFileRobustness, NumbersNoWellHoldsAreRefusedWithTheLineNamed) {
  const char* const bad[] = {"nan",  "NaN",   "inf", "-inf", "Infinity", "1e999", "-1e999",
                             "0x10", "5e",    "--1", "+-1",  ".",        "-",     "e5",
                             "1e",   "1.2.3", "1 2", "１２", "\xA3\xB1"};
  for (const char* v : bad) {
    SCOPED_TRACE(v);
    std::string survey = "2\r\n300,0,0\r\n400," + std::string(v) + ",52.5\r\n";
    WellRecord w;
    std::string error;
    EXPECT_FALSE(ParseSurveyFile(survey, "x.sur", w, error));
    EXPECT_THAT(error, HasSubstr("第3行"));
    EXPECT_EQ(w.stationCount, 0);

    std::string design = kDesign;
    design.replace(design.find("1800"), 4, v);
    WellRecord d;
    EXPECT_FALSE(ParseDesignFile(design, "x.kvd", false, d, error));
    EXPECT_THAT(error, HasSubstr("第3行"));
  }
}

TEST(WellFileRobustness, StationCountsAtAndBeyondTheTableLimit) {
  auto survey = [](long count, long lines) {
    std::string s = std::to_string(count) + "\r\n";
    for (long i = 0; i < lines; ++i) s += std::to_string(i) + ",1,2\r\n";
    return s;
  };
  WellRecord w;
  std::string error;
  ASSERT_TRUE(ParseSurveyFile(survey(kMaxCount, kMaxCount), "x.sur", w, error)) << error;
  EXPECT_EQ(w.stationCount, kMaxCount);
  EXPECT_EQ(w.stations[kMaxCount - 1].md, kMaxCount - 1);

  for (const auto& [count, lines] : {std::pair<long, long>{kMaxCount + 1L, kMaxCount + 1L},
                                     {kMaxCount, kMaxCount + 1L},
                                     {2147483648L, 3},
                                     {-1, 0},
                                     {-32768, 0},
                                     {5, 4}}) {
    WellRecord r;
    EXPECT_FALSE(ParseSurveyFile(survey(count, lines), "x.sur", r, error)) << count;
    EXPECT_THAT(error, HasSubstr("x.sur"));
    EXPECT_EQ(r.stationCount, 0);
  }
}

Session a12();

// Whatever finite values the program holds, what it writes it must be able to read back, or a
// saved well could never be opened again. The writers refuse exactly what the readers refuse,
// and what they write reads back.
TEST(WellFileRobustness, WritersRefuseWhatReadersRefuse) {
  const double values[] = {0,
                           -0.0,
                           1e-300,
                           4.9e-324,
                           1.0 / 3,
                           -1,
                           90,
                           180,
                           180.0001,
                           360,
                           -360,
                           360.5,
                           9.9e6,
                           1e7,
                           1.00001e7,
                           -1e7,
                           2.05e7,
                           1e8,
                           -1e8,
                           1.0001e8,
                           2.9e8,
                           1e300,
                           1.7976931348623157e308};
  const auto line = [](std::initializer_list<double> items) {
    std::string out;
    for (double v : items) out += (out.empty() ? "" : ",") + formatFileNumber(v);
    return out + "\r\n";
  };
  Session base = a12();
  for (double v : values) {
    SCOPED_TRACE(v);
    // Survey: depth, inclination, azimuth of the second station.
    for (int field = 0; field < 3; ++field) {
      WellRecord w = base.well;
      w.stationCount = 2;
      w.stations.assign(3, SurveyStation{});
      w.stations[0] = {0, -1e7, 0, 0, 0};
      w.stations[1] = {1, field == 0 ? v : 100, field == 1 ? v : 0, field == 2 ? v : 0, 0};
      std::string bytes, error;
      const bool written = FormatSurveyFile(w, bytes, error);
      const SurveyStation& st = w.stations[1];
      const std::string text =
          "2\r\n" + line({-1e7, 0, 0}) + line({st.md, st.inclination, st.azimuth});
      WellRecord back;
      const bool read = ParseSurveyFile(text, "x.sur", back, error);
      EXPECT_EQ(written, read) << "station field " << field << ": " << error;
      if (written) {
        EXPECT_EQ(bytes, text);
      }
    }
    // Design: a coordinate, a depth, the declination and a rate.
    double BasicData::*fields[] = {&BasicData::target1Y, &BasicData::designFinalTvd,
                                   &BasicData::magDeclination, &BasicData::rotaryDropRate,
                                   &BasicData::designDisplacement1};
    for (double BasicData::*field : fields) {
      WellRecord w = base.well;
      w.*field = v;
      std::string bytes, error;
      const bool written = FormatDesignFile(w, bytes, error);
      const BasicData& b = w;
      const std::string text =
          "\"A12\"\r\n" + std::to_string(b.targetCount) + "," +
          line({b.padWellheadX, b.padWellheadY, b.wellheadX, b.wellheadY, b.target1X, b.target1Y,
                b.target2X, b.target2Y, b.gateDirection, b.rigSkidDistance, b.magDeclination,
                b.target1Tvd, b.target2Tvd, b.designAzimuth, b.designDisplacement1,
                b.designDisplacement2, b.targetRadius}) +
          line({b.buildRate, b.buildToInclination, b.kickoffDepth, b.rotaryBuildRate,
                b.rotaryDropRate, b.designFinalTvd});
      WellRecord back;
      const bool read = ParseDesignFile(text, "x.kvd", false, back, error);
      EXPECT_EQ(written, read) << error;
      if (written) {
        EXPECT_EQ(bytes, text);
      }
    }
  }
}

// Values outside physical ranges are refused on reading with the line and item, whatever file
// holds them; the grid coordinates of real wells are not.
TEST(WellFileRobustness, ReadersRefuseValuesOutsidePhysicalRanges) {
  struct Case {
    bool design;
    const char* from;
    const char* to;
    const char* message;  // empty: the file reads
  };
  const Case cases[] = {
      {true, "1300,2400", "1e300,2400", "第2行第6项坐标超出范围(-100000000～100000000)"},
      {true, "1300,2400", "4250980.36,20635372.85", ""},
      {true, ",1500,1900,", ",2e7,1900,", "第2行第13项深度超出范围(-10000000～10000000)"},
      {true, "3,30,300", "1e300,30,300", "第3行第1项变化率超出范围(-90～90)"},
      {false, "600,11,54.5", "1e300,11,54.5", "第5行第1项测深超出范围(-10000000～10000000)"},
      {false, "400,3.5,52.5", "400,-3.5,52.5", "第3行第2项井斜超出范围(0～180)"},
      {false, "400,3.5,52.5", "400,3.5,400", "第3行第3项方位超出范围(-360～360)"},
      {false, "400,3.5,52.5", "400,180,-360", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.to);
    std::string text = c.design ? kDesign : kSurvey;
    text.replace(text.find(c.from), std::string(c.from).size(), c.to);
    Session s = a12();
    std::string error;
    const bool ok = c.design ? ParseDesignFile(text, "A12.kvd", false, s.well, error)
                             : ParseSurveyFile(text, "A12.sur", s.well, error);
    if (*c.message == '\0') {
      EXPECT_TRUE(ok) << error;
      continue;
    }
    EXPECT_FALSE(ok);
    EXPECT_EQ(error, std::string("文件“") + (c.design ? "A12.kvd" : "A12.sur") + "”" + c.message +
                         "，无法读取该井！");
  }
}

// --- writing --------------------------------------------------------------------------------

Session a12() {
  Session s;
  std::string error;
  EXPECT_TRUE(ParseDesignFile(kDesign, "A12.kvd", false, s.well, error));
  EXPECT_TRUE(ParseSurveyFile(kSurvey, "A12.sur", s.well, error));
  return s;
}

TEST(WellFileRobustness, SaveOverADirectoryKeepsItAndLeavesNoTemporaryFile) {
  TempDir dir;
  Session s = a12();
  s.surveyDirty = Unsaved::Stations;
  s.designDirty = Unsaved::Design;
  fs::create_directory(dir.file("A12.sur"));
  writeBytes(dir.file("A12.sur") + "/inside", "keep");
  fs::create_directory(dir.file("A12.kvd"));

  EXPECT_FALSE(SaveSurveyFile(s, dir.path()).ok);
  EXPECT_FALSE(SaveDesignFile(s, dir.path()).ok);
  EXPECT_EQ(readBytes(dir.file("A12.sur") + "/inside"), "keep");
  EXPECT_FALSE(fs::exists(dir.file("A12.sur.tmp")));
  EXPECT_FALSE(fs::exists(dir.file("A12.kvd.tmp")));
  EXPECT_EQ(s.surveyDirty, Unsaved::Stations);
  EXPECT_EQ(s.designDirty, Unsaved::Design);
}

TEST(WellFileRobustness, NonFiniteDataNeverReplaceAGoodFile) {
  TempDir dir;
  Session s = a12();
  ASSERT_TRUE(SaveSurveyFile(s, dir.path()).ok);
  ASSERT_TRUE(SaveDesignFile(s, dir.path()).ok);
  const std::string goodSurvey = readBytes(dir.file("A12.sur"));
  const std::string goodDesign = readBytes(dir.file("A12.kvd"));

  s.well.stations[2].inclination = std::nan("");
  s.well.targetRadius = HUGE_VAL;
  s.surveyDirty = Unsaved::Stations;
  s.designDirty = Unsaved::Design;
  const FileResult survey = SaveSurveyFile(s, dir.path());
  const FileResult design = SaveDesignFile(s, dir.path());
  EXPECT_FALSE(survey.ok);
  EXPECT_FALSE(design.ok);
  EXPECT_THAT(survey.message, HasSubstr("A12.sur"));
  EXPECT_THAT(design.message, HasSubstr("A12.kvd"));
  EXPECT_EQ(readBytes(dir.file("A12.sur")), goodSurvey);
  EXPECT_EQ(readBytes(dir.file("A12.kvd")), goodDesign);
  EXPECT_EQ(s.surveyDirty, Unsaved::Stations);
  EXPECT_EQ(s.designDirty, Unsaved::Design);
}

// A count out of step with the table (a record being rebuilt) must not be written past its end.
TEST(WellFileRobustness, CountBeyondTheTableIsNotWritten) {
  TempDir dir;
  Session s = a12();
  ASSERT_TRUE(SaveSurveyFile(s, dir.path()).ok);
  const std::string good = readBytes(dir.file("A12.sur"));
  s.well.stationCount = 50;
  s.surveyDirty = Unsaved::Stations;
  EXPECT_FALSE(SaveSurveyFile(s, dir.path()).ok);
  EXPECT_EQ(readBytes(dir.file("A12.sur")), good);
  EXPECT_EQ(s.surveyDirty, Unsaved::Stations);
}

TEST(WellFileRobustness, LargestTableSavesAndReadsBackWhole) {
  TempDir dir;
  Session s = a12();
  WellRecord& w = s.well;
  w.stationCount = kMaxCount;
  w.stations.assign(kMaxCount + 1, SurveyStation{});
  for (int i = 0; i < kMaxCount; ++i)
    w.stations[static_cast<std::size_t>(i)] = {static_cast<std::int16_t>(i), i * 10.25, 0.5, 359.75,
                                               356.25};
  ASSERT_TRUE(SaveSurveyFile(s, dir.path()).ok);
  WellRecord back;
  back.magDeclination = w.magDeclination;
  std::string error;
  ASSERT_TRUE(ParseSurveyFile(readBytes(dir.file("A12.sur")), "A12.sur", back, error)) << error;
  ASSERT_EQ(back.stationCount, kMaxCount);
  EXPECT_EQ(back.stations[kMaxCount - 1].md, (kMaxCount - 1) * 10.25);
  EXPECT_EQ(back.stations[kMaxCount - 1].gridAzimuth, 356.25);
}

// The longest well number of four-byte characters names a file longer than the file system
// takes: the save must fail like any other, in the program's own words.
TEST(WellFileRobustness, WellNumberTooLongForTheFileSystemFailsWithAChineseMessage) {
  TempDir dir;
  Session s = a12();
  std::string no;
  for (int i = 0; i < kMaxWellNoLength; ++i) no += "\xF0\xA0\x80\x80";  // U+20000
  ASSERT_TRUE(IsSafeWellNo(no));
  s.well.wellNo = no;
  s.surveyDirty = Unsaved::Stations;
  const FileResult r = SaveSurveyFile(s, dir.path());
  if (r.ok) GTEST_SKIP() << "this file system takes names of " << no.size() + 8 << " bytes";
  EXPECT_THAT(r.message, HasSubstr("保存失败（文件名太长）"));
  EXPECT_EQ(s.surveyDirty, Unsaved::Stations);
  EXPECT_TRUE(fs::is_empty(dir.path()));
}

// --- opening wells ----------------------------------------------------------------------------

bool resultsFinite(const std::vector<StationResult>& results, int count) {
  for (int i = 0; i < count && i < static_cast<int>(results.size()); ++i) {
    const StationResult& r = results[static_cast<std::size_t>(i)];
    for (double v : {r.tvd, r.planLength, r.closureDistance, r.north, r.east, r.closureAzimuth,
                     r.doglegSeverity, r.lateralOffset, r.verticalSection, r.target1Inclination,
                     r.target1Azimuth, r.target1Distance, r.target2Inclination, r.target2Azimuth,
                     r.target2Distance})
      if (!std::isfinite(v)) return false;
  }
  return true;
}

// Design data the design form would refuse but a file can carry: the load must finish with a
// design outcome, finite trajectories and the busy pointer released.
TEST(WellFileRobustness, OddDesignDataLoadAndDesignWithinBounds) {
  const char* const line3s[] = {
      "0,30,300,2,-1.5,1800",   // no build rate
      "-3,30,300,2,-1.5,1800",  // negative build rate
      "3,180,300,2,-1.5,1800",  // builds upside down
      "3,30,300,0,-1.5,1800",   // no rotary build
      "3,30,300,-2,-1.5,1800",  // rotary build away from the target
      "3,30,300,2,0,1800",      // no drop for target 2
      "3,30,-300,2,-1.5,1800",  // kick-off above the surface
      "3,30,300,2,-1.5,-1800",  // final depth above the surface
      "3,30,300,2,-1.5,0",      // no final depth
      ".000001,.000001,0,.000001,.000001,1e-300",
  };
  for (const char* line3 : line3s) {
    SCOPED_TRACE(line3);
    TempDir dir;
    std::string design = kDesign;
    design.replace(design.rfind("3,30"), std::string("3,30,300,2,-1.5,1800").size(), line3);
    writeBytes(dir.file("A12.kvd"), design);
    writeBytes(dir.file("A12.sur"), kSurvey);
    Session s;
    s.calcMethod = SurveyMethod::ChordStep;
    const WellLoadResult r = LoadWell(s, s.well, dir.file("A12.kvd"), false, dir.path());
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_TRUE(r.designOutcome.has_value());
    EXPECT_FALSE(s.quietHost.busy);
    EXPECT_LE(static_cast<int>(s.well.designPointCount), kMaxCount);
    EXPECT_EQ(s.well.stationCount, 4);
    EXPECT_TRUE(resultsFinite(s.well.results, s.well.stationCount));
    EXPECT_TRUE(resultsFinite(s.well.designResults, s.well.designPointCount));
  }
}

// Damaged files opened as the open well: a refusal leaves the well on screen exactly as it was;
// an accepted file designs and computes within the tables' bounds.
TEST(WellFileRobustness, DamagedFilesOpenOrLeaveTheOpenWellAlone) {
  TempDir dir;
  std::mt19937 engine(8);
  const auto snapshot = [](const Session& session) {
    std::string design, survey, error;
    FormatDesignFile(session.well, design, error);
    FormatSurveyFile(session.well, survey, error);
    return design + survey + std::to_string(session.well.designPointCount) + "|" +
           std::to_string(session.well.results.size());
  };
  for (int round = 0; round < 300; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    std::string design = kDesign;
    std::string survey = kSurvey;
    damage(round % 2 ? design : survey, round, engine);
    writeBytes(dir.file("A12.kvd"), design);
    writeBytes(dir.file("A12.sur"), survey);
    Session open = a12();
    RecalculateAll(open);
    const std::string before = snapshot(open);
    const WellLoadResult r = LoadWell(open, open.well, dir.file("A12.kvd"), false, dir.path());
    if (!r.ok) {
      EXPECT_FALSE(r.message.empty());
      EXPECT_EQ(snapshot(open), before);
      continue;
    }
    EXPECT_TRUE(r.designOutcome.has_value());
    EXPECT_FALSE(open.quietHost.busy);
    EXPECT_LE(static_cast<int>(open.well.designPointCount), kMaxCount);
    EXPECT_GE(open.well.results.size(), static_cast<std::size_t>(open.well.stationCount));
  }
}

TEST(WellFileRobustness, FilesThatAreNotWellFilesLeaveTheOpenWellAlone) {
  TempDir dir;
  Session s = a12();
  RecalculateAll(s);
  const std::string before =
      s.well.wellNo + std::to_string(s.well.stationCount) + std::to_string(s.well.results[3].tvd);

  // A directory where the design file should be: there is no such well.
  fs::create_directory(dir.file("D.kvd"));
  WellLoadResult r = LoadWell(s, s.well, dir.file("D.kvd"), false, dir.path());
  EXPECT_FALSE(r.found);

  // A file far larger than any well file: refused before it is read.
  const std::string big = dir.file("B.kvd");
  writeBytes(big, kDesign);
  fs::resize_file(big, 64u << 20);
  r = LoadWell(s, s.well, big, false, dir.path());
  EXPECT_FALSE(r.ok);
  EXPECT_THAT(r.message, HasSubstr("B.kvd"));

  // Binary bytes in the design file, and in the survey file of a good design file.
  std::string binary(4096, '\0');
  for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 131 % 256);
  writeBytes(dir.file("X.kvd"), binary);
  r = LoadWell(s, s.well, dir.file("X.kvd"), false, dir.path());
  EXPECT_FALSE(r.ok);
  EXPECT_THAT(r.message, HasSubstr("X.kvd"));
  writeBytes(dir.file("Y.kvd"), "\"Y\"\r\n" + kDesign.substr(kDesign.find("\r\n") + 2));
  writeBytes(dir.file("Y.sur"), binary);
  r = LoadWell(s, s.well, dir.file("Y.kvd"), false, dir.path());
  EXPECT_FALSE(r.ok);
  EXPECT_THAT(r.message, HasSubstr("Y.sur"));

  EXPECT_EQ(
      s.well.wellNo + std::to_string(s.well.stationCount) + std::to_string(s.well.results[3].tvd),
      before);
}

}  // namespace
}  // namespace tarsek
