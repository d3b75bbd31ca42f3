// The main window on the offscreen platform: menus, views, method, wells, closing, printing.

#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <cmath>
#include <deque>

#include "model/well_files.h"
#include "print/survey_paging.h"
#include "session/session_runs.h"
#include "session/well_io.h"
#include "survey/survey_calc.h"
#include "ui/about_dialog.h"
#include "ui/anticollision_view.h"
#include "ui/design_view.h"
#include "ui/first_run.h"
#include "ui/instance_lock.h"
#include "ui/page_output.h"
#include "ui/preview_page.h"
#include "ui/splash.h"
#include "ui/survey_view.h"
#include "ui/tools_view.h"
#include "ui/trajectory_view.h"
#include "uncertainty/session_uncertainty.h"

using namespace tarsek;

namespace {

// The main window with every question answered by the test instead of a box on the screen.
class TestWindow : public MainWindow {
 public:
  explicit TestWindow(Session& s) : MainWindow(s) {}
  QString fileToOpen;
  std::deque<Answer> answers;  // Yes/No/Cancel questions, in order; No when run out
  std::vector<std::string> questions;
  std::vector<std::string> messages;
  QString copiesAnswer;
  bool copiesOk = true;
  int copiesAsked = 0;
  QString pdfPath;
  int pdfAsked = 0;
  int paperAsked = 0;
  Answer paperAnswer = Answer::Yes;
  std::function<bool()> pageSetupAction;
  QString helpPath = QStringLiteral("/nonexistent/tarsek.qch");

  void showMessage(const std::string& text) override { messages.push_back(text); }
  Answer askYesNo(const std::string& text) override {
    questions.push_back(text);
    ++paperAsked;
    return paperAnswer;
  }

