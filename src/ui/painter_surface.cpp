#include "ui/painter_surface.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPolygonF>
#include <cmath>

#include "ui/ui_support.h"

namespace tarsek {

namespace {

bool finite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

}  // namespace

QColor toQColor(Colour c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

QFont programFont(const std::string& face, double points, bool bold) {
  QFont font(qs(face));
  // 宋体 and 黑体 are Windows faces; Qt substitutes through fontconfig, which lands on the
  // installed CJK face when the family is unknown. The explicit list keeps that predictable.
  font.setFamilies({qs(face), QStringLiteral("WenQuanYi Micro Hei"),
                    QStringLiteral("Noto Sans CJK SC"), QStringLiteral("DejaVu Sans")});
  font.setPointSizeF(points > 0 && std::isfinite(points) ? points : 9.0);
  font.setBold(bold);
  return font;
}

PainterSurface::PainterSurface(QPainter& painter, double widthTwips, double heightTwips,
                               double twipsPerPixelX, double twipsPerPixelY)
    : painter_(painter),
      width_(widthTwips),
      height_(heightTwips),
      tppX_(twipsPerPixelX > 0 ? twipsPerPixelX : kScreenTwipsPerPixel),
      tppY_(twipsPerPixelY > 0 ? twipsPerPixelY : kScreenTwipsPerPixel) {
  fontChanged();
}

PainterSurface::PainterSurface(QPainter& painter, const QPaintDevice& device)
    : PainterSurface(painter, device.width() * 1440.0 / std::max(1, device.logicalDpiX()),
                     device.height() * 1440.0 / std::max(1, device.logicalDpiY()),
                     1440.0 / std::max(1, device.logicalDpiX()),
                     1440.0 / std::max(1, device.logicalDpiY())) {}

QPen PainterSurface::pen(Colour colour) const {
  QPen p(toQColor(colour));
  // Widths count screen pixels, so that a thick line on a 1200 dpi page is as thick to the eye
  // as on the screen instead of a hairline.
  p.setWidthF(lineWidth() <= 1 ? 0.0 : lineWidth() * kScreenTwipsPerPixel / tppX_);
  p.setStyle(dotted() ? Qt::DotLine : Qt::SolidLine);
  return p;
}

void PainterSurface::fontChanged() {
  font_ = programFont(fontFace(), fontSize(), fontBold());
  painter_.setFont(font_);
}

void PainterSurface::drawText(double x, double y, std::string_view text, Colour colour) {
  if (!finite(x, y)) return;
  painter_.setFont(font_);
  painter_.setPen(toQColor(colour));
  const QFontMetricsF fm(font_, painter_.device());
  painter_.drawText(px(x, y) + QPointF(0, fm.ascent()), qs(text));
}

void PainterSurface::drawLine(double x1, double y1, double x2, double y2, Colour colour) {
  if (!finite(x1, y1) || !finite(x2, y2)) return;
  painter_.setPen(pen(colour));
  painter_.drawLine(px(x1, y1), px(x2, y2));
}

void PainterSurface::drawPolyline(const double* xy, std::size_t points, Colour colour) {
  QPolygonF polygon;
  polygon.reserve(static_cast<qsizetype>(points));
  for (std::size_t i = 0; i < points; ++i) polygon.append(px(xy[2 * i], xy[2 * i + 1]));
  painter_.setPen(pen(colour));
  painter_.drawPolyline(polygon);
}

void PainterSurface::drawBox(double x1, double y1, double x2, double y2, Colour colour) {
  if (!finite(x1, y1) || !finite(x2, y2)) return;
  painter_.setPen(pen(colour));
  painter_.setBrush(filled() ? QBrush(toQColor(fillColour)) : Qt::NoBrush);
  painter_.drawRect(QRectF(px(x1, y1), px(x2, y2)).normalized());
  painter_.setBrush(Qt::NoBrush);
}

void PainterSurface::drawEllipse(double cx, double cy, double rx, double ry, Colour colour,
                                 double start, double end) {
  if (!finite(cx, cy) || !finite(rx, ry) || !finite(start, end)) return;
  painter_.setPen(pen(colour));
  const QRectF rect(px(cx - rx, cy - ry), px(cx + rx, cy + ry));
  if (start == end) {
    painter_.setBrush(filled() ? QBrush(toQColor(fillColour)) : Qt::NoBrush);
    painter_.drawEllipse(rect.normalized());
    painter_.setBrush(Qt::NoBrush);
    return;
  }
  // Qt counts arcs in 1/16 degree counter-clockwise from three o'clock, as the program does
  // in radians; an end before the start runs on through east.
  double span = end - start;
  if (span < 0) span += 2 * M_PI;
  const int a = static_cast<int>(std::lround(start * 180.0 / M_PI * 16));
  const int s = static_cast<int>(std::lround(span * 180.0 / M_PI * 16));
  painter_.drawArc(rect.normalized(), a, s);
}

void PainterSurface::drawPoint(double x, double y, Colour colour) {
  if (!finite(x, y)) return;
  painter_.setPen(pen(colour));
  painter_.drawPoint(px(x, y));
}

void PainterSurface::clearDevice() {
  painter_.fillRect(QRectF(0, 0, width_ / tppX_, height_ / tppY_), toQColor(backColour));
}

double PainterSurface::measureWidth(std::string_view text) const {
  const QFontMetricsF fm(font_, painter_.device());
  return fm.horizontalAdvance(qs(text)) * tppX_;
}

double PainterSurface::measureHeight(std::string_view text) const {
  (void)text;
  const QFontMetricsF fm(font_, painter_.device());
  return fm.height() * tppY_;
}

PictureBox::PictureBox(const QString& name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::paintEvent(QPaintEvent* event) {
  (void)event;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  PainterSurface surface(painter, width() * kScreenTwipsPerPixel, height() * kScreenTwipsPerPixel,
                         kScreenTwipsPerPixel, kScreenTwipsPerPixel);
  surface.backColour = backColour;
  painter.fillRect(rect(), toQColor(backColour));
  // A drawing routine must never take the window down with it.
  try {
    if (onPaint) onPaint(surface);
  } catch (...) {
  }
}

}  // namespace tarsek
