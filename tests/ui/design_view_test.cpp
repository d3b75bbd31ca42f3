#include "ui/design_view.h"

#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "common/numtext.h"
#include "survey/survey_calc.h"
#include "ui/fake_view_host.h"
#include "ui/report_pdf.h"

using namespace tarsek;

namespace {

// The session's runs work for real, so the tests read the recomputed design trajectory and the
// redrawn base data; the host counts what they told. Questions are answered Yes unless a test
// says otherwise.
class FakeHost : public FakeViewHost {
 public:
  int refreshes = 0;       // designs confirmed (Change::Design)
  int stationChanges = 0;  // target 1 moved or put back (Change::BasicData)
  int wellOpenings = 0;    // wells opened (Change::WellOpened)

  FakeHost() { answer = Answer::Yes; }

 private:
  ChangeNotifier::Subscription counting_ = s.changes.subscribe(
      {Change::Design, Change::BasicData, Change::WellOpened}, [this](Change c) {
        if (c == Change::Design) ++refreshes;
        if (c == Change::BasicData) ++stationChanges;
        if (c == Change::WellOpened) ++wellOpenings;
      });
};

}  // namespace

class DesignViewTest : public QObject {
  Q_OBJECT

  FakeHost* host_ = nullptr;
  DesignView* view_ = nullptr;
  std::unique_ptr<QTemporaryDir> dirHolder_;
  QTemporaryDir& dir() { return *dirHolder_; }

  template <typename T = QLineEdit>
  T* child(const QString& name) {
    T* w = view_->findChild<T*>(name);
    if (w == nullptr) qWarning() << "no control" << name;
    return w;
  }
  QLineEdit* basicDataBox(int k) { return child(QStringLiteral("Text2(%1)").arg(k)); }
  QLineEdit* profileBox(int k) { return child(QStringLiteral("Text200(%1)").arg(k)); }

  void type(QLineEdit* box, const QString& text) {
    box->clear();
    box->setText(text);
  }

  // The single-target well A12: pad (1000, 2000), skid 5 m at 90°, target (1300, 2400) at
  // 1500 m, kick-off 300 m, final depth 1800 m.
  void fillA12() {
    type(child("Text6"), "A12");
    type(basicDataBox(0), "1000");
    type(basicDataBox(1), "2000");
    type(basicDataBox(2), "1300");
    type(basicDataBox(3), "2400");
    type(basicDataBox(4), "90");
    type(basicDataBox(5), "5");
    type(basicDataBox(7), "1500");
    type(profileBox(2), "300");
    type(profileBox(5), "1800");
  }

 private slots:
  void init() {
    // A fresh well directory each time: wells saved by one case must not load in the next.
    dirHolder_ = std::make_unique<QTemporaryDir>();
    host_ = new FakeHost;
    host_->s.wellDirectory = dir().path().toStdString();
    host_->s.host = host_;
    view_ = new DesignView(*host_);
    view_->resize(1280, 720);
    view_->show();
    QVERIFY(QTest::qWaitForWindowExposed(view_));
  }

  void cleanup() {
    delete view_;
    delete host_;
  }

  void firstDisplay() {
    QCOMPARE(view_->objectName(), QStringLiteral("P设计数据"));
    QCOMPARE(child("Text6")->text(), QString());
    QCOMPARE(basicDataBox(6)->text(), QStringLiteral("-3.067"));
    QCOMPARE(profileBox(0)->text(), QStringLiteral("15"));
    QCOMPARE(profileBox(1)->text(), QStringLiteral("10"));
    QCOMPARE(profileBox(3)->text(), QStringLiteral("3"));
    QCOMPARE(profileBox(6)->text(), QStringLiteral("3"));
    QCOMPARE(profileBox(4)->text(), QStringLiteral("30"));
    QCOMPARE(profileBox(2)->text(), QString());
    QVERIFY(child<QRadioButton>("Option1")->isChecked());
    // The two-target group is off in single-target mode and follows the option buttons.
    const QStringList group = {"Text2(8)", "Text2(9)", "Text2(10)", "Text200(6)", "Text3"};
    for (const QString& name : group) QVERIFY2(!child(name)->isEnabled(), qPrintable(name));
    QVERIFY(!child<QLabel>("Label4")->isEnabled());
    QTest::mouseClick(child<QRadioButton>("Option2"), Qt::LeftButton);
    QCOMPARE(host_->s.well.targetCount, 2);
    for (const QString& name : group) QVERIFY2(child(name)->isEnabled(), qPrintable(name));
    QTest::mouseClick(child<QRadioButton>("Option1"), Qt::LeftButton);
    QCOMPARE(host_->s.well.targetCount, 1);
    QVERIFY(!basicDataBox(9)->isEnabled());
    for (const char* name :
         {"Frame4", "Frame5", "Frame6", "Frame7", "Frame8", "Command10", "Command20", "Picture8",
          "Picture9", "Picture10", "Picture12", "VScroll1", "L3", "L4", "Label41"})
      QVERIFY2(view_->findChild<QWidget*>(name) != nullptr, name);
  }

