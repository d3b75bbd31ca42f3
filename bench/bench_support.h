#pragma once

// Pieces the benchmark programs share: a surface that only measures, and a pad well.

#include <algorithm>
#include <string>
#include <vector>

#include "model/well_record.h"
#include "print/surface.h"
#include "survey/survey_calc.h"

namespace tarsek::bench {

/// A surface that measures text like a printer font (half an em a character) and draws nothing,
/// so that only the drawing code's own work is timed.
class NullSurface : public Surface {
 public:
  explicit NullSurface(double widthTwips = 11906, double heightTwips = 16838)
      : width_(widthTwips), height_(heightTwips) {}
  double deviceWidth() const override { return width_; }
  double deviceHeight() const override { return height_; }

 protected:
  void drawText(double, double, std::string_view, Colour) override {}
  void drawLine(double, double, double, double, Colour) override {}
  void drawBox(double, double, double, double, Colour) override {}
  void drawEllipse(double, double, double, double, Colour, double, double) override {}
  void drawPoint(double, double, Colour) override {}
  void clearDevice() override {}
  double measureWidth(std::string_view text) const override {
    return static_cast<double>(text.size()) * fontSize() * 10;
  }
  double measureHeight(std::string_view) const override { return fontSize() * 20; }

 private:
  double width_;
  double height_;
};

/// A well of count stations reaching about tvd metres: vertical to a third of the depth, then
/// built to 25 degrees on azimuth az, its trajectory computed.
inline WellRecord padWell(const std::string& name, double wx, double wy, int count, double tvd,
                          double az) {
  WellRecord w;
  w.wellNo = name;
  w.wellheadX = wx;
  w.wellheadY = wy;
  w.designDisplacement1 = 800;
  const double courseLength = tvd * 1.06 / (count - 1);
  std::vector<SurveyStation> st(static_cast<std::size_t>(count) + 1);
  for (int i = 0; i < count; ++i) {
    const double md = i * courseLength;
    st[i].index = static_cast<std::int16_t>(i);
    st[i].md = md;
    st[i].inclination = md < tvd / 3 ? 0 : std::min(25.0, (md - tvd / 3) / 20);
    st[i].azimuth = az;
  }
  w.stationCount = static_cast<std::int16_t>(count);
  w.results = ComputeTrajectory(st, w.basic(), count, SurveyMethod::AverageAngle);
  w.stations = st;
  return w;
}

}  // namespace tarsek::bench
