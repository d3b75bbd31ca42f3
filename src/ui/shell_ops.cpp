#include "ui/shell_ops.h"

#include <QCoreApplication>
#include <QDir>

#include "survey/survey_calc.h"

#if __has_include("well/well_files.h")
#include "well/session_ops.h"
#include "well/well_files.h"
#define TARSEK_HAVE_WELL_FILES 1
#endif
#if __has_include("survey/survey_report.h")
#include "survey/survey_report.h"
#define TARSEK_HAVE_SURVEY_REPORT 1
#endif
#if __has_include("plot/trajectory_plot.h")
#include "plot/trajectory_plot.h"
#define TARSEK_HAVE_PLOT 1
#endif
#if __has_include("design/design_report.h")
#include "design/design_report.h"
#define TARSEK_HAVE_DESIGN_REPORT 1
#endif

namespace tarsek {

namespace {
std::string inWellDirectory(const Session& session, const std::string& name) {
  return QDir(QString::fromStdString(session.wellDirectory))
      .filePath(QString::fromStdString(name))
      .toStdString();
}
}  // namespace

std::string shellDesignPath(const Session& session, const std::string& wellNo) {
  return inWellDirectory(session, wellNo + ".kvd");
}

#ifdef TARSEK_HAVE_WELL_FILES
std::string shellLoadWell(Session& session, const std::string& path) {
  const FileResult r = LoadWell(session, session.well, path, false, session.wellDirectory);
  if (!r.ok) return r.message.empty() ? std::string("井文件无法读取！") : r.message;
  return {};
}

int shellAskToSaveChanges(Session& session) {
  return AskToSaveChanges(session, session.wellDirectory);
}

void shellSetCalcMethod(Session& session, int method) { SetCalcMethod(session, method); }

void shellResetWell(Session& session) { ResetWellViews(session); }

std::string shellDefaultWellDirectory() { return DefaultWellDirectory(); }
#else
std::string shellLoadWell(Session&, const std::string&) { return "读取井文件的功能尚未装入。"; }

int shellAskToSaveChanges(Session&) { return 0; }

void shellSetCalcMethod(Session& session, int method) {
  session.calcMethod = static_cast<std::int16_t>(method);
  RecalculateAll(session);
  RecalculateDesignTrajectory(session);
}

void shellResetWell(Session& session) {
  session.savedTarget1X = 0;
  session.savedTarget1Y = 0;
  session.surveyDirty = 0;
  session.designDirty = 0;
}

std::string shellDefaultWellDirectory() {
  return QCoreApplication::applicationDirPath().toStdString();
}
#endif

void shellSurveyPage(Surface& page, const Session& session, int first, int last) {
#ifdef TARSEK_HAVE_SURVEY_REPORT
  PrintSurveyPage(page, session, first, last);
#else
  (void)page, (void)session, (void)first, (void)last;
#endif
}

void shellPlotPage(Surface& page, const Session& session) {
#ifdef TARSEK_HAVE_PLOT
  DrawTrajectoryPlot(page, session);
#else
  (void)page, (void)session;
#endif
}

bool shellDesignReportAvailable(const Session& session) {
#ifdef TARSEK_HAVE_DESIGN_REPORT
  return designReportAvailable(session);
#else
  return !session.well.wellNo.empty() && session.designSegments[3].md != 0;
#endif
}

std::string shellPdfPath(const Session& session, const std::string& report) {
  return inWellDirectory(session, session.well.wellNo + "井" + report + ".pdf");
}

bool shellDesignReport(Surface& page, const Session& session) {
#ifdef TARSEK_HAVE_DESIGN_REPORT
  return PrintDesignReport(page, session);
#else
  (void)page, (void)session;
  return false;
#endif
}

}  // namespace tarsek
