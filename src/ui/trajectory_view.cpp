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
      picTitles_(new QWidget(this)),
      picture1_(new PictureBox(QStringLiteral("Picture1"), this)),
      picture2_(new PictureBox(QStringLiteral("Picture2"), this)),
      imgSplitter_(new QWidget(this)),
      picSplitter_(new QWidget(this)) {
  setObjectName(QStringLiteral("P轨迹图"));
  setWindowTitle(QStringLiteral("轨迹图"));
  setMinimumSize(200, 120);

  picTitles_->setObjectName(QStringLiteral("picTitles"));
  const QString captions[2] = {QStringLiteral("水平投影图:"), QStringLiteral(" 垂直剖面图:")};
  for (int i = 0; i < 2; ++i) {
    lblTitle_[i] = new QLabel(captions[i], picTitles_);
    lblTitle_[i]->setObjectName(QStringLiteral("lblTitle"));
    lblTitle_[i]->setProperty("index", i);
  }

  picture1_->onPaint = [this](Surface& s) { DrawPlanView(s, host_.session()); };
  picture2_->onPaint = [this](Surface& s) { DrawVerticalSection(s, host_.session()); };

  imgSplitter_->setObjectName(QStringLiteral("imgSplitter"));
  imgSplitter_->setCursor(Qt::SplitHCursor);
  imgSplitter_->installEventFilter(this);

  picSplitter_->setObjectName(QStringLiteral("picSplitter"));
  picSplitter_->setAutoFillBackground(true);
  QPalette bar = picSplitter_->palette();
  bar.setColor(QPalette::Window, QColor(128, 128, 128));
  picSplitter_->setPalette(bar);
  picSplitter_->hide();

  const ChangeSet shown{Change::WellOpened, Change::Stations, Change::BasicData,
                        Change::Design,     Change::Method,   Change::Uncertainty};
  changes_ = host_.session().changes.subscribe(shown, [this](Change) { 轨迹图(); });
}

void TrajectoryView::轨迹图() {
  picture1_->update();
  picture2_->update();
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
  place(picture1_, 0, l.paneTop, l.picture1Width, l.paneHeight);
  place(picture2_, l.picture2Left, l.paneTop, l.picture2Width, l.paneHeight);
  place(imgSplitter_, l.splitterLeft, l.paneTop, kSplitterWidth, l.paneHeight);
  place(lblTitle_[0], 0, 0, l.title0Width, kTitlesHeight);
  place(lblTitle_[1], l.title1Left, 0, l.title1Width, kTitlesHeight);
}

void TrajectoryView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  place(picTitles_, 0, 0, windowWidth(), kTitlesHeight);
  // The panes are laid out from the splitter's place. A window too narrow for it moves the
  // splitter in for as long as it is that narrow: a child window starts small before it is
  // maximised, and the splitter comes back to its place when there is room again.
  double x = splitterPosition_;
  SizePanes(x);
  轨迹图();
}

bool TrajectoryView::eventFilter(QObject* watched, QEvent* event) {
  if (watched != imgSplitter_) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      barLeft_ = splitterLeft_;
      place(picSplitter_, splitterLeft_, splitterTop_, kSplitterWidth / 2, splitterHeight_ - 20);
      picSplitter_->show();
      picSplitter_->raise();
      dragging_ = true;
      return true;
    }
    case QEvent::MouseMove: {
      if (!dragging_) return false;
      const auto* me = static_cast<QMouseEvent*>(event);
      const double p = splitterLeft_ + me->position().x() * kScreenTwipsPerPixel;
      barLeft_ = splitterBarLeft(p, windowWidth());
      place(picSplitter_, barLeft_, splitterTop_, kSplitterWidth / 2, splitterHeight_ - 20);
      return true;
    }
    case QEvent::MouseButtonRelease: {
      if (!dragging_) return false;
      double x = barLeft_;
      SizePanes(x);
      splitterPosition_ = x;
      picSplitter_->hide();
      dragging_ = false;
      轨迹图();
      return true;
    }
    default:
      return false;
  }
}

}  // namespace tarsek
