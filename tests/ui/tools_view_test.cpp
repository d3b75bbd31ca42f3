#include "ui/tools_view.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "print/recording_surface.h"
#include "tools/casing.h"
#include "tools/tool_limits.h"
#include "ui/fake_view_host.h"
#include "ui/painter_surface.h"

using namespace tarsek;

namespace {

// The non-empty lines a picture box draws.
QStringList pictureLines(PictureBox* picture) {
  RecordingSurface s;
  if (picture->onPaint) picture->onPaint(s);
  QStringList lines;
  for (const std::string& t : s.texts())
    if (!t.empty()) lines << QString::fromStdString(t);
  return lines;
}

}  // namespace

class ToolsViewTest : public QObject {
  Q_OBJECT

  FakeViewHost* host_ = nullptr;
  ToolsView* view_ = nullptr;

  QLineEdit* box(const char* name) {
    auto* b = view_->findChild<QLineEdit*>(QString::fromUtf8(name));
    if (b == nullptr) qFatal("no box %s", name);
    return b;
  }
  // Types a number the way the user does: key by key, after clearing the box.
  void type(const char* name, const char* text) {
    QLineEdit* b = box(name);
    b->clear();
    QTest::keyClicks(b, QString::fromUtf8(text));
  }
  void click(const char* name) {
    auto* button = view_->findChild<QPushButton*>(QString::fromUtf8(name));
    QVERIFY(button != nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
  }
  QString status() const { return QString::fromStdString(host_->status); }
  void fillHydraulics() {
    const char* values[12] = {"2000", "60", "150",   "80",    "1.2",  "12",
                              "12",   "12", "215.9", "177.8", "71.4", "150"};
    for (int i = 0; i < 12; ++i)
      type(QStringLiteral("水力参数(%1)").arg(i).toUtf8().constData(), values[i]);
  }

 private slots:
  void init() {
    host_ = new FakeViewHost;
    host_->s.well.wellNo = "X12-3";
    view_ = new ToolsView(*host_);
    view_->resize(1100, 760);
    view_->show();
    view_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(view_));
  }
  void cleanup() {
    delete view_;
    delete host_;
  }

  void startsWithTheDesignTimeTexts() {
    QCOMPARE(view_->objectName(), QStringLiteral("p工具"));
    QCOMPARE(view_->windowTitle(), QStringLiteral("工具箱"));
    for (const char* name :
         {"Frame1", "Frame3", "Frame6", "Frame4", "Frame9", "P1", "Picture1", "F扭方位前",
          "F扭方位后", "泡油", "考虑附加压力", "求反扭角", "预计扭方位结果", "求初始装置角"})
      QVERIFY2(view_->findChild<QWidget*>(QString::fromUtf8(name)) != nullptr, name);
    for (const char* name :
         {"原浆de比重", "加重剂重量", "卡点", "T4", "T5", "T6", "T7", "T8", "T9", "T10",
          "水力参数(11)", "套管(2)", "卡点深(3)", "关井基本数据(1)", "加重剂用量(2)", "测深(2)"})
      QVERIFY2(view_->findChild<QLineEdit*>(QString::fromUtf8(name)) != nullptr, name);
    QCOMPARE(box("水力参数(3)")->text(), QStringLiteral("80"));
    auto* casingGrade = view_->findChild<QComboBox*>(QStringLiteral("Combo1"));
    auto* drillPipe = view_->findChild<QComboBox*>(QStringLiteral("Combo2"));
    QCOMPARE(casingGrade->count(), 6);
    QCOMPARE(casingGrade->currentIndex(), -1);
    QCOMPARE(casingGrade->currentText(), QStringLiteral("φ139.7mm×7.72mm×J55长圆扣"));
    QCOMPARE(drillPipe->currentText(), QStringLiteral("φ127mm×9.19mm"));
    QCOMPARE(drillPipe->count(), 8);
    QVERIFY(pictureLines(view_->findChild<PictureBox*>("P1")).isEmpty());
  }

