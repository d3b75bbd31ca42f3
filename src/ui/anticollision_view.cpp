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

QString qs(const std::string& s) { return QString::fromStdString(s); }

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
  file1_ = new QListWidget(side);
  file1_->setObjectName(QStringLiteral("File1"));
  file1_->setMinimumHeight(120);
  sideLayout->addWidget(file1_, 2);

  auto* stepRow = new QHBoxLayout;
  stepRow->addWidget(makeLabel(QStringLiteral("Label31"), QStringLiteral("步长"), side));
  text步长_ = new QLineEdit(QStringLiteral("15"), side);
  text步长_->setObjectName(QStringLiteral("Text步长"));
  text步长_->installEventFilter(this);
  stepRow->addWidget(text步长_);
  sideLayout->addLayout(stepRow);

  auto* zoomRow = new QHBoxLayout;
  zoomRow->addWidget(makeLabel(QStringLiteral("Label34"), QStringLiteral("放大率"), side));
  text放大率_ = makeLabel(QStringLiteral("Text放大率"), QStringLiteral("25"), side);
  text放大率_->setFrameShape(QFrame::Panel);
  text放大率_->setFrameShadow(QFrame::Sunken);
  text放大率_->setFixedHeight(24);
  zoomRow->addWidget(text放大率_, 1, Qt::AlignVCenter);
  vScroll3_ = new QScrollBar(Qt::Vertical, side);
  vScroll3_->setObjectName(QStringLiteral("VScroll3"));
  vScroll3_->setRange(1, 60);
  vScroll3_->setFixedHeight(60);
  zoomRow->addWidget(vScroll3_);
  sideLayout->addLayout(zoomRow);

  开关_ = new QPushButton(kSpacing, side);
  开关_->setObjectName(QStringLiteral("开关"));
  sideLayout->addWidget(开关_);
  // The separation-factor chart, shown in place of the other two while checked; only a well
  // whose position uncertainty is known offers it.
  sfChartButton_ = new QPushButton(QStringLiteral("分离系数图"), side);
  sfChartButton_->setObjectName(QStringLiteral("sfChartButton"));
  sfChartButton_->setCheckable(true);
  sfChartButton_->hide();
  sideLayout->addWidget(sfChartButton_);

  sideLayout->addWidget(
      makeLabel(QStringLiteral("Label29"), QStringLiteral("所选邻井图例："), side));
  picture15_ = new PictureBox(QStringLiteral("Picture15"), side);
  picture15_->setMinimumHeight(90);
  picture15_->onPaint = [this](Surface& s) { drawLegend(s, host_.session()); };
  sideLayout->addWidget(picture15_, 1);

  label32_ = makeLabel(QStringLiteral("Label32"), QStringLiteral("最小间距："), side);
  QFont warn = label32_->font();
  warn.setBold(true);
  label32_->setFont(warn);
  sideLayout->addWidget(label32_);
  lab最小间距_ = makeLabel(QStringLiteral("Lab最小间距"), QString(), side);
  lab最小间距_->setMinimumHeight(72);
  lab最小间距_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  sideLayout->addWidget(lab最小间距_);

  picture100_ = new PictureBox(QStringLiteral("Picture100"), this);
  picture100_->setMinimumSize(320, 240);
  picture100_->setMouseTracking(true);
  picture100_->installEventFilter(this);
  picture100_->onPaint = [this](Surface& s) { paintChart(s); };

  const QFont detailFont = programFont("宋体", 9, false);
  label1_ = makeLabel(QStringLiteral("Label1"), QStringLiteral("垂深："), picture100_);
  label1_->setFont(detailFont);
  label1_->setAutoFillBackground(true);
  label1_->hide();
  for (int i = 0; i < 5; ++i) {
    lab_[i] = makeLabel(QStringLiteral("Lab%1").arg(i + 1), QString(), picture100_);
    lab_[i]->setFont(detailFont);
    lab_[i]->setAutoFillBackground(true);
    lab_[i]->setFrameShape(QFrame::Box);
    lab_[i]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lab_[i]->hide();
  }
  auto* marker = new QFrame(picture100_);
  marker->setObjectName(QStringLiteral("S1"));
  marker->setFixedSize(11, 11);
  marker->setStyleSheet(
      QStringLiteral("#S1 { border: 2px solid rgb(255,0,0); border-radius: 5px; }"));
  marker->setAttribute(Qt::WA_TransparentForMouseEvents);
  marker->hide();
  s1_ = marker;

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(side);
  layout->addWidget(picture100_, 1);

  timer1_ = new QTimer(this);
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(500);
  connect(timer1_, &QTimer::timeout, this, &AntiCollisionView::onBlink);
  计时员1_ = new QTimer(this);
  计时员1_->setObjectName(QStringLiteral("计时员1"));
  计时员1_->setInterval(250);
  connect(计时员1_, &QTimer::timeout, this, &AntiCollisionView::onPanTick);

  connect(file1_, &QListWidget::itemClicked, this, &AntiCollisionView::onFileClicked);
  connect(vScroll3_, &QScrollBar::valueChanged, this, &AntiCollisionView::onZoomChanged);
  connect(开关_, &QPushButton::clicked, this, &AntiCollisionView::onSwitch);
  connect(sfChartButton_, &QPushButton::toggled, this, [this](bool) {
    s1_->setVisible(!sfChartButton_->isChecked() && chartDrawn_);
    picture100_->update();
  });

  setLabel32Colour(kBlue);
  refreshFileList();
  // Setting the scroll bar raises its change event, which shows the zoom and draws the chart.
  vScroll3_->setValue(25);
  if (zoom_ != 25 || !chartDrawn_) onZoomChanged(25);

  const ChangeSet shown{Change::WellOpened, Change::Stations, Change::BasicData,
                        Change::Design,     Change::Method,   Change::Neighbours};
  changes_ = host_.session().changes.subscribe(shown, [this](Change change) {
    if (change == Change::Neighbours) picture15_->update();
    防碰数据处理();
    // The neighbours chosen for the well left behind go with it.
    if (change == Change::WellOpened) 防碰图初始();
  });
}

