#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "print/surface.h"
#include "well/session.h"

class QPainter;
class QPrinter;

namespace tarsek {

class PainterSurface;

/// Where printed pages go: the system printer, where every page is a print job of its own and
/// the paper is asked for first, or one PDF file holding every page of the run.
class PageOutput {
 public:
  /// pdfPath empty: the system printer; otherwise that PDF file.
  PageOutput(QPrinter& printer, const QString& pdfPath, double fontPoints = 9);
  ~PageOutput();
  PageOutput(const PageOutput&) = delete;
  PageOutput& operator=(const PageOutput&) = delete;

  /// True for a single-sheet printer, whose every page waits for the paper question.
  bool asksForPaper() const noexcept { return pdfPath_.isEmpty(); }
  /// Starts a page; null when the device cannot take one.
  Surface* beginPage();
  /// Ends the page; on the printer this sends it as its own job.
  void endPage();
  /// Drops the page in progress (the printer's pending job).
  void cancel();
  /// Closes the document; false when nothing could be written.
  bool finish();
  /// Pages ended so far.
  int pages() const noexcept { return pages_; }

 private:
  QPrinter& printer_;
  QString pdfPath_;
  double fontPoints_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<PainterSurface> surface_;
  bool open_ = false;
  bool inPage_ = false;
  int pages_ = 0;
};

/// How a printing run ended.
enum class PrintRun {
  Done,          ///< every page went out
  Cancelled,     ///< the paper question was answered No
  NoPage,        ///< the device would not start a page
  PageTooSmall,  ///< the page holds no station row
};

/// The survey report, paged: one page per run of rows that fits the printer page. paperReady is
/// asked before every page of a single-sheet printer; false cancels the run.
PrintRun PrintSurveyPages(PageOutput& out, QPrinter& printer, const Session& session,
                          const std::function<bool()>& paperReady);

/// The position-uncertainty report, paged like the survey report (a heading-only page when the
/// well's uncertainty is not known).
PrintRun PrintUncertaintyPages(PageOutput& out, QPrinter& printer, const Session& session,
                               const std::function<bool()>& paperReady);

/// The plot page.
PrintRun PrintPlotPage(PageOutput& out, const Session& session);

/// The design report page (nothing, and Done, without a design).
PrintRun PrintDesignPage(PageOutput& out, const Session& session);

/// Font size of printed pages before a report changes it, points.
inline constexpr double kPageFontPoints = 9;

/// Page size of a printer in twips: the printable area at its resolution.
double printerWidthTwips(const QPrinter& printer);
double printerHeightTwips(const QPrinter& printer);

}  // namespace tarsek
