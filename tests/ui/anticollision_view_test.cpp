#include "ui/anticollision_view.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "common/numtext.h"
#include "survey/survey_calc.h"
#include "ui/fake_view_host.h"
#include "ui/painter_surface.h"
#include "uncertainty/session_uncertainty.h"
#include "model/well_file_format.h"
#include "model/well_files.h"
#include "session/well_io.h"

using namespace tarsek;

namespace {

/// A well drilled vertically to kickoff, then built 2 degrees every 30 m to 30 degrees on
/// azimuth az, surveyed every 30 m to md, with its trajectory computed.
WellRecord drilledWell(const std::string& name, double wx, double wy, double kickoff, double az,
                       double md) {
  WellRecord w;
  w.wellNo = name;
  w.wellheadX = wx;
  w.wellheadY = wy;
  w.designDisplacement1 = 300;
  std::vector<SurveyStation> st;
  for (double d = 0; d <= md; d += 30) {
    SurveyStation s;
    s.index = static_cast<std::int16_t>(st.size());
    s.md = d;
    s.inclination = d <= kickoff ? 0 : std::min(30.0, (d - kickoff) / 15);
    s.azimuth = az;
    st.push_back(s);
  }
  w.stationCount = static_cast<std::int16_t>(st.size());
  st.push_back(SurveyStation{});
  w.results = ComputeTrajectory(st, w.basic(), w.stationCount, SurveyMethod::AverageAngle);
  w.stations = st;
  return w;
}

}  // namespace

class AntiCollisionViewTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  FakeViewHost host_;
  AntiCollisionView* view_ = nullptr;

  template <class T>
  T* child(const char* name) {
    T* w = view_->findChild<T*>(QString::fromUtf8(name));
    if (w == nullptr) qFatal("no child %s", name);
    return w;
  }

  /// Writes a well's design and survey files into the well directory, as the program does.
  void writeWell(const WellRecord& w) {
    std::string bytes, error;
    QVERIFY(FormatDesignFile(w, bytes, error));
    QFile d(dir_.filePath(QString::fromStdString(w.wellNo + ".kvd")));
    QVERIFY(d.open(QIODevice::WriteOnly));
    d.write(bytes.data(), static_cast<qint64>(bytes.size()));
    QVERIFY(FormatSurveyFile(w, bytes, error));
    QFile s(dir_.filePath(QString::fromStdString(w.wellNo + ".sur")));
    QVERIFY(s.open(QIODevice::WriteOnly));
    s.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }

  void clickFile(const QString& name) {
    auto* list = child<QListWidget>("File1");
    const auto items = list->findItems(name, Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(items[0]).center());
  }

 private slots:
  void init() {
    QVERIFY(dir_.isValid());
    host_ = FakeViewHost{};
    host_.s.wellDirectory = dir_.path().toStdString();
    host_.s.well = drilledWell("A1", 1000, 2000, 300, 45, 1200);
    writeWell(host_.s.well);
    writeWell(drilledWell("B2", 1000, 2008, 0, 90, 900));
    writeWell(drilledWell("C3", 994, 1994, 450, 250, 1500));
    writeWell(drilledWell("D4", 1000, 2002.5, 600, 180, 1200));  // 2.5 m: too close
    view_ = new AntiCollisionView(host_);
    host_.antiCollision = view_;
    view_->seedColours(7);
    view_->resize(900, 600);
    view_->show();
    QVERIFY(QTest::qWaitForWindowExposed(view_));
  }

  void cleanup() {
    delete view_;
    view_ = nullptr;
  }

  void controlsStartAsLoaded() {
    QCOMPARE(view_->objectName(), QStringLiteral("P防碰图"));
    QCOMPARE(child<QLineEdit>("Text步长")->text(), QStringLiteral("15"));
    auto* zoom = child<QScrollBar>("VScroll3");
    QCOMPARE(zoom->minimum(), 1);
    QCOMPARE(zoom->maximum(), 60);
    QCOMPARE(zoom->value(), 25);
    QCOMPARE(child<QLabel>("Text放大率")->text(), QStringLiteral("25"));
    QCOMPARE(child<QPushButton>("开关")->text(), QStringLiteral("间距图"));
    QCOMPARE(child<QLabel>("Label1")->text(), QStringLiteral("垂深："));
    QCOMPARE(child<QLabel>("Label32")->text(), QStringLiteral("最小间距："));
    QCOMPARE(child<QLabel>("Label29")->text(), QStringLiteral("所选邻井图例："));
    QCOMPARE(child<QLabel>("Label31")->text(), QStringLiteral("步长"));
    QCOMPARE(child<QLabel>("Label33")->text(), QStringLiteral("邻井选择："));
    QCOMPARE(child<QLabel>("Label34")->text(), QStringLiteral("放大率"));
    QCOMPARE(child<QTimer>("Timer1")->interval(), 500);
    QCOMPARE(child<QTimer>("计时员1")->interval(), 250);
    for (const char* n : {"Picture100", "Picture15", "S1", "Lab最小间距", "Lab1", "Lab5"})
      QVERIFY(view_->findChild<QWidget*>(QString::fromUtf8(n)) != nullptr);
    // Only design files are offered.
    auto* list = child<QListWidget>("File1");
    QCOMPARE(list->count(), 4);  // beside four survey files
    QVERIFY(list->findItems(QStringLiteral("A1.sur"), Qt::MatchExactly).isEmpty());
    child<QScrollBar>("VScroll3")->setValue(10);
    QCOMPARE(child<QLabel>("Text放大率")->text(), QStringLiteral("10"));
  }

  void clickingTheFileListAddsNeighbours() {
    clickFile(QStringLiteral("B2.kvd"));
    QCOMPARE(host_.s.neighbourWells.size(), std::size_t{1});
    QVERIFY(child<QLabel>("Lab1")->text().startsWith(QStringLiteral("邻  井    \nB2\n目  前")));
    QVERIFY(child<QLabel>("Lab最小间距")->text().contains(QStringLiteral("距B2井")));
    // The own well's file and a listed one change nothing.
    clickFile(QStringLiteral("A1.kvd"));
    clickFile(QStringLiteral("B2.kvd"));
    QCOMPARE(host_.s.neighbourWells.size(), std::size_t{1});
    clickFile(QStringLiteral("C3.kvd"));
    QCOMPARE(host_.s.neighbourWells.size(), std::size_t{2});
    QCOMPARE(view_->scan().tracks.size(), std::size_t{2});
    QVERIFY(child<QLabel>("Lab1")->text().contains(QStringLiteral("\n邻  井\nC3\n目  前")));
    // A step below 2 refuses the click with a status text.
    child<QLineEdit>("Text步长")->setText(QStringLiteral("1"));
    clickFile(QStringLiteral("D4.kvd"));
    QCOMPARE(host_.status, std::string("步长 ≥ 2"));
    QCOMPARE(host_.s.neighbourWells.size(), std::size_t{2});
  }

  void chartSwitchNamesTheChartOnShow() {
    auto* sw = child<QPushButton>("开关");
    QTest::mouseClick(sw, Qt::LeftButton);  // no neighbour: nothing happens
    QCOMPARE(sw->text(), QStringLiteral("间距图"));
    clickFile(QStringLiteral("B2.kvd"));
    QTest::mouseClick(sw, Qt::LeftButton);
    QCOMPARE(sw->text(), QStringLiteral("趋势图"));
    QCOMPARE(host_.status, std::string("按住左键移动图形或看测点垂深,按住右键看防碰详情"));
    QTest::mouseClick(sw, Qt::LeftButton);
    QCOMPARE(sw->text(), QStringLiteral("间距图"));
    QCOMPARE(host_.status, std::string("按住右键看防碰详情"));
  }

  void rightPressPopsTheTableUpAndReleaseHidesIt() {
    clickFile(QStringLiteral("B2.kvd"));
    auto* pic = child<QWidget>("Picture100");
    QTest::mousePress(pic, Qt::RightButton, {}, QPoint(50, 60));
    QLabel* labs[5];
    for (int i = 0; i < 5; ++i) {
      labs[i] = child<QLabel>(QStringLiteral("Lab%1").arg(i + 1).toUtf8().constData());
      QVERIFY(labs[i]->isVisible());
      QCOMPARE(labs[i]->y(), 60);
    }
    QCOMPARE(labs[0]->pos(), QPoint(50, 60));
    for (int i = 1; i < 5; ++i) QCOMPARE(labs[i]->x(), labs[i - 1]->x() + labs[i - 1]->width());
    QTest::mouseRelease(pic, Qt::RightButton, {}, QPoint(50, 60));
    for (QLabel* l : labs) QVERIFY(!l->isVisible());
  }

  void leftPressOnAnOffsetNeighboursStationShowsItsDepth() {
    clickFile(QStringLiteral("B2.kvd"));
    QTest::mouseClick(child<QPushButton>("开关"), Qt::LeftButton);  // trend chart
    auto* pic = child<QWidget>("Picture100");
    const WellRecord& b2 = host_.s.neighbourWells[0];
    const ChartFrame f = trendChartFrame(25, 300, pic->width() * 15.0, pic->height() * 15.0, 0, 0);
    // Station 1 of B2 lies 8 m east of the open well's wellhead plus its own east offset.
    const double x = f.cx + 8 + b2.results[1].east;
    const double y = f.cy - b2.results[1].north;
    const QPoint at(qRound(x * pic->width() / f.scaleWidth),
                    qRound(y * pic->height() / f.scaleHeight));
    QTest::mousePress(pic, Qt::LeftButton, {}, at);
    auto* label1 = child<QLabel>("Label1");
    QVERIFY(label1->isVisible());
    QCOMPARE(label1->text(),
             QStringLiteral("垂深") + QString::fromStdString(formatFixed(b2.results[1].tvd, 2)));
    QCOMPARE(label1->pos(), at);
    QTest::mouseRelease(pic, Qt::LeftButton, {}, at);
    QVERIFY(!label1->isVisible());
  }

  void edgeBandPansTheTrendChart() {
    clickFile(QStringLiteral("B2.kvd"));
    QTest::mouseClick(child<QPushButton>("开关"), Qt::LeftButton);  // trend chart
    auto* pic = child<QWidget>("Picture100");
    auto* pan = child<QTimer>("计时员1");
    const QPoint rightEdge(pic->width() - 3, pic->height() / 2 + 20);
    QTest::mouseMove(pic, rightEdge);
    QCOMPARE(pic->cursor().shape(), Qt::SizeFDiagCursor);  // below and right of the centre
    QTest::mousePress(pic, Qt::LeftButton, {}, rightEdge);
    QVERIFY(pan->isActive());
    QTRY_VERIFY_WITH_TIMEOUT(view_->panOffsetX() > 0, 2000);
    QCOMPARE(view_->panOffsetY(), 0.0);
    QTest::mouseRelease(pic, Qt::LeftButton, {}, rightEdge);
    QVERIFY(!pan->isActive());
    QTest::mouseMove(pic, QPoint(pic->width() / 2, pic->height() / 2));
    QCOMPARE(pic->cursor().shape(), Qt::ArrowCursor);
  }

  void closeApproachBlinksUntilReset() {
    clickFile(QStringLiteral("D4.kvd"));  // 2.5 m apart at the surface
    auto* timer = child<QTimer>("Timer1");
    auto* label32 = child<QLabel>("Label32");
    QVERIFY(timer->isActive());
    QCOMPARE(label32->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(!label32->isHidden());
    QTRY_VERIFY_WITH_TIMEOUT(label32->isHidden(), 2000);
    QTRY_VERIFY_WITH_TIMEOUT(!label32->isHidden(), 2000);

    view_->防碰图初始();
    QVERIFY(!timer->isActive());
    QVERIFY(!label32->isHidden());
    QCOMPARE(label32->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QVERIFY(child<QLabel>("Lab最小间距")->text().isEmpty());
    QVERIFY(child<QLabel>("Lab1")->text().isEmpty());
    QVERIFY(host_.s.neighbourWells.empty());
    QVERIFY(host_.s.neighbourColours.empty());
  }

  void stepBoxFiltersKeysAndChecksEnter() {
    clickFile(QStringLiteral("B2.kvd"));
    auto* step = child<QLineEdit>("Text步长");
    step->clear();
    step->setFocus();
    QTest::keyClicks(step, QStringLiteral("2a+0-.5"));
    QCOMPARE(step->text(), QStringLiteral("20.5"));
    QTest::keyClick(step, Qt::Key_Return);
    QCOMPARE(host_.status, std::string("A1井防碰图"));
    QCOMPARE(view_->scan().step, 20);  // 20.5 rounds to the even 20
    step->setText(QStringLiteral("1.5"));
    QTest::keyClick(step, Qt::Key_Return);
    QVERIFY(step->text().isEmpty());
    const double last = host_.s.well.results[host_.s.well.stationCount - 1].tvd;
    QCOMPARE(host_.status, "2≤步长<" + formatGeneral(last));
  }

  void samplePadFromFiles() {
    // The sample pad as the program ships it: the open well and its neighbours all from files.
    for (const char* name : {"草20-1", "草20-2", "草20-3"})
      for (const char* ext : {".kvd", ".sur"}) {
        const QString file = QString::fromUtf8(name) + QString::fromUtf8(ext);
        QFile::remove(dir_.filePath(file));
        QVERIFY(QFile::copy(QStringLiteral(TARSEK_SAMPLES_DIR "/") + file, dir_.filePath(file)));
      }
    const std::string own = dir_.filePath(QStringLiteral("草20-1.kvd")).toStdString();
    host_.s.well = WellRecord{};
    QVERIFY(LoadWell(host_.s, host_.s.well, own, false, host_.s.wellDirectory).found);
    view_->防碰图初始();
    clickFile(QStringLiteral("草20-2.kvd"));
    clickFile(QStringLiteral("草20-3.kvd"));
    QCOMPARE(host_.s.neighbourWells.size(), std::size_t{2});
    const QString lab1 = child<QLabel>("Lab1")->text();
    QVERIFY(lab1.contains(QStringLiteral("草20-2")) && lab1.contains(QStringLiteral("草20-3")));
    for (const ClearanceTrack& t : view_->scan().tracks) QVERIFY(t.samples.size() > 10);
    // Without parameter files there is no separation-factor chart to offer.
    QVERIFY(child<QPushButton>("sfChartButton")->isHidden());

    const QByteArray out = qgetenv("TARSEK_SCREENSHOT_DIR");
    if (out.isEmpty()) return;
    child<QScrollBar>("VScroll3")->setValue(10);
    QVERIFY(view_->grab().save(QString::fromUtf8(out) + "/anticollision_pad_spacing.png"));
    QTest::mouseClick(child<QPushButton>("开关"), Qt::LeftButton);
    child<QScrollBar>("VScroll3")->setValue(3);
    QVERIFY(view_->grab().save(QString::fromUtf8(out) + "/anticollision_pad_trend.png"));
  }

  // With the pad's parameter files the SF chart is offered, each neighbour's smallest SF is
  // listed, and an SF under 1.0 blinks the warning though no approach is within 3 m.
  void samplePadSeparationFactors() {
    for (const char* name : {"草20-1", "草20-2", "草20-3"})
      for (const char* ext : {".kvd", ".sur", ".unc"}) {
        const QString file = QString::fromUtf8(name) + QString::fromUtf8(ext);
        QFile::remove(dir_.filePath(file));
        QVERIFY(QFile::copy(QStringLiteral(TARSEK_SAMPLES_DIR "/") + file, dir_.filePath(file)));
      }
    const std::string own = dir_.filePath(QStringLiteral("草20-1.kvd")).toStdString();
    host_.s.well = WellRecord{};
    QVERIFY(LoadWell(host_.s, host_.s.well, own, false, host_.s.wellDirectory).found);
    view_->防碰图初始();
    clickFile(QStringLiteral("草20-2.kvd"));
    clickFile(QStringLiteral("草20-3.kvd"));
    const auto& u = host_.s.uncertainty;
    QVERIFY(u && u->ok);
    QVERIFY(!view_->scan().warning);
    QCOMPARE(u->belowOne(), true);
    QVERIFY(child<QTimer>("Timer1")->isActive());
    auto* sf = child<QPushButton>("sfChartButton");
    QVERIFY(!sf->isHidden());
    const QString closest = child<QLabel>("Lab最小间距")->text();
    for (const unc::NeighbourClearance& n : u->neighbours)
      QVERIFY(closest.contains(
          QString::fromStdString(n.name + "：最小分离系数" + formatFixed(n.minimumSf, 2))));
    sf->setChecked(true);
    QVERIFY(child<QWidget>("S1")->isHidden());
    QVERIFY(!view_->grab().isNull());
    sf->setChecked(false);
    for (const char* name : {"草20-1", "草20-2", "草20-3"})
      QFile::remove(dir_.filePath(QString::fromUtf8(name) + QStringLiteral(".unc")));
    host_.s.uncertainty.reset();
  }

  void screenshots() {
    const QByteArray out = qgetenv("TARSEK_SCREENSHOT_DIR");
    if (out.isEmpty()) QSKIP("set TARSEK_SCREENSHOT_DIR to write the two charts");
    clickFile(QStringLiteral("B2.kvd"));
    clickFile(QStringLiteral("C3.kvd"));
    child<QScrollBar>("VScroll3")->setValue(4);
    QVERIFY(view_->grab().save(QString::fromUtf8(out) + "/anticollision_spacing.png"));
    QTest::mouseClick(child<QPushButton>("开关"), Qt::LeftButton);
    child<QScrollBar>("VScroll3")->setValue(2);
    QVERIFY(view_->grab().save(QString::fromUtf8(out) + "/anticollision_trend.png"));
    auto* pic = child<QWidget>("Picture100");
    QTest::mousePress(pic, Qt::RightButton, {}, QPoint(40, 40));
    QVERIFY(view_->grab().save(QString::fromUtf8(out) + "/anticollision_table.png"));
    QTest::mouseRelease(pic, Qt::RightButton, {}, QPoint(40, 40));
  }
};

QTEST_MAIN(AntiCollisionViewTest)
#include "anticollision_view_test.moc"
