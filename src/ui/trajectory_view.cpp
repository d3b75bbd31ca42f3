#include "ui/trajectory_view.h"

#include <QLabel>
#include <QMouseEvent>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>

#include "plot/trajectory_plot.h"
#include "ui/painter_surface.h"

namespace tarsek {
namespace {

// The title strip is one label high; the splitter is the gap between the two panes.
constexpr double kTitlesHeight = 300;
constexpr double kSplitterWidth = 40;
// Where the splitter starts: the plan view as wide as its lettering is made for (10 pt at 9500
// twips), the vertical section taking the rest.
constexpr double kSplitterStart = 9500;

int toPixels(double twips) { return static_cast<int>(std::lround(twips / kScreenTwipsPerPixel)); }

}  // namespace

TrajectoryView::TrajectoryView(ViewHost& host, QWidget* parent)
    : QWidget(parent),
      host_(host),
      splitterPosition_(kSplitterStart),
      titleBar_(new QWidget(this)),
      planView_(new PictureBox(QStringLiteral("Picture1"), this)),
      sectionView_(new PictureBox(QStringLiteral("Picture2"), this)),
      splitter_(new QWidget(this)),
      dragBar_(new QWidget(this)) {
  setObjectName(QStringLiteral("P轨迹图"));
  setWindowTitle(QStringLiteral("轨迹图"));
  setMinimumSize(200, 120);

  titleBar_->setObjectName(QStringLiteral("picTitles"));
  const QString captions[2] = {QStringLiteral("水平投影图:"), QStringLiteral(" 垂直剖面图:")};
  for (int i = 0; i < 2; ++i) {
    paneTitles_[i] = new QLabel(captions[i], titleBar_);
    paneTitles_[i]->setObjectName(QStringLiteral("lblTitle"));
    paneTitles_[i]->setProperty("index", i);
  }

  planView_->onPaint = [this](Surface& s) { DrawPlanView(s, host_.session()); };
  sectionView_->onPaint = [this](Surface& s) { DrawVerticalSection(s, host_.session()); };

  splitter_->setObjectName(QStringLiteral("imgSplitter"));
  splitter_->setCursor(Qt::SplitHCursor);
  splitter_->installEventFilter(this);

  dragBar_->setObjectName(QStringLiteral("picSplitter"));
  dragBar_->setAutoFillBackground(true);
  QPalette bar = dragBar_->palette();
  bar.setColor(QPalette::Window, QColor(128, 128, 128));
  dragBar_->setPalette(bar);
  dragBar_->hide();

  const ChangeSet shown{Change::WellOpened, Change::Stations, Change::BasicData,
                        Change::Design,     Change::Method,   Change::Uncertainty};
  changes_ = host_.session().changes.subscribe(shown, [this](Change) { drawTrajectory(); });
}

void TrajectoryView::drawTrajectory() {
  planView_->update();
  sectionView_->update();
}

double TrajectoryView::windowWidth() const { return width() * kScreenTwipsPerPixel; }
double TrajectoryView::windowHeight() const { return height() * kScreenTwipsPerPixel; }

void TrajectoryView::place(QWidget* w, double left, double top, double width, double height) {
  const int x = toPixels(left);
  const int y = toPixels(top);
  // A window narrower than both pane limits leaves a pane with no room rather than a negative one.
  w->setGeometry(x, y, std::max(0, toPixels(left + width) - x),
                 std::max(0, toPixels(top + height) - y));
}

void TrajectoryView::SizePanes(double& x) {
  const double W = windowWidth();
  const double H = windowHeight();
  const PaneLayout l = tarsek::SizePanes(x, W, H, 0, kTitlesHeight);
  splitterLeft_ = l.splitterLeft;
  splitterTop_ = l.paneTop;
  splitterHeight_ = l.paneHeight;
  place(planView_, 0, l.paneTop, l.picture1Width, l.paneHeight);
  place(sectionView_, l.picture2Left, l.paneTop, l.picture2Width, l.paneHeight);
  place(splitter_, l.splitterLeft, l.paneTop, kSplitterWidth, l.paneHeight);
  place(paneTitles_[0], 0, 0, l.title0Width, kTitlesHeight);
  place(paneTitles_[1], l.title1Left, 0, l.title1Width, kTitlesHeight);
}

void TrajectoryView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  place(titleBar_, 0, 0, windowWidth(), kTitlesHeight);
  // The panes are laid out from the splitter's place. A window too narrow for it moves the
  // splitter in for as long as it is that narrow: a child window starts small before it is
  // maximised, and the splitter comes back to its place when there is room again.
  double x = splitterPosition_;
  SizePanes(x);
  drawTrajectory();
}

bool TrajectoryView::eventFilter(QObject* watched, QEvent* event) {
  if (watched != splitter_) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      barLeft_ = splitterLeft_;
      place(dragBar_, splitterLeft_, splitterTop_, kSplitterWidth / 2, splitterHeight_ - 20);
      dragBar_->show();
      dragBar_->raise();
      dragging_ = true;
      return true;
    }
    case QEvent::MouseMove: {
      if (!dragging_) return false;
      const auto* me = static_cast<QMouseEvent*>(event);
      const double p = splitterLeft_ + me->position().x() * kScreenTwipsPerPixel;
      barLeft_ = splitterBarLeft(p, windowWidth());
      place(dragBar_, barLeft_, splitterTop_, kSplitterWidth / 2, splitterHeight_ - 20);
      return true;
    }
    case QEvent::MouseButtonRelease: {
      if (!dragging_) return false;
      double x = barLeft_;
      SizePanes(x);
      splitterPosition_ = x;
      dragBar_->hide();
      dragging_ = false;
      drawTrajectory();
      return true;
    }
    default:
      return false;
  }
}

}  // namespace tarsek
