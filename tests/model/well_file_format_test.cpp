#include "model/well_file_format.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace tarsek {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;

// The single-target example well A12 with two stations, as engineers' files hold it.
const std::string kA12Design =
    "\"A12\"\r\n"
    "1,1000,2000,1005,2003,1300,2400,0,0,45,5,-3.5,1500,0,53.13,500,0,30\r\n"
    "3,30,300,2,-1.5,1800\r\n";
const std::string kA12Survey = "2\r\n300,0,0\r\n400,3.5,52.5\r\n";

WellRecord parsedDesign(const std::string& bytes, bool neighbourOnly = false) {
  WellRecord w;
  std::string error;
  EXPECT_TRUE(ParseDesignFile(bytes, "A12.kvd", neighbourOnly, w, error)) << error;
  return w;
}

std::string designError(const std::string& bytes, bool neighbourOnly = false) {
  WellRecord w;
  std::string error;
  EXPECT_FALSE(ParseDesignFile(bytes, "坏.kvd", neighbourOnly, w, error));
  return error;
}

std::string surveyError(const std::string& bytes) {
  WellRecord w;
  std::string error;
  EXPECT_FALSE(ParseSurveyFile(bytes, "坏.sur", w, error));
  return error;
}

TEST(WellFileFormat, A12DesignReadsIntoItsFieldsAndWritesBackByteForByte) {
  WellRecord w = parsedDesign(kA12Design);
  EXPECT_EQ(w.wellNo, "A12");
  EXPECT_EQ(w.targetCount, 1);
  EXPECT_EQ(w.padWellheadX, 1000);
  EXPECT_EQ(w.padWellheadY, 2000);
  EXPECT_EQ(w.wellheadX, 1005);
  EXPECT_EQ(w.wellheadY, 2003);
  EXPECT_EQ(w.target1X, 1300);
  EXPECT_EQ(w.target1Y, 2400);
  EXPECT_EQ(w.gateDirection, 45);
  EXPECT_EQ(w.rigSkidDistance, 5);
  EXPECT_EQ(w.magDeclination, -3.5);
  EXPECT_EQ(w.target1Tvd, 1500);
  EXPECT_EQ(w.designAzimuth, 53.13);
  EXPECT_EQ(w.designDisplacement1, 500);
  EXPECT_EQ(w.targetRadius, 30);
  EXPECT_EQ(w.buildRate, 3);
  EXPECT_EQ(w.buildToInclination, 30);
  EXPECT_EQ(w.kickoffDepth, 300);
  EXPECT_EQ(w.rotaryBuildRate, 2);
  EXPECT_EQ(w.rotaryDropRate, -1.5);
  EXPECT_EQ(w.designFinalTvd, 1800);

  std::string bytes, error;
  ASSERT_TRUE(FormatDesignFile(w, bytes, error)) << error;
  EXPECT_EQ(bytes, kA12Design);
}

TEST(WellFileFormat, A12SurveyReadsStationsWithGridAzimuthAndWritesBackByteForByte) {
  WellRecord w = parsedDesign(kA12Design);
  std::string error;
  ASSERT_TRUE(ParseSurveyFile(kA12Survey, "A12.sur", w, error)) << error;
  ASSERT_EQ(w.stationCount, 2);
  ASSERT_EQ(w.stations.size(), 3u);  // one spare entry
  ASSERT_EQ(w.results.size(), 3u);
  EXPECT_EQ(w.stations[1].index, 1);
  EXPECT_EQ(w.stations[1].md, 400);
  EXPECT_EQ(w.stations[1].inclination, 3.5);
  EXPECT_EQ(w.stations[1].azimuth, 52.5);
  EXPECT_EQ(w.stations[1].gridAzimuth, 52.5 - 3.5);

  std::string bytes;
  ASSERT_TRUE(FormatSurveyFile(w, bytes, error)) << error;
  EXPECT_EQ(bytes, kA12Survey);
}

