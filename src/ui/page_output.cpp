#include "ui/page_output.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <cerrno>
#include <cmath>

#include "design/design_report.h"
#include "model/well_files.h"
#include "plot/trajectory_plot.h"
#include "print/survey_paging.h"
#include "survey/survey_report.h"
#include "ui/painter_surface.h"
#include "ui/ui_texts.h"
#include "uncertainty/uncertainty_report.h"

namespace tarsek {

double printerWidthTwips(const QPaintDevice& printer) {
  const int dpi = printer.logicalDpiX();
  return dpi > 0 ? printer.width() * 1440.0 / dpi : 0.0;
}

double printerHeightTwips(const QPaintDevice& printer) {
  const int dpi = printer.logicalDpiY();
  return dpi > 0 ? printer.height() * 1440.0 / dpi : 0.0;
}

PageOutput::PageOutput(QPrinter& printer, const QString& pdfPath, double fontPoints)
    : printer_(printer), pdfPath_(pdfPath), fontPoints_(fontPoints) {
  if (pdfPath_.isEmpty()) {
    printer_.setOutputFileName(QString());
    printer_.setOutputFormat(QPrinter::NativeFormat);
  }
}

PageOutput::~PageOutput() { finish(); }

QPaintDevice& PageOutput::device() {
  if (pdfPath_.isEmpty()) return printer_;
  if (!pdf_) {
    // The same page, margins and resolution as the printer, so that the paging measured on the
    // printer holds for the file.
    buffer_ = std::make_unique<QBuffer>();
    buffer_->open(QIODevice::WriteOnly);
    pdf_ = std::make_unique<QPdfWriter>(buffer_.get());
    pdf_->setResolution(printer_.resolution());
    pdf_->setPageLayout(printer_.pageLayout());
    pdf_->setCreator(QStringLiteral("Tarsek"));
  }
  return *pdf_;
}

Surface* PageOutput::beginPage() {
  if (inPage_) endPage();
  if (cancelled_) return nullptr;
  if (!painter_) painter_ = std::make_unique<QPainter>();
  QPaintDevice& d = device();
  if (!open_) {
    if (!painter_->begin(&d)) {
      if (!pdfPath_.isEmpty()) error_ = fileNotCreatedText(pdfPath_.toStdString());
      return nullptr;
    }
    open_ = true;
  } else if (!(pdf_ ? pdf_->newPage() : printer_.newPage())) {
    if (!pdfPath_.isEmpty()) error_ = fileNotCreatedText(pdfPath_.toStdString());
    return nullptr;
  }
  painter_->setRenderHint(QPainter::Antialiasing, true);
  surface_ =
      std::make_unique<PainterSurface>(*painter_, printerWidthTwips(d), printerHeightTwips(d),
                                       1440.0 / d.logicalDpiX(), 1440.0 / d.logicalDpiY());
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
  if (!pdfPath_.isEmpty()) cancelled_ = true;
  if (!inPage_ && !open_) return;
  surface_.reset();
  inPage_ = false;
  if (open_) {
    if (pdfPath_.isEmpty()) printer_.abort();
    if (painter_->isActive()) painter_->end();
    open_ = false;
  }
}

bool PageOutput::finish() {
  if (inPage_) endPage();
  bool ended = true;
  if (open_) {
    ended = painter_->end();
    open_ = false;
  }
  if (pdfPath_.isEmpty()) return ended && pages_ > 0;
  if (cancelled_ || pages_ == 0 || !buffer_) return false;
  if (!ended) {
    error_ = fileNotCreatedText(pdfPath_.toStdString());
  }
  const bool written = ended && writePdf();
  // Written or not, the run is over: a second finish writes nothing again. The writer goes
  // before the buffer it writes into.
  pdf_.reset();
  buffer_.reset();
  return written;
}

bool PageOutput::writePdf() {
  const QByteArray& bytes = buffer_->data();
  QSaveFile file(pdfPath_);
  errno = 0;
  bool ok = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
  if (ok) return true;
  int err = errno;
  if (err == 0) {
    // No system error left behind: tell the cause from the folder and Qt's account of it.
    const QFileInfo target(pdfPath_);
    const QFileInfo folder(target.absolutePath());
    if (target.isDir())
      err = EISDIR;
    else if (!folder.isDir())
      err = ENOENT;
    else if (!folder.isWritable() || file.error() == QFileDevice::PermissionsError)
      err = EACCES;
    else if (file.error() == QFileDevice::ResourceError)
      err = ENOSPC;
  }
  const std::string reason = err != 0 ? WriteErrorReason(err) : file.errorString().toStdString();
  error_ = "文件“" + pdfPath_.toStdString() + "”写入失败（" + reason + "），未能打印！";
  return false;
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
                     PrintSurveyPage(page, session, first, last);
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
  DrawTrajectoryPlot(*page, session);
  out.endPage();
  return PrintRun::Done;
}

PrintRun PrintDesignPage(PageOutput& out, const Session& session) {
  if (!designReportAvailable(session)) return PrintRun::Done;
  Surface* page = out.beginPage();
  if (page == nullptr) return PrintRun::NoPage;
  PrintDesignReport(*page, session);
  out.endPage();
  return PrintRun::Done;
}

}  // namespace tarsek
