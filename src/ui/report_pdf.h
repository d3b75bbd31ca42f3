#pragma once

#include <QPageSize>
#include <QString>
#include <string>

#include "session/session.h"

namespace tarsek {

/// The printed reports.
enum class Report {
  Survey,       ///< the survey report, paged
  Plot,         ///< the plot page
  Design,       ///< the design report
  Uncertainty,  ///< the position-uncertainty report, paged
};

/// Writes the pages a printer would get for a report of the open well into one PDF file, on the
/// given paper in portrait, asking nothing. Empty on success (pages, when given, receives the
/// page count), otherwise the message saying why nothing was written.
std::string WriteReportPdf(const Session& session, Report report, const QString& path,
                           const QPageSize& paper, int* pages = nullptr);

/// The paper named "A4", "A3" or "Letter" (any case); false for another name.
bool PaperByName(const QString& name, QPageSize& paper);

}  // namespace tarsek
