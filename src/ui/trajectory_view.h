#pragma once

#include <QWidget>

#include "ui/view_host.h"

namespace tarsek {

/// The 轨迹图 view (P轨迹图) of the main window.
class TrajectoryView : public QWidget {
  Q_OBJECT
 public:
  explicit TrajectoryView(ViewHost& host, QWidget* parent = nullptr);
  void 轨迹图();

 private:
  ViewHost& host_;
};

}  // namespace tarsek
