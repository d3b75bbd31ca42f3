#include "app/calc_exchange.h"

#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>
#include <system_error>

#include "exchange/import_plan.h"
#include "exchange/station_export.h"
#include "exchange/station_import.h"
#include "model/well_files.h"
#include "session/session_ops.h"
#include "session/well_io.h"
#include "survey/survey_calc.h"

namespace tarsek::calc {
namespace {

constexpr int kExitRefused = 1;
constexpr int kExitBadFile = 2;

// Loads the well at path the way the program opens it; false after a message on stderr.
bool loadWell(Session& session, const std::string& path, int method, std::string& directory) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) {
    std::cerr << "找不到井文件“" << path << "”！\n";
    return false;
  }
  SetCalcMethod(session, SurveyMethodFromCode(method).value());
  directory = fs::path(path).parent_path().string();
  if (directory.empty()) directory = ".";
  session.wellDirectory = directory;
  const WellLoadResult loaded = LoadWell(session, session.well, path, false, directory);
  if (!loaded.ok || !loaded.found) {
    std::cerr << (loaded.message.empty() ? "井文件“" + path + "”无法读取！" : loaded.message)
              << '\n';
    return false;
  }
  return true;
}

void addMethodOption(CLI::App* command, int& method) {
  command
      ->add_option("--method", method,
                   "测斜计算方法：0 平均角法, 1 校正平均角法, 2 弦步法, 3 平衡正切法, 4 正切法, 5 "
                   "最小曲率法")
      ->check(CLI::Range(0, kMethodCount - 1));
}

}  // namespace

CLI::App* addImportCommand(CLI::App& app, ImportCommand& o) {
  CLI::App* c =
      app.add_subcommand("import", "从CSV、文本、Excel(.xlsx)或WITSML文件导入测点到井的测斜文件");
  c->add_option("file", o.file, "要导入的文件")->required();
  c->add_option("--into", o.well, "井的设计文件(.kvd)；测斜文件(.sur)在它旁边")->required();
  c->add_flag("--merge", o.merge, "与已有测点合并（同一测深的测点被替换）；默认替换全部测点");
  c->add_flag("--dry-run", o.dryRun, "只显示将要发生的改动，不写文件");
  c->add_flag("--skip-bad", o.skipBad, "跳过无法导入的行，导入其余的行");
  c->add_option("--sheet", o.sheet, "Excel工作表的名称或序号(从1开始)；默认第一个");
  c->add_option("--columns", o.columns, "没有可识别的表头时：测深、井斜、方位所在的列(从1开始)")
      ->expected(3)
      ->delimiter(',');
  c->add_flag("--feet", o.feet, "与--columns一起：测深以英尺为单位");
  addMethodOption(c, o.method);
  return c;
}

CLI::App* addExportCommand(CLI::App& app, ExportCommand& o) {
  CLI::App* c =
      app.add_subcommand("export", "把测点和全部计算结果导出为CSV、Excel(.xlsx)或WITSML文件");
  c->add_option("well", o.well, "井的设计文件(.kvd)")->required();
  c->add_option("-o,--output", o.output, "输出文件：.csv、.xlsx或.xml")->required();
  c->add_flag("--design", o.design, "导出设计轨迹而不是测点");
  c->add_option("--encoding", o.encoding, "CSV的编码：utf8(带BOM，默认)或gb18030")
      ->check(CLI::IsMember({"utf8", "gb18030"}));
  addMethodOption(c, o.method);
  return c;
}

