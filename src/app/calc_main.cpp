// tarsek-calc: loads a well the way the program does and prints what it computes as one JSON
// object, so that wells can be checked and compared in scripts without the window.

#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "app/calc_exchange.h"
#include "app/calc_parts.h"
#include "app/calc_print.h"
#include "app/calc_tools.h"
#include "app/calc_uncertainty.h"
#include "app/calc_well.h"
#include "exchange/uncertainty_columns.h"
#include "model/well_files.h"
#include "session/session_ops.h"
#include "session/well_io.h"
#include "survey/survey_calc.h"

namespace {

constexpr int kExitUsage = 1;
constexpr int kExitBadFile = 2;

int runWell(const std::string& path, int method, const std::vector<std::string>& neighbours,
            double step) {
  namespace fs = std::filesystem;
  using namespace tarsek;

  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) {
    std::cerr << "找不到井文件“" << path << "”！\n";
    return kExitBadFile;
  }
  Session session;
  SetCalcMethod(session, SurveyMethodFromCode(method).value());
  // The survey file is looked for beside the design file.
  std::string directory = fs::path(path).parent_path().string();
  if (directory.empty()) directory = ".";
  session.wellDirectory = directory;

  const WellLoadResult loaded = LoadWell(session, session.well, path, false, directory);
  if (!loaded.ok || !loaded.found) {
    std::cerr << (loaded.message.empty() ? "井文件“" + path + "”无法读取！" : loaded.message)
              << '\n';
    return kExitBadFile;
  }

  nlohmann::json out = calc::wellJson(session);
  out["design"] = calc::designJson(session, loaded.designOutcome);
  out["guidance"] = calc::guidanceJson(session);
  if (!neighbours.empty())
    out["antiCollision"] = calc::antiCollisionJson(session, neighbours, step);

  std::cout << out.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
  return std::cout.good() ? 0 : kExitBadFile;
}

}  // namespace

int main(int argc, char** argv) {
  tarsek::AddUncertaintyToExports();
  CLI::App app{"Tarsek 井数据计算（无窗口）"};
  app.require_subcommand(1);

  std::string path;
  int method = 0;
  std::vector<std::string> neighbours;
  double step = 15;
  CLI::App* well = app.add_subcommand("well", "读入井的设计文件和测斜文件，输出计算结果(JSON)");
  well->add_option("path", path, "设计文件(.kvd)的路径")->required();
  well->add_option(
      "--method", method,
      "测斜计算方法：0 平均角法, 1 校正平均角法, 2 弦步法, 3 平衡正切法, 4 正切法, 5 最小曲率法");
  well->add_option("--neighbour", neighbours, "防碰邻井的设计文件(.kvd)，可重复");
  well->add_option("--step", step, "防碰扫描步长(m)，默认15");

  int toolExit = 0;
  tarsek::calc::addToolsCommand(app, toolExit);
  tarsek::calc::PrintOptions printOptions;
  CLI::App* print = tarsek::calc::addPrintCommand(app, printOptions);
  tarsek::calc::ImportCommand importOptions;
  CLI::App* importCommand = tarsek::calc::addImportCommand(app, importOptions);
  tarsek::calc::ExportCommand exportOptions;
  CLI::App* exportCommand = tarsek::calc::addExportCommand(app, exportOptions);
  tarsek::calc::UncertaintyCommand uncertaintyOptions;
  CLI::App* uncertainty = tarsek::calc::addUncertaintyCommand(app, uncertaintyOptions);
  tarsek::calc::ClearanceCommand clearanceOptions;
  CLI::App* clearance = tarsek::calc::addClearanceCommand(app, clearanceOptions);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::cerr << "命令行参数有误：" << e.what() << '\n' << app.help();
    return kExitUsage;
  }
  if (app.got_subcommand("tool")) return toolExit;
  if (print->parsed()) return tarsek::calc::runPrintCommand(printOptions, argc, argv);
  if (importCommand->parsed()) return tarsek::calc::runImportCommand(importOptions);
  if (exportCommand->parsed()) return tarsek::calc::runExportCommand(exportOptions);
  if (uncertainty->parsed()) return tarsek::calc::runUncertaintyCommand(uncertaintyOptions);
  if (clearance->parsed()) return tarsek::calc::runClearanceCommand(clearanceOptions);
  if (method < 0 || method >= tarsek::kMethodCount) {
    std::cerr << "计算方法应为0到5之间的整数！\n";
    return kExitUsage;
  }
  if (well->parsed()) return runWell(path, method, neighbours, step);
  return kExitUsage;
}
