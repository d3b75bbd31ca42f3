#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "print/surface.h"

namespace tarsek {

/// A surface that draws nothing and keeps every call, for tests. Text is measured with fixed
/// metrics: a character below U+0080 is fontSize * 10 twips wide (half an em), any other
/// character fontSize * 20 twips (a full em); every text is fontSize * 20 twips high.
class RecordingSurface : public Surface {
 public:
  /// One recorded call in user units; text calls keep their text in `text`.
  struct Call {
    std::string op;                       ///< "text", "line", "box", "circle", "point" or "clear"
    std::string args;                     ///< the arguments as the call log prints them
    double x = 0, y = 0, x2 = 0, y2 = 0;  ///< user coordinates (text: cursor; circle: centre)
    std::string text;
    Colour colour = 0;
    double fontSize = 0;
    int lineWidth = 1;
    bool dotted = false;
    bool filled = false;
  };

  /// A surface of the given size in twips; the default is an A4 portrait page.
  explicit RecordingSurface(double widthTwips = 11906, double heightTwips = 16838)
      : width_(widthTwips), height_(heightTwips) {}

  double deviceWidth() const override { return width_; }
  double deviceHeight() const override { return height_; }
  void resize(double widthTwips, double heightTwips) {
    width_ = widthTwips;
    height_ = heightTwips;
  }

  const std::vector<Call>& calls() const noexcept { return calls_; }
  /// The texts drawn, in order.
  std::vector<std::string> texts() const;
  /// The calls of one kind.
  std::vector<Call> callsOf(std::string_view op) const;
  /// One line per call, "op args", for golden-file comparisons.
  std::string log() const;
  void reset() { calls_.clear(); }

 protected:
  void drawText(double x, double y, std::string_view text, Colour colour) override;
  void drawLine(double x1, double y1, double x2, double y2, Colour colour) override;
  void drawBox(double x1, double y1, double x2, double y2, Colour colour) override;
  void drawEllipse(double cx, double cy, double rx, double ry, Colour colour, double start,
                   double end) override;
  void drawPoint(double x, double y, Colour colour) override;
  void clearDevice() override;
  double measureWidth(std::string_view text) const override;
  double measureHeight(std::string_view text) const override;
  void note(std::string_view op, std::string_view args) override;
  bool recording() const noexcept override { return true; }

 private:
  Call& last();
  double width_;
  double height_;
  std::vector<Call> calls_;
};

}  // namespace tarsek