  void confirmWithEmptyNumberDoesNothing() {
    fillA12();
    type(child("Text6"), "");
    host_->status.clear();
    QTest::mouseClick(child<QPushButton>("Command10"), Qt::LeftButton);
    QVERIFY(host_->questions.empty());
    QCOMPARE(host_->status, std::string());
    QCOMPARE(host_->s.well.wellNo, std::string());
    QCOMPARE(host_->s.well.padWellheadX, 0.0);
    QCOMPARE(host_->s.designDirty, Unsaved::Nothing);
    QCOMPARE(child<QLabel>("L3")->text(), QString());
  }

  void verticalWellQuestion() {
    fillA12();
    type(basicDataBox(2), "1000");
    type(basicDataBox(3), "2005");  // the target under the wellhead
    host_->answer = Answer::No;
    QTest::mouseClick(child<QPushButton>("Command10"), Qt::LeftButton);
    QCOMPARE(host_->questions.size(), std::size_t{1});
    QCOMPARE(host_->questions[0], std::string("您设计的是直井！是否需要防碰？"));
    QCOMPARE(host_->s.designInvalid, std::int16_t{1});
    QCOMPARE(host_->refreshes, 0);
    QCOMPARE(child<QLabel>("L3")->text(), QStringLiteral("1000.00"));
    QCOMPARE(child<QLabel>("L4")->text(), QStringLiteral("2005.00"));
    // Saving is refused while the data are marked invalid.
    QTest::mouseClick(child<QPushButton>("Command20"), Qt::LeftButton);
    QCOMPARE(host_->status, std::string("设计数据有误！请重新输入"));

    host_->answer = Answer::Yes;
    QTest::mouseClick(child<QPushButton>("Command10"), Qt::LeftButton);
    QCOMPARE(host_->questions.size(), std::size_t{2});
    QCOMPARE(host_->s.designInvalid, std::int16_t{0});
    QCOMPARE(host_->refreshes, 1);
    QCOMPARE(host_->s.designSegments[3].md, 1800.0);
    QCOMPARE(host_->status, std::string("A12井基本数据"));
  }

  void confirmDesignsAndShowsTheDerivedValues() {
    fillA12();
    QTest::mouseClick(child<QPushButton>("Command10"), Qt::LeftButton);
    QVERIFY(host_->questions.empty());
    const WellRecord& w = host_->s.well;
    QCOMPARE(w.wellNo, std::string("A12"));
    QCOMPARE(w.wellheadY, 2005.0);
    QCOMPARE(host_->s.designDirty, Unsaved::Design);
    QCOMPARE(host_->s.designInvalid, std::int16_t{0});
    QCOMPARE(host_->refreshes, 1);
    QVERIFY(w.designPointCount > 10);
    QVERIFY(host_->s.designSegments[3].md > 1500);
    QCOMPARE(child("Text1")->text(), QString::fromStdString(formatFixed(w.designAzimuth, 2)));
    QCOMPARE(child("Text5")->text(), QStringLiteral("496.01"));
    // The refresh wrote the record back in plain form.
    QCOMPARE(basicDataBox(0)->text(), QStringLiteral(" 1000"));
    QCOMPARE(profileBox(0)->text(), QStringLiteral(" 15"));
  }

