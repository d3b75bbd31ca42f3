#pragma once

#include <QWidget>
#include <functional>

class QLabel;
class QTimer;

namespace tarsek {

/// Colour level of the splash fade at a tick (0..200): tick * 2.55 / 2, rounded half to even.
int splashFadeLevel(int tick) noexcept;

/// The splash window (SplashScreen): caption-less, clipped to an ellipse, top-most without taking
/// the focus. Its 1 ms timer shows the main window on the first tick and fades the colours
/// from red-on-blue to white over 201 ticks, then closes.
class SplashScreen : public QWidget {
  Q_OBJECT
 public:
  /// The first tick runs showMain (which shows the main window); the hourglass shows until then.
  explicit SplashScreen(std::function<void()> showMain);
  ~SplashScreen() override;
  /// Ticks run so far.
  int ticks() const noexcept { return counter_; }
  /// One timer tick (public so that the fade can be stepped without a clock).
  void tick();

 signals:
  /// Emitted once, when the fade is over and the window closes.
  void finished();

 private:
  void applyColours(int level);

  std::function<void()> showMain_;
  bool mainShown_ = false;
  QLabel* titleLabel_;
  QLabel* subtitleLabel_;
  QTimer* fadeTimer_;
  int counter_ = 0;
  bool pointerBusy_ = false;
};

}  // namespace tarsek
