#pragma once

#include <QWidget>

#include "plot/plot_geometry.h"
#include "ui/view_host.h"

class QLabel;

namespace tarsek {

class PictureBox;

/// The 轨迹图 view (P轨迹图) of the main window: the plan view (planView_) and the vertical
/// section (sectionView_) side by side, separated by a splitter the user drags.
class TrajectoryView : public QWidget {
  Q_OBJECT
 public:
  explicit TrajectoryView(ViewHost& host, QWidget* parent = nullptr);
  /// Redraws both panes from the open well.
  void drawTrajectory();
  /// Lays the panes out around splitter position x (twips from the left edge); x is adjusted in
  /// place to the position actually used.
  void SizePanes(double& x);

  /// The splitter's left edge in twips.
  double splitterLeft() const noexcept { return splitterLeft_; }
  /// True while the splitter is being dragged.
  bool dragging() const noexcept { return dragging_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void place(QWidget* w, double left, double top, double width, double height);
  double windowWidth() const;
  double windowHeight() const;

  ViewHost& host_;
  ChangeNotifier::Subscription changes_;
  double splitterPosition_;  // where the splitter belongs, twips: its start or where dropped
  QWidget* titleBar_;
  QLabel* paneTitles_[2];
  PictureBox* planView_;
  PictureBox* sectionView_;
  QWidget* splitter_;
  QWidget* dragBar_;

  double splitterLeft_ = 0;  // splitter_'s left edge, twips; 0 until first laid out
  double splitterTop_ = 0;
  double splitterHeight_ = 0;
  double barLeft_ = 0;  // dragBar_'s left edge while dragging, twips
  bool dragging_ = false;
};

}  // namespace tarsek
