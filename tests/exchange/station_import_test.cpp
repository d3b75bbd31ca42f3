#include "exchange/station_import.h"

#include <gtest/gtest.h>
#include <sys/mman.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/codepage.h"
#include "exchange/exchange_fixture.h"

namespace tarsek {
namespace {

using testing::TempDir;
using testing::writeBytes;
using testing::writeWorkbook;

struct Station {
  double md, inc, azi;
};

std::string gb(const std::string& utf8) {
  std::string out;
  EXPECT_TRUE(utf8ToGb18030(utf8, out));
  return out;
}

TEST(StationText, FindsColumnsUnitsAndSeparatorsFromTheHeader) {
  struct Case {
    const char* name;
    std::string bytes;
    const char* encoding;
    std::vector<Station> rows;
  };
  const Case cases[] = {
      {"chinese csv",
       "测深,井斜,方位\n100,1.5,45\n200,2.5,46.5\n",
       "UTF-8",
       {{100, 1.5, 45}, {200, 2.5, 46.5}}},
      {"bom, crlf, english any case",
       "\xEF\xBB\xBFmd,INCL,Azimuth\r\n100,1,2\r\n",
       "UTF-8",
       {{100, 1, 2}}},
      {"tsv in feet", "MD (ft)\tInc\tAz\n1000\t3\t4\n", "UTF-8", {{304.8, 3, 4}}},
      {"semicolons with decimal commas",
       "井深;井斜角;方位角\n100,5;1,25;45\n",
       "UTF-8",
       {{100.5, 1.25, 45}}},
      {"blanks after title rows",
       "示例井 测斜数据\n\n  Depth  INC  AZI\n 100  1  2\n",
       "UTF-8",
       {{100, 1, 2}}},
      {"gb18030", gb("斜深,井斜,方位\n100,1,2\n"), "GB18030", {{100, 1, 2}}},
      {"units row in feet", "测深,井斜,方位\nft,°,°\n100,1,2\n", "UTF-8", {{30.48, 1, 2}}},
      {"quoted fields, extra columns",
       "\"序号\",\"测深(m)\",\"井斜（°）\",\"方位(°)\"\n1,\"100.0\",1,2\n",
       "UTF-8",
       {{100, 1, 2}}},
      {"blanks with decimal commas", "MD INC AZI\n100,5 1,5 2,5\n", "UTF-8", {{100.5, 1.5, 2.5}}},
      {"header cells wrapped over lines, copied from a spreadsheet",
       "\"测深\n(ft)\"\t\"井斜\n(°)\"\t方位\n1000\t1\t2\n",
       "UTF-8",
       {{304.8, 1, 2}}},
      {"angles in radians",
       "md,inc(rad),azi(rad)\n100,0.5,1\n",
       "UTF-8",
       {{100, 28.64788975654116, 57.29577951308232}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ParseResult r = ParseStationText(c.bytes);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_TRUE(r.headerFound);
    EXPECT_TRUE(r.rejected.empty()) << r.rejected.front().reason;
    EXPECT_EQ(r.encoding, c.encoding);
    ASSERT_EQ(r.rows.size(), c.rows.size());
    for (std::size_t i = 0; i < c.rows.size(); ++i) {
      EXPECT_NEAR(r.rows[i].md, c.rows[i].md, 1e-9);
      EXPECT_NEAR(r.rows[i].inclination, c.rows[i].inc, 1e-9);
      EXPECT_NEAR(r.rows[i].azimuth, c.rows[i].azi, 1e-9);
    }
  }
}

TEST(StationText, WithoutAHeaderAsksForColumnsAndReadsTheChosenOnes) {
  const std::string text = "序号 深 斜 方\n1 100 1 2\n2 200 3 4\n";
  const ParseResult asked = ParseStationText(text);
  ASSERT_TRUE(asked.ok);
  EXPECT_TRUE(asked.needsColumns);
  EXPECT_TRUE(asked.rows.empty());
  ASSERT_EQ(asked.preview.size(), 3u);
  EXPECT_EQ(asked.preview[1][1], "100");

  ImportOptions options;
  options.columns = {1, 2, 3, true, 1};
  const ParseResult chosen = ParseStationText(text, options);
  ASSERT_TRUE(chosen.ok);
  EXPECT_FALSE(chosen.needsColumns);
  ASSERT_EQ(chosen.rows.size(), 2u);
  EXPECT_NEAR(chosen.rows[1].md, 60.96, 1e-9);
  EXPECT_EQ(chosen.rows[1].line, 3);
  EXPECT_EQ(chosen.rows[1].azimuth, 4);
}

const char* kStyles =
    "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<numFmts><numFmt numFmtId=\"164\" formatCode=\"yyyy-mm-dd\"/>"
    "<numFmt numFmtId=\"165\" formatCode=\"0.00&quot;m&quot;\"/></numFmts>"
    "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"164\"/><xf numFmtId=\"165\"/><xf numFmtId=\"14\"/>"
    "</cellXfs></styleSheet>";

// A gigabyte the readers may look at only by its size: the pages cannot be read at all, so a
// reader that touched a byte before refusing would crash the test. Costs address space only.
struct UntouchableGigabyte {
  static constexpr std::size_t kSize = std::size_t{1} << 30;
  void* at = mmap(nullptr, kSize, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  ~UntouchableGigabyte() {
    if (at != MAP_FAILED) munmap(at, kSize);
  }
  std::string_view bytes() const {
    return at == MAP_FAILED ? std::string_view() : std::string_view(static_cast<char*>(at), kSize);
  }
};

// Every kind of bad input: either the whole file is refused with a message (rows must then be
// empty), or the bad lines are rejected with their reasons and the good ones still read.
TEST(StationImport, MalformedInputGetsAMessageNotACrash) {
  const UntouchableGigabyte gigabyte;
  ASSERT_EQ(gigabyte.bytes().size(), UntouchableGigabyte::kSize);
  TempDir dir("malformed");
  struct Case {
    const char* name;
    std::function<ParseResult()> read;
    bool refused;
    const char* says;
    std::size_t accepted;
  };
  const std::string good =
      "<row r=\"2\"><c r=\"A2\"><v>100</v></c><c r=\"B2\"><v>1</v></c>"
      "<c r=\"C2\"><v>2</v></c></row>";
  const auto xlsx = [&](const char* name, std::string rows, std::string merge = "") {
    const std::string path = dir.file(name);
    EXPECT_TRUE(writeWorkbook(path, good + rows, merge, kStyles));
    return ReadStationFile(path);
  };
  const auto witsml = [](std::string stations) {
    return ParseWitsmlTrajectory(
        "<?xml version=\"1.0\"?>\n<trajectorys><trajectory>\n"
        "<trajectoryStation><md uom=\"m\">100</md><incl uom=\"dega\">1</incl>"
        "<azi uom=\"dega\">2</azi></trajectoryStation>\n" +
        stations + "</trajectory></trajectorys>");
  };
  const Case cases[] = {
      {"binary data",
       [] {
         return ParseStationText(
             std::string("\x7f"
                         "ELF\x02\x01\0\0",
                         8));
       },
       true, "二进制", 0},
      {"a line too long, then a good one",
       [] {
         return ParseStationText("测深,井斜,方位\n" + std::string(200000, '1') + "\n100,1,2\n");
       },
       false, "第2行：这一行太长", 1},
      {"a 1 GB file",
       [&] {
         const std::string path = dir.file("huge.csv");
         writeBytes(path, "测深,井斜,方位\n");
         std::filesystem::resize_file(path, 1ull << 30);  // sparse: costs no disk
         return ReadStationFile(path);
       },
       true, "太大", 0},
      {"a 1 GB line pasted", [&] { return ParseStationText(gigabyte.bytes()); }, true, "太大", 0},
      {"a 1 GB WITSML document", [&] { return ParseWitsmlTrajectory(gigabyte.bytes()); }, true,
       "太大", 0},
      {"a 1 GB workbook", [&] { return ParseXlsxStations(gigabyte.bytes()); }, true, "太大", 0},
      {"binary data as WITSML",
       [] { return ParseWitsmlTrajectory(std::string("<\x01\x02\x03trajectory>", 14)); }, true,
       "二进制", 0},
      {"a date for a depth in text",
       [] { return ParseStationText("测深,井斜,方位\n100,1,2\n2024-03-01,1,2\n"); }, false,
       "第3行：测深“2024-03-01”不是数字", 1},
      {"UTF-16", [] { return ParseStationText("\xFF\xFEm\0d\0"); }, true, "UTF-16", 0},
      {"neither UTF-8 nor GB18030", [] { return ParseStationText("md,inc,azi\n\xFF\xFF,1,2\n"); },
       true, "既不是", 0},
      {"inclination out of range",
       [] { return ParseStationText("测深,井斜,方位\n100,1,2\n200,181,2\n"); }, false,
       "第3行：井斜不在0到180之间", 1},
      {"azimuth out of range", [] { return ParseStationText("测深,井斜,方位\n100,1,360.5\n"); },
       false, "第2行：方位不在0到360之间", 0},
      {"negative depth", [] { return ParseStationText("测深,井斜,方位\n-1,1,2\n"); }, false,
       "第2行：测深不能为负", 0},
      {"a word for a number", [] { return ParseStationText("测深,井斜,方位\n100,abc,2\n"); }, false,
       "第2行：井斜“abc”不是数字", 0},
      {"a missing column", [] { return ParseStationText("测深,井斜,方位\n100,1\n"); }, false,
       "第2行：缺少方位", 0},
      {"unclosed quote, then good lines",
       [] { return ParseStationText("测深,井斜,方位\n\"100,1,2\n200,1,2\n300,1,2\n"); }, false,
       "第2行：引号没有闭合", 2},
      {"XML entity bomb",
       [] {
         return ParseWitsmlTrajectory(
             "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\">"
             "<!ENTITY lol2 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">]>"
             "<trajectorys><trajectory><trajectoryStation><md>&lol2;</md></trajectoryStation>"
             "</trajectory></trajectorys>");
       },
       true, "DOCTYPE", 0},
      {"broken XML", [] { return ParseWitsmlTrajectory("<trajectorys>\n<trajectory>\n<md>"); },
       true, "XML格式错误", 0},
      {"XML without a trajectory", [] { return ParseWitsmlTrajectory("<log><md>1</md></log>"); },
       true, "找不到trajectory", 0},
      {"WITSML unknown unit",
       [&] {
         return witsml(
             "<trajectoryStation><md uom=\"km\">1</md><incl>1</incl><azi>2</azi>"
             "</trajectoryStation>\n");
       },
       false, "第4行：测深的单位“km”无法识别", 1},
      {"WITSML missing azimuth",
       [&] {
         return witsml("<trajectoryStation><md>200</md><incl>1</incl></trajectoryStation>\n");
       },
       false, "第4行：缺少方位", 1},
      {"spreadsheet formula without a value",
       [&] {
         return xlsx("f.xlsx",
                     "<row r=\"3\"><c r=\"A3\"><v>200</v></c><c r=\"B3\"><f>B2*2</f></c>"
                     "<c r=\"C3\"><v>2</v></c></row>");
       },
       false, "第3行：井斜是没有计算结果的公式", 1},
      {"spreadsheet formula with its value",
       [&] {
         return xlsx("fv.xlsx",
                     "<row r=\"3\"><c r=\"A3\"><v>200</v></c><c r=\"B3\"><f>B2*2</f>"
                     "<v>2</v></c><c r=\"C3\" t=\"str\"><f>\"3\"</f><v>3</v></c></row>");
       },
       false, "", 2},
      {"spreadsheet empty cell",
       [&] {
         return xlsx("e.xlsx",
                     "<row r=\"3\"><c r=\"A3\"><v>200</v></c><c r=\"C3\"><v>2</v></c></row>");
       },
       false, "第3行：缺少井斜", 1},
      {"spreadsheet merged cells",
       [&] {
         return xlsx("m.xlsx",
                     "<row r=\"3\"><c r=\"A3\"><v>200</v></c><c r=\"B3\"><v>2</v></c>"
                     "<c r=\"C3\"/></row>",
                     "<mergeCells count=\"1\"><mergeCell ref=\"B3:C3\"/></mergeCells>");
       },
       false, "第3行：方位在合并单元格中", 1},
      {"spreadsheet date for a depth",
       [&] {
         return xlsx("d.xlsx",
                     "<row r=\"3\"><c r=\"A3\" s=\"1\"><v>45000</v></c><c r=\"B3\"><v>1</v>"
                     "</c><c r=\"C3\" s=\"2\"><v>2</v></c></row>"
                     "<row r=\"4\"><c r=\"A4\" s=\"3\"><v>300</v></c></row>");
       },
       false, "第3行：测深是日期，不是数字", 1},
      {"spreadsheet row number past the last row",
       [&] {
         return xlsx("r.xlsx",
                     "<row r=\"2147483647\"><c><v>200</v></c><c><v>1</v></c><c><v>2</v></c></row>"
                     "<row><c><v>300</v></c><c><v>1</v></c><c><v>2</v></c></row>");
       },
       false, "", 3},
      {"spreadsheet part with an entity bomb",
       [&] {
         const std::string path = dir.file("bomb.xlsx");
         EXPECT_TRUE(testing::writeZip(
             path, {{"xl/workbook.xml",
                     "<workbook xmlns:r=\"r\"><sheets><sheet name=\"a\" r:id=\"rId1\"/>"
                     "</sheets></workbook>"},
                    {"xl/worksheets/sheet1.xml",
                     "<?xml version=\"1.0\"?><!DOCTYPE worksheet [<!ENTITY a \"1111111111\">"
                     "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">]><worksheet><sheetData>"
                     "<row><c><v>&b;</v></c><c><v>1</v></c><c><v>2</v></c></row>"
                     "</sheetData></worksheet>"}}));
         ImportOptions columns;
         columns.columns = {0, 1, 2};
         return ReadStationFile(path, columns);
       },
       true, "DOCTYPE", 0},
      {"spreadsheet error value",
       [&] { return xlsx("x.xlsx", "<row r=\"3\"><c r=\"A3\" t=\"e\"><v>#DIV/0!</v></c></row>"); },
       false, "第3行：测深是错误值“#DIV/0!”", 1},
      {"not a workbook",
       [&] {
         const std::string path = dir.file("bad.xlsx");
         writeBytes(path, std::string("PK\x03\x04", 4) + std::string(100, 'x'));
         return ReadStationFile(path);
       },
       true, "Excel", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ParseResult r = c.read();
    std::string all = r.message;
    for (const RejectedLine& l : r.rejected) all += "|" + l.reason;
    EXPECT_EQ(!r.ok, c.refused) << all;
    EXPECT_NE(all.find(c.says), std::string::npos) << all;
    EXPECT_EQ(r.rows.size(), c.accepted) << all;
    if (c.refused) {
      EXPECT_TRUE(r.rejected.empty());
    }
  }
}

TEST(XlsxStations, ChoosesASheetByNameOrPositionAndListsThem) {
  TempDir dir("sheets");
  const std::string path = dir.file("two.xlsx");
  const std::string sheet =
      "<?xml version=\"1.0\"?><worksheet><sheetData>"
      "<row r=\"1\"><c t=\"s\"><v>0</v></c><c t=\"s\"><v>1</v></c>"
      "<c t=\"s\"><v>2</v></c></row><row r=\"5\"><c><v>";
  ASSERT_TRUE(testing::writeZip(
      path,
      {{"xl/workbook.xml",
        "<workbook xmlns:r=\"r\"><sheets><sheet name=\"A\" r:id=\"rId1\"/>"
        "<sheet name=\"B\" r:id=\"rId2\"/></sheets></workbook>"},
       {"xl/_rels/workbook.xml.rels",
        "<Relationships><Relationship Id=\"rId1\" Target=\"/xl/worksheets/a.xml\"/>"
        "<Relationship Id=\"rId2\" Target=\"worksheets/b.xml\"/></Relationships>"},
       {"xl/sharedStrings.xml",
        "<sst><si><t>MD</t></si><si><r><t>In</t></r><r><t>c</t></r></si><si><t>Azi</t></si></sst>"},
       {"xl/worksheets/a.xml",
        sheet + "10</v></c><c><v>1</v></c><c><v>2</v></c></row></sheetData></worksheet>"},
       {"xl/worksheets/b.xml",
        sheet + "20</v></c><c><v>3</v></c><c><v>4</v></c></row></sheetData></worksheet>"}}));
  ImportOptions byName;
  byName.sheetName = "B";
  ImportOptions byIndex;
  byIndex.sheetIndex = 0;
  const ParseResult b = ReadStationFile(path, byName);
  const ParseResult a = ReadStationFile(path, byIndex);
  ASSERT_TRUE(a.ok && b.ok) << a.message << b.message;
  EXPECT_EQ(a.sheetNames, (std::vector<std::string>{"A", "B"}));
  ASSERT_EQ(a.rows.size(), 1u);
  ASSERT_EQ(b.rows.size(), 1u);
  EXPECT_EQ(a.rows[0].md, 10);
  EXPECT_EQ(b.rows[0].md, 20);
  EXPECT_EQ(b.rows[0].line, 5);
  byName.sheetName = "C";
  EXPECT_FALSE(ReadStationFile(path, byName).ok);
}

TEST(WitsmlStations, ConvertsFeetAndRadiansAndKeepsFileLines) {
  const ParseResult r = ParseWitsmlTrajectory(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<witsml:trajectorys xmlns:witsml=\"w\">\n"
      "<witsml:trajectory>\n<witsml:trajectoryStation>\n"
      "<witsml:md uom=\"ft\">1000</witsml:md><witsml:incl uom=\"rad\">0.1</witsml:incl>"
      "<witsml:azi uom=\"dega\">10</witsml:azi></witsml:trajectoryStation>\n"
      "</witsml:trajectory></witsml:trajectorys>");
  ASSERT_TRUE(r.ok) << r.message;
  ASSERT_EQ(r.rows.size(), 1u);
  EXPECT_NEAR(r.rows[0].md, 304.8, 1e-9);
  EXPECT_NEAR(r.rows[0].inclination, 5.729577951308232, 1e-12);
  EXPECT_EQ(r.rows[0].line, 4);
}

}  // namespace
}  // namespace tarsek
