#pragma once

#include <QWidget>

#include "ui/view_host.h"

namespace tarsek {

/// The 测斜数据 view (P测斜数据) of the main window.
class SurveyView : public QWidget {
  Q_OBJECT
 public:
  explicit SurveyView(ViewHost& host, QWidget* parent = nullptr);
  void 测斜数据显示();
  void 测斜数据初始();

 private:
  ViewHost& host_;
};

}  // namespace tarsek
