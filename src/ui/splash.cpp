#include "ui/splash.h"

#include <QApplication>
#include <QLabel>
#include <QRegion>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

namespace tarsek {

namespace {
constexpr int kFadeTicks = 201;
}

int splashFadeLevel(int tick) noexcept {
  return static_cast<int>(std::nearbyint(static_cast<double>(tick) * 2.55 / 2.0));
}

SplashScreen::SplashScreen(std::function<void()> showMain)
    : QWidget(nullptr), showMain_(std::move(showMain)) {
  setObjectName(QStringLiteral("frmSplash"));
  setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_DeleteOnClose, false);
  setFixedSize(300, 200);
  setMask(QRegion(0, 0, 300, 200, QRegion::Ellipse));
  setAutoFillBackground(true);

  titleLabel_ = new QLabel(QStringLiteral("Tarsek设计与计算"), this);
  titleLabel_->setObjectName(QStringLiteral("Label1"));
  QFont face(QStringLiteral("隶书"));
  face.setFamilies(
      {QStringLiteral("隶书"), QStringLiteral("LiSu"), QStringLiteral("WenQuanYi Micro Hei")});
  face.setPointSize(20);
  titleLabel_->setFont(face);
  titleLabel_->setAlignment(Qt::AlignCenter);
  subtitleLabel_ = new QLabel(QStringLiteral("定向井设计、测斜计算与防碰预测"), this);
  subtitleLabel_->setObjectName(QStringLiteral("Label2"));
  subtitleLabel_->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(this);
  layout->addStretch(2);
  layout->addWidget(titleLabel_);
  layout->addWidget(subtitleLabel_);
  layout->addStretch(3);

  applyColours(0);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  pointerBusy_ = true;

  fadeTimer_ = new QTimer(this);
  fadeTimer_->setObjectName(QStringLiteral("Timer1"));
  fadeTimer_->setInterval(1);
  connect(fadeTimer_, &QTimer::timeout, this, &SplashScreen::tick);
  fadeTimer_->start();
}

SplashScreen::~SplashScreen() {
  if (pointerBusy_) QApplication::restoreOverrideCursor();
}

void SplashScreen::applyColours(int level) {
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor(level, level, 255));
  p.setColor(QPalette::WindowText, QColor(255, level, level));
  setPalette(p);
  titleLabel_->setPalette(p);
  subtitleLabel_->setPalette(p);
}

void SplashScreen::tick() {
  if (!mainShown_) {
    mainShown_ = true;
    if (showMain_) showMain_();
    if (pointerBusy_) {
      QApplication::restoreOverrideCursor();
      pointerBusy_ = false;
    }
  }
  if (counter_ < kFadeTicks) {
    applyColours(splashFadeLevel(counter_));
    ++counter_;
  }
  if (counter_ >= kFadeTicks) {
    fadeTimer_->stop();
    close();
    emit finished();
  }
}

}  // namespace tarsek
