#include "ui/page_output.h"

#include <QPainter>
#include <QPrinter>

#include "ui/painter_surface.h"

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

}  // namespace tarsek
