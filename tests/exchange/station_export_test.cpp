#include "exchange/station_export.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "common/numtext.h"
#include "exchange/exchange_fixture.h"
#include "exchange/import_plan.h"
#include "exchange/station_import.h"
#include "well/well_files.h"

namespace tarsek {
namespace {

using testing::TempDir;

Session sampleWell(int method) {
  Session s;
  s.calcMethod = static_cast<std::int16_t>(method);
  const FileResult r = LoadWell(s, s.well, std::string(TARSEK_SAMPLES_DIR) + "/草20-1.kvd", false,
                                TARSEK_SAMPLES_DIR);
  EXPECT_TRUE(r.ok && r.found) << r.message;
  return s;
}

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What was exported reads back as the same stations, to the digits printed, for every format;
// survey stations and design points alike.
TEST(StationExport, ExportedFilesImportAsTheSameStations) {
  TempDir dir("roundtrip");
  const Session session = sampleWell(2);
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
          ASSERT_EQ(formatFixed(got, col.decimals), formatFixed(col.values[i], col.decimals))
              << "row " << i << " column " << col.title;
        }
      }
    }
  }
}

TEST(StationExport, TablesCarryTheComputedValuesAndExtraColumns) {
  const Session session = sampleWell(0);
  const std::size_t n = static_cast<std::size_t>(session.well.stationCount);
  ExportColumn wellOnly{"半径", "m", 3, std::vector<double>(n, 1.5)};
  ExportColumn wrongLength{"错", "", 1, {1}};
  const ExportTable t = SurveyExportTable(session, {wellOnly, wrongLength});
  ASSERT_EQ(t.columns.size(), 14u);
  EXPECT_EQ(t.columns[13].title, "半径");
  const StationResult& last = session.well.results[n - 1];
  EXPECT_EQ(t.columns[4].values[n - 1], last.tvd);
  EXPECT_EQ(t.columns[8].values[n - 1], last.closureDistance);
  EXPECT_EQ(t.columns[12].values[n - 1], last.doglegSeverity);

  std::string csv, message;
  ASSERT_TRUE(FormatCsv(t, TextEncoding::Utf8Bom, csv, message));
  EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_NE(csv.find("狗腿度(°/30m),半径(m)\r\n"), std::string::npos);
}

TEST(StationExport, AFailedWriteLeavesTheOldFile) {
  TempDir dir("failed");
  const std::string path = dir.file("old.csv");
  testing::writeBytes(path, "old");
  // The temporary file cannot be made where a directory of its name stands.
  std::filesystem::create_directory(path + ".tmp");
  const ExportTable t = SurveyExportTable(sampleWell(0));
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
