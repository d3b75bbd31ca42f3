#include "print/surface.h"

#include <fmt/format.h>

#include <cmath>

namespace tarsek {

std::string colourHex(Colour c) {
  return fmt::format("#{:02x}{:02x}{:02x}", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

void Surface::setScaleWidth(double width) {
  // A zero or non-finite scale would turn every later coordinate into inf or nan.
  unitsX_ = (std::isfinite(width) && width != 0) ? width : 0;
}

void Surface::setScaleHeight(double height) {
  unitsY_ = (std::isfinite(height) && height != 0) ? height : 0;
}

double Surface::scaleWidth() const { return unitsX_ != 0 ? unitsX_ : deviceWidth(); }
double Surface::scaleHeight() const { return unitsY_ != 0 ? unitsY_ : deviceHeight(); }

void Surface::resetScale() noexcept {
  unitsX_ = unitsY_ = 0;
  scaleLeft_ = scaleTop_ = 0;
}

double Surface::twipsPerUnitX() const {
  const double w = deviceWidth();
  return unitsX_ != 0 && w > 0 ? w / unitsX_ : 1.0;
}

double Surface::twipsPerUnitY() const {
  const double h = deviceHeight();
  return unitsY_ != 0 && h > 0 ? h / unitsY_ : 1.0;
}

double Surface::toDeviceX(double x) const { return (x - scaleLeft_) * twipsPerUnitX(); }
double Surface::toDeviceY(double y) const { return (y - scaleTop_) * twipsPerUnitY(); }
double Surface::toUserX(double twipsX) const { return twipsX / twipsPerUnitX() + scaleLeft_; }
double Surface::toUserY(double twipsY) const { return twipsY / twipsPerUnitY() + scaleTop_; }

void Surface::setFontSize(double points) {
  if (!std::isfinite(points) || points <= 0) points = 1;
  fontSize_ = points;
  fontChanged();
}

void Surface::setFontFace(const std::string& face) {
  fontFace_ = face;
  fontChanged();
}

void Surface::setFontBold(bool bold) {
  bold_ = bold;
  fontChanged();
}

double Surface::textWidth(std::string_view text) const {
  return measureWidth(text) / twipsPerUnitX();
}

double Surface::textHeight(std::string_view text) const {
  return measureHeight(text) / twipsPerUnitY();
}

void Surface::printItem(std::string_view text) {
  if (recording()) note("text", fmt::format("{:.4f},{:.4f},{}", currentX, currentY, text));
  if (!text.empty()) drawText(toDeviceX(currentX), toDeviceY(currentY), text, foreColour);
  currentX += textWidth(text);
}

void Surface::printLine(std::string_view text) {
  printItem(text);
  currentX = scaleLeft_;
  currentY += textHeight("0");
}

void Surface::nextZone() {
  const double zone = 14 * textWidth("0");
  if (zone <= 0) return;
  const double offset = currentX - scaleLeft_;
  currentX = scaleLeft_ + (std::floor(offset / zone + 1e-9) + 1) * zone;
}

void Surface::printRightAligned(std::string_view text, double x) {
  currentX = x - textWidth(text);
  printItem(text);
}

void Surface::printCentred(std::string_view text, double x) {
  currentX = x - textWidth(text) / 2;
  printItem(text);
}

void Surface::line(double x1, double y1, double x2, double y2, Colour colour) {
  if (recording())
    note("line", fmt::format("{:.4f},{:.4f},{:.4f},{:.4f},{}", x1, y1, x2, y2, colourHex(colour)));
  drawLine(toDeviceX(x1), toDeviceY(y1), toDeviceX(x2), toDeviceY(y2), colour);
  currentX = x2;
  currentY = y2;
}

void Surface::polyline(const std::vector<double>& xy, Colour colour) {
  if (recording()) {
    std::string args;
    for (std::size_t i = 0; i + 1 < xy.size(); i += 2)
      args += fmt::format("{}{:.4f},{:.4f}", i == 0 ? "" : ";", xy[i], xy[i + 1]);
    note("polyline", args + "," + colourHex(colour));
  }
  std::vector<double> device;
  device.reserve(xy.size());
  const auto flush = [&] {
    if (device.size() >= 4) drawPolyline(device.data(), device.size() / 2, colour);
    device.clear();
  };
  for (std::size_t i = 0; i + 1 < xy.size(); i += 2) {
    const double x = toDeviceX(xy[i]);
    const double y = toDeviceY(xy[i + 1]);
    if (!std::isfinite(x) || !std::isfinite(y)) {
      flush();
      continue;
    }
    device.push_back(x);
    device.push_back(y);
    currentX = xy[i];
    currentY = xy[i + 1];
  }
  flush();
}

void Surface::drawPolyline(const double* xy, std::size_t points, Colour colour) {
  for (std::size_t i = 1; i < points; ++i)
    drawLine(xy[2 * i - 2], xy[2 * i - 1], xy[2 * i], xy[2 * i + 1], colour);
}

void Surface::box(double x1, double y1, double x2, double y2, Colour colour) {
  if (recording())
    note("box", fmt::format("{:.4f},{:.4f},{:.4f},{:.4f},{}", x1, y1, x2, y2, colourHex(colour)));
  drawBox(toDeviceX(x1), toDeviceY(y1), toDeviceX(x2), toDeviceY(y2), colour);
  currentX = x2;
  currentY = y2;
}

void Surface::circle(double x, double y, double r, Colour colour, double start, double end) {
  if (recording())
    note("circle", fmt::format("{:.4f},{:.4f},{:.4f},{},{:.4f},{:.4f}", x, y, r, colourHex(colour),
                               start, end));
  // The radius is measured on the x axis; the y radius follows so that a circle stays round
  // when the two axes have different scales.
  const double rx = std::fabs(r) * twipsPerUnitX();
  drawEllipse(toDeviceX(x), toDeviceY(y), rx, rx, colour, start, end);
  currentX = x;
  currentY = y;
}

void Surface::point(double x, double y, Colour colour) {
  if (recording()) note("point", fmt::format("{:.4f},{:.4f},{}", x, y, colourHex(colour)));
  drawPoint(toDeviceX(x), toDeviceY(y), colour);
  currentX = x;
  currentY = y;
}

void Surface::clear() {
  if (recording()) note("clear", "");
  clearDevice();
  currentX = scaleLeft_;
  currentY = scaleTop_;
}

}  // namespace tarsek
