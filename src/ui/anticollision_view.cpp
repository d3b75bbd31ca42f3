#include "ui/anticollision_view.h"

namespace tarsek {

AntiCollisionView::AntiCollisionView(ViewHost& host, QWidget* parent) : QWidget(parent), host_(host) {
  setObjectName(QStringLiteral("P防碰图"));
  setWindowTitle(QStringLiteral("防碰图"));
}

void AntiCollisionView::防碰数据处理() {}

void AntiCollisionView::防碰图初始() {}

}  // namespace tarsek
