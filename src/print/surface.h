#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarsek {

/// A colour as 0x00BBGGRR (blue in the high byte), the order the program's colour values use.
using Colour = std::uint32_t;

/// Builds a Colour from its red, green and blue components (0..255 each).
constexpr Colour rgb(int r, int g, int b) noexcept {
  return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
inline constexpr Colour kBlack = rgb(0, 0, 0);
inline constexpr Colour kWhite = rgb(255, 255, 255);
inline constexpr Colour kRed = rgb(255, 0, 0);
inline constexpr Colour kGreen = rgb(0, 255, 0);
inline constexpr Colour kBlue = rgb(0, 0, 255);

/// "#rrggbb" text of a colour.
std::string colourHex(Colour c);

/// One drawing surface, modelled on a picture box and a printer page. Coordinates are user
/// units: by default twips (1/1440 inch) from the top-left corner, y downward; setScaleWidth and
/// setScaleHeight change each axis on its own, as a picture box's ScaleWidth and ScaleHeight do.
/// Text is placed with its top-left corner at the cursor. Implementations supply the device
/// primitives; every user-level operation is implemented here once.
class Surface {
 public:
  virtual ~Surface() = default;

  // --- size and scale -------------------------------------------------------------------
  /// Width of the drawing area in twips.
  virtual double deviceWidth() const = 0;
  /// Height of the drawing area in twips.
  virtual double deviceHeight() const = 0;

  /// Sets how many user units span the width (the height's scale is unchanged).
  void setScaleWidth(double width);
  /// Sets how many user units span the height (the width's scale is unchanged).
  void setScaleHeight(double height);
  /// Both at once.
  void setScale(double width, double height) {
    setScaleWidth(width);
    setScaleHeight(height);
  }
  /// User coordinate of the left and top edges (0 unless set).
  void setScaleLeft(double left) noexcept { scaleLeft_ = left; }
  void setScaleTop(double top) noexcept { scaleTop_ = top; }
  double scaleLeft() const noexcept { return scaleLeft_; }
  double scaleTop() const noexcept { return scaleTop_; }
  /// User units across the width and down the height.
  double scaleWidth() const;
  double scaleHeight() const;
  /// Returns to twips on both axes with the origin at the top-left.
  void resetScale() noexcept;

  // --- text cursor and fonts --------------------------------------------------------------
  double currentX = 0;  ///< cursor x, user units
  double currentY = 0;  ///< cursor y, user units

  /// Font size in points.
  void setFontSize(double points);
  double fontSize() const noexcept { return fontSize_; }
  void setFontFace(const std::string& face);
  const std::string& fontFace() const noexcept { return fontFace_; }
  void setFontBold(bool bold);
  bool fontBold() const noexcept { return bold_; }

  /// Width and height of a text in user units of the current font.
  double textWidth(std::string_view text) const;
  double textHeight(std::string_view text = "0") const;

  /// Draws text at the cursor, then moves the cursor to the left edge of the next line.
  void printLine(std::string_view text = "");
  /// Draws text at the cursor and leaves the cursor just after it on the same line.
  void printItem(std::string_view text);
  /// Moves the cursor to the start of the next print zone (zones are 14 average character
  /// widths wide, counted from the left edge).
  void nextZone();
  /// Draws text so that it ends at x on the cursor's line; the cursor is left after the text.
  void printRightAligned(std::string_view text, double x);
  /// Draws text centred on x on the cursor's line; the cursor is left after the text.
  void printCentred(std::string_view text, double x);

  // --- drawing ----------------------------------------------------------------------------
  Colour foreColour = kBlack;  ///< colour of text and of lines drawn without their own colour
  /// Sets the text and default line colour.
  void setForeColour(Colour c) noexcept { foreColour = c; }
  /// Line width in device pixels (1 = thinnest).
  void setLineWidth(int width) noexcept { lineWidth_ = width < 1 ? 1 : width; }
  int lineWidth() const noexcept { return lineWidth_; }
  /// Dotted (true) or solid (false) lines.
  void setDotted(bool dotted) noexcept { dotted_ = dotted; }
  bool dotted() const noexcept { return dotted_; }
  /// Fill for circles and boxes: solid fill in fillColour when true, outline only when false.
  void setFilled(bool filled) noexcept { filled_ = filled; }
  bool filled() const noexcept { return filled_; }
  Colour fillColour = kBlack;

  /// A straight line in the given colour; the cursor ends at (x2, y2).
  void line(double x1, double y1, double x2, double y2, Colour colour);
  void line(double x1, double y1, double x2, double y2) { line(x1, y1, x2, y2, foreColour); }
  /// A rectangle outline (or filled box when filled()); the cursor ends at (x2, y2).
  void box(double x1, double y1, double x2, double y2, Colour colour);
  /// A circle of radius r (user units of the x axis), or the arc from start to end (radians,
  /// counter-clockwise from east) when start != end; the cursor ends at the centre.
  void circle(double x, double y, double r, Colour colour, double start = 0, double end = 0);
  /// A broken line through the points xy (x0, y0, x1, y1, ... in user units); a point that is
  /// not finite breaks the line there. The cursor ends at the last point.
  void polyline(const std::vector<double>& xy, Colour colour);
  /// A single point; the cursor ends there.
  void point(double x, double y, Colour colour);
  /// Clears the surface to white and puts the cursor at the top-left.
  void clear();

  // --- conversions --------------------------------------------------------------------------
  /// User units to twips and back, per axis.
  double toDeviceX(double x) const;
  double toDeviceY(double y) const;
  double toUserX(double twipsX) const;
  double toUserY(double twipsY) const;
  double twipsPerUnitX() const;
  double twipsPerUnitY() const;

 protected:
  /// Device primitives, in twips from the top-left. Text: top-left corner of the text box.
  virtual void drawText(double x, double y, std::string_view text, Colour colour) = 0;
  virtual void drawLine(double x1, double y1, double x2, double y2, Colour colour) = 0;
  virtual void drawBox(double x1, double y1, double x2, double y2, Colour colour) = 0;
  /// rx, ry: radii in twips; start == end draws the full ellipse.
  virtual void drawEllipse(double cx, double cy, double rx, double ry, Colour colour, double start,
                           double end) = 0;
  virtual void drawPoint(double x, double y, Colour colour) = 0;
  /// points pairs of device coordinates, all finite; by default one drawLine per segment.
  virtual void drawPolyline(const double* xy, std::size_t points, Colour colour);
  virtual void clearDevice() = 0;
  /// Width and height in twips of a text in the current font.
  virtual double measureWidth(std::string_view text) const = 0;
  virtual double measureHeight(std::string_view text) const = 0;
  /// Called after the font size, face or weight changed.
  virtual void fontChanged() {}

  /// Records that a user-level call happened (for recording surfaces); default does nothing.
  virtual void note(std::string_view op, std::string_view args) { (void)op, (void)args; }
  /// True when note() keeps what it is told: only then are the call texts formatted, which
  /// would otherwise cost more than the drawing itself on a chart of many thousand marks.
  virtual bool recording() const noexcept { return false; }

 private:
  double unitsX_ = 0;  // 0: twips on this axis
  double unitsY_ = 0;
  double scaleLeft_ = 0;
  double scaleTop_ = 0;
  double fontSize_ = 9;
  std::string fontFace_ = "宋体";
  bool bold_ = false;
  int lineWidth_ = 1;
  bool dotted_ = false;
  bool filled_ = false;
};

}  // namespace tarsek
