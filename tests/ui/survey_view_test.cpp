#include "ui/survey_view.h"

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>
#include <string>
#include <vector>

#include "common/numtext.h"
#include "model/well_files.h"
#include "session/well_io.h"
#include "survey/survey_calc.h"
#include "survey/survey_entry.h"
#include "ui/fake_view_host.h"

using namespace tarsek;

namespace {

// An open single-target well with stations at 0, 500 and 1000 m.
void openWell(Session& s, bool withStations = true) {
  WellRecord& w = s.well;
  w.wellNo = "P1";
  w.targetCount = 1;
  w.target1X = 300;
  w.target1Y = 60;
  w.target1Tvd = 1500;
  w.designFinalTvd = 2000;
  w.designAzimuth = 11;
  w.designDisplacement1 = 306;
  w.targetRadius = 30;
  if (!withStations) return;
  storeEntry(s, 0, 0, 0);
  storeEntry(s, 500, 5, 2);
  storeEntry(s, 1000, 15, 2);
  s.surveyDirty = Unsaved::Nothing;
}

int inkPixels(const QImage& img) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixelColor(x, y) != QColor(Qt::white)) ++n;
  return n;
}

}  // namespace

class SurveyViewTest : public QObject {
  Q_OBJECT

 private:
  FakeViewHost* host = nullptr;
  SurveyView* view = nullptr;

  template <typename T>
  T* child(const char* name) {
    T* w = view->findChild<T*>(QString::fromUtf8(name));
    if (w == nullptr) qFatal("missing control %s", name);
    return w;
  }
  QLineEdit* box(const char* name) { return child<QLineEdit>(name); }
  QString text(const char* name) { return box(name)->text(); }
  void click(const char* name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }

