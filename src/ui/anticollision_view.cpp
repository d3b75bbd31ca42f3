#include "ui/anticollision_view.h"

#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "anticollision/neighbour_loader.h"
#include "anticollision/separation_chart.h"
#include "common/numtext.h"
#include "session/session_runs.h"
#include "ui/painter_surface.h"
#include "ui/ui_support.h"
#include "uncertainty/session_uncertainty.h"

namespace tarsek {
namespace {

const QString kSpacing = QStringLiteral("间距图");
const QString kTrend = QStringLiteral("趋势图");

/// Texts of the core separate their lines with a carriage return; Qt breaks on line feeds.
QString labelText(const std::string& text) {
  QString t = QString::fromStdString(text);
  t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return t;
}

// The smallest separation factor of each neighbour, under the closest approach.
std::string separationText(const unc::SessionUncertainty& u) {
  std::string text;
  for (const unc::NeighbourClearance& n : u.neighbours) {
    // A neighbour that could not be compared is named by its reason.
    text += "\n" + (n.ok ? n.name + "：最小分离系数" + formatFixed(n.minimumSf, 2) + "\n    测深" +
                               formatFixed(n.minimumMd, 2) + "米处"
                         : n.status);
  }
  return text;
}

QLabel* makeLabel(const QString& name, const QString& text, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  return l;
}

double lastTvdOf(const WellRecord& w) {
  const int n = std::min<int>(w.stationCount, static_cast<int>(w.results.size()));
  return n > 0 ? w.results[n - 1].tvd : 0.0;
}

}  // namespace

AntiCollisionView::AntiCollisionView(ViewHost& host, QWidget* parent)
    : QWidget(parent),
      host_(host),
      loader_(LoadNeighbourWell),
      colourEngine_(std::random_device{}()) {
  setObjectName(QStringLiteral("P防碰图"));
  setWindowTitle(QStringLiteral("防碰图"));

  auto* side = new QWidget(this);
  side->setFixedWidth(190);
  auto* sideLayout = new QVBoxLayout(side);
  sideLayout->setContentsMargins(4, 4, 4, 4);

  sideLayout->addWidget(makeLabel(QStringLiteral("Label33"), QStringLiteral("邻井选择："), side));
  neighbourFileList_ = new QListWidget(side);
  neighbourFileList_->setObjectName(QStringLiteral("File1"));
  neighbourFileList_->setMinimumHeight(120);
  sideLayout->addWidget(neighbourFileList_, 2);

  auto* stepRow = new QHBoxLayout;
  stepRow->addWidget(makeLabel(QStringLiteral("Label31"), QStringLiteral("步长"), side));
  stepEdit_ = new QLineEdit(QStringLiteral("15"), side);
  stepEdit_->setObjectName(QStringLiteral("Text步长"));
  stepEdit_->installEventFilter(this);
  stepRow->addWidget(stepEdit_);
  sideLayout->addLayout(stepRow);

  auto* zoomRow = new QHBoxLayout;
  zoomRow->addWidget(makeLabel(QStringLiteral("Label34"), QStringLiteral("放大率"), side));
  zoomDisplay_ = makeLabel(QStringLiteral("Text放大率"), QStringLiteral("25"), side);
  zoomDisplay_->setFrameShape(QFrame::Panel);
  zoomDisplay_->setFrameShadow(QFrame::Sunken);
  zoomDisplay_->setFixedHeight(24);
  zoomRow->addWidget(zoomDisplay_, 1, Qt::AlignVCenter);
  zoomScrollBar_ = new QScrollBar(Qt::Vertical, side);
  zoomScrollBar_->setObjectName(QStringLiteral("VScroll3"));
  zoomScrollBar_->setRange(1, 60);
  zoomScrollBar_->setFixedHeight(60);
  zoomRow->addWidget(zoomScrollBar_);
  sideLayout->addLayout(zoomRow);

  chartSwitchButton_ = new QPushButton(kSpacing, side);
  chartSwitchButton_->setObjectName(QStringLiteral("开关"));
  sideLayout->addWidget(chartSwitchButton_);
  // The separation-factor chart, shown in place of the other two while checked; only a well
  // whose position uncertainty is known offers it.
  sfChartButton_ = new QPushButton(QStringLiteral("分离系数图"), side);
  sfChartButton_->setObjectName(QStringLiteral("sfChartButton"));
  sfChartButton_->setCheckable(true);
  sfChartButton_->hide();
  sideLayout->addWidget(sfChartButton_);

  sideLayout->addWidget(
      makeLabel(QStringLiteral("Label29"), QStringLiteral("所选邻井图例："), side));
  legend_ = new PictureBox(QStringLiteral("Picture15"), side);
  legend_->setMinimumHeight(90);
  legend_->onPaint = [this](Surface& s) { drawLegend(s, host_.session()); };
  sideLayout->addWidget(legend_, 1);

  closestCaption_ = makeLabel(QStringLiteral("Label32"), QStringLiteral("最小间距："), side);
  QFont warn = closestCaption_->font();
  warn.setBold(true);
  closestCaption_->setFont(warn);
  sideLayout->addWidget(closestCaption_);
  closestText_ = makeLabel(QStringLiteral("Lab最小间距"), QString(), side);
  closestText_->setMinimumHeight(72);
  closestText_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  sideLayout->addWidget(closestText_);

  chart_ = new PictureBox(QStringLiteral("Picture100"), this);
  chart_->setMinimumSize(320, 240);
  chart_->setMouseTracking(true);
  chart_->installEventFilter(this);
  chart_->onPaint = [this](Surface& s) { paintChart(s); };

  const QFont detailFont = programFont("宋体", 9, false);
  tvdTip_ = makeLabel(QStringLiteral("Label1"), QStringLiteral("垂深："), chart_);
  tvdTip_->setFont(detailFont);
  tvdTip_->setAutoFillBackground(true);
  tvdTip_->hide();
  for (int i = 0; i < 5; ++i) {
    detailLabels_[i] = makeLabel(QStringLiteral("Lab%1").arg(i + 1), QString(), chart_);
    detailLabels_[i]->setFont(detailFont);
    detailLabels_[i]->setAutoFillBackground(true);
    detailLabels_[i]->setFrameShape(QFrame::Box);
    detailLabels_[i]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    detailLabels_[i]->hide();
  }
  auto* marker = new QFrame(chart_);
  marker->setObjectName(QStringLiteral("S1"));
  marker->setFixedSize(11, 11);
  marker->setStyleSheet(
      QStringLiteral("#S1 { border: 2px solid rgb(255,0,0); border-radius: 5px; }"));
  marker->setAttribute(Qt::WA_TransparentForMouseEvents);
  marker->hide();
  closestMarker_ = marker;

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(side);
  layout->addWidget(chart_, 1);

  blinkTimer_ = new QTimer(this);
  blinkTimer_->setObjectName(QStringLiteral("Timer1"));
  blinkTimer_->setInterval(500);
  connect(blinkTimer_, &QTimer::timeout, this, &AntiCollisionView::onBlink);
  panTimer_ = new QTimer(this);
  panTimer_->setObjectName(QStringLiteral("计时员1"));
  panTimer_->setInterval(250);
  connect(panTimer_, &QTimer::timeout, this, &AntiCollisionView::onPanTick);

  connect(neighbourFileList_, &QListWidget::itemClicked, this, &AntiCollisionView::onFileClicked);
  connect(zoomScrollBar_, &QScrollBar::valueChanged, this, &AntiCollisionView::onZoomChanged);
  connect(chartSwitchButton_, &QPushButton::clicked, this, &AntiCollisionView::onSwitch);
  connect(sfChartButton_, &QPushButton::toggled, this, [this](bool) {
    closestMarker_->setVisible(!sfChartButton_->isChecked() && chartDrawn_);
    chart_->update();
  });

  setClosestCaptionColour(kBlue);
  refreshFileList();
  // Setting the scroll bar raises its change event, which shows the zoom and draws the chart.
  zoomScrollBar_->setValue(25);
  if (zoom_ != 25 || !chartDrawn_) onZoomChanged(25);

  const ChangeSet shown{Change::WellOpened, Change::Stations, Change::BasicData,
                        Change::Design,     Change::Method,   Change::Neighbours};
  changes_ = host_.session().changes.subscribe(shown, [this](Change change) {
    if (change == Change::Neighbours) legend_->update();
    rescan();
    // The neighbours chosen for the well left behind go with it.
    if (change == Change::WellOpened) clearNeighbours();
  });
}

// --- public procedures ----------------------------------------------------------------------

void AntiCollisionView::rescan() {
  Session& session = host_.session();
  showSeparationOffer();
  if (!scanClearance(session, readNumber(stepEdit_->text().toStdString()), scan_)) return;
  showTexts();
  redrawChart();
}

bool AntiCollisionView::separationShown() const {
  return sfChartButton_->isChecked() && !sfChartButton_->isHidden();
}

void AntiCollisionView::showSeparationOffer() {
  const auto& u = host_.session().uncertainty;
  const bool offer = u && u->ok;
  sfChartButton_->setVisible(offer);
  if (!offer) sfChartButton_->setChecked(false);
}

void AntiCollisionView::clearNeighbours() {
  blinkTimer_->stop();
  panTimer_->stop();
  closestMarker_->hide();
  closestText_->clear();
  for (QLabel* l : detailLabels_) l->clear();
  setClosestCaptionColour(kBlue);
  closestCaption_->show();
  chartSwitchButton_->setText(kSpacing);
  chartDrawn_ = false;
  panOffsetX_ = panOffsetY_ = 0;
  panDir_ = PanDirection{};
  resetAntiCollision(host_.session(), scan_);
  chart_->update();
  legend_->update();
  refreshFileList();
}

void AntiCollisionView::redrawChart() {
  if (spacingOnShow())
    showSpacingChart();
  else
    showTrendChart(panOffsetX_, panOffsetY_);
}

void AntiCollisionView::showSpacingChart() {
  chartDrawn_ = true;
  placeMarker();
  closestMarker_->setVisible(!separationShown());
  chart_->update();
}

void AntiCollisionView::showTrendChart(double& panX, double& panY) {
  panOffsetX_ = panX;
  panOffsetY_ = panY;
  chartDrawn_ = true;
  placeMarker();
  closestMarker_->setVisible(!separationShown());
  chart_->update();
}

void AntiCollisionView::addNeighbour(const QString& fileName) {
  Session& session = host_.session();
  const AddNeighbourOutcome outcome =
      addNeighbourWell(session, fileName.toStdString(), readNumber(stepEdit_->text().toStdString()),
                       loader_, colourEngine_);
  // The core speaks to session.ui(); say it here too in case the session has no host set.
  if (outcome == AddNeighbourOutcome::StepTooSmall) host_.setStatusText("步长 ≥ 2");
  if (outcome != AddNeighbourOutcome::Added) return;
  stepEdit_->setFocus();
  zoom_ = static_cast<int>(readNumber(zoomDisplay_->text().toStdString()));
  // The new neighbour's separation factors join the open well's figures; the legend and the
  // scan follow.
  NeighbourAdded(session);
}

void AntiCollisionView::refreshFileList() {
  neighbourFileList_->clear();
  const std::string& dir = host_.session().wellDirectory;
  if (dir.empty()) return;
  const QDir d(QString::fromStdString(dir));
  neighbourFileList_->addItems(d.entryList({QStringLiteral("*.kvd")}, QDir::Files, QDir::Name));
}

// --- drawing ----------------------------------------------------------------------------------

bool AntiCollisionView::spacingOnShow() const { return chartSwitchButton_->text() == kSpacing; }

ChartFrame AntiCollisionView::currentFrame() const {
  const double w = chart_->width() * kScreenTwipsPerPixel;
  const double h = chart_->height() * kScreenTwipsPerPixel;
  if (spacingOnShow()) return spacingChartFrame(zoom_, w, h);
  return trendChartFrame(zoom_, host_.session().well.designDisplacement1, w, h, panOffsetX_,
                         panOffsetY_);
}

void AntiCollisionView::paintChart(Surface& s) {
  const Session& session = host_.session();
  if (separationShown()) {
    drawSeparationChart(s, session);
    return;
  }
  if (!chartDrawn_) return;
  if (spacingOnShow())
    drawSpacingChart(s, session, scan_, zoom_);
  else
    drawTrendChart(s, session, scan_, zoom_, panOffsetX_, panOffsetY_);
}

void AntiCollisionView::placeMarker() {
  const ChartFrame f = currentFrame();
  const PlanPoint p =
      spacingOnShow() ? PlanPoint{f.cx + scan_.closestOffsetEast, f.cy - scan_.closestOffsetNorth}
                      : PlanPoint{f.cx + scan_.ownPointEast, f.cy - scan_.ownPointNorth};
  if (f.scaleWidth <= 0 || f.scaleHeight <= 0) return;
  const double px = p.east * chart_->width() / f.scaleWidth;
  const double py = p.north * chart_->height() / f.scaleHeight;
  if (!std::isfinite(px) || !std::isfinite(py)) return;
  // Far outside the picture the marker is simply parked just beyond its edge.
  const int x = static_cast<int>(std::clamp(px, -100.0, chart_->width() + 100.0));
  const int y = static_cast<int>(std::clamp(py, -100.0, chart_->height() + 100.0));
  closestMarker_->move(x - closestMarker_->width() / 2, y - closestMarker_->height() / 2);
}

void AntiCollisionView::showTexts() {
  closestText_->setText(labelText(scan_.closestText));
  for (int i = 0; i < 5; ++i) detailLabels_[i]->setText(labelText(scan_.columns[i]));
  const auto& u = host_.session().uncertainty;
  const bool sfWarning = u && u->ok && u->belowOne();
  if (u && u->ok) closestText_->setText(closestText_->text() + qs(separationText(*u)));
  if (scan_.warning || sfWarning) {
    setClosestCaptionColour(kRed);
    blinkTimer_->start();
  } else {
    blinkTimer_->stop();
    setClosestCaptionColour(kBlue);
    closestCaption_->show();
  }
}

void AntiCollisionView::setClosestCaptionColour(Colour c) {
  QPalette p = closestCaption_->palette();
  p.setColor(QPalette::WindowText, toQColor(c));
  closestCaption_->setPalette(p);
}

// --- events -----------------------------------------------------------------------------------

bool AntiCollisionView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == stepEdit_ && event->type() == QEvent::KeyPress)
    return stepKey(static_cast<QKeyEvent*>(event));
  if (watched == chart_) {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseMove:
        chartMouse(event);
        return true;
      case QEvent::Resize:
        if (chartDrawn_) placeMarker();
        break;
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

bool AntiCollisionView::stepKey(QKeyEvent* key) {
  Session& session = host_.session();
  if (session.well.wellNo.empty()) return false;
  if (isEnterKey(key)) {
    const double s = readNumber(stepEdit_->text().toStdString());
    const double last = lastTvdOf(session.well);
    if (s >= kMinStep && last > s) {
      rescan();
      host_.setStatusText(session.well.wellNo + kAntiCollisionStatusSuffix);
    } else {
      stepEdit_->setFocus();
      stepEdit_->clear();
      host_.setStatusText("2≤步长<" + formatGeneral(last));
    }
    return true;
  }
  const int code = typedCode(key);
  if (code < 0 || key->key() == Qt::Key_Backspace) return false;
  // The step is a plain positive number: no signs here.
  if (isNumberCode(code, {.signs = false, .backspace = false})) return false;
  return true;  // any other plain character is swallowed
}

void AntiCollisionView::chartMouse(QEvent* event) {
  if (separationShown()) return;
  auto* me = static_cast<QMouseEvent*>(event);
  const Session& session = host_.session();
  if (session.neighbourWells.empty()) {
    if (event->type() == QEvent::MouseMove) {
      chart_->unsetCursor();
      chart_->setToolTip(QString());
    }
    return;
  }
  const ChartFrame f = currentFrame();
  const QPointF pos = me->position();
  const double w = std::max(1, chart_->width());
  const double h = std::max(1, chart_->height());
  const double x = pos.x() * f.scaleWidth / w;
  const double y = pos.y() * f.scaleHeight / h;
  const bool trend = !spacingOnShow();
  const QPoint at = pos.toPoint();

  if (event->type() == QEvent::MouseButtonPress) {
    if (me->button() == Qt::RightButton) {
      int left = at.x();
      for (QLabel* l : detailLabels_) {
        l->adjustSize();
        l->move(left, at.y());
        l->show();
        l->raise();
        left += l->width();
      }
    } else if (me->button() == Qt::LeftButton && trend) {
      if (inInnerRegion(f, x, y)) {
        panTimer_->stop();
        if (const auto tvd = stationTvdAt(session, f, x, y)) {
          tvdTip_->setText(QStringLiteral("垂深") + QString::fromStdString(formatFixed(*tvd, 2)));
          tvdTip_->adjustSize();
          tvdTip_->move(at);
          tvdTip_->show();
          tvdTip_->raise();
        }
      } else {
        panDir_ = panDirectionAt(f, x, y);
        panTimer_->start();
      }
    }
    return;
  }
  if (event->type() == QEvent::MouseButtonRelease) {
    for (QLabel* l : detailLabels_) l->hide();
    tvdTip_->hide();
    panTimer_->stop();
    panDir_ = PanDirection{};
    return;
  }
  // Move.
  if (!trend) {
    chart_->unsetCursor();
    return;
  }
  panDir_ = PanDirection{};
  if (inInnerRegion(f, x, y)) {
    panTimer_->stop();
    chart_->unsetCursor();
    return;
  }
  const int code = edgePointerCode(f, x, y);
  if (code == 8)
    chart_->setCursor(Qt::SizeFDiagCursor);
  else if (code == 6)
    chart_->setCursor(Qt::SizeBDiagCursor);
  if (me->buttons() & Qt::LeftButton) {
    panDir_ = panDirectionAt(f, x, y);
    panTimer_->start();
  }
}

void AntiCollisionView::onFileClicked(QListWidgetItem* item) {
  if (item != nullptr) addNeighbour(item->text());
}

void AntiCollisionView::onZoomChanged(int value) {
  zoomDisplay_->setText(QString::number(value));
  zoom_ = value;
  redrawChart();
}

void AntiCollisionView::onSwitch() {
  const Session& session = host_.session();
  if (!HasStations(session.well) || session.neighbourWells.empty()) return;
  if (chartSwitchButton_->text() != kSpacing) {
    chartSwitchButton_->setText(kSpacing);
    host_.setStatusText("按住右键看防碰详情");
  } else {
    chartSwitchButton_->setText(kTrend);
    host_.setStatusText("按住左键移动图形或看测点垂深,按住右键看防碰详情");
  }
  redrawChart();
}

void AntiCollisionView::onPanTick() {
  const ChartFrame f = currentFrame();
  if (!panStep(f, panDir_, host_.session().well.designDisplacement1, panOffsetX_, panOffsetY_)) {
    panTimer_->stop();
    return;
  }
  showTrendChart(panOffsetX_, panOffsetY_);
}

void AntiCollisionView::onBlink() {
  // isHidden, not isVisible: the blink must keep its phase while the view itself is hidden.
  closestCaption_->setHidden(!closestCaption_->isHidden());
  closestMarker_->setHidden(!closestMarker_->isHidden());
}

void AntiCollisionView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  refreshFileList();
}

}  // namespace tarsek
