#include "design/design_tables.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "common/numtext.h"

namespace tarsek {

namespace {

// One table line: the cells at x 0, 10, ..., 70, then the line end.
template <typename Cells>
void tableLine(Surface& box, const Cells& cells) {
  double x = 0;
  for (const std::string& cell : cells) {
    box.currentX = x;
    box.printItem(cell);
    x += 10;
  }
  box.printLine();
}

std::string num(double v) { return formatFixed(v, 2); }

}  // namespace

void drawDesignSegmentTable(Surface& box, const WellState& session) {
  box.clear();
  box.setScaleWidth(80);
  if (session.well.wellNo.empty()) return;
  static const std::string kTitles[] = {"井段", "斜深", "垂深", "位移",
                                        "井斜", "斜增", "垂增", "平增"};
  tableLine(box, kTitles);
  box.printLine();
  const int count = session.well.targetCount;
  const int last = count == 1 ? 3 : (count == 2 ? 5 : 0);
  for (int r = 0; r <= last; ++r) {
    const DesignSegment& s = session.designSegments[static_cast<std::size_t>(r)];
    const std::string cells[] = {s.name,
                                 num(s.md),
                                 num(s.tvd),
                                 num(s.displacement),
                                 num(s.inclination),
                                 num(s.deltaMd),
                                 num(s.deltaTvd),
                                 num(s.deltaHorizontal)};
    tableLine(box, cells);
  }
}

void drawDesignPointTitles(Surface& box) {
  box.clear();
  box.setScaleWidth(80);
  static const std::string kTitles[] = {"序号", "测深", "井斜", "方位", "垂深", "位移", "N", "E"};
  tableLine(box, kTitles);
}

double designPointRowPitch(const Surface& box) { return 2 * box.textHeight("0"); }

void drawDesignPointRows(Surface& box, const WellState& session, int first, int last) {
  box.setScaleWidth(80);
  const WellRecord& w = session.well;
  if (w.wellNo.empty()) return;
  // A failed design may leave fewer results than points; draw only what both arrays hold.
  const int used =
      std::min<int>({static_cast<int>(w.designPointCount), static_cast<int>(w.designPoints.size()),
                     static_cast<int>(w.designResults.size())});
  first = std::max(first, 0);
  last = std::min(last, used - 1);
  const double pitch = designPointRowPitch(box);
  for (int i = first; i <= last; ++i) {
    const SurveyStation& p = w.designPoints[static_cast<std::size_t>(i)];
    const StationResult& r = w.designResults[static_cast<std::size_t>(i)];
    box.currentY = i * pitch;
    const std::string cells[] = {
        std::to_string(p.index), num(p.md),    num(p.inclination), num(p.azimuth), num(r.tvd),
        num(r.closureDistance),  num(r.north), num(r.east)};
    tableLine(box, cells);
    box.printLine();
  }
}

void drawDesignPointView(Surface& box, const WellState& session, double scroll) {
  box.clear();
  box.setScaleWidth(80);
  const double pitch = designPointRowPitch(box);
  const double view = box.scaleHeight();
  if (!(pitch > 0) || !(view > 0)) return;
  const double content = (session.well.designPointCount + 2) * pitch;
  if (!(scroll >= 0)) scroll = 0;  // also NaN
  if (scroll > 1) scroll = 1;
  // The scroll range stops with the table's end at the bottom of the box, so the last point can
  // always be brought into view however long the table is.
  const double offset = std::max(0.0, content - view) * scroll;
  const double oldTop = box.scaleTop();
  box.setScaleTop(oldTop + offset);
  const int first = static_cast<int>(std::floor(offset / pitch));
  const int last = static_cast<int>(std::ceil((offset + view) / pitch));
  drawDesignPointRows(box, session, first, last);
  box.setScaleTop(oldTop);
}

}  // namespace tarsek
