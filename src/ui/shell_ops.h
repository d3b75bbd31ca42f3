#pragma once

#include <string>

#include "print/surface.h"
#include "session/session.h"

namespace tarsek {

// The well, report and plot operations the main window runs, gathered in one place so that the
// window's handlers read as the user's steps.

/// Loads the design file at path (and its survey file) as the open well. Empty on success,
/// otherwise the message of the refusal; the open well is then unchanged.
std::string shellLoadWell(Session& session, const std::string& path);

/// Sets the survey calculation method and recomputes the survey and design trajectories.
void shellSetCalcMethod(Session& session, SurveyMethod method);

/// Drops a saved temporary target and both change flags after a well was loaded.
void shellResetWell(Session& session);

/// Full path of the design file of a well number in the session's well directory.
std::string shellDesignPath(const Session& session, const std::string& wellNo);

/// The directory wells live in for this program.
std::string shellDefaultWellDirectory();

/// One page of the survey report, stations first..last (an empty range draws the heading).
void shellSurveyPage(Surface& page, const Session& session, int first, int last);

/// The plot page.
void shellPlotPage(Surface& page, const Session& session);

/// Whether the open well has a design to report.
bool shellDesignReportAvailable(const Session& session);

/// Suggested PDF path for a report: the well number and the report's name in the well directory.
std::string shellPdfPath(const Session& session, const std::string& report);

/// The design report page; false (nothing drawn) when the open well has no design.
bool shellDesignReport(Surface& page, const Session& session);

}  // namespace tarsek