TEST(WellFileFormat, NumberFormsRoundTrip) {
  WellRecord w;
  w.wellNo = "N1";
  w.stationCount = 4;
  w.stations.assign(5, SurveyStation{});
  w.stations[0] = {0, -0.25, 0.5, -2.5, 0};
  w.stations[1] = {1, 1234.56789012345, 0.000012, 359.9, 0};
  w.stations[2] = {2, 2000, 1e-20, 3e-5, 0};
  w.stations[3] = {3, 2000.5, 90, 0.1, 0};
  std::string bytes, error;
  ASSERT_TRUE(FormatSurveyFile(w, bytes, error)) << error;
  EXPECT_EQ(bytes,
            "4\r\n-.25,.5,-2.5\r\n1234.56789012345,1.2E-05,359.9\r\n2000,1E-20,3E-05\r\n"
            "2000.5,90,.1\r\n");

  WellRecord back;
  ASSERT_TRUE(ParseSurveyFile(bytes, "N1.sur", back, error)) << error;
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(back.stations[i].md, w.stations[i].md) << i;
    EXPECT_EQ(back.stations[i].inclination, w.stations[i].inclination) << i;
    EXPECT_EQ(back.stations[i].azimuth, w.stations[i].azimuth) << i;
  }
}

TEST(WellFileFormat, ReaderAcceptsLeadingZerosSignsBlanksAndLfLines) {
  WellRecord w;
  std::string error;
  ASSERT_TRUE(ParseSurveyFile("2\n0.25, +3.5 ,-0.5\n 10 ,2.,.5E1\n", "x.sur", w, error)) << error;
  EXPECT_EQ(w.stations[0].md, 0.25);
  EXPECT_EQ(w.stations[0].inclination, 3.5);
  EXPECT_EQ(w.stations[0].azimuth, -0.5);
  EXPECT_EQ(w.stations[1].inclination, 2);
  EXPECT_EQ(w.stations[1].azimuth, 5);
}

TEST(WellFileFormat, ChineseWellNumberIsWrittenAsGbkBytes) {
  WellRecord w = parsedDesign(kA12Design);
  w.wellNo = "示例1井";
  std::string bytes, error;
  ASSERT_TRUE(FormatDesignFile(w, bytes, error)) << error;
  EXPECT_EQ(bytes.substr(0, 11),
            "\"\xCA\xBE\xC0\xFD"
            "1\xBE\xAE\"\r\n");

  WellRecord back;
  ASSERT_TRUE(ParseDesignFile(bytes, "x.kvd", false, back, error)) << error;
  EXPECT_EQ(back.wellNo, "示例1井");

  // Outside GBK, GB18030 takes four bytes, two of them ASCII digits: they stay in the number.
  w.wellNo = "𠀀2井";
  ASSERT_TRUE(FormatDesignFile(w, bytes, error)) << error;
  EXPECT_EQ(bytes.substr(0, 10),
            "\"\x95\x32\x82\x36"
            "2\xBE\xAE\"\r");
  ASSERT_TRUE(ParseDesignFile(bytes, "x.kvd", false, back, error)) << error;
  EXPECT_EQ(back.wellNo, "𠀀2井");
}

TEST(WellFileFormat, Utf8ByteOrderMarkMakesTheFileUtf8) {
  const std::string utf8 =
      "\xEF\xBB\xBF\"草20-1\"\n" + kA12Design.substr(kA12Design.find('\n') + 1);
  WellRecord w = parsedDesign(utf8);
  EXPECT_EQ(w.wellNo, "草20-1");
  EXPECT_EQ(w.designFinalTvd, 1800);
  // The same text without the mark is not valid GB18030 throughout, or names another well.
  WellRecord other;
  std::string error;
  if (ParseDesignFile(utf8.substr(3), "x.kvd", false, other, error)) {
    EXPECT_NE(other.wellNo, "草20-1");
  } else {
    EXPECT_THAT(error, HasSubstr("第1行"));
  }
}