  void keyFilterRefusesAllButNumberKeys() {
    QLineEdit* b = box("套管(1)");
    QTest::keyClicks(b, "1.5");
    QCOMPARE(b->text(), QStringLiteral("1.5"));
    QCOMPARE(status(), QStringLiteral("工具计算X12-3"));
    for (const char* bad : {"a", " ", ",", "/", "*", "e"}) {
      QTest::keyClicks(b, bad);
      QCOMPARE(b->text(), QStringLiteral("1.5"));
      QCOMPARE(status(), QStringLiteral("按键有误！请重新输入"));
    }
    QTest::keyClicks(b, "-+");
    QCOMPARE(b->text(), QStringLiteral("1.5-+"));
    QCOMPARE(status(), QStringLiteral("工具计算X12-3"));
    QTest::keyClick(b, Qt::Key_Backspace);
    QTest::keyClick(b, Qt::Key_Backspace);
    QCOMPARE(b->text(), QStringLiteral("1.5"));
    // Characters beyond ASCII (full-width input) pass the filter.
    QKeyEvent wide(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("米"));
    QApplication::sendEvent(b, &wide);
    QCOMPARE(b->text(), QStringLiteral("1.5米"));
    // The turn boxes after the turn take any key.
    QTest::keyClicks(box("T9"), "ab");
    QCOMPARE(box("T9")->text(), QStringLiteral("ab"));
  }

  void enterMovesAlongEachGroup() {
    QLineEdit* first = box("水力参数(0)");
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Return);
    QVERIFY2(first->hasFocus(), "an empty box keeps the focus");
    type("水力参数(0)", "1");
    QTest::keyClick(first, Qt::Key_Return);
    QVERIFY(box("水力参数(1)")->hasFocus());
    type("水力参数(11)", "150");
    box("水力参数(11)")->setFocus();
    QTest::keyClick(box("水力参数(11)"), Qt::Key_Enter);
    QVERIFY(first->hasFocus());

    type("关井基本数据(1)", "3.5");
    box("关井基本数据(1)")->setFocus();
    QTest::keyClick(box("关井基本数据(1)"), Qt::Key_Return);
    QVERIFY(box("原浆de比重")->hasFocus());
    QTest::keyClick(box("原浆de比重"), Qt::Key_Return);  // even while empty
    QVERIFY(box("加重剂用量(0)")->hasFocus());

    type("测深(2)", "100");
    box("测深(2)")->setFocus();
    QTest::keyClick(box("测深(2)"), Qt::Key_Return);
    QVERIFY(box("测深(0)")->hasFocus());

