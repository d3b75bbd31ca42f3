#include "ui/preview_page.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "ui/painter_surface.h"

namespace tarsek {

PreviewPage::PreviewPage(double widthTwips, double heightTwips, double zoom, double fontPoints,
                         QWidget* parent)
    : QWidget(parent),
      widthTwips_(widthTwips),
      heightTwips_(heightTwips),
      zoom_(zoom),
      fontPoints_(fontPoints) {
  setObjectName(QStringLiteral("Form3"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFixedSize(static_cast<int>(std::lround(widthTwips * zoom / kScreenTwipsPerPixel)),
               static_cast<int>(std::lround(heightTwips * zoom / kScreenTwipsPerPixel)));
  // The pointer tells whether a click will enlarge or shrink (sizing) or restore (arrow).
  setCursor(zoom == 1.0 ? Qt::UpArrowCursor : Qt::SizeAllCursor);
}

void PreviewPage::addDrawing(std::function<void(Surface&)> step) {
  steps_.push_back(std::move(step));
  update();
}

void PreviewPage::drawOn(Surface& surface) const {
  for (const auto& step : steps_) {
    surface.resetScale();
    surface.currentX = 0;
    surface.currentY = 0;
    surface.setFontSize(fontPoints_ * zoom_);
    step(surface);
  }
}

void PreviewPage::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setClipRegion(event->region());
  PainterSurface surface(painter, widthTwips(), heightTwips(), kScreenTwipsPerPixel,
                         kScreenTwipsPerPixel);
  surface.clear();
  drawOn(surface);
}

void PreviewPage::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && onClick) onClick();
  event->accept();
}

}  // namespace tarsek