// --- public procedures ----------------------------------------------------------------------

void AntiCollisionView::防碰数据处理() {
  Session& session = host_.session();
  showSeparationOffer();
  if (!scanClearance(session, readNumber(text步长_->text().toStdString()), scan_)) return;
  showTexts();
  防碰图();
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

void AntiCollisionView::防碰图初始() {
  timer1_->stop();
  计时员1_->stop();
  s1_->hide();
  lab最小间距_->clear();
  for (QLabel* l : lab_) l->clear();
  setLabel32Colour(kBlue);
  label32_->show();
  开关_->setText(kSpacing);
  chartDrawn_ = false;
  panOffsetX_ = panOffsetY_ = 0;
  panDir_ = PanDirection{};
  resetAntiCollision(host_.session(), scan_);
  picture100_->update();
  picture15_->update();
  refreshFileList();
}

void AntiCollisionView::防碰图() {
  if (spacingOnShow())
    间距图();
  else
    趋势图(panOffsetX_, panOffsetY_);
}

void AntiCollisionView::间距图() {
  chartDrawn_ = true;
  placeMarker();
  s1_->setVisible(!separationShown());
  picture100_->update();
}

void AntiCollisionView::趋势图(double& panX, double& panY) {
  panOffsetX_ = panX;
  panOffsetY_ = panY;
  chartDrawn_ = true;
  placeMarker();
  s1_->setVisible(!separationShown());
  picture100_->update();
}

void AntiCollisionView::添加邻井(const QString& fileName) {
  Session& session = host_.session();
  const AddNeighbourOutcome outcome =
      addNeighbourWell(session, fileName.toStdString(), readNumber(text步长_->text().toStdString()),
                       loader_, colourEngine_);
  // The core speaks to session.ui(); say it here too in case the session has no host set.
  if (outcome == AddNeighbourOutcome::StepTooSmall) host_.setStatusText("步长 ≥ 2");
  if (outcome != AddNeighbourOutcome::Added) return;
  text步长_->setFocus();
  zoom_ = static_cast<int>(readNumber(text放大率_->text().toStdString()));
  // The new neighbour's separation factors join the open well's figures; the legend and the
  // scan follow.
  NeighbourAdded(session);
}

void AntiCollisionView::refreshFileList() {
  file1_->clear();
  const std::string& dir = host_.session().wellDirectory;
  if (dir.empty()) return;
  const QDir d(QString::fromStdString(dir));
  file1_->addItems(d.entryList({QStringLiteral("*.kvd")}, QDir::Files, QDir::Name));
}

// --- drawing ----------------------------------------------------------------------------------

bool AntiCollisionView::spacingOnShow() const { return 开关_->text() == kSpacing; }

ChartFrame AntiCollisionView::currentFrame() const {
  const double w = picture100_->width() * kScreenTwipsPerPixel;
  const double h = picture100_->height() * kScreenTwipsPerPixel;
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
  const double px = p.east * picture100_->width() / f.scaleWidth;
  const double py = p.north * picture100_->height() / f.scaleHeight;
  if (!std::isfinite(px) || !std::isfinite(py)) return;
  // Far outside the picture the marker is simply parked just beyond its edge.
  const int x = static_cast<int>(std::clamp(px, -100.0, picture100_->width() + 100.0));
  const int y = static_cast<int>(std::clamp(py, -100.0, picture100_->height() + 100.0));
  s1_->move(x - s1_->width() / 2, y - s1_->height() / 2);
}

void AntiCollisionView::showTexts() {
  lab最小间距_->setText(labelText(scan_.closestText));
  for (int i = 0; i < 5; ++i) lab_[i]->setText(labelText(scan_.columns[i]));
  const auto& u = host_.session().uncertainty;
  const bool sfWarning = u && u->ok && u->belowOne();
  if (u && u->ok) lab最小间距_->setText(lab最小间距_->text() + qs(separationText(*u)));
  if (scan_.warning || sfWarning) {
    setLabel32Colour(kRed);
    timer1_->start();
  } else {
    timer1_->stop();
    setLabel32Colour(kBlue);
    label32_->show();
  }
}

void AntiCollisionView::setLabel32Colour(Colour c) {
  QPalette p = label32_->palette();
  p.setColor(QPalette::WindowText, toQColor(c));
  label32_->setPalette(p);
}

// --- events -----------------------------------------------------------------------------------

bool AntiCollisionView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text步长_ && event->type() == QEvent::KeyPress)
    return stepKey(static_cast<QKeyEvent*>(event));
  if (watched == picture100_) {
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
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
    const double s = readNumber(text步长_->text().toStdString());
    const double last = lastTvdOf(session.well);
    if (s >= kMinStep && last > s) {
      防碰数据处理();
      host_.setStatusText(session.well.wellNo + "井防碰图");
    } else {
      text步长_->setFocus();
      text步长_->clear();
      host_.setStatusText("2≤步长<" + formatGeneral(last));
    }
    return true;
  }
  const QString text = key->text();
  if (text.isEmpty() || key->key() == Qt::Key_Backspace) return false;
  const char32_t c = text.toUcs4().value(0);
  if ((c >= '0' && c <= '9') || c == '.' || c > 127) return false;
  return true;  // any other plain character is swallowed
}

