// The manual and the help window: every page and link of the manual resolves, every window and
// calculator has its page, F1 and the help menu open the right place, and the search finds
// Chinese words.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "ui/about_dialog.h"
#include "ui/anticollision_view.h"
#include "ui/design_view.h"
#include "ui/help_topics.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/site_parameters_dialog.h"
#include "ui/survey_view.h"
#include "ui/tools_view.h"
#include "ui/trajectory_view.h"

using namespace tarsek;

namespace {

const QString kManual = QStringLiteral(TARSEK_MANUAL_DIR);
const QString kQch = QStringLiteral(TARSEK_QCH);

QString readPage(const QString& page) {
  QFile f(kManual + QLatin1Char('/') + page);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(f.readAll());
}

bool hasAnchor(const QString& html, const QString& anchor) {
  return html.contains(QStringLiteral("id=\"%1\"").arg(anchor));
}

// The main window on the manual built beside the tests, with message boxes recorded.
class HelpedWindow : public MainWindow {
 public:
  explicit HelpedWindow(Session& s) : MainWindow(s) {}
  std::vector<std::string> messages;
  void showMessage(const std::string& text) override { messages.push_back(text); }

 protected:
  QString helpFile() const override { return kQch; }
};

}  // namespace

class HelpTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY2(QFileInfo(kQch).isFile(), "the manual is built before the window tests");
  }

  void everyLinkOfTheManualResolves() {
    const QStringList pages = QDir(kManual).entryList({QStringLiteral("*.html")}, QDir::Files);
    QVERIFY(pages.size() >= 20);
    static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
    int links = 0;
    for (const QString& page : pages) {
      const QString html = readPage(page);
      QVERIFY2(html.contains(QStringLiteral("<title>")), qPrintable(page));
      for (auto it = href.globalMatch(html); it.hasNext();) {
        const QString target = it.next().captured(1);
        if (target.contains(QStringLiteral("://"))) continue;
        const QString file = target.section(QLatin1Char('#'), 0, 0);
        const QString anchor = target.section(QLatin1Char('#'), 1);
        const QString in = file.isEmpty() ? page : file;
        QVERIFY2(QFileInfo::exists(kManual + QLatin1Char('/') + in),
                 qPrintable(page + QStringLiteral(" → ") + target));
        if (!anchor.isEmpty())
          QVERIFY2(hasAnchor(readPage(in), anchor),
                   qPrintable(page + QStringLiteral(" → ") + target));
        ++links;
      }
    }
    QVERIFY(links > 100);

    // The contents name every page once, and only pages that exist.
    QFile contents(kManual + QStringLiteral("/contents.txt"));
    QVERIFY(contents.open(QIODevice::ReadOnly));
    QSet<QString> listed;
    for (const QByteArray& raw : contents.readAll().split('\n')) {
      const QString line = QString::fromUtf8(raw).trimmed();
      if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
      const QString page = line.section(QLatin1Char('|'), 1, 1);
      QVERIFY2(pages.contains(page), qPrintable(line));
      QVERIFY2(!listed.contains(page), qPrintable(line));
      listed.insert(page);
    }
    QCOMPARE(listed.size(), pages.size());
  }

  void everyWindowControlAndCalculatorHasItsPlace() {
    for (const HelpWindowTopic& w : helpWindowTopics()) {
      const QString page = QString::fromStdString(w.page);
      QVERIFY2(!readPage(page).isEmpty(), qPrintable(page));
      for (const HelpField& f : w.fields) {
        const QString in = QString::fromStdString(f.page.empty() ? w.page : f.page);
        const QString html = readPage(in);
        QVERIFY2(!html.isEmpty(), qPrintable(in));
        if (!f.anchor.empty())
          QVERIFY2(hasAnchor(html, QString::fromStdString(f.anchor)),
                   qPrintable(QString::fromStdString(w.objectName + " " + f.objectName)));
      }
    }

    // The windows the program really has: the five views, the main window and its dialogs.
    Session session;
    HelpedWindow window(session);
    QStringList windows = {window.objectName(),
                           QStringLiteral("frmAbout"),
                           QStringLiteral("frmSplash"),
                           QStringLiteral("Form2"),
                           QStringLiteral("stationImportDialog"),
                           QStringLiteral("SiteParametersDialog"),
                           QStringLiteral("helpWindow")};
    for (QMdiSubWindow* sub : window.findChildren<QMdiSubWindow*>())
      windows << sub->widget()->objectName();
    QVERIFY(windows.size() >= 11);
    for (const QString& name : windows) {
      const HelpLocation at = helpLocationForChain({name});
      QVERIFY2(name == QStringLiteral("helpWindow") || at.page != QLatin1String(kHelpContentsPage),
               qPrintable(name));
    }

    // Every calculator frame of the tools view has a page of its own.
    QSet<QString> calculatorPages;
    for (const HelpField& c : helpCalculatorTopics()) {
      QVERIFY2(window.toolsView()->findChild<QWidget*>(QString::fromStdString(c.objectName)),
               c.objectName.c_str());
      const HelpLocation at = helpLocationForChain(
          {QString::fromStdString(c.objectName), window.toolsView()->objectName()});
      QCOMPARE(at.page, QString::fromStdString(c.page));
      QVERIFY(!readPage(at.page).isEmpty());
      calculatorPages.insert(at.page);
    }
    QCOMPARE(calculatorPages.size(), 5);
  }

  void f1OpensThePageOfTheFocusedControl_data() {
    QTest::addColumn<int>("view");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("anchor");
    QTest::newRow("survey depth") << int(kSurveyView) << QString::fromUtf8("T测深")
                                  << QString::fromUtf8("survey.html") << QString::fromUtf8("md");
    QTest::newRow("survey drift") << int(kSurveyView) << QString::fromUtf8("T10")
                                  << QString::fromUtf8("survey.html") << QString::fromUtf8("drift");
    QTest::newRow("design kick-off")
        << int(kDesignView) << QString::fromUtf8("Text200(2)") << QString::fromUtf8("design.html")
        << QString::fromUtf8("kickoff");
    QTest::newRow("design gate") << int(kDesignView) << QString::fromUtf8("Text2(4)")
                                 << QString::fromUtf8("design.html") << QString::fromUtf8("gate");
    QTest::newRow("anti-collision step")
        << int(kAntiCollisionView) << QString::fromUtf8("Text步长")
        << QString::fromUtf8("anticollision.html") << QString::fromUtf8("step");
    QTest::newRow("hydraulics box")
        << int(kToolsView) << QString::fromUtf8("水力参数(3)")
        << QString::fromUtf8("tool-hydraulics.html") << QString::fromUtf8("inputs");
    QTest::newRow("turn frame box")
        << int(kToolsView) << QString::fromUtf8("测深(1)") << QString::fromUtf8("tool-turn.html")
        << QString::fromUtf8("inputs");
    QTest::newRow("stuck point box")
        << int(kToolsView) << QString::fromUtf8("卡点深(2)") << QString::fromUtf8("tool-stuck.html")
        << QString::fromUtf8("stuck");
    QTest::newRow("trajectory view")
        << int(kTrajectoryView) << QString::fromUtf8("") << QString::fromUtf8("trajectory.html")
        << QString::fromUtf8("");
  }

  void f1OpensThePageOfTheFocusedControl() {
    QFETCH(int, view);
    QFETCH(QString, control);
    QFETCH(QString, page);
    QFETCH(QString, anchor);
    Session session;
    HelpedWindow window(session);
    window.show();
    window.showView(view);
    QWidget* const views[] = {nullptr,
                              window.surveyView(),
                              window.designView(),
                              window.trajectoryView(),
                              window.antiCollisionView(),
                              window.toolsView()};
    QWidget* shown = views[view];
    QWidget* target = control.isEmpty() ? shown : shown->findChild<QWidget*>(control);
    QVERIFY2(target != nullptr, qPrintable(control));
    QApplication::setActiveWindow(&window);
    target->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : target, Qt::Key_F1);
    HelpWindow* help = window.helpWindow();
    QVERIFY(help != nullptr);
    QVERIFY(help->isVisible());
    QCOMPARE(help->currentUrl().path(), QStringLiteral("/doc/") + page);
    QCOMPARE(help->currentUrl().fragment(), anchor);
    QVERIFY(window.messages.empty());
    if (const QByteArray dir = qgetenv("TARSEK_HELP_SHOTS"); !dir.isEmpty()) {
      help->resize(1000, 700);
      QTest::qWait(50);
      help->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/F1-") +
                        QString::fromUtf8(QTest::currentDataTag()).replace(' ', '-') +
                        QStringLiteral(".png"));
    }
  }

  void f1InTheAboutBoxOpensItsPlace() {
    Session session;
    HelpedWindow window(session);
    window.show();
    AboutDialog about(&window);
    about.show();
    QApplication::setActiveWindow(&about);
    QWidget* ok = about.findChild<QWidget*>(QStringLiteral("cmdOK"));
    ok->setFocus();
    QTest::keyClick(ok, Qt::Key_F1);
    QVERIFY(window.helpWindow() != nullptr);
    QCOMPARE(window.helpWindow()->currentUrl().fileName(), QStringLiteral("mainwindow.html"));
    QCOMPARE(window.helpWindow()->currentUrl().fragment(), QStringLiteral("about"));
  }

  // The parameter dialog of a well without its file: F1 in a field opens that field's row.
  void f1InTheSiteParametersDialogOpensTheField() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Session session;
    session.wellDirectory = dir.path().toStdString();
    session.well.wellNo = "F1";
    HelpedWindow window(session);
    window.show();
    SiteParametersDialog dialog(session, &window);
    QCOMPARE(dialog.objectName(), QStringLiteral("SiteParametersDialog"));
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QWidget* dip = dialog.findChild<QWidget*>(QStringLiteral("dipEdit"));
    QVERIFY(dip != nullptr);
    dip->setFocus();
    QTest::keyClick(dip, Qt::Key_F1);
    HelpWindow* help = window.helpWindow();
    QVERIFY(help != nullptr);
    QCOMPARE(help->currentUrl().fileName(), QStringLiteral("uncertainty.html"));
    QCOMPARE(help->currentUrl().fragment(), QStringLiteral("dip"));
    if (const QByteArray shots = qgetenv("TARSEK_HELP_SHOTS"); !shots.isEmpty()) {
      help->resize(1000, 700);
      QTest::qWait(50);
      help->grab().save(QString::fromLocal8Bit(shots) +
                        QStringLiteral("/F1-site-parameters-dip.png"));
    }
  }

  void helpMenuOpensContentsAndIndex() {
    Session session;
    HelpedWindow window(session);
    window.show();
    window.findChild<QAction*>(QStringLiteral("mnuHelpContents"))->trigger();
    HelpWindow* help = window.helpWindow();
    QVERIFY(help != nullptr && help->isVisible());
    QCOMPARE(help->currentTab(), 0);
    QCOMPARE(help->currentUrl().fileName(), QStringLiteral("index.html"));
    window.findChild<QAction*>(QStringLiteral("mnuHelpSearchForHelpOn"))->trigger();
    QCOMPARE(window.helpWindow(), help);  // one help window, reused
    QCOMPARE(help->currentTab(), 1);
    QVERIFY(window.messages.empty());
    if (const QByteArray dir = qgetenv("TARSEK_HELP_SHOTS"); !dir.isEmpty()) {
      QTRY_VERIFY(help->findChild<QHelpEngine*>()->indexModel()->rowCount() > 100);
      help->findChild<QLineEdit*>(QStringLiteral("helpIndexFilter"))
          ->setText(QStringLiteral("造斜"));
      QTest::qWait(100);
      help->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/help-index.png"));
    }
  }

  void indexAndSearchFindChineseWords_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("among");
    QTest::newRow("build rate") << QString::fromUtf8("造斜率")
                                << QStringList{"design.html", "tool-turn.html"};
    QTest::newRow("station count") << QString::fromUtf8("测点数") << QStringList{"survey.html"};
    QTest::newRow("minimum curvature")
        << QString::fromUtf8("最小曲率法") << QStringList{"methods.html"};
    QTest::newRow("two words") << QString::fromUtf8("防碰 步长")
                               << QStringList{"anticollision.html"};
    QTest::newRow("English letters") << QString::fromUtf8("witsml") << QStringList{"exchange.html"};
    QTest::newRow("nowhere") << QString::fromUtf8("没有这个词语啊") << QStringList{};
  }

  void indexAndSearchFindChineseWords() {
    QFETCH(QString, query);
    QFETCH(QStringList, among);
    HelpWindow help(kQch);
    QVERIFY2(help.ready(), qPrintable(help.errorText()));
    QVERIFY(help.pages().size() >= 20);
    QStringList found;
    for (const HelpSearchHit& hit : help.search(query)) {
      found << hit.url.fileName();
      QVERIFY(!hit.title.isEmpty());
      QVERIFY(hit.excerpt.contains(query.section(QLatin1Char(' '), 0, 0), Qt::CaseInsensitive));
    }
    for (const QString& page : among) QVERIFY2(found.contains(page), qPrintable(found.join(',')));
    if (among.isEmpty()) QVERIFY(found.isEmpty());

    // The search box of the window shows the same pages.
    auto* box = help.findChild<QLineEdit*>(QStringLiteral("helpSearchBox"));
    auto* results = help.findChild<QListWidget*>(QStringLiteral("helpSearchResults"));
    box->setText(query);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(results->count(), std::max<int>(1, static_cast<int>(found.size())));
  }

  void theIndexKnowsTheKeywordsOfThePages() {
    HelpWindow help(kQch);
    QVERIFY(help.ready());
    // The index model is filled in the background after the help file was registered.
    auto* engine = help.findChild<QHelpEngine*>();
    QVERIFY(engine != nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(engine->indexModel()->rowCount() > 100, 10000);
    const QStringList keys = engine->indexModel()->stringList();
    for (const char* key : {"造斜点", "最小曲率法", "卡点深度", "防碰警告", "tarsek-calc"})
      QVERIFY2(keys.contains(QString::fromUtf8(key)), key);
  }

  void aMissingHelpFileIsToldAndOpensNothing() {
    HelpWindow help(QStringLiteral("/nonexistent/tarsek.qch"));
    QVERIFY(!help.ready());
    QVERIFY(help.errorText().contains(QStringLiteral("不存在")));
    QVERIFY(help.search(QStringLiteral("测深")).empty());
  }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