 private slots:
  void init() {
    host = new FakeViewHost;
    view = new SurveyView(*host);
    view->show();
    view->activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(view));
  }

  void cleanup() {
    delete view;
    delete host;
    view = nullptr;
    host = nullptr;
  }

  void everyControlCarriesItsName() {
    for (const char* name : {"Picture1", "Picture4", "Picture5", "Picture6"})
      QVERIFY2(view->findChild<PictureBox*>(QString::fromUtf8(name)) != nullptr, name);
    for (const char* name : {"VScroll1", "VScroll2"})
      QVERIFY2(view->findChild<QScrollBar*>(QString::fromUtf8(name)) != nullptr, name);
    for (const char* name : {"序号", "T测深", "T井斜", "T方位", "T垂深", "T10", "T11"})
      QVERIFY2(view->findChild<QLineEdit*>(QString::fromUtf8(name)) != nullptr, name);
    const std::pair<const char*, const char*> buttons[] = {
        {"增加", "增加"},     {"确定", "确定"},     {"删除", "删除"},
        {"Command4", "保存"}, {"Command3", "确定"}, {"Command1", "取消"}};
    for (const auto& [name, caption] : buttons)
      QCOMPARE(child<QPushButton>(name)->text(), QString::fromUtf8(caption));
    QCOMPARE(child<QGroupBox>("Frame2")->title(), QStringLiteral("待钻井眼的轨迹预算"));
    QCOMPARE(child<QLabel>("Label3")->text(), QStringLiteral("井斜增率(o/100m)"));
    QCOMPARE(child<QLabel>("Label15")->text(), QStringLiteral("方位漂移率(o/100m)"));
    QCOMPARE(child<QLabel>("L垂深")->toolTip(), QStringLiteral("单击垂深可推导斜深"));
    QVERIFY(box("T垂深")->isHidden());
    QCOMPARE(view->objectName(), QStringLiteral("P测斜数据"));
  }

  void firstEntryGoesToTheWellhead() {
    openWell(host->s, false);
    QTest::keyClicks(box("T测深"), "350");
    QCOMPARE(text("T测深"), QString());  // no stations: the depth box cannot hold text
    box("T井斜")->setText("1.5");
    box("T方位")->setText("30");
    click("确定");
    const WellRecord& w = host->s.well;
    QCOMPARE(int(w.stationCount), 1);
    QCOMPARE(w.stations[0].md, 0.0);
    QCOMPARE(w.stations[0].inclination, 1.5);
    QCOMPARE(host->s.surveyDirty, Unsaved::Stations);
    QCOMPARE(text("序号"), QStringLiteral("0"));
    QCOMPARE(child<QLabel>("L垂深")->text(), QStringLiteral("0.00"));
    QCOMPARE(host->busyDepth, 0);
  }

  void storeReplacesAndInserts() {
    openWell(host->s);
    const WellRecord& w = host->s.well;
    // Replacing an existing depth keeps the count.
    box("T测深")->setText("500");
    QCOMPARE(text("序号"), QStringLiteral("1"));
    QCOMPARE(text("T井斜"), QStringLiteral("5.0"));
    box("T井斜")->setText("6");
    click("确定");
    QCOMPARE(int(w.stationCount), 3);
    QCOMPARE(w.stations[1].inclination, 6.0);

    // A depth between two stations is inserted and numbered in order.
    click("增加");
    QCOMPARE(text("T测深"), QString());
    box("T测深")->setText("750");
    box("T井斜")->setText("10");
    box("T方位")->setText("3");
    click("确定");
    QCOMPARE(int(w.stationCount), 4);
    QCOMPARE(w.stations[2].md, 750.0);
    QCOMPARE(int(w.stations[3].index), 3);
    QCOMPARE(text("序号"), QStringLiteral("2"));
    QCOMPARE(child<QLabel>("L垂深")->text(),
             QString::fromStdString(formatFixed(w.results[2].tvd, 2)));
    QCOMPARE(child<QScrollBar>("VScroll2")->maximum(), 3);

    // A pasted depth too large for a number is refused, not read as the wellhead's 0 m.
    box("T测深")->setText("1e999");
    QCOMPARE(text("T测深"), QString());
    QCOMPARE(QString::fromStdString(host->status), QStringLiteral("按键有误！请重新输入"));
    host->status.clear();
    box("T井斜")->setText("1e999");
    click("确定");
    QCOMPARE(int(w.stationCount), 4);
    QCOMPARE(QString::fromStdString(host->status), QStringLiteral("按键有误！请重新输入"));
  }

  void stationNumberSnapsBackToTheLast() {
    openWell(host->s);
    view->refreshSurvey();
    box("序号")->setText("7");
    QCOMPARE(text("序号"), QStringLiteral("2"));
    QCOMPARE(child<QScrollBar>("VScroll2")->value(), 2);
    QCOMPARE(text("T测深"), QStringLiteral("1000"));
    child<QScrollBar>("VScroll2")->setValue(1);
    QCOMPARE(text("序号"), QStringLiteral("1"));
    QCOMPARE(text("T测深"), QStringLiteral("500"));
    QCOMPARE(text("T方位"), QStringLiteral("2.0"));
  }

  void depthBetweenStationsIsInterpolatedNotStored() {
    openWell(host->s);
    box("T测深")->setText("750");
    const double inc = text("T井斜").toDouble();
    QVERIFY(inc > 5 && inc < 15);
    QCOMPARE(text("T方位"), QStringLiteral("2.0"));
    const double tvd = child<QLabel>("L垂深")->text().toDouble();
    const WellRecord& w = host->s.well;
    QVERIFY(tvd > w.results[1].tvd && tvd < w.results[2].tvd);
    QCOMPARE(int(w.stationCount), 3);
    QVERIFY(box("序号")->isEnabled());

    box("T测深")->setText("1200");  // below the last station: a new entry
    QCOMPARE(text("T井斜"), QString());
    QCOMPARE(child<QLabel>("L垂深")->text(), QString());
    box("T测深")->setText("-5");
    QCOMPARE(text("T测深"), QString());
  }

  void verticalDepthLookUpReturnsToTheStation() {
    openWell(host->s);
    box("序号")->setText("1");
    QLabel* label = child<QLabel>("L垂深");
    QTest::mouseClick(label, Qt::LeftButton);
    QLineEdit* tvdBox = box("T垂深");
    QVERIFY(!tvdBox->isHidden());
    QVERIFY(label->isHidden());
    QVERIFY(!box("T测深")->isEnabled());
    tvdBox->setText("800");
    const QString md = text("T测深");
    QVERIFY2(md.contains('.') && md.split('.').last().size() == 2, qPrintable(md));
    QVERIFY(md.toDouble() > 800 && md.toDouble() < 1000);
    QCOMPARE(text("T方位").split('.').last().size(), 2);
    QCOMPARE(int(host->s.well.stationCount), 3);

    box("T井斜")->setFocus();  // leaving the vertical depth box
    QVERIFY(tvdBox->isHidden());
    QVERIFY(!label->isHidden());
    QVERIFY(box("T测深")->isEnabled());
    QCOMPARE(text("T测深"), QStringLiteral("500"));
  }

  void keyFilterAndEnterChain() {
    openWell(host->s);
    QLineEdit* md = box("T测深");
    md->setFocus();
    QTest::keyClicks(md, "1x");
    QCOMPARE(md->text(), QStringLiteral("1"));
    QCOMPARE(QString::fromStdString(host->status), QStringLiteral("按键有误！请重新输入"));
    QTest::keyClick(md, Qt::Key_Comma);
    QCOMPARE(md->text(), QStringLiteral("1"));
    QTest::keyClick(md, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), box("T井斜"));
    QTest::keyClick(box("T井斜"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), box("T方位"));
    QTest::keyClick(box("T方位"), Qt::Key_Enter);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(child<QPushButton>("确定")));
    box("T10")->setFocus();
    QTest::keyClick(box("T10"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), box("T11"));
    QTest::keyClick(box("T11"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(child<QPushButton>("Command3")));
  }

  void anglesOutOfRangeAreCleared() {
    openWell(host->s);
    box("T井斜")->setText("90");
    QCOMPARE(text("T井斜"), QString());
    box("T方位")->setText("360");
    QCOMPARE(text("T方位"), QString());
    box("T方位")->setText("359.9");
    QCOMPARE(text("T方位"), QStringLiteral("359.9"));
  }

  void deleteAStationAndAnUnknownDepth() {
    openWell(host->s);
    box("T测深")->setText("500");
    click("删除");
    QCOMPARE(int(host->s.well.stationCount), 2);
    QCOMPARE(text("T测深"), QStringLiteral("1000"));
    // The last station: the row keeps its depth, now below the last station, as a new entry.
    click("删除");
    QCOMPARE(int(host->s.well.stationCount), 1);
    QCOMPARE(text("T测深"), QStringLiteral("1000"));
    QCOMPARE(text("T井斜"), QString());
    QCOMPARE(child<QLabel>("L垂深")->text(), QString());
    storeEntry(host->s, 1000, 15, 2);
    box("T测深")->setText("600");
    click("删除");
    QCOMPARE(QString::fromStdString(host->status), QStringLiteral("没有此测点"));
    QCOMPARE(int(host->s.well.stationCount), 2);
    QCOMPARE(host->busyDepth, 0);
  }

  void predictionWrapsTheAzimuthAndDiscardsOnce() {
    openWell(host->s);
    box("T11")->setText("2");
    box("T10")->setText("-10");
    click("Command3");
    const WellRecord& w = host->s.well;
    QVERIFY(w.stationCount > 3);
    QCOMPARE(w.stations[3].azimuth, 357.0);
    click("Command1");
    QCOMPARE(int(w.stationCount), 3);
    click("Command1");
    QCOMPARE(int(w.stationCount), 3);
  }

  void panelAndTableAreDrawnAndTheScreenshotKept() {
    openWell(host->s);
    view->refreshSurvey();
    view->grab().save(QStringLiteral(TARSEK_BIN_DIR "/survey_view_guidance.png"));
    for (int i = 3; i < 400; ++i) storeEntry(host->s, 1000 + i * 10.0, 15, 2);
    view->refreshSurvey();
    QImage panel = child<PictureBox>("Picture1")->grab().toImage();
    QVERIFY(inkPixels(panel) > 500);
    QImage rows = child<PictureBox>("Picture6")->grab().toImage();
    QVERIFY(inkPixels(rows) > 500);
    view->grab().save(QStringLiteral(TARSEK_BIN_DIR "/survey_view_top.png"));
    // A long table scrolls: the last rows come into view at the end of the bar.
    QScrollBar* bar = child<QScrollBar>("VScroll1");
    QVERIFY(view->tableContentHeight() > child<PictureBox>("Picture6")->height());
    bar->setValue(bar->maximum());
    QVERIFY(view->tableScrollOffset() > 0);
    QImage scrolled = child<PictureBox>("Picture6")->grab().toImage();
    QVERIFY(inkPixels(scrolled) > 500);
    QVERIFY(scrolled != rows);
    view->grab().save(QStringLiteral(TARSEK_BIN_DIR "/survey_view.png"));
  }

  void sampleWellsShowTheirGuidance() {
    // The single-target sample, the two-target well of the sample pad and a well still being
    // drilled, as a newcomer sees them.
    for (const char* well : {"示例1", "草20-1", "草20-3"}) {
      Session& s = host->s;
      s.well = WellRecord();
      const std::string dir = TARSEK_SAMPLES_DIR;
      const WellLoadResult r =
          LoadWell(s, s.well, WellFilePath(dir, well, kDesignExtension), false, dir);
      QVERIFY2(r.ok, r.message.c_str());
      QVERIFY(s.well.stationCount > 0);
      view->refreshSurvey();
      QVERIFY(inkPixels(child<PictureBox>("Picture1")->grab().toImage()) > 500);
      view->grab().save(QString::fromUtf8(TARSEK_BIN_DIR "/survey_view_") +
                        QString::fromUtf8(well) + ".png");
    }
  }

  void nothingHappensWithoutAWell() {
    click("确定");
    click("删除");
    click("Command3");
    click("增加");
    QCOMPARE(int(host->s.well.stationCount), 0);
    box("T井斜")->setText("5");
    QCOMPARE(text("T井斜"), QString());
    QImage panel = child<PictureBox>("Picture1")->grab().toImage();
    QCOMPARE(inkPixels(panel), 0);
  }
};

QTEST_MAIN(SurveyViewTest)
#include "survey_view_test.moc"
