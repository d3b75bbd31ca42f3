#pragma once

#include <QString>
#include <memory>

#include "print/surface.h"

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

/// Page size of a printer in twips: the printable area at its resolution.
double printerWidthTwips(const QPrinter& printer);
double printerHeightTwips(const QPrinter& printer);

}  // namespace tarsek