void AntiCollisionView::chartMouse(QEvent* event) {
  if (separationShown()) return;
  auto* me = static_cast<QMouseEvent*>(event);
  const Session& session = host_.session();
  if (session.neighbourWells.empty()) {
    if (event->type() == QEvent::MouseMove) {
      picture100_->unsetCursor();
      picture100_->setToolTip(QString());
    }
    return;
  }
  const ChartFrame f = currentFrame();
  const QPointF pos = me->position();
  const double w = std::max(1, picture100_->width());
  const double h = std::max(1, picture100_->height());
  const double x = pos.x() * f.scaleWidth / w;
  const double y = pos.y() * f.scaleHeight / h;
  const bool trend = !spacingOnShow();
  const QPoint at = pos.toPoint();

  if (event->type() == QEvent::MouseButtonPress) {
    if (me->button() == Qt::RightButton) {
      int left = at.x();
      for (QLabel* l : lab_) {
        l->adjustSize();
        l->move(left, at.y());
        l->show();
        l->raise();
        left += l->width();
      }
    } else if (me->button() == Qt::LeftButton && trend) {
      if (inInnerRegion(f, x, y)) {
        计时员1_->stop();
        if (const auto tvd = stationTvdAt(session, f, x, y)) {
          label1_->setText(QStringLiteral("垂深") + QString::fromStdString(formatFixed(*tvd, 2)));
          label1_->adjustSize();
          label1_->move(at);
          label1_->show();
          label1_->raise();
        }
      } else {
        panDir_ = panDirectionAt(f, x, y);
        计时员1_->start();
      }
    }
    return;
  }
  if (event->type() == QEvent::MouseButtonRelease) {
    for (QLabel* l : lab_) l->hide();
    label1_->hide();
    计时员1_->stop();
    panDir_ = PanDirection{};
    return;
  }
  // Move.
  if (!trend) {
    picture100_->unsetCursor();
    return;
  }
  panDir_ = PanDirection{};
  if (inInnerRegion(f, x, y)) {
    计时员1_->stop();
    picture100_->unsetCursor();
    return;
  }
  const int code = edgePointerCode(f, x, y);
  if (code == 8)
    picture100_->setCursor(Qt::SizeFDiagCursor);
  else if (code == 6)
    picture100_->setCursor(Qt::SizeBDiagCursor);
  if (me->buttons() & Qt::LeftButton) {
    panDir_ = panDirectionAt(f, x, y);
    计时员1_->start();
  }
}

void AntiCollisionView::onFileClicked(QListWidgetItem* item) {
  if (item != nullptr) 添加邻井(item->text());
}

void AntiCollisionView::onZoomChanged(int value) {
  text放大率_->setText(QString::number(value));
  zoom_ = value;
  防碰图();
}

void AntiCollisionView::onSwitch() {
  const Session& session = host_.session();
  if (session.well.wellNo.empty() || session.well.stationCount <= 0 ||
      session.neighbourWells.empty())
    return;
  if (开关_->text() != kSpacing) {
    开关_->setText(kSpacing);
    host_.setStatusText("按住右键看防碰详情");
  } else {
    开关_->setText(kTrend);
    host_.setStatusText("按住左键移动图形或看测点垂深,按住右键看防碰详情");
  }
  防碰图();
}

void AntiCollisionView::onPanTick() {
  const ChartFrame f = currentFrame();
  if (!panStep(f, panDir_, host_.session().well.designDisplacement1, panOffsetX_, panOffsetY_)) {
    计时员1_->stop();
    return;
  }
  趋势图(panOffsetX_, panOffsetY_);
}

void AntiCollisionView::onBlink() {
  // isHidden, not isVisible: the blink must keep its phase while the view itself is hidden.
  label32_->setHidden(!label32_->isHidden());
  s1_->setHidden(!s1_->isHidden());
}

void AntiCollisionView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  refreshFileList();
}

}  // namespace tarsek
