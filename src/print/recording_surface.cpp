#include "print/recording_surface.h"

namespace tarsek {

std::vector<std::string> RecordingSurface::texts() const {
  std::vector<std::string> out;
  for (const Call& c : calls_)
    if (c.op == "text") out.push_back(c.text);
  return out;
}

std::vector<RecordingSurface::Call> RecordingSurface::callsOf(std::string_view op) const {
  std::vector<Call> out;
  for (const Call& c : calls_)
    if (c.op == op) out.push_back(c);
  return out;
}

std::string RecordingSurface::log() const {
  std::string out;
  for (const Call& c : calls_) {
    out += c.op;
    if (!c.args.empty()) {
      out += ' ';
      out += c.args;
    }
    out += '\n';
  }
  return out;
}

void RecordingSurface::note(std::string_view op, std::string_view args) {
  Call c;
  c.op = std::string(op);
  c.args = std::string(args);
  c.fontSize = fontSize();
  c.lineWidth = lineWidth();
  c.dotted = dotted();
  c.filled = filled();
  calls_.push_back(std::move(c));
}

RecordingSurface::Call& RecordingSurface::last() { return calls_.back(); }

void RecordingSurface::drawText(double x, double y, std::string_view text, Colour colour) {
  Call& c = last();
  c.x = toUserX(x);
  c.y = toUserY(y);
  c.text = std::string(text);
  c.colour = colour;
}

void RecordingSurface::drawLine(double x1, double y1, double x2, double y2, Colour colour) {
  Call& c = last();
  c.x = toUserX(x1);
  c.y = toUserY(y1);
  c.x2 = toUserX(x2);
  c.y2 = toUserY(y2);
  c.colour = colour;
}

void RecordingSurface::drawBox(double x1, double y1, double x2, double y2, Colour colour) {
  drawLine(x1, y1, x2, y2, colour);
}

void RecordingSurface::drawEllipse(double cx, double cy, double rx, double, Colour colour,
                                   double start, double end) {
  Call& c = last();
  c.x = toUserX(cx);
  c.y = toUserY(cy);
  c.x2 = rx / twipsPerUnitX();  // radius in user units
  c.y2 = end - start;
  c.colour = colour;
}

void RecordingSurface::drawPoint(double x, double y, Colour colour) {
  Call& c = last();
  c.x = toUserX(x);
  c.y = toUserY(y);
  c.colour = colour;
}

void RecordingSurface::clearDevice() {}

double RecordingSurface::measureWidth(std::string_view text) const {
  double w = 0;
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    std::size_t len = 1;
    if (b >= 0xF0)
      len = 4;
    else if (b >= 0xE0)
      len = 3;
    else if (b >= 0xC0)
      len = 2;
    w += (b < 0x80 ? 10.0 : 20.0) * fontSize();
    i += len;
  }
  return w;
}

double RecordingSurface::measureHeight(std::string_view) const { return 20.0 * fontSize(); }

}  // namespace tarsek