 protected:
  QString chooseWellFile() override { return fileToOpen; }
  QString helpFile() const override { return helpPath; }
  Answer questionYesNoCancel(const std::string& text) override {
    questions.push_back(text);
    if (answers.empty()) return Answer::No;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  QString askCopies(bool* ok) override {
    ++copiesAsked;
    *ok = copiesOk;
    return copiesAnswer;
  }
  QString choosePdfFile(const QString&) override {
    ++pdfAsked;
    return pdfPath;
  }
  bool runPageSetupDialog() override { return pageSetupAction ? pageSetupAction() : false; }
};

QByteArray crlf(const QStringList& lines) {
  QByteArray out;
  for (const QString& l : lines) out += l.toUtf8() + "\r\n";
  return out;
}

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(bytes);
}

// A single-target well with a few stations, in the program's file forms.
void writeWell(const QString& dir, const QString& wellNo, int stations) {
  writeFile(QDir(dir).filePath(wellNo + ".kvd"),
            crlf({QStringLiteral("\"%1\"").arg(wellNo),
                  "1,1000,2000,1005,2003,1300,2400,0,0,45,5,-3.5,1500,0,53.13,500,0,30",
                  "3,30,300,2,-1.5,1800"}));
  QStringList sur{QString::number(stations)};
  for (int i = 0; i < stations; ++i) {
    const double md = 300 + 25.0 * i;
    const double inc = std::min(30.0, 0.75 * i);
    sur << QStringLiteral("%1,%2,%3").arg(md).arg(inc).arg(i == 0 ? 0 : 52.5);
  }
  writeFile(QDir(dir).filePath(wellNo + ".sur"), crlf(sur));
}

QAction* action(QWidget& w, const char* name) {
  return w.findChild<QAction*>(QString::fromUtf8(name));
}

int visibleViews(MainWindow& w) {
  int n = 0;
  for (QWidget* v :
       {static_cast<QWidget*>(w.surveyView()), static_cast<QWidget*>(w.designView()),
        static_cast<QWidget*>(w.trajectoryView()), static_cast<QWidget*>(w.antiCollisionView()),
        static_cast<QWidget*>(w.toolsView())}) {
    if (v->isVisibleTo(&w)) ++n;
  }
  return n;
}

int pdfPages(const QString& path) {
  QProcess p;
  p.start(QStringLiteral("pdfinfo"), {path});
  if (!p.waitForFinished(30000)) return -1;
  for (const QByteArray& line : p.readAllStandardOutput().split('\n')) {
    if (line.startsWith("Pages:")) return line.mid(6).trimmed().toInt();
  }
  return -1;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir tmp_;
  QString wells_;
  std::unique_ptr<Session> session_;
  std::unique_ptr<TestWindow> w_;

  void makeWindow() {
    w_.reset();
    session_ = std::make_unique<Session>();
    session_->wellDirectory = wells_.toStdString();
    w_ = std::make_unique<TestWindow>(*session_);
    w_->resize(1000, 700);
    w_->show();
  }
  void openA12() {
    w_->fileToOpen = QDir(wells_).filePath(QStringLiteral("A12.kvd"));
    w_->openWell();
    QCOMPARE(QString::fromStdString(session_->well.wellNo), QStringLiteral("A12"));
  }

 private slots:
  void initTestCase() {
    QVERIFY(tmp_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, tmp_.filePath("config"));
    QStandardPaths::setTestModeEnabled(true);
  }

  void init() {
    wells_ = tmp_.filePath(QStringLiteral("wells-%1").arg(QTest::currentTestFunction()));
    QDir(wells_).removeRecursively();
    QVERIFY(QDir().mkpath(wells_));
    writeWell(wells_, QStringLiteral("A12"), 12);
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Tarsek", "Tarsek").clear();
    makeWindow();
  }

  void cleanup() {
    if (session_) {
      session_->surveyDirty = Unsaved::Nothing;
      session_->designDirty = Unsaved::Nothing;
    }
    w_.reset();
    session_.reset();
  }

  void menusCarryTheirNamesAndCaptions() {
    const std::pair<const char*, const char*> items[] = {
        {"新增", "新增"},
        {"打开", "打开"},
        {"mnuFilePageSetup", "页面设置"},
        {"mnuFilePrintPreview", "打印预览"},
        {"mnuFilePrint", "打印"},
        {"mnuFileExit", "退出"},
        {"mnuEditUndo", "平均角法"},
        {"mnuEditCut", "校正平均角法"},
        {"xb", "弦步法"},
        {"ph", "平衡正切法"},
        {"zq", "正切法"},
        {"minimumCurvature", "最小曲率法"},
        {"mnuViewToolbar", "基本数据"},
        {"cxsj", "测斜数据"},
        {"mnuToolsOptions", "基本数据"},
        {"mnuWindowCascade", "测斜数据"},
        {"mnuWindowArrangeIcons", "剖面图"},
        {"mnuHelpContents", "目录(&C)"},
        {"mnuHelpSearchForHelpOn", "搜索帮助主题(&S)..."},
        {"mnuHelpAbout", "关于(&A) "},
        {"工具", "工具"},
        {"关闭预览", "关闭预览"},
        {"页面设置", "页面设置"},
        {"预览打印", "预览打印"},
    };
    for (const auto& [name, caption] : items) {
      QAction* a = action(*w_, name);
      QVERIFY2(a != nullptr, name);
      QCOMPARE(a->text(), QString::fromUtf8(caption));
    }
    const std::pair<const char*, const char*> menus[] = {{"mnuFile", "井位"},
                                                         {"mnuEdit", "计算方法"},
                                                         {"mnuView", "剖面设计及计算"},
                                                         {"mnuTools", "打印"},
                                                         {"mnuHelp", "帮助"}};
    for (const auto& [name, caption] : menus) {
      QMenu* m = w_->findChild<QMenu*>(QString::fromUtf8(name));
      QVERIFY2(m != nullptr, name);
      QCOMPARE(m->title(), QString::fromUtf8(caption));
      QVERIFY(m->menuAction()->isVisible());
    }
    for (const char* name : {"mnuFileBar0", "mnuFileBar5", "mnuHelpBar0"}) {
      QVERIFY2(action(*w_, name) != nullptr && action(*w_, name)->isSeparator(), name);
    }
    QVERIFY(action(*w_, "mnuWindowTileHorizontal") != nullptr);
    QVERIFY(w_->findChild<QToolBar*>(QStringLiteral("tbToolBar")) != nullptr);
    QVERIFY(w_->findChild<QWidget*>(QStringLiteral("sbStatusBar")) != nullptr);
    // The preview menus wait for the preview; 平均角法 is the method at start.
    QVERIFY(!action(*w_, "关闭预览")->isVisible());
    QVERIFY(!action(*w_, "预览打印")->isVisible());
    QVERIFY(action(*w_, "mnuEditUndo")->isChecked());
    QCOMPARE(session_->calcMethod, SurveyMethod::AverageAngle);
  }

  void helpWithoutItsFileAndAboutSayTheirTexts() {
    action(*w_, "mnuHelpContents")->trigger();
    action(*w_, "mnuHelpSearchForHelpOn")->trigger();
    QCOMPARE(w_->messages.size(), std::size_t{2});
    QCOMPARE(w_->messages[0], std::string("该程序没有来得及作相关联的帮助。"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.2"));
    AboutDialog about;
    QCOMPARE(about.windowTitle(), QStringLiteral("关于 Tarsek"));
    QCOMPARE(about.findChild<QLabel*>("lblVersion")->text(), QStringLiteral("版本 1.2.0"));
    QCOMPARE(about.findChild<QLabel*>("lblTitle")->text(), QStringLiteral("程序标题:Tarsek"));
    QCOMPARE(about.findChild<QLabel*>("lblDescription")->text(),
             QStringLiteral("程序描述:Tarsek二段式剖面设计、计算、            扭方位及防碰预测等"));
    QPushButton* ok = about.findChild<QPushButton*>("cmdOK");
    QCOMPARE(ok->text(), QStringLiteral("确定"));
    about.show();
    ok->click();
    QVERIFY(!about.isVisible());
  }

  void viewsSwitchOneAtATimeWithTheirStatus() {
    openA12();
    QCOMPARE(w_->windowTitle(), QStringLiteral("Tarsek[A12井]"));
    const std::pair<int, const char*> views[] = {{kSurveyView, "A12井测斜计算数据"},
                                                 {kDesignView, "A12井设计数据"},
                                                 {kTrajectoryView, "A12井轨迹图"},
                                                 {kAntiCollisionView, "A12井防碰图"},
                                                 {kToolsView, "A12工具计算"}};
    for (const auto& [code, status] : views) {
      w_->showView(code);
      QCOMPARE(w_->currentView(), code);
      QCOMPARE(w_->statusText(), QString::fromUtf8(status));
      QCOMPARE(visibleViews(*w_), 1);
    }
    // The view already shown: nothing changes, not even a status text put there since.
    w_->setStatusText("别的提示");
    w_->showView(kToolsView);
    QCOMPARE(w_->statusText(), QStringLiteral("别的提示"));
    w_->showView(0);
    w_->showView(6);
    QCOMPARE(w_->currentView(), int{kToolsView});

    // Menus and toolbar keys reach the same views; 复制 is the tools view, 粘贴 prints.
    action(*w_, "cxsj")->trigger();
    QCOMPARE(w_->currentView(), int{kSurveyView});
    action(*w_, "mnuViewToolbar")->trigger();
    QCOMPARE(w_->currentView(), int{kDesignView});
    action(*w_, "工具")->trigger();
    QCOMPARE(w_->currentView(), int{kToolsView});
    w_->toolbarClicked(QStringLiteral("轨迹"));
    QCOMPARE(w_->currentView(), int{kTrajectoryView});
    w_->toolbarClicked(QStringLiteral("防碰计算"));
    QCOMPARE(w_->currentView(), int{kAntiCollisionView});
    w_->toolbarClicked(QStringLiteral("cx"));
    QCOMPARE(w_->currentView(), int{kSurveyView});
    w_->toolbarClicked(QStringLiteral("复制"));
    QCOMPARE(w_->currentView(), int{kToolsView});
    w_->toolbarClicked(QStringLiteral("新增"));
    QCOMPARE(w_->currentView(), int{kDesignView});
    w_->toolbarClicked(QStringLiteral("剪切"));
    QCOMPARE(w_->currentView(), int{kDesignView});
    QCOMPARE(w_->copiesAsked, 0);
    // 粘贴 is print with copies: it asks for the copies and prints them (into the file when the
    // desk has no printer), and the view stays.
    const QString pdf = tmp_.filePath("toolbar.pdf");
    QFile::remove(pdf);
    w_->pdfPath = pdf;
    w_->copiesAnswer = QStringLiteral("1");
    w_->toolbarClicked(QStringLiteral("粘贴"));
    QCOMPARE(w_->copiesAsked, 1);
    QCOMPARE(w_->currentView(), int{kDesignView});
    if (!w_->hasSystemPrinter()) QVERIFY(QFile::exists(pdf));
  }

  void methodMenuChecksOneAndRecomputes() {
    openA12();
    const auto method0 = session_->well.results;
    const char* names[] = {"mnuEditUndo", "mnuEditCut", "xb", "ph", "zq", "minimumCurvature"};
    for (SurveyMethod m : kSurveyMethods) {
      const int k = MethodCode(m);
      action(*w_, names[k])->trigger();
      QCOMPARE(session_->calcMethod, m);
      for (int j = 0; j < kMethodCount; ++j) QCOMPARE(action(*w_, names[j])->isChecked(), j == k);
      auto stations = session_->well.stations;
      const auto expected =
          ComputeTrajectory(stations, session_->well, session_->well.stationCount, m);
      const int last = session_->well.stationCount - 1;
      QCOMPARE(session_->well.results[last].north, expected[last].north);
    }
    QVERIFY(session_->well.results[11].north != method0[11].north);
    // Choosing the checked item again still recomputes.
    session_->well.results[11].north = 12345;
    action(*w_, "zq")->trigger();
    QVERIFY(session_->well.results[11].north != 12345);
    QVERIFY(action(*w_, "zq")->isChecked());
  }

  void openCancelLeavesTheWellAndOpenLoadsAnother() {
    openA12();
    writeWell(wells_, QStringLiteral("B7"), 3);
    w_->fileToOpen.clear();
    w_->openWell();
    QCOMPARE(QString::fromStdString(session_->well.wellNo), QStringLiteral("A12"));
    QVERIFY(w_->questions.empty());

    // A well with unsaved changes: the question comes, and Cancel still lets the open go on.
    session_->surveyDirty = Unsaved::Stations;
    session_->predictStart = 5;
    session_->savedTarget1X = 3;
    session_->savedTarget1Y = 4;
    w_->answers = {Answer::Cancel};
    w_->fileToOpen = QDir(wells_).filePath(QStringLiteral("B7.kvd"));
    w_->openWell();
    QCOMPARE(w_->questions.size(), std::size_t{1});
    QCOMPARE(w_->questions[0], std::string("是否保存A12井测斜数据的更改?"));
    QCOMPARE(QString::fromStdString(session_->well.wellNo), QStringLiteral("B7"));
    QCOMPARE(session_->well.stationCount, std::int16_t{3});
    QCOMPARE(session_->surveyDirty, Unsaved::Nothing);
    QCOMPARE(session_->predictStart, std::int16_t{0});
    QCOMPARE(session_->savedTarget1X, 0.0);
    QCOMPARE(w_->windowTitle(), QStringLiteral("Tarsek[B7井]"));

    // A refused file is told and leaves the open well alone.
    writeFile(QDir(wells_).filePath(QStringLiteral("BAD.kvd")), "\"BAD\"\r\nnot numbers\r\n");
    w_->fileToOpen = QDir(wells_).filePath(QStringLiteral("BAD.kvd"));
    w_->openWell();
    QCOMPARE(QString::fromStdString(session_->well.wellNo), QStringLiteral("B7"));
    QVERIFY(!w_->messages.empty());
    // The hourglass of the failed open is gone again.
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QCOMPARE(w_->windowTitle(), QStringLiteral("Tarsek[B7井]"));
  }

  void closingFollowsTheSaveAnswer() {
    openA12();
    const QString sur = QDir(wells_).filePath(QStringLiteral("A12.sur"));
    // Cancel: the program stays, with the well and its change.
    session_->surveyDirty = Unsaved::Stations;
    session_->well.stations[11].inclination = 29.5;
    w_->answers = {Answer::Cancel};
    QVERIFY(!w_->close());
    QVERIFY(w_->isVisible());
    QCOMPARE(session_->surveyDirty, Unsaved::Stations);
    QVERIFY(MainWindow::rememberedWellNo().isEmpty());
    // No: closes without writing, and remembers the well.
    const QByteArray before = [&] {
      QFile f(sur);
      f.open(QIODevice::ReadOnly);
      return f.readAll();
    }();
    w_->answers = {Answer::No};
    QVERIFY(w_->close());
    QCOMPARE(MainWindow::rememberedWellNo(), QStringLiteral("A12"));
    {
      QFile f(sur);
      QVERIFY(f.open(QIODevice::ReadOnly));
      QCOMPARE(f.readAll(), before);
    }
    // Yes: the survey file is written before the window goes.
    makeWindow();
    openA12();
    session_->well.stations[11].inclination = 29.5;
    session_->surveyDirty = Unsaved::Stations;
    w_->answers = {Answer::Yes};
    QVERIFY(w_->close());
    QFile f(sur);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().contains("29.5"));
    QCOMPARE(session_->surveyDirty, Unsaved::Nothing);
  }

  void closingAsksAboutTypedDesignValues() {
    for (const char* ext : {".kvd", ".sur"})
      QVERIFY(QFile::copy(QStringLiteral(TARSEK_SAMPLES_DIR "/示例1") + ext,
                          QDir(wells_).filePath(QStringLiteral("示例1") + ext)));
    w_->fileToOpen = QDir(wells_).filePath(QStringLiteral("示例1.kvd"));
    w_->openWell();
    w_->showView(kDesignView);
    auto* kickoff = w_->designView()->findChild<QLineEdit*>(QStringLiteral("Text200(2)"));
    // Yes with a kick-off below the target designs nothing: the program stays and says why;
    // Yes with a good one designs with it, saves it and closes.
    for (const char* typed : {"99999", "650"}) {
      kickoff->setFocus();
      kickoff->selectAll();
      QTest::keyClicks(kickoff, QString::fromUtf8(typed));
      w_->answers = {Answer::Yes};
      QCOMPARE(w_->close(), typed[0] == '6');
    }
    QCOMPARE(w_->messages.size(), 1u);
    Session reread;
    QVERIFY(LoadWell(reread, reread.well, w_->fileToOpen.toStdString(), false, wells_.toStdString())
                .ok);
    QCOMPARE(reread.well.kickoffDepth, 650.0);
  }

  void closingKeepsTheWindowWhenTheSaveFails() {
    openA12();
    session_->surveyDirty = Unsaved::Stations;
    // A directory standing where the file goes makes the save fail whoever runs the test.
    QDir(wells_).removeRecursively();
    QVERIFY(QDir().mkpath(wells_ + "/A12.sur.tmp"));
    QVERIFY(QDir().mkpath(wells_ + "/A12.sur"));
    w_->answers = {Answer::Yes};
    QVERIFY(!w_->close());
    QVERIFY(!w_->messages.empty());
    QCOMPARE(session_->surveyDirty, Unsaved::Stations);
  }

  void startUpOpensTheRememberedWell() {
    {
      QSettings s(QSettings::NativeFormat, QSettings::UserScope, "Tarsek", "Tarsek");
      s.setValue(QStringLiteral("Settings/本井井号"), QStringLiteral("A12"));
    }
    w_->startUp();
    QCOMPARE(QString::fromStdString(session_->well.wellNo), QStringLiteral("A12"));
    QCOMPARE(w_->currentView(), int{kTrajectoryView});
    QCOMPARE(w_->statusText(), QStringLiteral("A12井轨迹图"));
    QCOMPARE(w_->windowTitle(), QStringLiteral("Tarsek[A12井]"));

    // A remembered well whose file is gone leaves no well and no view, silently.
    makeWindow();
    {
      QSettings s(QSettings::NativeFormat, QSettings::UserScope, "Tarsek", "Tarsek");
      s.setValue(QStringLiteral("Settings/本井井号"), QStringLiteral("GONE"));
    }
    w_->startUp();
    QVERIFY(session_->well.wellNo.empty());
    QCOMPARE(w_->currentView(), int{kNoView});
    QVERIFY(w_->messages.empty());
    QCOMPARE(w_->windowTitle(), QStringLiteral("Tarsek"));
  }

  void firstRunInstallsTheSampleWells() {
    QTemporaryDir samples;
    writeWell(samples.path(), QStringLiteral("S1"), 4);
    writeFile(QDir(samples.path()).filePath("S1.unc"), "btotal=50000\ndip=60\n");
    writeFile(QDir(samples.path()).filePath("T2.kvd"),
              crlf({"\"T2\"", "2,0,0,0,0,100,100,200,200,0,0,0,1000,1500,45,141.42,282.84,30",
                    "3,30,300,2,-1.5,1800"}));
    const QString empty = tmp_.filePath("first-run");
    QVERIFY(QDir().mkpath(empty));
    // The two-target well sorts first; the single-target one is the one to open.
    QCOMPARE(installSampleWells(empty, samples.path()), QStringLiteral("S1"));
    QVERIFY(QFile::exists(QDir(empty).filePath("T2.kvd")));
    QVERIFY(QFile::exists(QDir(empty).filePath("S1.sur")));
    QVERIFY(QFile::exists(QDir(empty).filePath("S1.unc")));
    // A directory that already holds wells is left alone.
    QVERIFY(installSampleWells(wells_, samples.path()).isEmpty());
    QVERIFY(!QFile::exists(QDir(wells_).filePath("S1.kvd")));
  }

  void secondInstanceIsRefused() {
    const QString path = tmp_.filePath("tarsek.lock");
    auto first = acquireInstanceLock(path);
    QVERIFY(first != nullptr);
    QVERIFY(acquireInstanceLock(path) == nullptr);
    first.reset();
    auto again = acquireInstanceLock(path);
    QVERIFY(again != nullptr);
    again.reset();
    // A lock left by a process that is gone (a crash) is taken over.
    writeFile(path, "999999999\ntarsek\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    QVERIFY(acquireInstanceLock(path) != nullptr);
  }

  void splashFadesAndShowsTheMainWindowOnce() {
    QCOMPARE(splashFadeLevel(0), 0);
    QCOMPARE(splashFadeLevel(1), 1);    // 1.275
    QCOMPARE(splashFadeLevel(2), 3);    // 2.55
    QCOMPARE(splashFadeLevel(10), 13);  // 12.75
    QCOMPARE(splashFadeLevel(20), 26);  // 25.5, half to even
    QCOMPARE(splashFadeLevel(200), 255);
    int shown = 0;
    SplashScreen splash([&shown] { ++shown; });
    QSignalSpy done(&splash, &SplashScreen::finished);
    QVERIFY(QApplication::overrideCursor() != nullptr);
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    splash.show();
    splash.tick();
    QCOMPARE(shown, 1);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 10000);
    QCOMPARE(shown, 1);
    QCOMPARE(splash.ticks(), 201);
    QVERIFY(!splash.isVisible());
  }

  void withNoWellPrintingDoesNothing() {
    w_->copiesAnswer = QStringLiteral("1");
    for (const char* name : {"mnuFilePrint", "mnuFilePrintPreview", "mnuWindowCascade",
                             "mnuWindowArrangeIcons", "mnuToolsOptions"}) {
      action(*w_, name)->trigger();
    }
    QCOMPARE(w_->pdfAsked, 0);
    QVERIFY(!w_->previewing());
  }

  void previewHidesTheMenusAndRestoresThem() {
    openA12();
    w_->showView(kSurveyView);
    action(*w_, "mnuFilePrintPreview")->trigger();
    QVERIFY(w_->previewing());
    QCOMPARE(w_->statusText(), QStringLiteral("A12井打印预览"));
    for (const char* m : {"mnuFile", "mnuEdit", "mnuView", "mnuTools", "mnuHelp"}) {
      QVERIFY2(!w_->findChild<QMenu*>(m)->menuAction()->isVisible(), m);
    }
    QVERIFY(!action(*w_, "工具")->isVisible());
    QVERIFY(!w_->findChild<QToolBar*>("tbToolBar")->isVisible());
    for (const char* m : {"关闭预览", "页面设置", "预览打印"})
      QVERIFY2(action(*w_, m)->isVisible(), m);
    QCOMPARE(visibleViews(*w_), 0);
    // 12 stations fit one page: the survey page, then the plot on a fresh one.
    QCOMPARE(w_->previewPages().size(), std::size_t{2});
    QCOMPARE(w_->previewPages()[0]->drawingCount(), std::size_t{1});
    QCOMPARE(w_->previewPages()[1]->drawingCount(), std::size_t{1});
    // Pages are stacked with a gap of 1/25 of a page and centred.
    const auto* p0 = w_->previewPages()[0].data();
    const auto* p1 = w_->previewPages()[1].data();
    QCOMPARE(p0->y(), p0->height() / 25);
    QCOMPARE(p1->y(), 27 * p0->height() / 25);
    QVERIFY(std::abs(p0->x() * 2 + p0->width() - p0->parentWidget()->width()) <= 1);

    action(*w_, "关闭预览")->trigger();
    QVERIFY(!w_->previewing());
    QVERIFY(w_->previewPages().empty());
    for (const char* m : {"mnuFile", "mnuEdit", "mnuView", "mnuTools", "mnuHelp"}) {
      QVERIFY2(w_->findChild<QMenu*>(m)->menuAction()->isVisible(), m);
    }
    QVERIFY(w_->findChild<QToolBar*>("tbToolBar")->isVisible());
    for (const char* m : {"关闭预览", "页面设置", "预览打印"})
      QVERIFY2(!action(*w_, m)->isVisible(), m);
    QCOMPARE(w_->currentView(), int{kSurveyView});
    QCOMPARE(visibleViews(*w_), 1);
    QCOMPARE(w_->statusText(), QStringLiteral("A12井测斜计算数据"));
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  void previewZoomCyclesAndShapesThePointer() {
    openA12();
    w_->enterPreview();
    const int width1 = w_->previewPages()[0]->width();
    const double expected[] = {1.5, 0.5, 1.0, 1.5};
    for (double z : expected) {
      w_->cyclePreviewZoom();
      QCOMPARE(w_->previewZoom(), z);
      const PreviewPage* page = w_->previewPages()[0].data();
      QVERIFY(std::abs(page->width() - width1 * z) <= 1.0);
      QCOMPARE(page->cursor().shape(), z == 1.0 ? Qt::UpArrowCursor : Qt::SizeAllCursor);
    }
    // A click on a page does the same, once the click is over.
    QTest::mouseClick(w_->previewPages()[0].data(), Qt::LeftButton);
    QTRY_COMPARE(w_->previewZoom(), 0.5);
  }

  void previewPagesFollowTheStationCount() {
    openA12();
    // 2000 stations, then a count that fills its pages exactly.
    auto& well = session_->well;
    auto fill = [&well](int n) {
      well.stations.assign(static_cast<std::size_t>(n) + 1, SurveyStation{});
      well.results.assign(static_cast<std::size_t>(n) + 1, StationResult{});
      for (int i = 0; i < n; ++i) {
        well.stations[i].index = static_cast<std::int16_t>(i);
        well.stations[i].md = 10.0 * i;
      }
      well.stationCount = static_cast<std::int16_t>(n);
    };
    fill(2000);
    w_->enterPreview();
    const std::size_t pages2000 = w_->previewPages().size();
    QVERIFY(pages2000 > 20 && pages2000 < 100);
    w_->leavePreview();
    // Whatever the rows per page are, a count of full pages gets one heading-only page more:
    // the smallest r whose 3r stations take five pages (three full, the empty one, the plot).
    int perPage = 0;
    for (int r = 1; r <= 200 && perPage == 0; ++r) {
      fill(r * 3);
      w_->enterPreview();
      if (w_->previewPages().size() == 5) perPage = r;
      w_->leavePreview();
    }
    QVERIFY(perPage > 0);
    fill(perPage * 3 - 1);
    w_->enterPreview();
    QCOMPARE(w_->previewPages().size(), std::size_t{4});
    w_->leavePreview();
  }

  void pageSetupRebuildsAShownPreview() {
    openA12();
    w_->enterPreview();
    const int portraitW = w_->previewPages()[0]->width();
    const int portraitH = w_->previewPages()[0]->height();
    QVERIFY(portraitH > portraitW);  // A4 portrait without a printer
    w_->pageSetupAction = [this] {
      w_->printer().setPageOrientation(QPageLayout::Landscape);
      return true;
    };
    action(*w_, "页面设置")->trigger();
    QVERIFY(w_->previewPages()[0]->width() > w_->previewPages()[0]->height());
    // Cancelled: the preview stays as it is.
    w_->pageSetupAction = [] { return false; };
    const auto* before = w_->previewPages()[0].data();
    w_->pageSetup();
    QCOMPARE(w_->previewPages()[0].data(), before);
  }

  void copiesDecideHowOftenThePagesPrint() {
    if (w_->hasSystemPrinter()) QSKIP("a system printer is installed: pages would go to it");
    openA12();
    const QString pdf = tmp_.filePath("copies.pdf");
    w_->pdfPath = pdf;
    // Nothing, and no word about it, for none or fewer copies; a count no copy count holds is
    // refused with a message.
    struct Case {
      const char* answer;
      int pages;
      bool message;
    };
    const Case cases[] = {{"0", 0, false},      {"abc", 0, false}, {"-3", 0, false},
                          {"-40000", 0, false}, {"1e9", 0, true},  {"2", 4, false}};
    for (const auto& [answer, pages, message] : cases) {
      QFile::remove(pdf);
      w_->messages.clear();
      w_->copiesAnswer = QString::fromUtf8(answer);
      action(*w_, "mnuFilePrint")->trigger();
      QCOMPARE(w_->messages.size(), message ? 1u : 0u);
      if (pages == 0) {
        QVERIFY2(!QFile::exists(pdf), answer);
      } else {
        QVERIFY(QFile::exists(pdf));
        if (QStandardPaths::findExecutable("pdfinfo").isEmpty()) QSKIP("pdfinfo is missing");
        QCOMPARE(pdfPages(pdf), pages);  // each copy: one survey page and the plot page
      }
    }
    // No paper question for a file, and one file for all copies.
    QCOMPARE(w_->paperAsked, 0);
    QCOMPARE(w_->pdfAsked, 1);
  }

  void aFileThatCannotBeWrittenSaysWhyAndPrintingStays() {
    if (w_->hasSystemPrinter()) QSKIP("a system printer is installed: pages would go to it");
    openA12();
    const QString folder = tmp_.filePath("pdf-folder");
    QVERIFY(QDir().mkpath(folder + "/taken.pdf"));
    const std::pair<QString, const char*> cases[] = {
        {tmp_.filePath("no-such-folder/plot.pdf"), "目录不存在"},
        {folder + "/taken.pdf", "同名的目录已存在"}};
    for (const auto& [path, reason] : cases) {
      w_->messages.clear();
      w_->pdfPath = path;
      action(*w_, "mnuWindowArrangeIcons")->trigger();
      QCOMPARE(w_->messages.size(), 1u);
      const QString said = QString::fromStdString(w_->messages[0]);
      QVERIFY2(said.contains(path) && said.contains(QString::fromUtf8(reason)), qPrintable(said));
      QVERIFY(QDir(folder).entryList(QDir::Files).isEmpty());  // no temporary file left behind
    }
    for (const char* name : {"mnuFilePrint", "mnuFilePrintPreview"})
      QVERIFY(action(*w_, name)->isEnabled());
    QVERIFY(w_->findChild<QMenu*>(QStringLiteral("mnuTools"))->menuAction()->isEnabled());
    // The next print into a good file goes through.
    w_->messages.clear();
    w_->pdfPath = folder + "/plot.pdf";
    action(*w_, "mnuWindowArrangeIcons")->trigger();
    QVERIFY(w_->messages.empty());
    QVERIFY(QFile::exists(w_->pdfPath));
  }

  void paperQuestionNoEndsTheRun() {
    openA12();
    QPrinter printer(QPrinter::HighResolution);
    PageOutput out(printer, QString());  // a single-sheet printer: the paper comes first
    QVERIFY(out.asksForPaper());
    int asked = 0;
    const PrintRun run = PrintSurveyPages(out, printer, *session_, [&asked] {
      ++asked;
      return false;
    });
    QCOMPARE(run, PrintRun::Cancelled);
    QCOMPARE(asked, 1);
    QCOMPARE(out.pages(), 0);
  }

  void singleReportsGoToTheChosenFile() {
    if (w_->hasSystemPrinter()) QSKIP("a system printer is installed: pages would go to it");
    openA12();
    const QString pdf = tmp_.filePath("single.pdf");
    // Cancelling the file choice prints nothing.
    w_->pdfPath.clear();
    action(*w_, "mnuWindowCascade")->trigger();
    QCOMPARE(w_->pdfAsked, 1);
    QVERIFY(!QFile::exists(pdf));
    w_->pdfPath = pdf;
    for (const char* name : {"mnuWindowCascade", "mnuWindowArrangeIcons"}) {
      QFile::remove(pdf);
      action(*w_, name)->trigger();
      QVERIFY2(QFile::exists(pdf), name);
      if (!QStandardPaths::findExecutable("pdfinfo").isEmpty()) QCOMPARE(pdfPages(pdf), 1);
    }
    // The design report needs a design: this well's data designs none, so nobody is asked.
    QFile::remove(pdf);
    const int asked = w_->pdfAsked;
    action(*w_, "mnuToolsOptions")->trigger();
    QCOMPARE(w_->pdfAsked, asked);
    QVERIFY(!QFile::exists(pdf));
    for (const char* ext : {".kvd", ".sur"}) {
      QVERIFY(QFile::copy(QStringLiteral(TARSEK_SAMPLES_DIR "/示例1") + ext,
                          QDir(wells_).filePath(QStringLiteral("示例1") + ext)));
    }
    w_->fileToOpen = QDir(wells_).filePath(QStringLiteral("示例1.kvd"));
    w_->openWell();
    action(*w_, "mnuToolsOptions")->trigger();
    QVERIFY(QFile::exists(pdf));
    if (!QStandardPaths::findExecutable("pdfinfo").isEmpty()) QCOMPARE(pdfPages(pdf), 1);
    QCOMPARE(w_->paperAsked, 0);
  }

  // Without its parameter file the well shows why and offers no uncertainty anywhere; with
  // it the status, the preview and the print menu carry the figures, and the toggle hides the
  // ellipses.
  void uncertaintyFollowsTheParameterFile() {
    openA12();
    QCOMPARE(w_->uncertaintyStatusText(), QStringLiteral("未设置测量误差参数"));
    w_->enterPreview();
    const std::size_t plainPages = w_->previewPages().size();
    w_->leavePreview();
    action(*w_, "printUncertaintyAction")->trigger();
    QCOMPARE(w_->messages.back(), std::string("A12井未设置测量误差参数，无法打印位置误差！"));
    QCOMPARE(w_->pdfAsked, 0);

    unc::SiteParameters p;
    p.btotal = 54000;
    p.dip = 58;
    std::string message;
    QVERIFY(unc::SaveSiteParameters(wells_.toStdString(), "A12", p, message));
    DesignChanged(*session_);
    QCOMPARE(w_->uncertaintyStatusText(), QStringLiteral("误差模型：ISCWSA MWD Rev4  2σ"));
    QVERIFY(unc::ShownUncertainty(*session_) != nullptr);
    w_->enterPreview();
    QCOMPARE(w_->previewPages().size(), plainPages + 1);
    w_->leavePreview();
    QAction* toggle = action(*w_, "showUncertaintyAction");
    QVERIFY(toggle->isCheckable() && toggle->isChecked());
    toggle->trigger();
    QVERIFY(!session_->showUncertainty);
    QVERIFY(unc::ShownUncertainty(*session_) == nullptr);
    if (w_->hasSystemPrinter()) return;
    const QString pdf = tmp_.filePath("uncertainty.pdf");
    w_->pdfPath = pdf;
    action(*w_, "printUncertaintyAction")->trigger();
    QVERIFY(QFile::exists(pdf));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
