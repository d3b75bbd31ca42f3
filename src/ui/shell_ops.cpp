#include "ui/shell_ops.h"

#include <QCoreApplication>
#include <QDir>

#include "design/design_report.h"
#include "plot/trajectory_plot.h"
#include "survey/survey_calc.h"
#include "survey/survey_report.h"
#include "session/session_ops.h"
#include "model/well_files.h"
#include "session/well_io.h"

namespace tarsek {

namespace {
std::string inWellDirectory(const Session& session, const std::string& name) {
  return QDir(QString::fromStdString(session.wellDirectory))
      .filePath(QString::fromStdString(name))
      .toStdString();
}
}  // namespace

std::string shellDesignPath(const Session& session, const std::string& wellNo) {
  return WellFilePath(session.wellDirectory, wellNo, kDesignExtension);
}

std::string shellLoadWell(Session& session, const std::string& path) {
  const WellLoadResult r = LoadWell(session, session.well, path, false, session.wellDirectory);
  if (!r.ok) return r.message.empty() ? std::string("井文件无法读取！") : r.message;
  return {};
}

void shellSetCalcMethod(Session& session, SurveyMethod method) { SetCalcMethod(session, method); }

void shellResetWell(Session& session) { ResetWellViews(session); }

std::string shellDefaultWellDirectory() { return DefaultWellDirectory(); }

void shellSurveyPage(Surface& page, const Session& session, int first, int last) {
  PrintSurveyPage(page, session, first, last);
}

void shellPlotPage(Surface& page, const Session& session) { DrawTrajectoryPlot(page, session); }

bool shellDesignReportAvailable(const Session& session) { return designReportAvailable(session); }

std::string shellPdfPath(const Session& session, const std::string& report) {
  return inWellDirectory(session, session.well.wellNo + "井" + report + ".pdf");
}

bool shellDesignReport(Surface& page, const Session& session) {
  return PrintDesignReport(page, session);
}

}  // namespace tarsek
