#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QWidget>
#include <functional>

#include "print/surface.h"

namespace tarsek {

/// Qt colour of a program colour (0x00BBGGRR).
QColor toQColor(Colour c);

/// The font the program draws with for a face name and size: faces the machine lacks (宋体,
/// 黑体 ...) fall back to an installed CJK face so that Chinese text never shows as boxes.
QFont programFont(const std::string& face, double points, bool bold);

/// A Surface that draws with a QPainter: a picture box on screen, a printer page or an image.
/// The painter's device coordinates are device pixels; twipsPerPixel says how many twips one
/// pixel spans on each axis (15 on a 96 dpi screen, 1440 / dpi on a printer).
class PainterSurface : public Surface {
 public:
  PainterSurface(QPainter& painter, double widthTwips, double heightTwips, double twipsPerPixelX,
                 double twipsPerPixelY);
  /// A surface over a whole paint device at its own resolution.
  PainterSurface(QPainter& painter, const QPaintDevice& device);

  double deviceWidth() const override { return width_; }
  double deviceHeight() const override { return height_; }
  /// Background colour used by clear().
  Colour backColour = kWhite;

 protected:
  void drawText(double x, double y, std::string_view text, Colour colour) override;
  void drawLine(double x1, double y1, double x2, double y2, Colour colour) override;
  void drawBox(double x1, double y1, double x2, double y2, Colour colour) override;
  void drawEllipse(double cx, double cy, double rx, double ry, Colour colour, double start,
                   double end) override;
  void drawPoint(double x, double y, Colour colour) override;
  void drawPolyline(const double* xy, std::size_t points, Colour colour) override;
  void clearDevice() override;
  double measureWidth(std::string_view text) const override;
  double measureHeight(std::string_view text) const override;
  void fontChanged() override;

 private:
  QPen pen(Colour colour) const;
  QPointF px(double x, double y) const { return {x / tppX_, y / tppY_}; }

  QPainter& painter_;
  double width_;
  double height_;
  double tppX_;
  double tppY_;
  QFont font_;
};

/// A picture box: a plain widget whose every repaint clears to its back colour and hands a
/// Surface over the widget (15 twips a pixel) to the paint callback.
class PictureBox : public QWidget {
  Q_OBJECT
 public:
  explicit PictureBox(const QString& name, QWidget* parent = nullptr);
  /// Called on every repaint with a fresh surface; the scale starts as twips.
  std::function<void(Surface&)> onPaint;
  Colour backColour = kWhite;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

/// Twips per pixel on screen: the program's windows are laid out at 96 dpi.
inline constexpr double kScreenTwipsPerPixel = 15.0;

}  // namespace tarsek
