#include "ui/page_output.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <cmath>

#include "print/survey_paging.h"
#include "print/uncertainty_report.h"
#include "ui/painter_surface.h"
#include "ui/shell_ops.h"

namespace tarsek {

double printerWidthTwips(const QPrinter& printer) {
  const int dpi = printer.logicalDpiX();
  return dpi > 0 ? printer.width() * 1440.0 / dpi : 0.0;
}

double printerHeightTwips(const QPrinter& printer) {
  const int dpi = printer.logicalDpiY();
  return dpi > 0 ? printer.height() * 1440.0 / dpi : 0.0;
}

PageOutput::PageOutput(QPrinter& printer, const QString& pdfPath, double fontPoints)
    : printer_(printer), pdfPath_(pdfPath), fontPoints_(fontPoints) {
  if (pdfPath_.isEmpty()) {
    printer_.setOutputFileName(QString());
    printer_.setOutputFormat(QPrinter::NativeFormat);
  } else {
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(pdfPath_);
  }
}

PageOutput::~PageOutput() { finish(); }

Surface* PageOutput::beginPage() {
  if (inPage_) endPage();
  if (!painter_) painter_ = std::make_unique<QPainter>();
  if (!open_) {
    if (!painter_->begin(&printer_)) return nullptr;
    open_ = true;
  } else if (!printer_.newPage()) {
    return nullptr;
  }
  painter_->setRenderHint(QPainter::Antialiasing, true);
  surface_ = std::make_unique<PainterSurface>(
      *painter_, printerWidthTwips(printer_), printerHeightTwips(printer_),
      1440.0 / printer_.logicalDpiX(), 1440.0 / printer_.logicalDpiY());
  surface_->setFontSize(fontPoints_);
  inPage_ = true;
  return surface_.get();
}

void PageOutput::endPage() {
  if (!inPage_) return;
  inPage_ = false;
  ++pages_;
  surface_.reset();
  // A single-sheet printer gets each page as a job of its own, so the next sheet can be fed.
  if (asksForPaper() && open_) {
    painter_->end();
    open_ = false;
  }
}

void PageOutput::cancel() {
  if (!inPage_ && !open_) return;
  surface_.reset();
  inPage_ = false;
  if (open_) {
    printer_.abort();
    if (painter_->isActive()) painter_->end();
    open_ = false;
  }
}

bool PageOutput::finish() {
  if (inPage_) endPage();
  if (open_) {
    const bool ok = painter_->end();
    open_ = false;
    return ok && pages_ > 0;
  }
  return pages_ > 0;
}

namespace {

// Station rows of a report page on this printer: measured with one line of the page font.
int rowsPerPrinterPage(QPrinter& printer) {
  const double height = printerHeightTwips(printer);
  double lineHeight = 0;
  {
    // Fonts measure by the device's resolution: the probe takes the printer's.
    QImage probe(1, 1, QImage::Format_RGB32);
    probe.setDotsPerMeterX(static_cast<int>(std::lround(printer.logicalDpiX() / 0.0254)));
    probe.setDotsPerMeterY(static_cast<int>(std::lround(printer.logicalDpiY() / 0.0254)));
    QPainter p(&probe);
    PainterSurface s(p, printerWidthTwips(printer), height, 1440.0 / printer.logicalDpiX(),
                     1440.0 / printer.logicalDpiY());
    s.setFontSize(kPageFontPoints);
    lineHeight = s.textHeight("1");
  }
  return SurveyPagingFor(height, lineHeight).rowsPerPage;
}

PrintRun pagedRows(PageOutput& out, int rows, int rowsPerPage,
                   const std::function<bool()>& paperReady,
                   const std::function<void(Surface&, int, int)>& draw) {
  const auto ranges = SurveyPageRanges(rows, rowsPerPage);
  if (ranges.empty()) return PrintRun::PageTooSmall;
  for (const SurveyPageRows& r : ranges) {
    if (out.asksForPaper() && paperReady && !paperReady()) {
      out.cancel();
      return PrintRun::Cancelled;
    }
    Surface* page = out.beginPage();
    if (page == nullptr) return PrintRun::NoPage;
    draw(*page, r.first, r.last);
    out.endPage();
  }
  return PrintRun::Done;
}

}  // namespace

PrintRun PrintSurveyPages(PageOutput& out, QPrinter& printer, const Session& session,
                          const std::function<bool()>& paperReady) {
  // The page length decides the rows: measure one line of the page font first.
  return pagedRows(out, session.well.stationCount, rowsPerPrinterPage(printer), paperReady,
                   [&session](Surface& page, int first, int last) {
                     shellSurveyPage(page, session, first, last);
                   });
}

PrintRun PrintUncertaintyPages(PageOutput& out, QPrinter& printer, const Session& session,
                               const std::function<bool()>& paperReady) {
  return pagedRows(out, UncertaintyReportRows(session), rowsPerPrinterPage(printer), paperReady,
                   [&session](Surface& page, int first, int last) {
                     PrintUncertaintyPage(page, session, first, last);
                   });
}

PrintRun PrintPlotPage(PageOutput& out, const Session& session) {
  Surface* page = out.beginPage();
  if (page == nullptr) return PrintRun::NoPage;
  shellPlotPage(*page, session);
  out.endPage();
  return PrintRun::Done;
}

PrintRun PrintDesignPage(PageOutput& out, const Session& session) {
  if (!shellDesignReportAvailable(session)) return PrintRun::Done;
  Surface* page = out.beginPage();
  if (page == nullptr) return PrintRun::NoPage;
  shellDesignReport(*page, session);
  out.endPage();
  return PrintRun::Done;
}

}  // namespace tarsek
