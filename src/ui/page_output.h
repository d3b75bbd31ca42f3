#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "print/surface.h"
#include "session/session.h"

class QBuffer;
class QPaintDevice;
class QPainter;
class QPdfWriter;
class QPrinter;

namespace tarsek {

class PainterSurface;

/// Where printed pages go: the system printer, where every page is a print job of its own and
/// the paper is asked for first, or one PDF file holding every page of the run. A PDF is made
/// in memory on the printer's page and written when the run finishes, through a temporary file
/// beside the target that replaces it only once complete: a failed write leaves an older file
/// of that name as it was.
class PageOutput {
 public:
  /// pdfPath empty: the system printer; otherwise that PDF file, on the printer's page.
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
  /// Drops the page in progress (the printer's pending job); for a PDF, the whole run, so that
  /// nothing is written.
  void cancel();
  /// Closes the document; false when nothing could be written (see error()).
  bool finish();
  /// Pages ended so far.
  int pages() const noexcept { return pages_; }
  /// Why the PDF could not be made or written, naming the file; empty when nothing failed.
  const std::string& error() const noexcept { return error_; }

 private:
  QPaintDevice& device();
  bool writePdf();

  QPrinter& printer_;
  QString pdfPath_;
  double fontPoints_;
  std::unique_ptr<QBuffer> buffer_;
  std::unique_ptr<QPdfWriter> pdf_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<PainterSurface> surface_;
  bool open_ = false;
  bool inPage_ = false;
  bool cancelled_ = false;
  int pages_ = 0;
  std::string error_;
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

/// Page size of a printer (or any page device) in twips: the printable area at its resolution.
double printerWidthTwips(const QPaintDevice& printer);
double printerHeightTwips(const QPaintDevice& printer);

}  // namespace tarsek
