#pragma once

#include <QString>

#include "well/session.h"

class QPrinter;
class QWidget;

namespace tarsek {

class ViewHost;

/// Draws the design report of the open well on one page of an open printer (or PDF writer);
/// false when there is no design or the printer cannot be opened.
bool printDesignReportOn(QPrinter& printer, const Session& session);

/// Writes the design report of the open well into a PDF file; false when there is no design or
/// the file cannot be written.
bool writeDesignReportPdf(const Session& session, const QString& path);

/// The "基本数据" print command: the design report on the system printer when there is one,
/// otherwise into a PDF file picked in a save dialog. Tells the user through the status text
/// when there is no design, and through a message when the output cannot be opened. Returns
/// whether a page was printed.
bool printDesignReport(QWidget* parent, ViewHost& host);

}  // namespace tarsek
