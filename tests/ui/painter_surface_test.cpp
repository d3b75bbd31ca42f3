#include "ui/painter_surface.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

using namespace tarsek;

namespace {

int inkPixels(const QImage& img, QRect area) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (img.pixelColor(x, y) != Qt::white) ++n;
  return n;
}

}  // namespace

class PainterSurfaceTest : public QObject {
  Q_OBJECT
 private slots:
  void userScaleMapsToPixels() {
    QImage img(200, 100, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    PainterSurface s(p, 200 * 15.0, 100 * 15.0, 15, 15);
    s.setScale(20, 10);
    s.line(10, 0, 10, 10, kRed);  // a vertical line at x = 100 px
    p.end();
    QCOMPARE(img.pixelColor(100, 50), QColor(Qt::red));
    QCOMPARE(img.pixelColor(50, 50), QColor(Qt::white));
  }

  void chineseTextHasInkAndWidth() {
    QImage img(300, 60, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    PainterSurface s(p, 300 * 15.0, 60 * 15.0, 15, 15);
    s.setFontSize(12);
    const double w1 = s.textWidth("井");
    const double w4 = s.textWidth("井斜方位");
    QVERIFY(w1 > 0);
    QVERIFY(std::abs(w4 - 4 * w1) < w1 * 0.5);
    s.printLine("测斜数据");
    QVERIFY(s.currentY > 0);
    QCOMPARE(s.currentX, 0.0);
    p.end();
    QVERIFY(inkPixels(img, QRect(0, 0, 100, 30)) > 20);
  }

  void arcOnlyCoversItsQuarter() {
    QImage img(100, 100, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    PainterSurface s(p, 1500, 1500, 15, 15);
    s.setScale(100, 100);
    // North-east quarter: from east (0) to north (pi/2), counter-clockwise.
    s.circle(50, 50, 40, kBlack, 0, M_PI / 2);
    p.end();
    QVERIFY(inkPixels(img, QRect(51, 5, 45, 44)) > 10);  // upper right
    QCOMPARE(inkPixels(img, QRect(5, 55, 44, 44)), 0);   // lower left
  }

  void thickLinesKeepTheirLookOnAFinerDevice() {
    // A 600 dpi image: 2.4 twips a pixel, so a 3-pixel screen line is 18.75 device pixels.
    QImage img(200, 200, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    PainterSurface s(p, 200 * 2.4, 200 * 2.4, 2.4, 2.4);
    s.setLineWidth(3);
    s.line(0, 240, 480, 240, kBlack);  // across the middle, y = 100 px
    p.end();
    QVERIFY(img.pixelColor(100, 100 - 8) != QColor(Qt::white));
    QVERIFY(img.pixelColor(100, 100 + 8) != QColor(Qt::white));
    QCOMPARE(img.pixelColor(100, 100 - 12), QColor(Qt::white));
  }

  void nonFiniteCoordinatesDrawNothing() {
    QImage img(50, 50, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    PainterSurface s(p, 750, 750, 15, 15);
    s.line(0, 0, std::nan(""), 10, kBlack);
    s.circle(std::numeric_limits<double>::infinity(), 5, 5, kBlack);
    p.end();
    QCOMPARE(inkPixels(img, img.rect()), 0);
  }
};

QTEST_MAIN(PainterSurfaceTest)
#include "painter_surface_test.moc"
