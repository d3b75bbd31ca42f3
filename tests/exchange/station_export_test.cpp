#include "exchange/station_export.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "common/numtext.h"
#include "exchange/exchange_fixture.h"
#include "exchange/import_plan.h"
#include "exchange/station_import.h"
#include "model/well_files.h"
#include "session/well_io.h"
#include "survey/survey_calc.h"

namespace tarsek {
namespace {

using testing::TempDir;

Session sampleWell(SurveyMethod method) {
  Session s;
  s.calcMethod = method;
  const WellLoadResult r = LoadWell(s, s.well, std::string(TARSEK_SAMPLES_DIR) + "/草20-1.kvd",
                                    false, TARSEK_SAMPLES_DIR);
  EXPECT_TRUE(r.ok && r.found) << r.message;
  return s;
}

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What was exported reads back as the same stations, digit for digit as the survey file would
// keep them, for every format; survey stations and design points alike. Some stations carry
// more digits than the two decimals the computed columns show (a depth converted from feet).
TEST(StationExport, ExportedFilesImportAsTheSameStations) {
  TempDir dir("roundtrip");
  Session session = sampleWell(SurveyMethod::ChordStep);
  session.well.stations[3].md += 0.3048 / 7;
  session.well.stations[5].inclination = 1.23456789012345;
  session.well.stations[6].azimuth = 359.999;
  RecalculateAll(session);
  struct Case {
    const char* file;
    TextEncoding encoding;
    const char* encodingRead;
  };
  const Case cases[] = {{"s.csv", TextEncoding::Utf8Bom, "UTF-8"},
                        {"s.txt", TextEncoding::Gb18030, "GB18030"},
                        {"s.xlsx", TextEncoding::Utf8Bom, "UTF-8"},
                        {"s.xml", TextEncoding::Utf8Bom, "UTF-8"}};
  for (const bool design : {false, true}) {
    const ExportTable table = design ? DesignExportTable(session) : SurveyExportTable(session);
    ASSERT_EQ(table.columns.size(), 13u);
    ASSERT_GT(table.rowCount(), 10u);
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.file) + (design ? " design" : " survey"));
      const std::string path = dir.file(c.file);
      std::string message;
      ASSERT_TRUE(WriteStationFile(table, path, ExportFormat::FromExtension, c.encoding, message))
          << message;
      const ParseResult back = ReadStationFile(path);
      ASSERT_TRUE(back.ok) << back.message;
      EXPECT_EQ(back.encoding, c.encodingRead);
      EXPECT_TRUE(back.rejected.empty());
      ASSERT_EQ(back.rows.size(), table.rowCount());
      for (std::size_t i = 0; i < back.rows.size(); ++i) {
        for (int k = 0; k < 3; ++k) {
          const ExportColumn& col = table.columns[static_cast<std::size_t>(k)];
          const double got = k == 0   ? back.rows[i].md
                             : k == 1 ? back.rows[i].inclination
                                      : back.rows[i].azimuth;
          ASSERT_EQ(formatGeneral(got), formatGeneral(col.values[i]))
              << "row " << i << " column " << col.title;
        }
      }
    }
  }
}

// Columns computed elsewhere (uncertainty, say) come from a registered source and ride along in
// every format without the writers knowing them; a value not computed stays an empty cell.
TEST(StationExport, TablesCarryTheComputedValuesAndExtraColumns) {
  TempDir dir("extra");
  const Session session = sampleWell(SurveyMethod::AverageAngle);
  const std::size_t n = static_cast<std::size_t>(session.well.stationCount);
  const int id = AddExportColumnSource([](const WellState& s, bool design) {
    std::vector<double> v(static_cast<std::size_t>(design ? 0 : s.well.stationCount), 0.125);
    if (!v.empty()) v[0] = std::nan("");
    return std::vector<ExportColumn>{{"横向误差", "m", 3, v}};
  });
  ExportColumn given{"半径", "m", 3, std::vector<double>(n, 1.5)};
  ExportColumn wrongLength{"错", "", 1, {1}};
  const ExportTable t = SurveyExportTable(session, {given, wrongLength});
  const ExportTable design = DesignExportTable(session);
  RemoveExportColumnSource(id);
  EXPECT_EQ(SurveyExportTable(session).columns.size(), 13u);
  EXPECT_EQ(design.columns.size(), 13u);  // the source had nothing for the design
  ASSERT_EQ(t.columns.size(), 15u);
  EXPECT_EQ(t.columns[13].title, "横向误差");
  EXPECT_EQ(t.columns[14].title, "半径");
  const StationResult& last = session.well.results[n - 1];
  EXPECT_EQ(t.columns[4].values[n - 1], last.tvd);
  EXPECT_EQ(t.columns[8].values[n - 1], last.closureDistance);
  EXPECT_EQ(t.columns[12].values[n - 1], last.doglegSeverity);

  std::string csv, message;
  ASSERT_TRUE(FormatCsv(t, TextEncoding::Utf8Bom, csv, message));
  EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_NE(csv.find("狗腿度(°/30m),横向误差(m),半径(m)\r\n"), std::string::npos);
  EXPECT_NE(csv.find(",,1.500\r\n"), std::string::npos);       // row 0: no value
  EXPECT_NE(csv.find(",0.125,1.500\r\n"), std::string::npos);  // the others
  for (const char* file : {"x.csv", "x.xlsx", "x.xml"}) {
    ASSERT_TRUE(WriteStationFile(t, dir.file(file), ExportFormat::FromExtension,
                                 TextEncoding::Utf8Bom, message))
        << message;
    const ParseResult back = ReadStationFile(dir.file(file));
    EXPECT_TRUE(back.ok && back.rejected.empty()) << file << back.message;
    EXPECT_EQ(back.rows.size(), n) << file;
  }
}

TEST(StationExport, AFailedWriteLeavesTheOldFile) {
  TempDir dir("failed");
  const std::string path = dir.file("old.csv");
  testing::writeBytes(path, "old");
  // The temporary file cannot be made where a directory of its name stands.
  std::filesystem::create_directory(path + ".tmp");
  const ExportTable t = SurveyExportTable(sampleWell(SurveyMethod::AverageAngle));
  std::string message;
  for (const char* ext : {".csv", ".xlsx", ".xml"}) {
    const std::string target = dir.file(std::string("old") + ext);
    if (target != path) {
      testing::writeBytes(target, "old");
      std::filesystem::create_directory(target + ".tmp");
    }
    EXPECT_FALSE(
        WriteStationFile(t, target, ExportFormat::FromExtension, TextEncoding::Utf8Bom, message));
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(readAll(target), "old");
  }
  EXPECT_FALSE(WriteStationFile(t, dir.file("x.pdf"), ExportFormat::FromExtension,
                                TextEncoding::Utf8Bom, message));
  EXPECT_NE(message.find(".pdf"), std::string::npos);
}

}  // namespace
}  // namespace tarsek
