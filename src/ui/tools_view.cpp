#include "ui/tools_view.h"

namespace tarsek {

ToolsView::ToolsView(ViewHost& host, QWidget* parent) : QWidget(parent), host_(host) {
  setObjectName(QStringLiteral("p工具"));
  setWindowTitle(QStringLiteral("工具箱"));
}

}  // namespace tarsek
