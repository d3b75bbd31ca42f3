#include "app/calc_print.h"

#include <filesystem>
#include <iostream>
#include <system_error>

#include "model/well_files.h"
#include "session/session_ops.h"
#include "session/well_io.h"
#include "survey/survey_calc.h"
#include "uncertainty/session_uncertainty.h"

#ifdef TARSEK_WITH_UI
#include <QApplication>
#include <QByteArray>

#include "ui/report_pdf.h"
#endif

namespace tarsek::calc {

using unc::UpdateUncertainty;

namespace {
constexpr int kExitUsage = 1;
constexpr int kExitBadFile = 2;
constexpr int kExitNotPrinted = 3;
}  // namespace

CLI::App* addPrintCommand(CLI::App& app, PrintOptions& options) {
  CLI::App* print = app.add_subcommand("print", "把测斜数据、剖面图或设计数据按打印页写成PDF文件");
  print
      ->add_option("report", options.report,
                   "survey 测斜数据 | plot 剖面图 | design 设计数据 | uncertainty 位置误差")
      ->required()
      ->check(CLI::IsMember({"survey", "plot", "design", "uncertainty"}));
  print->add_option("path", options.path, "设计文件(.kvd)的路径")->required();
  print->add_option("-o,--output", options.output, "输出的PDF文件")->required();
  print->add_option(
      "--method", options.method,
      "测斜计算方法：0 平均角法, 1 校正平均角法, 2 弦步法, 3 平衡正切法, 4 正切法, 5 最小曲率法");
  print->add_option("--page", options.page, "纸张：A4, A3 或 Letter")
      ->check(CLI::IsMember({"A4", "A3", "Letter", "a4", "a3", "letter"}));
  return print;
}

int runPrintCommand(const PrintOptions& options, int argc, char** argv) {
#ifndef TARSEK_WITH_UI
  (void)options, (void)argc, (void)argv;
  std::cerr << "这个版本没有打印功能。\n";
  return kExitNotPrinted;
#else
  namespace fs = std::filesystem;
  if (options.method < 0 || options.method >= kMethodCount) {
    std::cerr << "计算方法应为0到5之间的整数！\n";
    return kExitUsage;
  }
  QPageSize paper;
  if (!PaperByName(QString::fromStdString(options.page), paper)) {
    std::cerr << "纸张应为A4、A3或Letter！\n";
    return kExitUsage;
  }
  std::error_code ec;
  if (!fs::is_regular_file(options.path, ec)) {
    std::cerr << "找不到井文件“" << options.path << "”！\n";
    return kExitBadFile;
  }
  // Pages are drawn with Qt's painter; no screen is needed for that.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  Session session;
  SetCalcMethod(session, SurveyMethodFromCode(options.method).value());
  std::string directory = fs::path(options.path).parent_path().string();
  if (directory.empty()) directory = ".";
  session.wellDirectory = directory;
  const WellLoadResult loaded = LoadWell(session, session.well, options.path, false, directory);
  if (!loaded.ok || !loaded.found) {
    std::cerr << (loaded.message.empty() ? "井文件“" + options.path + "”无法读取！"
                                         : loaded.message)
              << '\n';
    return kExitBadFile;
  }
  const Report report = options.report == "plot"          ? Report::Plot
                        : options.report == "design"      ? Report::Design
                        : options.report == "uncertainty" ? Report::Uncertainty
                                                          : Report::Survey;
  // Ellipses on the plot and probabilities in the survey heading, when the well has its
  // parameter file; the uncertainty report says why not when it has none.
  UpdateUncertainty(session);
  if (report == Report::Uncertainty && !session.uncertainty->ok) {
    std::cerr << "井“" << session.well.wellNo << "”" << session.uncertainty->status
              << "，无法打印位置误差！\n";
    return kExitNotPrinted;
  }
  int pages = 0;
  const std::string failed =
      WriteReportPdf(session, report, QString::fromStdString(options.output), paper, &pages);
  if (!failed.empty()) {
    std::cerr << failed << '\n';
    return kExitNotPrinted;
  }
  std::cout << options.output << ": " << pages << " 页\n";
  return 0;
#endif
}

}  // namespace tarsek::calc