  void rejectedDataGoToTheStatusBar() {
    fillA12();
    type(profileBox(2), "1600");  // kick-off below the target
    QTest::mouseClick(child<QPushButton>("Command10"), Qt::LeftButton);
    QCOMPARE(host_->status, std::string("A12井设计造斜点有误，请重新输入！"));
    QCOMPARE(host_->s.designInvalid, std::int16_t{1});
    QCOMPARE(host_->refreshes, 0);
    QCOMPARE(child<QLabel>("L4")->text(), QStringLiteral("2005.00"));
  }

  void keyFilters() {
    QLineEdit* pad = basicDataBox(0);
    pad->setFocus();
    host_->status.clear();
    QTest::keyClicks(pad, "12a");
    QCOMPARE(pad->text(), QStringLiteral("12"));
    QCOMPARE(host_->status, std::string("按键有误！请重新输入"));
    host_->status.clear();
    QTest::keyClicks(pad, "-.5");
    QCOMPARE(pad->text(), QStringLiteral("12-.5"));
    QCOMPARE(host_->status, std::string());

    // A letter in a profile box is dropped without a word; an accepted key names the data.
    host_->s.well.wellNo = "A12";
    QLineEdit* rate = profileBox(0);
    rate->setFocus();
    QTest::keyClick(rate, Qt::Key_End);
    QTest::keyClicks(rate, "x,");
    QCOMPARE(rate->text(), QStringLiteral("15"));
    QCOMPARE(host_->status, std::string());
    QTest::keyClicks(rate, "5");
    QCOMPARE(rate->text(), QStringLiteral("155"));
    QCOMPARE(host_->status, std::string("A12井设计数据"));
  }