TEST(WellFileFormat, NeighbourReadStopsAfterLineTwo) {
  const std::string twoLines = kA12Design.substr(0, kA12Design.rfind("3,30"));
  WellRecord w = parsedDesign(twoLines, /*neighbourOnly=*/true);
  EXPECT_EQ(w.designAzimuth, 53.13);
  EXPECT_EQ(w.buildRate, 0);
  EXPECT_EQ(w.kickoffDepth, 0);
  // A neighbour with a third line leaves its build-up fields untouched as well.
  WellRecord full = parsedDesign(kA12Design, true);
  EXPECT_EQ(full.buildRate, 0);
  EXPECT_EQ(full.designFinalTvd, 0);
}

TEST(WellFileFormat, MalformedDesignFilesNameTheFileAndTheLine) {
  EXPECT_THAT(designError(""), AllOf(HasSubstr("坏.kvd"), HasSubstr("第1行缺失")));
  EXPECT_THAT(designError("\"A12\"\r\n"), HasSubstr("第2行缺失"));
  EXPECT_THAT(designError(kA12Design.substr(0, kA12Design.rfind("3,30"))), HasSubstr("第3行缺失"));
  EXPECT_THAT(designError("\"A12\"\r\n1,1000,2000\r\n3,30,300,2,-1.5,1800\r\n"),
              HasSubstr("第2行缺少第4项"));
  EXPECT_THAT(
      designError("\"A12\"\r\n1,1000,2000,1005,abc,1300,2400,0,0,45,5,-3.5,1500,0,53,500,0,30\r\n"
                  "3,30,300,2,-1.5,1800\r\n"),
      HasSubstr("第2行第5项不是数字"));
  EXPECT_THAT(
      designError(
          "\"A12\"\r\n1.5,1000,2000,1005,2003,1300,2400,0,0,45,5,-3.5,1500,0,53,500,0,30\r\n"
          "3,30,300,2,-1.5,1800\r\n"),
      HasSubstr("第2行第1项不是整数"));
  EXPECT_THAT(
      designError("\"A12\"\r\n7,1000,2000,1005,2003,1300,2400,0,0,45,5,-3.5,1500,0,53,500,0,30\r\n"
                  "3,30,300,2,-1.5,1800\r\n"),
      HasSubstr("第2行靶点数"));
  const std::string line2 = "1,1000,2000,1005,2003,1300,2400,0,0,45,5,-3.5,1500,0,53,500,0,30\r\n";
  EXPECT_THAT(designError("\"A12\"\r\n" + line2 + "3,30,nan,2,-1.5,1800\r\n"),
              HasSubstr("第3行第3项不是数字"));
  EXPECT_THAT(designError("\"A12\r\n" + line2 + "3,30,300,2,-1.5,1800\r\n"),
              HasSubstr("第1行井号缺少结束的引号"));
  EXPECT_THAT(
      designError("\"A12\"\r\n1,1e999,2000,1005,2003,1300,2400,0,0,45,5,-3.5,1500,0,53,500,0,30\r\n"
                  "3,30,300,2,-1.5,1800\r\n"),
      HasSubstr("第2行第2项数值超出范围"));
}

TEST(WellFileFormat, DesignFileWellNumberThatWouldLeaveTheDirectoryIsRefused) {
  const std::string rest = kA12Design.substr(kA12Design.find('\n') + 1);
  for (const char* bad : {"\"../etc/passwd\"", "\"a/b\"", "\"\"", "\"  \"", "\"C:x\""}) {
    EXPECT_THAT(designError(std::string(bad) + "\r\n" + rest),
                AllOf(HasSubstr("第1行"), HasSubstr(kBadWellNoMessage)))
        << bad;
  }
  // An invalid GB18030 byte sequence cannot be a well number either.
  EXPECT_THAT(designError("\"\x81\x30\"\r\n" + rest), HasSubstr("第1行井号编码无效"));
}

