#include "ui/screenshots.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

#include "ui/anticollision_view.h"
#include "ui/first_run.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/site_parameters_dialog.h"
#include "ui/survey_view.h"

namespace tarsek {

namespace {

bool grabTo(QWidget& window, const QString& path) {
  QApplication::processEvents();
  const bool ok = window.grab().save(path);
  std::printf("%s %s\n", ok ? "wrote" : "could not write", path.toLocal8Bit().constData());
  return ok;
}

}  // namespace

int writeScreenshots(const QString& dir) {
  if (!QDir().mkpath(dir)) {
    std::fprintf(stderr, "tarsek: cannot create %s\n", dir.toLocal8Bit().constData());
    return 2;
  }
  QTemporaryDir scratch;
  if (!scratch.isValid()) return 2;
  // A scratch settings store and well directory: pictures never touch the user's wells.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.filePath("config"));
  const QString wells = scratch.filePath(QStringLiteral("wells"));
  QDir().mkpath(wells);

  Session session;
  session.wellDirectory = wells.toStdString();
  MainWindow window(session);
  window.resize(1280, 860);
  window.show();
  window.startUp();
  if (session.well.wellNo.empty()) {
    std::fprintf(stderr, "tarsek: no sample well could be opened from %s\n",
                 sampleWellsDirectory().toLocal8Bit().constData());
    return 3;
  }
  window.resize(1280, 860);

  const char* names[] = {"", "survey", "design", "trajectory", "anticollision", "tools"};
  bool ok = true;
  const QDir out(dir);
  for (int code = kSurveyView; code <= kToolsView; ++code) {
    window.showView(code);
    ok = grabTo(window, out.filePath(QStringLiteral("%1-%2.png").arg(code).arg(names[code]))) && ok;
  }
  // The manual at the page F1 opens for the survey depth, and its index: both come from the
  // help file of the prefix the program runs from.
  if (QFileInfo(helpFilePath()).isFile()) {
    window.showView(kSurveyView);
    window.helpForFocus(window.surveyView()->findChild<QWidget*>(QStringLiteral("T测深")));
    if (HelpWindow* help = window.helpWindow()) {
      help->resize(1000, 700);
      // The contents and the index come in from a background reader; a few seconds at most.
      QElapsedTimer waited;
      waited.start();
      while (!help->contentsReady() && waited.elapsed() < 5000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(10);
      }
      ok = grabTo(*help, out.filePath(QStringLiteral("10-help-survey-depth.png"))) && ok;
      window.helpIndex();
      ok = grabTo(*help, out.filePath(QStringLiteral("11-help-index.png"))) && ok;
      help->close();
    } else {
      ok = false;
    }
  } else {
    std::fprintf(stderr, "tarsek: no manual at %s\n", helpFilePath().toLocal8Bit().constData());
    ok = false;
  }

  window.showView(kTrajectoryView);
  window.enterPreview();
  ok = grabTo(window, out.filePath(QStringLiteral("6-preview.png"))) && ok;
  // The last preview page carries the plot, or the uncertainty report when the well has one.
  if (auto* area = window.findChild<QScrollArea*>(QStringLiteral("previewArea"))) {
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
    ok = grabTo(window, out.filePath(QStringLiteral("6-preview-last.png"))) && ok;
  }
  window.leavePreview();

  // The two-target sample, when there is one, in the views that differ most.
  const QStringList designs = QDir(wells).entryList({QStringLiteral("*.kvd")}, QDir::Files);
  for (const QString& name : designs) {
    if (QString::fromStdString(session.well.wellNo) == QFileInfo(name).completeBaseName()) continue;
    if (!window.openWellFile(QDir(wells).filePath(name))) continue;
    if (session.well.targetCount != 2) continue;
    window.showView(kSurveyView);
    ok = grabTo(window, out.filePath(QStringLiteral("7-two-target-survey.png"))) && ok;
    window.showView(kTrajectoryView);
    ok = grabTo(window, out.filePath(QStringLiteral("8-two-target-trajectory.png"))) && ok;
    // Its pad neighbours in the anti-collision charts: every other well of the directory that
    // the scan accepts (a well of another pad is refused for its distance and left out).
    window.showView(kAntiCollisionView);
    if (AntiCollisionView* ac = window.antiCollisionView()) {
      for (const QString& other : designs)
        if (other != name) ac->addNeighbour(other);
    }
    ok = grabTo(window, out.filePath(QStringLiteral("9-two-target-anticollision.png"))) && ok;
    // The separation factors against the same neighbours, when the wells have parameters.
    if (auto* sf = window.findChild<QPushButton*>(QStringLiteral("sfChartButton"));
        sf != nullptr && !sf->isHidden()) {
      sf->setChecked(true);
      ok = grabTo(window, out.filePath(QStringLiteral("10-separation-factor.png"))) && ok;
      sf->setChecked(false);
    }
    // Its uncertainty parameters as the dialog shows them.
    SiteParametersDialog parameters(session, &window);
    parameters.show();
    ok = grabTo(parameters, out.filePath(QStringLiteral("11-site-parameters.png"))) && ok;
    parameters.hide();
    break;
  }
  // Leaving without questions: nothing was changed by looking.
  session.surveyDirty = Unsaved::Nothing;
  session.designDirty = Unsaved::Nothing;
  window.close();
  return ok ? 0 : 1;
}

}  // namespace tarsek