  void enterChains() {
    view_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(view_));
    type(child("Text6"), "");
    child("Text6")->setFocus();
    QTest::keyClick(child("Text6"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), basicDataBox(0));
    // An empty box keeps the focus; a filled one passes it on.
    type(basicDataBox(0), "");
    QTest::keyClick(basicDataBox(0), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), basicDataBox(0));
    type(basicDataBox(0), "1");
    QTest::keyClick(basicDataBox(0), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), basicDataBox(1));
    type(basicDataBox(7), "1500");
    basicDataBox(7)->setFocus();
    QTest::keyClick(basicDataBox(7), Qt::Key_Enter);
    QCOMPARE(QApplication::focusWidget(), profileBox(0));
    QTest::keyClick(profileBox(0), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), profileBox(1));
    type(profileBox(5), "1800");
    profileBox(5)->setFocus();
    QTest::keyClick(profileBox(5), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), child<QWidget>("Command10"));
  }

  void wellNumberChangeNamesTheStatus() {
    QTest::keyClicks(child("Text6"), "B7");
    QCOMPARE(host_->status, std::string("B7井基本数据输入"));
  }

  void targetByBearingDialog() {
    fillA12();
    QTest::mouseClick(child<QPushButton>("Command10"), Qt::LeftButton);
    QCOMPARE(host_->s.designInvalid, std::int16_t{0});
    QLineEdit* azimuth = child("Text1");
    const QString before = azimuth->text();
    azimuth->setFocus();
    QTest::keyClick(azimuth, 'w');
    QCOMPARE(azimuth->text(), before);
    auto* form2 = view_->findChild<QDialog*>("Form2");
    QVERIFY(form2 != nullptr);
    QVERIFY(form2->isVisible());
    QVERIFY(!form2->isModal());
    auto* t3 = form2->findChild<QLineEdit*>("Text3");
    auto* t5 = form2->findChild<QLineEdit*>("Text5");
    QCOMPARE(t3->text(), before);
    QCOMPARE(t5->text(), QStringLiteral("496.01"));

    // OK moves target 1 and keeps the design target; the form still shows the design target.
    t3->setText("90");
    t5->setText("100");
    QTest::mouseClick(form2->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    QCOMPARE(host_->s.savedTarget1X, 1300.0);
    QCOMPARE(host_->s.savedTarget1Y, 2400.0);
    QVERIFY(std::abs(host_->s.well.target1X - 1000) < 1e-9);
    QVERIFY(std::abs(host_->s.well.target1Y - 2105) < 1e-9);
    QCOMPARE(host_->stationChanges, 1);
    view_->showBasicData();
    QCOMPARE(basicDataBox(2)->text(), QStringLiteral(" 1300"));

    // Cancel in a new dialog puts the design target back.
    azimuth->setFocus();
    QTest::keyClick(azimuth, 'w');
    form2 = view_->findChild<QDialog*>("Form2");
    QVERIFY(form2 != nullptr && form2->isVisible());
    QTest::mouseClick(form2->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    QCOMPARE(host_->s.well.target1X, 1300.0);
    QCOMPARE(host_->s.well.target1Y, 2400.0);
    QCOMPARE(host_->stationChanges, 2);

    // Saving drops a temporary target: the file and the record hold the design target again.
    azimuth->setFocus();
    QTest::keyClick(azimuth, 'w');
    form2 = view_->findChild<QDialog*>("Form2");
    QVERIFY(form2 != nullptr);
    form2->findChild<QLineEdit*>("Text3")->setText("0");
    QTest::mouseClick(form2->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    QVERIFY(std::abs(host_->s.well.target1Y - 2005) < 1e-9);
    QTest::mouseClick(child<QPushButton>("Command20"), Qt::LeftButton);
    QVERIFY(QFile::exists(dir().filePath("A12.kvd")));
    QCOMPARE(host_->s.well.target1X, 1300.0);
    QCOMPARE(host_->s.well.target1Y, 2400.0);
  }

  // The form follows the changes it shows, told by the session: typed values that wait for
  // "确定" outlast a recompute and go with the well.
  void formFollowsTheChangesItShows() {
    WellRecord& w = host_->s.well;
    w.wellNo = "S2";
    w.padWellheadX = 1000.5;
    host_->s.changes.notify(Change::Stations);
    host_->s.changes.notify(Change::BasicData);
    QCOMPARE(child("Text6")->text(), QString());
    host_->s.changes.notify(Change::Method);
    QCOMPARE(basicDataBox(0)->text(), QStringLiteral(" 1000.5"));

    QTest::keyClicks(basicDataBox(0), "7");
    w.padWellheadX = 1200;
    host_->s.changes.notify(Change::Design);
    QCOMPARE(basicDataBox(0)->text(), QStringLiteral(" 1000.57"));
    host_->s.changes.notify(Change::WellOpened);
    QCOMPARE(basicDataBox(0)->text(), QStringLiteral(" 1200"));
    QVERIFY(!view_->hasUnconfirmedEdits());
  }

  void displayFillsTheFormFromTheRecord() {
    WellRecord& w = host_->s.well;
    w.wellNo = "S2";
    w.targetCount = 2;
    w.padWellheadX = 1000.5;
    w.target2X = 1400;
    w.target2Y = -0.25;
    w.target2Tvd = 1700;
    w.designDisplacement2 = 123.456;
    w.rotaryDropRate = -1.5;
    w.wellheadX = 1000.004;
    view_->showBasicData();
    QCOMPARE(child("Text6")->text(), QStringLiteral("S2"));
    QVERIFY(child<QRadioButton>("Option2")->isChecked());
    QVERIFY(basicDataBox(9)->isEnabled());
    QCOMPARE(basicDataBox(0)->text(), QStringLiteral(" 1000.5"));
    QCOMPARE(basicDataBox(10)->text(), QStringLiteral("-.25"));
    QCOMPARE(child("Text3")->text(), QStringLiteral("123.46"));
    QCOMPARE(profileBox(6)->text(), QStringLiteral("-1.5"));
    QCOMPARE(child<QLabel>("L3")->text(), QStringLiteral("1000.00"));
  }

  // Types a well number into Text6 and leaves the box with Enter, as the user does.
  void enterWellNumber(const QString& number) {
    view_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(view_));
    QLineEdit* box = child("Text6");
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, number);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), basicDataBox(0));
  }

  void newNumberKeepsTheDataAndConfirmDesignsIt() {
    fillA12();
    QTest::mouseClick(child<QPushButton>("Command10"), Qt::LeftButton);
    QCOMPARE(host_->s.designInvalid, std::int16_t{0});
    QTest::mouseClick(child<QPushButton>("Command20"), Qt::LeftButton);
    QCOMPARE(host_->s.designDirty, Unsaved::Nothing);
    QVERIFY(QFile::exists(dir().filePath("A12.kvd")));

    enterWellNumber("A13");
    const WellRecord& w = host_->s.well;
    QCOMPARE(w.wellNo, std::string("A13"));
    QCOMPARE(w.target1X, 1300.0);
    QCOMPARE(w.kickoffDepth, 300.0);
    QCOMPARE(basicDataBox(2)->text(), QStringLiteral(" 1300"));
    QCOMPARE(host_->wellOpenings, 0);
    QCOMPARE(host_->status, std::string("A13井基本数据输入"));

    type(basicDataBox(2), "1350");
    QTest::mouseClick(child<QPushButton>("Command10"), Qt::LeftButton);
    QCOMPARE(host_->status, std::string("A13井基本数据"));
    QCOMPARE(w.target1X, 1350.0);
    QCOMPARE(host_->s.designInvalid, std::int16_t{0});
    QVERIFY(host_->s.designSegments[3].md > 1500);

    // Back to A12: its file is loaded over the form, after the save question for A13.
    host_->answer = Answer::No;
    enterWellNumber("A12");
    QCOMPARE(host_->questions.size(), std::size_t{1});
    QCOMPARE(w.wellNo, std::string("A12"));
    QCOMPARE(w.target1X, 1300.0);
    QCOMPARE(host_->wellOpenings, 1);
    QCOMPARE(basicDataBox(2)->text(), QStringLiteral(" 1300"));
    QVERIFY(!QFile::exists(dir().filePath("A13.kvd")));
  }

  void cancelledSaveQuestionKeepsTheWell() {
    fillA12();
    QTest::mouseClick(child<QPushButton>("Command10"), Qt::LeftButton);
    QCOMPARE(host_->s.designDirty, Unsaved::Design);
    host_->answer = Answer::Cancel;
    enterWellNumber("B1");
    QCOMPARE(host_->s.well.wellNo, std::string("A12"));
    QCOMPARE(child("Text6")->text(), QStringLiteral("A12"));
    QCOMPARE(host_->s.designDirty, Unsaved::Design);
  }

  // Types into a box as the user does, replacing what it holds.
  void typeKeys(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
  }
  QByteArray savedA12() {
    QFile f(dir().filePath("A12.kvd"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

  void typedValuesWaitForConfirmationAndSaveOnlyWhenTheyDesign() {
    fillA12();
    QTest::mouseClick(child<QPushButton>("Command10"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("Command20"), Qt::LeftButton);
    const QByteArray saved = savedA12();
    // Typing is an unsaved change that no redisplay (resize, method change) takes away.
    typeKeys(profileBox(2), "400");
    QCOMPARE(host_->s.designDirty, Unsaved::Design);
    view_->resize(1100, 700);
    view_->showBasicData();
    QCOMPARE(profileBox(2)->text(), QStringLiteral("400"));
    view_->grab().save(QStringLiteral(TARSEK_BIN_DIR "/design_view_typed.png"));
    // "保存" confirms first: a rejected value saves nothing and says why; good ones are saved.
    typeKeys(profileBox(0), "0");
    QTest::mouseClick(child<QPushButton>("Command20"), Qt::LeftButton);
    QCOMPARE(host_->status, std::string("A12井设计造斜率有误，请重新输入！"));
    QCOMPARE(savedA12(), saved);
    typeKeys(profileBox(0), "15");
    QTest::mouseClick(child<QPushButton>("Command20"), Qt::LeftButton);
    QCOMPARE(host_->s.well.kickoffDepth, 400.0);
    QCOMPARE(host_->s.designDirty, Unsaved::Nothing);
    QVERIFY(savedA12() != saved);
  }

  void leavingTheWellAsksAboutTypedValues() {
    fillA12();
    QTest::mouseClick(child<QPushButton>("Command10"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("Command20"), Qt::LeftButton);
    const QByteArray saved = savedA12();
    // Yes with a value that designs nothing: A12 stays open, unwritten, and says why.
    typeKeys(profileBox(1), "95");
    host_->answer = Answer::Yes;
    enterWellNumber("B1");
    QCOMPARE(host_->s.well.wellNo, std::string("A12"));
    QCOMPARE(host_->messages.back(), std::string("A12井设计造到井斜有误，请重新输入！"));
    QCOMPARE(savedA12(), saved);
    // No: nothing is written, and loading A12 again shows what it holds.
    host_->answer = Answer::No;
    typeKeys(profileBox(1), "20");
    enterWellNumber("B1");
    enterWellNumber("A12");
    QCOMPARE(savedA12(), saved);
    QCOMPARE(profileBox(1)->text(), QStringLiteral(" 10"));
  }

  void unsafeWellNumberIsRefused() {
    fillA12();
    QTest::mouseClick(child<QPushButton>("Command10"), Qt::LeftButton);
    enterWellNumber("../x");
    QCOMPARE(host_->messages.size(), std::size_t{1});
    QCOMPARE(host_->messages[0], std::string("井号含有非法字符，请重新输入！"));
    QCOMPARE(host_->s.well.wellNo, std::string("A12"));
    QCOMPARE(child("Text6")->text(), QStringLiteral("A12"));
  }

  void failedSaveKeepsTheChangeMark() {
    fillA12();
    QTest::mouseClick(child<QPushButton>("Command10"), Qt::LeftButton);
    host_->s.wellDirectory = dir().filePath("gone").toStdString();
    QTest::mouseClick(child<QPushButton>("Command20"), Qt::LeftButton);
    QCOMPARE(host_->messages.size(), std::size_t{1});
    QVERIFY(host_->messages[0].find("A12") != std::string::npos);
    QCOMPARE(host_->s.designDirty, Unsaved::Design);
  }

  void designReportPdf() {
    const QString path = dir().filePath("report.pdf");
    const QPageSize a4(QPageSize::A4);
    QVERIFY(!WriteReportPdf(host_->s, Report::Design, path, a4).empty());  // no design yet
    QVERIFY(!QFile::exists(path));

    fillA12();
    QTest::mouseClick(child<QPushButton>("Command10"), Qt::LeftButton);
    QCOMPARE(WriteReportPdf(host_->s, Report::Design, path, a4), std::string());
    QFile pdf(path);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(4) == "%PDF");
    const QString tool = QStandardPaths::findExecutable("pdftotext");
    if (tool.isEmpty()) return;
    QProcess run;
    run.start(tool, {"-layout", path, "-"});
    QVERIFY(run.waitForFinished(30000));
    const QString text = QString::fromUtf8(run.readAllStandardOutput());
    QVERIFY2(text.contains(QStringLiteral("A12剖面设计基本数据")), qPrintable(text));
    // The text extractor squeezes blanks; the X value and "Y：" still run together.
    QVERIFY2(text.contains(
                 QRegularExpression(QStringLiteral("井口地理坐标X：\\s*1000.00Y：\\s*2005.00"))),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("A12剖面设计分段数据")));
  }

  void twoTargetDesign() {
    // Target 2 lies on a flatter line beyond target 1, so the hold drops toward it.
    fillA12();
    QTest::mouseClick(child<QRadioButton>("Option2"), Qt::LeftButton);
    type(basicDataBox(2), "1600");
    type(basicDataBox(3), "2805");
    type(basicDataBox(7), "2500");
    type(basicDataBox(9), "1780");
    type(basicDataBox(10), "3045");
    type(basicDataBox(8), "3100");
    type(profileBox(0), "6");
    type(profileBox(1), "15");
    type(profileBox(2), "500");
    type(profileBox(3), "3");
    type(profileBox(6), "2");
    type(profileBox(5), "3500");
    QTest::mouseClick(child<QPushButton>("Command10"), Qt::LeftButton);
    QCOMPARE(QString::fromStdString(host_->status), QStringLiteral("A12井基本数据"));
    QCOMPARE(host_->s.well.targetCount, std::int16_t{2});
    QCOMPARE(host_->s.designInvalid, std::int16_t{0});
    QVERIFY(host_->s.designSegments[5].md > 3500);
    QCOMPARE(child("Text3")->text(), QStringLiteral("1300.00"));
    const QString out = qEnvironmentVariable("TARSEK_SCREENSHOT");
    if (!out.isEmpty()) QVERIFY(view_->grab().save(out));
  }
};

QTEST_MAIN(DesignViewTest)
#include "design_view_test.moc"
