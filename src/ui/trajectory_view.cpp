#include "ui/trajectory_view.h"

namespace tarsek {

TrajectoryView::TrajectoryView(ViewHost& host, QWidget* parent) : QWidget(parent), host_(host) {
  setObjectName(QStringLiteral("P轨迹图"));
  setWindowTitle(QStringLiteral("轨迹图"));
}

void TrajectoryView::轨迹图() {}

}  // namespace tarsek