int runImportCommand(const ImportCommand& o) {
  Session session;
  std::string directory;
  if (!loadWell(session, o.well, o.method, directory)) return kExitBadFile;

  ImportOptions options;
  if (!o.sheet.empty()) {
    const bool number = o.sheet.find_first_not_of("0123456789") == std::string::npos;
    if (number && o.sheet.size() < 6)
      options.sheetIndex = std::stoi(o.sheet) - 1;
    else
      options.sheetName = o.sheet;
  }
  if (o.columns.size() == 3) {
    options.columns.md = o.columns[0] - 1;
    options.columns.inclination = o.columns[1] - 1;
    options.columns.azimuth = o.columns[2] - 1;
    options.columns.mdInFeet = o.feet;
  }
  const ParseResult parsed = ReadStationFile(o.file, options);
  if (!parsed) {
    std::cerr << parsed.message << '\n';
    return kExitBadFile;
  }
  if (parsed.needsColumns) {
    std::cerr << "“" << o.file
              << "”中找不到测深、井斜、方位的表头：请用 --columns 指定它们所在的列，例如 "
                 "--columns 1,2,3\n";
    return kExitRefused;
  }
  for (const RejectedLine& r : parsed.rejected) std::cerr << r.reason << '\n';
  if (!parsed.rejected.empty() && !o.skipBad) {
    std::cerr << "有" << parsed.rejected.size()
              << "行无法导入，未做任何改动；用 --skip-bad 跳过这些行\n";
    return kExitRefused;
  }
  const ImportPlan plan =
      PlanImport(session.well, parsed.rows, o.merge ? ImportMode::Merge : ImportMode::Replace,
                 parsed.azimuthReference);
  for (const RejectedLine& r : plan.rejected) std::cerr << r.reason << '\n';
  if (!plan.ok) {
    std::cerr << plan.message << '\n';
    return kExitRefused;
  }
  if (!plan.rejected.empty() && !o.skipBad) {
    std::cerr << "有" << plan.rejected.size()
              << "行无法导入，未做任何改动；用 --skip-bad 跳过这些行\n";
    return kExitRefused;
  }

  nlohmann::json out;
  out["file"] = o.file;
  out["format"] = parsed.format == ImportFormat::Xlsx     ? "xlsx"
                  : parsed.format == ImportFormat::Witsml ? "witsml"
                                                          : "text";
  out["encoding"] = parsed.encoding;
  out["azimuthsMagnetic"] = parsed.azimuthReference == AzimuthReference::Magnetic;
  out["mode"] = o.merge ? "merge" : "replace";
  out["added"] = plan.added;
  out["replaced"] = plan.replaced;
  out["unchanged"] = plan.unchanged;
  out["removed"] = plan.removed;
  out["skipped"] = parsed.rejected.size() + plan.rejected.size();
  out["stationsBefore"] = session.well.stationCount;
  out["stationsAfter"] = plan.stations.size();
  out["summary"] = DescribePlan(plan);
  out["dryRun"] = o.dryRun;
  if (!o.dryRun && plan.changesAnything()) {
    ApplyImport(session, plan);
    const FileResult saved = SaveSurveyFile(session, directory);
    if (!saved) {
      std::cerr << saved.message << '\n';
      return kExitBadFile;
    }
    out["written"] = WellFilePath(directory, session.well.wellNo, kSurveyExtension);
  }
  std::cout << out.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
  return std::cout.good() ? 0 : kExitBadFile;
}

int runExportCommand(const ExportCommand& o) {
  Session session;
  std::string directory;
  if (!loadWell(session, o.well, o.method, directory)) return kExitBadFile;
  const ExportTable table = o.design ? DesignExportTable(session) : SurveyExportTable(session);
  // As in the program: an empty table is no file worth writing, and would not import again.
  if (table.rowCount() == 0) {
    std::cerr << (o.design ? "没有设计数据可以导出。" : "没有测点可以导出。") << '\n';
    return kExitRefused;
  }
  std::string message;
  const TextEncoding encoding =
      o.encoding == "gb18030" ? TextEncoding::Gb18030 : TextEncoding::Utf8Bom;
  if (!WriteStationFile(table, o.output, ExportFormat::FromExtension, encoding, message)) {
    std::cerr << message << '\n';
    return kExitBadFile;
  }
  nlohmann::json out;
  out["written"] = o.output;
  out["rows"] = table.rowCount();
  out["columns"] = table.columns.size();
  out["table"] = table.name;
  std::cout << out.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
  return std::cout.good() ? 0 : kExitBadFile;
}

}  // namespace tarsek::calc