    box("T8")->setFocus();
    QTest::keyClick(box("T8"), Qt::Key_Return);
    QVERIFY(box("T9")->hasFocus());
    QTest::keyClick(box("T9"), Qt::Key_Return);
    QVERIFY(box("T10")->hasFocus());
  }

  void hydraulicsLinesFollowTheTyping() {
    auto* p1 = view_->findChild<PictureBox*>("P1");
    fillHydraulics();
    const QStringList lines = pictureLines(p1);
    QCOMPARE(lines.size(), 11);
    QCOMPARE(lines.first(), QStringLiteral("泵 排 量  ：12.94 L/s"));
    QCOMPARE(lines[5], QStringLiteral("比水功率  ：0.35 W/mm^2"));
    QCOMPARE(lines.last(), QStringLiteral("功率利用率：34.13 %"));
    box("水力参数(8)")->clear();  // no bit: the picture empties
    QVERIFY(pictureLines(p1).isEmpty());
  }

  void casingWaitsForAGradeThenFollowsTheBoxes() {
    auto* picture = view_->findChild<PictureBox*>("Picture1");
    type("套管(0)", "1.2");
    type("套管(1)", "2000");
    type("套管(2)", "1980");
    QVERIFY(pictureLines(picture).isEmpty());
    auto* casingGrade = view_->findChild<QComboBox*>(QStringLiteral("Combo1"));
    casingGrade->setCurrentIndex(0);
    emit casingGrade->activated(0);
    const QStringList lines = pictureLines(picture);
    QCOMPARE(lines, (QStringList{"重  量：50.60吨", "抗  拉：2.21", "抗  挤：1.47", "抗内压：1.59",
                                 "替  量：24.01m^3"}));
    casingGrade->setCurrentIndex(2);
    emit casingGrade->activated(2);
    QCOMPARE(pictureLines(picture)[1], QStringLiteral("抗  拉：1.67"));
    type("套管(0)", "0");
    QVERIFY(pictureLines(picture).isEmpty());
  }

  // The grade box takes only catalogue entries: leaving it untouched chooses nothing, any other
  // text goes back to the grade in force, in view.
  void casingGradeBoxTakesOnlyCatalogueEntries() {
    auto* picture = view_->findChild<PictureBox*>("Picture1");
    auto* casingGrade = view_->findChild<QComboBox*>(QStringLiteral("Combo1"));
    QLineEdit* edit = casingGrade->lineEdit();
    const QString hint = QString::fromUtf8(kCasingCatalogue[0].text);
    type("套管(0)", "1.2");
    type("套管(1)", "2000");
    type("套管(2)", "1980");
    const auto leave = [&](const QString& typed) {
      edit->setFocus();
      if (!typed.isNull()) {
        edit->selectAll();
        edit->insert(typed);  // as typed, so the box counts as edited
      }
      box("套管(0)")->setFocus();
      QCoreApplication::processEvents();
    };
    leave(QString());
    QVERIFY(pictureLines(picture).isEmpty());
    QCOMPARE(edit->text(), hint);

    leave(QStringLiteral("abc"));
    QCOMPARE(edit->text(), hint);
    QCOMPARE(status(), QString::fromUtf8(kBadCasingGrade));
    QVERIFY(pictureLines(picture).isEmpty());

    const QString third = QString::fromUtf8(kCasingCatalogue[2].text);
    leave(third);
    QCOMPARE(pictureLines(picture).value(1), QStringLiteral("抗  拉：1.67"));
    leave(QStringLiteral("J55"));
    QCOMPARE(edit->text(), third);
    QCOMPARE(pictureLines(picture).value(1), QStringLiteral("抗  拉：1.67"));
  }

  // Physically impossible input is refused naming the box, and its result is cleared.
  void impossibleInputIsRefusedNamingTheBox() {
    type("卡点深(0)", "50");
    type("卡点深(1)", "20");
    QCOMPARE(box("卡点")->text(), QStringLiteral("1787.50"));
    type("卡点深(0)", "-50");
    QCOMPARE(status(), QStringLiteral("平均伸长应大于0且不大于10000cm，请重新输入！"));
    QCOMPARE(box("卡点")->text(), QString());
  }

  void killDensityChainsIntoWeightingAndMarginAddsOnce() {
    type("关井基本数据(0)", "2500");
    type("关井基本数据(1)", "3.5");
    type("加重剂用量(1)", "100");
    type("加重剂用量(2)", "4.2");
    type("原浆de比重", "1.20");
    QCOMPARE(box("加重剂用量(0)")->text(), QStringLiteral("1.34"));
    QCOMPARE(box("加重剂重量")->text(), QStringLiteral("5.87"));

    click("考虑附加压力");
    QCOMPARE(box("加重剂用量(0)")->text(), QStringLiteral(" 1.4576"));
    QCOMPARE(box("加重剂重量")->text(), QStringLiteral("11.27"));
    click("考虑附加压力");
    QCOMPARE(box("加重剂用量(0)")->text(), QStringLiteral(" 1.4576"));

    // An edit anywhere in the frame allows one more margin, on the density then in the box.
    type("加重剂用量(1)", "100");
    click("考虑附加压力");
    QCOMPARE(box("加重剂用量(0)")->text(), QStringLiteral(" 1.5752"));
    click("考虑附加压力");
    QCOMPARE(box("加重剂用量(0)")->text(), QStringLiteral(" 1.5752"));

    // The kill density starts over from the shut-in data.
    type("关井基本数据(1)", "3.5");
    QCOMPARE(box("加重剂用量(0)")->text(), QStringLiteral("1.34"));
    type("加重剂用量(2)", "1.3");  // material lighter than the planned mud
    QCOMPARE(box("加重剂重量")->text(), QString());

    type("关井基本数据(0)", "0");
    click("考虑附加压力");
    QCOMPARE(box("加重剂用量(0)")->text(), QStringLiteral("1.34"));
  }

  void stuckPointKeepsResultsWhenInputsAreMissing() {
    type("卡点深(0)", "50");
    type("卡点深(1)", "20");
    QCOMPARE(box("卡点")->text(), QStringLiteral("1787.50"));
    type("卡点深(2)", "215.9");
    type("卡点深(3)", "2500");
    auto* oil = view_->findChild<QLabel*>(QStringLiteral("泡油"));
    QCOMPARE(oil->text(), QStringLiteral("30.80"));

    box("卡点深(0)")->clear();
    QCOMPARE(box("卡点")->text(), QStringLiteral("1787.50"));
    QCOMPARE(oil->text(), QStringLiteral("30.80"));

    auto* drillPipe = view_->findChild<QComboBox*>(QStringLiteral("Combo2"));
    drillPipe->setEditText(QStringLiteral("φ127mm"));
    type("卡点深(0)", "60");
    QCOMPARE(box("卡点")->text(), QStringLiteral("1787.50"));

    drillPipe->setCurrentIndex(0);  // φ88.9mm×9mm, K = 475
    emit drillPipe->activated(0);
    QCOMPARE(box("卡点")->text(), QStringLiteral("1425.00"));
  }

  void azimuthTurnButtons() {
    type("测深(0)", "1000");
    type("测深(1)", "30");
    type("测深(2)", "100");
    type("T8", "1030");
    type("T9", "32");
    type("T10", "105");
    type("T6", "3");
    click("求初始装置角");
    QCOMPARE(box("T8")->text(), QStringLiteral("1108.69"));
    QCOMPARE(box("T5")->text(), QStringLiteral("54.29"));
    QCOMPARE(box("T4")->text(), QStringLiteral("184.29"));

    type("T8", "1030");
    type("T4", "150");
    click("求反扭角");
    QCOMPARE(box("T7")->text(), QStringLiteral("-4.29"));

    type("T5", "40");
    click("预计扭方位结果");
    QCOMPARE(box("T9")->text(), QStringLiteral("30.694"));
    QCOMPARE(box("T10")->text(), QStringLiteral("101.133"));

    type("T9", "32");
    type("T10", "105");
    type("T6", "0");
    click("求初始装置角");
    QCOMPARE(status(), QStringLiteral("请重新输入造斜率"));
    QCOMPARE(box("T8")->text(), QStringLiteral("1030"));
    QCOMPARE(box("T5")->text(), QStringLiteral("54.29"));
    type("T6", "3");
    QCOMPARE(status(), QStringLiteral("工具计算X12-3"));
  }

  void everyFrameFilledDrawsOnScreen() {
    fillHydraulics();
    type("套管(0)", "1.2");
    type("套管(1)", "2000");
    type("套管(2)", "1980");
    auto* casingGrade = view_->findChild<QComboBox*>(QStringLiteral("Combo1"));
    casingGrade->setCurrentIndex(0);
    emit casingGrade->activated(0);
    type("关井基本数据(0)", "2500");
    type("关井基本数据(1)", "3.5");
    type("加重剂用量(1)", "100");
    type("加重剂用量(2)", "4.2");
    type("原浆de比重", "1.20");
    type("卡点深(0)", "50");
    type("卡点深(1)", "20");
    type("卡点深(2)", "215.9");
    type("卡点深(3)", "2500");
    type("测深(0)", "1000");
    type("测深(1)", "30");
    type("测深(2)", "100");
    type("T8", "1030");
    type("T9", "32");
    type("T10", "105");
    type("T6", "3");
    click("求初始装置角");

    const QImage shot = view_->grab().toImage();
    if (qEnvironmentVariableIsSet("TARSEK_SCREENSHOT"))
      shot.save(qEnvironmentVariable("TARSEK_SCREENSHOT"));
    // The hydraulics picture really shows its text: count dark pixels inside it.
    auto* p1 = view_->findChild<PictureBox*>("P1");
    const QImage pic = p1->grab().toImage();
    int ink = 0;
    for (int y = 0; y < pic.height(); ++y)
      for (int x = 0; x < pic.width(); ++x)
        if (qGray(pic.pixel(x, y)) < 128) ++ink;
    QVERIFY2(ink > 500, qPrintable(QString::number(ink)));
  }
};

QTEST_MAIN(ToolsViewTest)
#include "tools_view_test.moc"
