#pragma once

#include <QWidget>

#include "ui/view_host.h"

namespace tarsek {

/// The 工具箱 view (p工具) of the main window.
class ToolsView : public QWidget {
  Q_OBJECT
 public:
  explicit ToolsView(ViewHost& host, QWidget* parent = nullptr);

 private:
  ViewHost& host_;
};

}  // namespace tarsek
