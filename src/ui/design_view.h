#pragma once

#include <QWidget>

#include "ui/view_host.h"

namespace tarsek {

/// The 设计数据 view (P设计数据) of the main window.
class DesignView : public QWidget {
  Q_OBJECT
 public:
  explicit DesignView(ViewHost& host, QWidget* parent = nullptr);
  void 基本数据显示();

 private:
  ViewHost& host_;
};

}  // namespace tarsek