TEST(WellFileFormat, MalformedSurveyFilesNameTheFileAndTheLine) {
  EXPECT_THAT(surveyError(""), AllOf(HasSubstr("坏.sur"), HasSubstr("第1行缺失")));
  EXPECT_THAT(surveyError("x\r\n"), HasSubstr("第1行第1项不是数字"));
  EXPECT_THAT(surveyError("-1\r\n"), HasSubstr("第1行测点数超出范围"));
  EXPECT_THAT(surveyError("32768\r\n"), HasSubstr("第1行测点数超出范围"));
  EXPECT_THAT(surveyError("3\r\n300,0,0\r\n400,3.5,52.5\r\n"), HasSubstr("第4行缺失"));
  EXPECT_THAT(surveyError("2\r\n300,0,0\r\n400,3.5\r\n"), HasSubstr("第3行缺少第3项"));
  EXPECT_THAT(surveyError("2\r\n300,0,0\r\n\r\n400,1,1\r\n"), HasSubstr("第3行缺少第1项"));
  EXPECT_THAT(surveyError("2\r\n300,0,0\r\n300,3.5,52.5\r\n"), HasSubstr("第3行测深不大于"));
  EXPECT_THAT(surveyError("2\r\n300,0,0\r\n200,3.5,52.5\r\n"), HasSubstr("第3行测深不大于"));
  EXPECT_THAT(surveyError("1\r\n300,0,inf\r\n"), HasSubstr("第2行第3项不是数字"));
}

TEST(WellFileFormat, SurveyWithMoreLinesThanItsCountIsReadWhole) {
  WellRecord w;
  std::string error;
  ASSERT_TRUE(
      ParseSurveyFile("1\r\n300,0,0\r\n400,3.5,52.5\r\n500,7,53\r\n\r\n", "x.sur", w, error))
      << error;
  EXPECT_EQ(w.stationCount, 3);
  EXPECT_EQ(w.stations.size(), 4u);
  EXPECT_EQ(w.stations[2].md, 500);
  EXPECT_EQ(w.stations[2].index, 2);
}

TEST(WellFileFormat, EmptySurveyIsTheSingleLineZero) {
  WellRecord w;
  w.wellNo = "A12";
  std::string bytes, error;
  ASSERT_TRUE(FormatSurveyFile(w, bytes, error)) << error;
  EXPECT_EQ(bytes, "0\r\n");
  WellRecord back;
  back.stationCount = 5;
  ASSERT_TRUE(ParseSurveyFile(bytes, "x.sur", back, error)) << error;
  EXPECT_EQ(back.stationCount, 0);
  EXPECT_EQ(back.stations.size(), 1u);
}

TEST(WellFileFormat, NonFiniteValuesAreNeverWritten) {
  WellRecord w = parsedDesign(kA12Design);
  w.targetRadius = std::numeric_limits<double>::quiet_NaN();
  std::string bytes = "untouched", error;
  EXPECT_FALSE(FormatDesignFile(w, bytes, error));
  EXPECT_EQ(bytes, "untouched");
  w.stationCount = 1;
  w.stations.assign(2, SurveyStation{});
  w.stations[0].azimuth = std::numeric_limits<double>::infinity();
  EXPECT_FALSE(FormatSurveyFile(w, bytes, error));
}

TEST(SafeWellNo, AcceptsOrdinaryChineseAndLatinNumbers) {
  for (const char* ok : {"A12", "示例1井", "草20-1", "坨7-斜12", "X 1", "a.b", "井", "𠀀1"}) {
    EXPECT_TRUE(IsSafeWellNo(ok)) << ok;
  }
  EXPECT_TRUE(IsSafeWellNo(std::string(64, 'x')));
}

TEST(SafeWellNo, RefusesNumbersThatEscapeTheDirectoryOrCannotBeStored) {
  for (const char* bad : {"", "   ", "a/b", "a\\b", "C:", "a*", "a?", "a\"b", "<a", "a>", "a|b",
                          "..", "a..b", "a\tb", "a\x7f", "\xC2\x85", "\xFF\xFE", "\xED\xA0\x80"}) {
    EXPECT_FALSE(IsSafeWellNo(bad)) << bad;
  }
  EXPECT_FALSE(IsSafeWellNo(std::string(65, 'x')));
  std::string longChinese;
  for (int i = 0; i < 65; ++i) longChinese += "井";
  EXPECT_FALSE(IsSafeWellNo(longChinese));
}

}  // namespace
}  // namespace tarsek
