#include "ui/survey_view.h"

namespace tarsek {

SurveyView::SurveyView(ViewHost& host, QWidget* parent) : QWidget(parent), host_(host) {
  setObjectName(QStringLiteral("P测斜数据"));
  setWindowTitle(QStringLiteral("测斜数据"));
}

void SurveyView::测斜数据显示() {}

void SurveyView::测斜数据初始() {}

}  // namespace tarsek
