#include "ui/trajectory_view.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QtTest>

#include "plot/plot_test_wells.h"
#include "ui/fake_view_host.h"

using namespace tarsek;

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++paints;
    return false;
  }
};

void sendMouse(QWidget* w, QEvent::Type type, int x, Qt::MouseButtons buttons) {
  const QPointF local(x, 10);
  QMouseEvent e(type, local, w->mapToGlobal(local), Qt::LeftButton, buttons, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

// Pixels whose strongest channel is the one of a pure colour by a clear margin: lines are
// antialiased, so few pixels carry the exact colour.
int colourPixels(const QImage& img, QRgb colour) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QRgb p = img.pixel(x, y);
      const int c[3] = {qRed(p), qGreen(p), qBlue(p)};
      const int want[3] = {qRed(colour), qGreen(colour), qBlue(colour)};
      bool match = true;
      for (int i = 0; i < 3; ++i) match = match && (want[i] ? c[i] > 150 : c[i] < 110);
      if (match) ++n;
    }
  return n;
}

int nonWhitePixels(const QImage& img) {
  return img.width() * img.height() - colourPixels(img, qRgb(255, 255, 255));
}

}  // namespace

class TrajectoryViewTest : public QObject {
  Q_OBJECT

  FakeViewHost host;

  QWidget* child(TrajectoryView& v, const char* name) {
    return v.findChild<QWidget*>(QString::fromUtf8(name));
  }

  void shoot(QWidget& w, const char* name) {
    const QByteArray dir = qgetenv("TARSEK_SHOT_DIR");
    if (!dir.isEmpty()) w.grab().save(QString::fromUtf8(dir + "/" + name));
  }

 private slots:
  void init() { host.s = testing::singleTargetWell(); }

  void controlsCarryTheirNamesAndCaptions() {
    TrajectoryView v(host);
    QCOMPARE(v.objectName(), QStringLiteral("P轨迹图"));
    for (const char* name : {"picTitles", "Picture1", "Picture2", "imgSplitter", "picSplitter"})
      QVERIFY2(child(v, name) != nullptr, name);
    const auto titles = v.findChildren<QLabel*>(QStringLiteral("lblTitle"));
    QCOMPARE(titles.size(), 2);
    for (QLabel* l : titles) {
      const int i = l->property("index").toInt();
      QCOMPARE(l->text(), i == 0 ? QStringLiteral("水平投影图:") : QStringLiteral(" 垂直剖面图:"));
    }
    QVERIFY(child(v, "picSplitter")->isHidden());
  }

  void panesFollowTheSplitter() {
    TrajectoryView v(host);
    v.resize(1200, 400);  // 18000 x 6000 twips
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    QCOMPARE(v.splitterLeft(), 9500.0);  // where the splitter starts
    QWidget* p1 = child(v, "Picture1");
    QWidget* p2 = child(v, "Picture2");
    QCOMPARE(p1->width(), qRound(9500 / 15.0));
    QCOMPARE(p1->y(), 20);
    QCOMPARE(p1->height(), 380);
    QCOMPARE(p2->x(), qRound(9540 / 15.0));
    QCOMPARE(p2->x() + p2->width(), qRound((18000 - 100) / 15.0));
    QCOMPARE(child(v, "imgSplitter")->x(), qRound(9500 / 15.0));

    double x = 100;
    v.SizePanes(x);
    QCOMPARE(x, 1500.0);
    QCOMPARE(p1->width(), 100);
  }

  void dragToTheFarLeftStopsAtTheLimits() {
    TrajectoryView v(host);
    v.resize(600, 400);
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    QWidget* splitter = child(v, "imgSplitter");
    QWidget* bar = child(v, "picSplitter");

    QCOMPARE(v.splitterLeft(), 7500.0);  // a window too narrow for the start moves it in
    sendMouse(splitter, QEvent::MouseButtonPress, 1, Qt::LeftButton);
    QVERIFY(v.dragging());
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->x(), 500);
    sendMouse(splitter, QEvent::MouseMove, -1000, Qt::LeftButton);
    QCOMPARE(bar->x(), qRound(500 / 15.0));  // the bar stops 500 twips in
    QCOMPARE(v.splitterLeft(), 7500.0);      // the panes wait for the release
    sendMouse(splitter, QEvent::MouseButtonRelease, -1000, Qt::NoButton);
    QVERIFY(!v.dragging());
    QVERIFY(bar->isHidden());
    QCOMPARE(v.splitterLeft(), 1500.0);
    QCOMPARE(child(v, "Picture1")->width(), 100);

