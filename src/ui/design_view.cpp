#include "ui/design_view.h"

namespace tarsek {

DesignView::DesignView(ViewHost& host, QWidget* parent) : QWidget(parent), host_(host) {
  setObjectName(QStringLiteral("P设计数据"));
  setWindowTitle(QStringLiteral("设计数据"));
}

void DesignView::基本数据显示() {}

}  // namespace tarsek
