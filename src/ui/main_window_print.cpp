// The main window's printing, print preview and page setup.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QInputDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStyle>
#include <QToolBar>
#include <cmath>
#include <optional>

#include "common/numtext.h"
#include "print/survey_paging.h"
#include "uncertainty/uncertainty_report.h"
#include "ui/busy_pointer.h"
#include "ui/main_window.h"
#include "ui/page_output.h"
#include "ui/painter_surface.h"
#include "ui/preview_page.h"
#include "ui/shell_ops.h"
#include "uncertainty/session_uncertainty.h"

namespace tarsek {

namespace {

constexpr const char* kNoPrinter = "本计算机未装打印机，无法预览、打印！";
constexpr const char* kInsertPaper = "请插入纸张！";

QString qs(const std::string& s) { return QString::fromStdString(s); }

// Copies typed into the copies box: the leading number, rounded half to even, and none for a
// negative number; nothing for a number too large for a copy count.
std::optional<int> copiesFromText(const QString& text) {
  const double value = std::nearbyint(readNumber(text.toStdString()));
  if (std::isnan(value) || value > 32767) return std::nullopt;
  return value < 0 ? 0 : static_cast<int>(value);
}

// Report rows that fit on a preview page at the given zoom, measured in the screen's own text.
int previewRowsPerPage(const PreviewPage& page, double zoom) {
  QImage probe(1, 1, QImage::Format_RGB32);
  QPainter p(&probe);
  PainterSurface s(p, page.widthTwips(), page.heightTwips(), kScreenTwipsPerPixel,
                   kScreenTwipsPerPixel);
  s.setFontSize(kPageFontPoints * zoom);
  const double scaleHeight = s.scaleHeight();
  return SurveyPagingFor(scaleHeight, s.textHeight("1")).rowsPerPage;
}

}  // namespace

bool MainWindow::hasSystemPrinter() const { return !QPrinterInfo::availablePrinters().isEmpty(); }

QPrinter& MainWindow::printer() {
  if (!printer_) {
    if (hasSystemPrinter()) {
      printer_ =
          std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    } else {
      // No printer on this desk: pages go to PDF, on A4 portrait until the page is set up.
      printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
      printer_->setOutputFormat(QPrinter::PdfFormat);
      printer_->setPageSize(QPageSize(QPageSize::A4));
      printer_->setPageOrientation(QPageLayout::Portrait);
    }
  }
  return *printer_;
}

QString MainWindow::choosePdfFile(const QString& suggested) {
  return QFileDialog::getSaveFileName(this, QStringLiteral("打印到文件"), suggested,
                                      QStringLiteral("PDF 文件 (*.pdf)"));
}

QString MainWindow::askCopies(bool* ok) {
  return QInputDialog::getText(this, QString::fromUtf8(kProgramTitle), QStringLiteral("打印份数"),
                               QLineEdit::Normal, QString(), ok);
}

bool MainWindow::runPageSetupDialog() {
  QPageSetupDialog dialog(&printer(), this);
  dialog.setWindowTitle(QStringLiteral("页面设置"));
  return dialog.exec() == QDialog::Accepted;
}

void MainWindow::disablePrinting() {
  for (const char* name : {"mnuFilePrintPreview", "mnuFilePrint"}) {
    if (auto* a = findChild<QAction*>(QString::fromUtf8(name))) a->setEnabled(false);
  }
  mainMenus_[3]->menuAction()->setEnabled(false);
  const QList<QAction*> buttons = toolbar_->actions();
  if (buttons.size() >= 8) buttons[7]->setEnabled(false);
  showMessage(kNoPrinter);
}

namespace {
// Opens the output of one printing run: the system printer, or a PDF file the user names.
// Null when the user cancelled the file choice.
std::unique_ptr<PageOutput> openOutput(MainWindow& window, QPrinter& printer, bool systemPrinter,
                                       const QString& suggested,
                                       const std::function<QString(const QString&)>& choose) {
  if (systemPrinter) return std::make_unique<PageOutput>(printer, QString(), kPageFontPoints);
  QString path = choose(suggested);
  if (path.isEmpty()) return nullptr;
  if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
  (void)window;
  return std::make_unique<PageOutput>(printer, path, kPageFontPoints);
}
}  // namespace

// --- survey output -------------------------------------------------------------------------------

bool MainWindow::printSurveyRun(PageOutput& out) {
  switch (PrintSurveyPages(out, printer(), session_,
                           [this] { return askYesNo(kInsertPaper) == Answer::Yes; })) {
    case PrintRun::Done:
      return true;
    case PrintRun::Cancelled:
      return false;
    case PrintRun::PageTooSmall:
      showMessage("纸张太小，无法打印测斜数据！");
      return false;
    case PrintRun::NoPage:
      pageRefused(out);
      return false;
  }
  return false;
}

void MainWindow::pageRefused(PageOutput& out) {
  // Only a printer that takes no page at all counts as missing; a file that cannot be made
  // says why, and printing stays available.
  if (out.asksForPaper()) {
    if (out.pages() == 0) disablePrinting();
  } else if (!out.error().empty()) {
    showMessage(out.error());
  }
}

void MainWindow::finishOutput(PageOutput& out) {
  if (!out.finish() && !out.asksForPaper() && !out.error().empty()) showMessage(out.error());
}

void MainWindow::测斜数据输出(bool preview) {
  if (!preview) {
    auto out =
        openOutput(*this, printer(), hasSystemPrinter(), qs(shellPdfPath(session_, "测斜数据")),
                   [this](const QString& s) { return choosePdfFile(s); });
    if (!out) return;
    BusyPointer busy(*this);
    printSurveyRun(*out);
    finishOutput(*out);
    return;
  }
  if (pages_.empty()) return;
  const auto ranges =
      SurveyPageRanges(session_.well.stationCount, previewRowsPerPage(*pages_.front(), zoom_));
  // The preview keeps only the page it starts on; each survey page then opens the next one.
  while (pages_.size() > 1) {
    delete pages_.back().data();
    pages_.pop_back();
  }
  for (const SurveyPageRows& rows : ranges) {
    Session* s = &session_;
    const int a = rows.first;
    const int b = rows.last;
    pages_.back()->addDrawing([s, a, b](Surface& page) { shellSurveyPage(page, *s, a, b); });
    appendPreviewPage();
  }
}

// --- preview pages -------------------------------------------------------------------------------

void MainWindow::appendPreviewPage() {
  const double w = printerWidthTwips(printer());
  const double h = printerHeightTwips(printer());
  if (w <= 0 || h <= 0) return;
  auto* page = new PreviewPage(w, h, zoom_, kPageFontPoints, previewCanvas_);
  page->onClick = [this] {
    // The page that was clicked is rebuilt away: let its click finish first.
    QMetaObject::invokeMethod(
        this, [this] { guarded([this] { cyclePreviewZoom(); }); }, Qt::QueuedConnection);
  };
  pages_.emplace_back(page);
  layoutPreviewPages();
  page->show();
}

void MainWindow::layoutPreviewPages() {
  if (pages_.empty()) {
    previewCanvas_->resize(previewArea_->viewport()->size());
    return;
  }
  const int pageW = pages_.front()->width();
  const int pageH = pages_.front()->height();
  const int n = static_cast<int>(pages_.size());
  const qint64 totalH = (26LL * n + 1) * pageH / 25;
  // Centre in the width that is left once the vertical scroll bar takes its place.
  const QSize room = previewArea_->maximumViewportSize();
  int roomW = room.width();
  if (totalH > room.height()) roomW -= style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const int areaW = std::max(roomW, pageW);
  previewCanvas_->resize(areaW, static_cast<int>(std::min<qint64>(totalH, 16000000)));
  for (int i = 0; i < n; ++i) {
    if (!pages_[static_cast<std::size_t>(i)]) continue;
    const qint64 top = (26LL * i + 1) * pageH / 25;
    pages_[static_cast<std::size_t>(i)]->move((areaW - pageW) / 2, static_cast<int>(top));
  }
}

void MainWindow::clearPreviewPages() {
  for (auto& page : pages_) delete page.data();
  pages_.clear();
}

void MainWindow::buildPreview() {
  clearPreviewPages();
  appendPreviewPage();
  if (pages_.empty()) {
    disablePrinting();
    return;
  }
  测斜数据输出(true);
  Session* s = &session_;
  pages_.back()->addDrawing([s](Surface& page) { shellPlotPage(page, *s); });
  previewUncertaintyPages();
  layoutPreviewPages();
}

void MainWindow::previewUncertaintyPages() {
  // Only a well whose uncertainty is known gets these pages: the preview of any other well
  // stays as it has always been.
  const int rows = UncertaintyReportRows(session_);
  if (rows == 0 || pages_.empty()) return;
  Session* s = &session_;
  for (const SurveyPageRows& r :
       SurveyPageRanges(rows, previewRowsPerPage(*pages_.front(), zoom_))) {
    if (r.empty()) continue;
    appendPreviewPage();
    const int a = r.first, b = r.last;
    pages_.back()->addDrawing([s, a, b](Surface& page) { PrintUncertaintyPage(page, *s, a, b); });
  }
}

void MainWindow::rebuildPreview() {
  BusyPointer busy(*this);
  buildPreview();
  previewArea_->verticalScrollBar()->setValue(0);
}

void MainWindow::cyclePreviewZoom() {
  zoom_ += 0.5;
  if (zoom_ >= 2.0) zoom_ = 0.5;
  if (previewing_) rebuildPreview();
}

void MainWindow::enterPreview() {
  if (session_.well.wellNo.empty() || previewing_) return;
  if (QMdiSubWindow* shown = viewWindow(currentView_)) shown->hide();
  setMenusForPreview(true);
  centre_->setCurrentWidget(previewArea_);
  previewing_ = true;
  setStatusText(session_.well.wellNo + "井打印预览");
  rebuildPreview();
}

void MainWindow::leavePreview() {
  if (!previewing_) return;
  clearPreviewPages();
  setMenusForPreview(false);
  centre_->setCurrentWidget(mdi_);
  previewing_ = false;
  if (QMdiSubWindow* shown = viewWindow(currentView_)) {
    shown->show();
    fitView(shown);
  }
  refreshStatus();
}

void MainWindow::pageSetup() {
  if (!runPageSetupDialog()) return;
  if (previewing_ && !pages_.empty()) rebuildPreview();
}

// --- printing commands ---------------------------------------------------------------------------

void MainWindow::printAll() {
  auto out = openOutput(*this, printer(), hasSystemPrinter(),
                        qs(shellPdfPath(session_, "测斜数据及剖面图")),
                        [this](const QString& s) { return choosePdfFile(s); });
  if (!out) return;
  printAllOn(*out);
  finishOutput(*out);
}

void MainWindow::printAllOn(PageOutput& out) {
  BusyPointer busy(*this);
  if (!printSurveyRun(out)) return;
  if (PrintPlotPage(out, session_) == PrintRun::NoPage) pageRefused(out);
}

void MainWindow::printWithCopies() {
  if (session_.well.wellNo.empty()) return;
  bool ok = false;
  const QString answer = askCopies(&ok);
  if (!ok) return;
  const std::optional<int> counted = copiesFromText(answer);
  if (!counted) {
    showMessage("打印份数有误！");
    return;
  }
  const int copies = *counted;
  if (copies == 0) return;
  if (hasSystemPrinter()) {
    for (int i = 0; i < copies; ++i) printAll();
    return;
  }
  // Into a file, every copy goes into the one document the user named.
  auto out = openOutput(*this, printer(), false, qs(shellPdfPath(session_, "测斜数据及剖面图")),
                        [this](const QString& s) { return choosePdfFile(s); });
  if (!out) return;
  for (int i = 0; i < copies; ++i) printAllOn(*out);
  finishOutput(*out);
}

void MainWindow::printSurveyOnly() {
  if (session_.well.wellNo.empty()) return;
  测斜数据输出(false);
}

void MainWindow::printPlotOnly() {
  if (session_.well.wellNo.empty()) return;
  auto out = openOutput(*this, printer(), hasSystemPrinter(), qs(shellPdfPath(session_, "剖面图")),
                        [this](const QString& s) { return choosePdfFile(s); });
  if (!out) return;
  BusyPointer busy(*this);
  if (PrintPlotPage(*out, session_) == PrintRun::NoPage) pageRefused(*out);
  finishOutput(*out);
}

void MainWindow::printUncertaintyReport() {
  if (session_.well.wellNo.empty()) return;
  if (UncertaintyReportRows(session_) == 0) {
    const auto& u = session_.uncertainty;
    showMessage(session_.well.wellNo + "井" +
                (u ? u->status : std::string(unc::kNoSiteParameters)) + "，无法打印位置误差！");
    return;
  }
  auto out =
      openOutput(*this, printer(), hasSystemPrinter(), qs(shellPdfPath(session_, "位置误差")),
                 [this](const QString& s) { return choosePdfFile(s); });
  if (!out) return;
  BusyPointer busy(*this);
  if (PrintUncertaintyPages(*out, printer(), session_, [this] {
        return askYesNo(kInsertPaper) == Answer::Yes;
      }) == PrintRun::NoPage)
    disablePrinting();
  out->finish();
}

void MainWindow::printDesignReport() {
  if (!shellDesignReportAvailable(session_)) return;
  auto out =
      openOutput(*this, printer(), hasSystemPrinter(), qs(shellPdfPath(session_, "设计数据")),
                 [this](const QString& s) { return choosePdfFile(s); });
  if (!out) return;
  BusyPointer busy(*this);
  if (PrintDesignPage(*out, session_) == PrintRun::NoPage) pageRefused(*out);
  finishOutput(*out);
}

}  // namespace tarsek
