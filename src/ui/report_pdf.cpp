#include "ui/report_pdf.h"

#include <QPrinter>

#include "design/design_report.h"
#include "ui/page_output.h"
#include "ui/ui_texts.h"

namespace tarsek {

bool PaperByName(const QString& name, QPageSize& paper) {
  const QString n = name.trimmed().toLower();
  if (n == QStringLiteral("a4")) {
    paper = QPageSize(QPageSize::A4);
  } else if (n == QStringLiteral("a3")) {
    paper = QPageSize(QPageSize::A3);
  } else if (n == QStringLiteral("letter")) {
    paper = QPageSize(QPageSize::Letter);
  } else {
    return false;
  }
  return true;
}

std::string WriteReportPdf(const Session& session, Report report, const QString& path,
                           const QPageSize& paper, int* pages) {
  if (pages != nullptr) *pages = 0;
  if (session.well.wellNo.empty()) return "没有打开的井，无法打印！";
  if (report == Report::Design && !designReportAvailable(session)) {
    return session.well.wellNo + "井还没有剖面设计，无法打印设计数据！";
  }
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setPageSize(paper);
  printer.setPageOrientation(QPageLayout::Portrait);
  // A failed run writes nothing, and an older report of that name stays as it was.
  PrintRun run = PrintRun::Done;
  int written = 0;
  std::string error;
  {
    PageOutput out(printer, path, kPageFontPoints);
    switch (report) {
      case Report::Survey:
        run = PrintSurveyPages(out, printer, session, nullptr);
        break;
      case Report::Plot:
        run = PrintPlotPage(out, session);
        break;
      case Report::Design:
        run = PrintDesignPage(out, session);
        break;
      case Report::Uncertainty:
        run = PrintUncertaintyPages(out, printer, session, nullptr);
        break;
    }
    if (run != PrintRun::Done) out.cancel();
    const bool finished = out.finish();
    written = out.pages();
    error = out.error();
    if (run == PrintRun::Done && !finished) run = PrintRun::NoPage;
  }
  if (run == PrintRun::PageTooSmall) return kPaperTooSmallText;
  if (run != PrintRun::Done || written == 0) {
    return error.empty() ? "无法写入文件“" + path.toStdString() + "”！" : error;
  }
  if (pages != nullptr) *pages = written;
  return {};
}

}  // namespace tarsek
