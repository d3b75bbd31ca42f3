#include "ui/design_print.h"

#include <QDir>
#include <QFileDialog>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "design/design_report.h"
#include "ui/painter_surface.h"
#include "ui/view_host.h"

namespace tarsek {

bool printDesignReportOn(QPrinter& printer, const Session& session) {
  if (!designReportAvailable(session)) return false;
  printer.setDocName(QString::fromStdString(session.well.wellNo) + QStringLiteral("剖面设计"));
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  PainterSurface page(painter, printer);
  const bool drawn = PrintDesignReport(page, session);
  painter.end();
  return drawn;
}

bool writeDesignReportPdf(const Session& session, const QString& path) {
  if (!designReportAvailable(session)) return false;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  return printDesignReportOn(printer, session);
}

bool printDesignReport(QWidget* parent, ViewHost& host) {
  const Session& s = host.session();
  if (!designReportAvailable(s)) {
    host.setStatusText("尚无设计数据，无法打印基本数据！");
    return false;
  }
  const QString well = QString::fromStdString(s.well.wellNo);
  if (QPrinterInfo::availablePrinters().isEmpty()) {
    // Many desks have no printer: the page goes into a PDF file instead.
    const QString start = QDir(QString::fromStdString(s.wellDirectory))
                              .filePath(well + QStringLiteral("剖面设计.pdf"));
    const QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("保存为PDF文件"),
                                                      start, QStringLiteral("PDF文件 (*.pdf)"));
    if (path.isEmpty()) return false;
    if (!writeDesignReportPdf(s, path)) {
      host.showMessage("无法写入文件" + path.toStdString() + "，请检查目录和磁盘空间！");
      return false;
    }
    host.setStatusText(s.well.wellNo + "井基本数据已输出到" + path.toStdString());
    return true;
  }
  QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
  if (!printDesignReportOn(printer, s)) {
    host.showMessage("打印机无法打开，请检查打印机设置！");
    return false;
  }
  return true;
}

}  // namespace tarsek
