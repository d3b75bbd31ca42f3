// Every view of the main window painted from wells no engineer would draw up: the largest
// station table, sums that overflow, a well without displacement. The views must paint, keep
// their scroll bars in range and show no non-finite number in any box or label.

#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "common/constants.h"
#include "design/profile_design.h"
#include "survey/survey_calc.h"
#include "ui/anticollision_view.h"
#include "ui/design_view.h"
#include "ui/fake_view_host.h"
#include "ui/survey_view.h"
#include "ui/trajectory_view.h"

using namespace tarsek;

namespace {

struct Station {
  double md, inclination, azimuth;
};

void setStations(WellRecord& w, const std::vector<Station>& stations) {
  w.stationCount = static_cast<std::int16_t>(stations.size());
  w.stations.assign(stations.size() + 1, SurveyStation{});
  for (std::size_t i = 0; i < stations.size(); ++i) {
    const Station& s = stations[i];
    w.stations[i] = {static_cast<std::int16_t>(i), s.md, s.inclination, s.azimuth,
                     s.azimuth + w.magDeclination};
  }
}

void baseWell(Session& s) {
  WellRecord& w = s.well;
  w.wellNo = "R9";
  w.targetCount = 2;
  w.wellheadX = 4000000;
  w.wellheadY = 20000000;
  w.target1X = w.wellheadX + 300;
  w.target1Y = w.wellheadY + 400;
  w.target1Tvd = 1500;
  w.target2X = w.wellheadX + 420;
  w.target2Y = w.wellheadY + 560;
  w.target2Tvd = 2000;
  w.designAzimuth = AzimuthOf(300, 400);
  w.designDisplacement1 = 500;
  w.designDisplacement2 = 700;
  w.targetRadius = 30;
  w.buildRate = 6;
  w.buildToInclination = 15;
  w.kickoffDepth = 500;
  w.rotaryBuildRate = 2;
  w.rotaryDropRate = 2;
  w.designFinalTvd = 2200;
  w.magDeclination = -4.5;
}

// A neighbour on the same pad, so that the anti-collision view has a track to scan and draw.
WellRecord neighbourOf(const WellRecord& own, const std::vector<Station>& stations) {
  WellRecord n = own;
  n.wellNo = "R9邻";
  n.wellheadX += 5;
  n.wellheadY -= 3;
  setStations(n, stations);
  n.results = ComputeTrajectory(n.stations, n.basic(), n.stationCount, SurveyMethod::AverageAngle);
  return n;
}

struct OddWell {
  const char* name;
  std::function<void(Session&)> make;
};

std::vector<OddWell> oddWells() {
  return {
      {"largest table",
       [](Session& s) {
         baseWell(s);
         std::vector<Station> many;
         for (int i = 0; i < kMaxCount; ++i)
           many.push_back({i * 2.0, std::min(i * 0.05, 60.0), 53 + std::sin(i * 0.01)});
         setStations(s.well, many);
         DesignProfile(s);
         s.neighbourWells.push_back(neighbourOf(s.well, many));
       }},
      {"sums that overflow",
       [](Session& s) {
         baseWell(s);
         s.well.target1Tvd = 1e300;
         s.well.targetRadius = 1e300;
         setStations(s.well, {{-1e308, 0, 0}, {1e308, 45, 45}, {1.7e308, 90, 1e300}});
         DesignProfile(s);
         s.neighbourWells.push_back(neighbourOf(s.well, {{0, 0, 0}, {1e308, 90, 45}}));
       }},
      {"no displacement, targets at the surface",
       [](Session& s) {
         baseWell(s);
         s.well.targetCount = 1;
         s.well.target1X = s.well.wellheadX;
         s.well.target1Y = s.well.wellheadY;
         s.well.target1Tvd = 0;
         s.well.designDisplacement1 = 0;
         s.well.targetRadius = 0;
         setStations(s.well, {{0, 0, 0}, {500, 180, 0}, {501, 90, 270}});
         DesignProfile(s);
         s.neighbourWells.push_back(neighbourOf(s.well, {{100, 0, 0}}));
       }},
  };
}

// The texts of every box and label under a widget, in one list.
QStringList shownTexts(const QWidget* root) {
  QStringList out;
  for (const QLineEdit* e : root->findChildren<QLineEdit*>()) out << e->text();
  for (const QLabel* l : root->findChildren<QLabel*>()) out << l->text();
  for (const QAbstractButton* b : root->findChildren<QAbstractButton*>()) out << b->text();
  return out;
}

bool showsNonFinite(const QStringList& texts, QString& which) {
  for (const QString& t : texts) {
    const QString lower = t.toLower();
    if (lower.contains(QStringLiteral("nan")) || lower.contains(QStringLiteral("inf"))) {
      which = t;
      return true;
    }
  }
  return false;
}

void paintAndCheck(QWidget* view, const char* what) {
  view->resize(1200, 800);
  view->show();
  QVERIFY2(QTest::qWaitForWindowExposed(view), what);
  const QImage image = view->grab().toImage();
  QVERIFY2(!image.isNull(), what);
  for (QScrollBar* bar : view->findChildren<QScrollBar*>()) {
    QVERIFY2(bar->minimum() <= bar->maximum(), what);
    // The far end of every scroll range must paint as well as the start.
    bar->setValue(bar->maximum());
    QVERIFY2(!view->grab().toImage().isNull(), what);
  }
  QString which;
  QVERIFY2(!showsNonFinite(shownTexts(view), which),
           qPrintable(QString::fromUtf8(what) + ": " + which));
}

}  // namespace

class OddDataViewsTest : public QObject {
  Q_OBJECT

 private slots:
  void everyViewPaintsOddWells() {
    for (const OddWell& odd : oddWells()) {
      FakeViewHost host;
      odd.make(host.s);
      RecalculateAll(host.s);
      RecalculateDesignTrajectory(host.s);

      SurveyView survey(host);
      survey.测斜数据显示();
      paintAndCheck(&survey, odd.name);
      QVERIFY2(survey.tableContentHeight() >= 0, odd.name);

      TrajectoryView trajectory(host);
      trajectory.轨迹图();
      paintAndCheck(&trajectory, odd.name);

      DesignView design(host);
      design.基本数据显示();
      paintAndCheck(&design, odd.name);

      AntiCollisionView anticollision(host);
      anticollision.防碰数据处理();
      anticollision.间距图();
      double panX = 0, panY = 0;
      anticollision.趋势图(panX, panY);
      paintAndCheck(&anticollision, odd.name);
      QVERIFY2(std::isfinite(panX) && std::isfinite(panY), odd.name);
    }
  }
};

QTEST_MAIN(OddDataViewsTest)
#include "odd_data_views_test.moc"
