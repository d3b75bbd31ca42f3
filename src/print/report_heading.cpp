#include "print/report_heading.h"

namespace tarsek {

double PrintReportTitle(Surface& p, const std::string& title) {
  p.setScaleWidth(120);
  p.setScaleLeft(0);

  const double baseFont = p.fontSize();
  p.setFontSize(baseFont + 2);
  const double h = p.textHeight(title) / 2;
  p.currentX = 60 - p.textWidth(title) / 2;
  p.currentY = 6 * h;
  p.printLine(title);
  p.setFontSize(baseFont);
  p.printLine();

  const double y = p.currentY;
  p.line(kReportLeft, y, kReportRight, y, kBlue);
  p.line(kReportLeft, y + h, kReportRight, y + h, kBlue);
  p.currentY = y + 2 * h;
  p.currentX = kReportLeft;
  return h;
}

void PrintReportCell(Surface& p, double x, double y, const std::string& text) {
  p.currentX = x;
  p.currentY = y;
  p.printItem(text);
}

}  // namespace tarsek