    // And to the far right: the bar 500 and the panes 1500 from the right edge.
    sendMouse(splitter, QEvent::MouseButtonPress, 1, Qt::LeftButton);
    sendMouse(splitter, QEvent::MouseMove, 5000, Qt::LeftButton);
    QCOMPARE(bar->x(), qRound(8500 / 15.0));
    sendMouse(splitter, QEvent::MouseButtonRelease, 5000, Qt::NoButton);
    QCOMPARE(v.splitterLeft(), 7500.0);

    // A move without a press does nothing.
    sendMouse(splitter, QEvent::MouseMove, 10, Qt::NoButton);
    QCOMPARE(v.splitterLeft(), 7500.0);
    QVERIFY(bar->isHidden());

    // Once dragged, the splitter keeps its place when the window is resized.
    v.resize(900, 400);
    QCOMPARE(v.splitterLeft(), 7500.0);
  }

  void everyResizeLaysThePanesOutFromTheSplitter() {
    TrajectoryView v(host);
    v.resize(200, 300);  // a child window is often small before it is maximised
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    // Window widths in pixels and the splitter's place in twips: it stays put, and moves in
    // only while the window leaves no 1500 twips for the section.
    const std::pair<int, double> widths[] = {{1200, 9500}, {1900, 9500}, {700, 9000}, {1000, 9500}};
    for (const auto& [w, left] : widths) {
      v.resize(w, 700);
      QCOMPARE(v.splitterLeft(), left);
      QCOMPARE(child(v, "Picture1")->width(), qRound(left / 15.0));
    }
  }

  void resizeRedrawsBothPanes() {
    TrajectoryView v(host);
    v.resize(600, 400);
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    PaintCounter c1, c2;
    child(v, "Picture1")->installEventFilter(&c1);
    child(v, "Picture2")->installEventFilter(&c2);
    QCoreApplication::processEvents();
    c1.paints = c2.paints = 0;
    v.resize(800, 500);
    QTRY_VERIFY(c1.paints > 0 && c2.paints > 0);
    QCOMPARE(v.splitterLeft(), 9500.0);
  }

  void singleTargetWellShowsRingsTargetAndSurvey() {
    TrajectoryView v(host);
    v.resize(900, 500);
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    shoot(v, "trajectory_single.png");
    const QImage plan = child(v, "Picture1")->grab().toImage();
    const QImage section = child(v, "Picture2")->grab().toImage();
    QVERIFY(colourPixels(plan, qRgb(0, 0, 255)) > 100);  // rings, axes, survey
    QVERIFY(colourPixels(plan, qRgb(255, 0, 0)) > 20);   // the target
    QVERIFY(colourPixels(section, qRgb(0, 0, 255)) > 50);
    QVERIFY(colourPixels(section, qRgb(255, 0, 0)) > 10);
  }

  void twoTargetWellShowsBothTargets() {
    host.s = testing::twoTargetWell();
    TrajectoryView v(host);
    v.resize(900, 500);
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    shoot(v, "trajectory_two.png");
    const QImage plan = child(v, "Picture1")->grab().toImage();
    QVERIFY(colourPixels(plan, qRgb(255, 0, 0)) > 40);
    QVERIFY(colourPixels(plan, qRgb(0, 255, 0)) > 10);  // both crossing lines
  }

  void straightHoleAndNoWellLeaveThePanesEmpty() {
    host.s.well.designDisplacement1 = 0;
    TrajectoryView v(host);
    v.resize(600, 400);
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    QCOMPARE(nonWhitePixels(child(v, "Picture1")->grab().toImage()), 0);
    QCOMPARE(nonWhitePixels(child(v, "Picture2")->grab().toImage()), 0);
    host.s.well.wellNo.clear();
    v.drawTrajectory();
    QCOMPARE(nonWhitePixels(child(v, "Picture1")->grab().toImage()), 0);
  }

  void tinyWindowDoesNotBreakTheLayout() {
    TrajectoryView v(host);
    v.resize(200, 120);
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    QVERIFY(child(v, "Picture2")->width() >= 0);
    QVERIFY(!child(v, "Picture1")->grab().isNull());
  }
};

QTEST_MAIN(TrajectoryViewTest)
#include "trajectory_view_test.moc"
