#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "print/surface.h"

namespace tarsek {

/// One preview page (Form3): a white sheet the size of the printer page times the zoom. What
/// the page shows is kept as drawing steps and drawn whenever the page is painted, so pages
/// scrolled out of sight cost nothing.
class PreviewPage : public QWidget {
  Q_OBJECT
 public:
  /// widthTwips, heightTwips: the printer page; zoom scales the sheet and its fonts.
  PreviewPage(double widthTwips, double heightTwips, double zoom, double fontPoints,
              QWidget* parent = nullptr);
  /// Adds a drawing step; steps run in order on every repaint.
  void addDrawing(std::function<void(Surface&)> step);
  /// Drawing steps on this page.
  std::size_t drawingCount() const noexcept { return steps_.size(); }
  /// Draws the page on a surface of the page's size (used by paintEvent and by tests).
  void drawOn(Surface& surface) const;
  /// Called when the page is clicked.
  std::function<void()> onClick;
  double zoom() const noexcept { return zoom_; }
  /// Page size in twips at this zoom.
  double widthTwips() const noexcept { return widthTwips_ * zoom_; }
  double heightTwips() const noexcept { return heightTwips_ * zoom_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  double widthTwips_;
  double heightTwips_;
  double zoom_;
  double fontPoints_;
  std::vector<std::function<void(Surface&)>> steps_;
};

}  // namespace tarsek
