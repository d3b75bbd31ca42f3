#pragma once

#include <QWidget>

#include "ui/view_host.h"

namespace tarsek {

/// The 防碰图 view (P防碰图) of the main window.
class AntiCollisionView : public QWidget {
  Q_OBJECT
 public:
  explicit AntiCollisionView(ViewHost& host, QWidget* parent = nullptr);
  void 防碰数据处理();
  void 防碰图初始();

 private:
  ViewHost& host_;
};

}  // namespace tarsek
