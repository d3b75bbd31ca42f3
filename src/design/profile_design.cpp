#include "design/profile_design.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "common/angles.h"
#include "common/constants.h"
#include "survey/survey_calc.h"

namespace tarsek {
namespace {

// Design points are laid every 30 m of measured depth.
constexpr double kCourseLength = 30.0;
// The tangent search stops when the inclination is within this many degrees of the line to the
// target.
constexpr double kTangentTolerance = 0.001;
// The tangent bracket halves every pass; after about 60 passes it is one ulp wide, so a search
// still unsettled after this many cannot improve and takes the last trial point.
constexpr int kTangentMaxPasses = 200;
// Two measured depths closer than this (m) are one depth.
constexpr double kSameDepth = 1e-6;

bool finite(double v) { return std::isfinite(v); }

constexpr const char* kSegmentNames[6] = {"直井段", "造斜段", "增斜段",
                                          "稳斜段", "降斜段", "稳斜段"};

// A profile under construction. Both recomputation paths share every decision; they differ only
// in how designResults catch up with designPoints after a change.
class ProfileBuilder {
 public:
  ProfileBuilder(WellState& session, const DesignOptions& options)
      : session_(session),
        well_(session.well),
        incremental_(options.recompute == DesignRecompute::Incremental),
        pointLimit_(std::clamp(options.pointLimit, 3, static_cast<int>(kMaxCount))),
        method_(session.calcMethod) {}

  DesignOutcome run();

 private:
  struct Tangent {
    double md;
    double inclination;
  };

  int last() const { return well_.designPointCount - 1; }
  SurveyStation& point(int i) { return well_.designPoints[static_cast<std::size_t>(i)]; }
  StationResult& result(int i) { return well_.designResults[static_cast<std::size_t>(i)]; }

  bool inputsDesignable() const;
  void reset();
  bool designIsFinite() const;
  DesignOutcome finish(DesignOutcome outcome);
  SurveyStation designStation(int index, double md, double inclination) const;
  bool appendPoint(double md, double inclination);
  bool addPoint(double inclination);
  bool addVerticalPoint();
  void resizeResults();
  void recompute();
  void computeCourse(int i);
  void forget(int fromPoint);
  void fillRow(int k, int from);
  Tangent findTangent(int target, bool building);
  void replaceWithTangent(const Tangent& tangent);
  void endHoldAt(double tvd, double inclination);

  WellState& session_;
  WellRecord& well_;
  const bool incremental_;
  const int pointLimit_;
  const SurveyMethod method_;

  // Incremental path: designResults[0..valid_] and the grid azimuths of points 0..valid_ are what
  // a full pass over the current points gives.
  int valid_ = -1;
  // Grid azimuth of each point as the full pass leaves it between its own course and the next
  // one. The average angle method rewrites the upper end of a course when that end is vertical,
  // and the next course's dogleg must see the value from before that rewrite.
  std::vector<double> gridBeforeNext_;
};

bool ProfileBuilder::inputsDesignable() const {
  const BasicData& b = well_.basic();
  const double used[] = {b.wellheadX,     b.wellheadY,       b.target1X,
                         b.target1Y,      b.target1Tvd,      b.magDeclination,
                         b.designAzimuth, b.buildRate,       b.buildToInclination,
                         b.kickoffDepth,  b.rotaryBuildRate, b.designFinalTvd};
  if (!std::all_of(std::begin(used), std::end(used), finite)) return false;
  if (b.targetCount == 2) {
    const double second[] = {b.target2X, b.target2Y, b.target2Tvd, b.designDisplacement2,
                             b.rotaryDropRate};
    if (!std::all_of(std::begin(second), std::end(second), finite)) return false;
  }
  // The design window refuses these; a design file may still carry them. A zero build rate would
  // divide by zero and a negative build-to inclination gives a motor build with fewer points than
  // the kick-off itself.
  return b.buildRate > 0 && b.buildToInclination >= 0;
}

// Rates and distances that are finite but absurd (a rate of 1e300 deg/100 m from a damaged file)
// can still overflow on the way; such a design is refused and cleared rather than shown as "--".
bool ProfileBuilder::designIsFinite() const {
  for (const SurveyStation& p : well_.designPoints) {
    if (!finite(p.md) || !finite(p.inclination) || !finite(p.azimuth) || !finite(p.gridAzimuth)) {
      return false;
    }
  }
  for (const StationResult& r : well_.designResults) {
    const std::array<double, 15> values = fieldsOf(r);
    if (!std::all_of(values.begin(), values.end(), finite)) return false;
  }
  for (const DesignSegment& row : session_.designSegments) {
    const double values[] = {row.md,      row.tvd,      row.displacement,   row.inclination,
                             row.deltaMd, row.deltaTvd, row.deltaHorizontal};
    if (!std::all_of(std::begin(values), std::end(values), finite)) return false;
  }
  return true;
}

DesignOutcome ProfileBuilder::finish(DesignOutcome outcome) {
  session_.ui().setBusy(false);
  if (designIsFinite()) return outcome;
  reset();
  return DesignOutcome::DataUnusable;
}

void ProfileBuilder::reset() {
  for (std::size_t k = 0; k < session_.designSegments.size(); ++k) {
    session_.designSegments[k] = DesignSegment{};
    if (k < 6) session_.designSegments[k].name = kSegmentNames[k];
  }
  well_.designPoints.assign(3, SurveyStation{});
  well_.designResults.assign(3, StationResult{});
  well_.designPointCount = 2;
  valid_ = -1;
}

SurveyStation ProfileBuilder::designStation(int index, double md, double inclination) const {
  SurveyStation s;
  s.index = static_cast<std::int16_t>(index);
  s.md = md;
  s.inclination = inclination;
  s.gridAzimuth = well_.designAzimuth;
  s.azimuth = well_.designAzimuth - well_.magDeclination;
  return s;
}

// Appends a point at the end of the used points, keeping one spare zero entry beyond them;
// false when the design already holds as many points as it may.
bool ProfileBuilder::appendPoint(double md, double inclination) {
  if (well_.designPointCount >= pointLimit_) return false;
  const int index = well_.designPointCount;
  point(index) = designStation(index, md, inclination);
  well_.designPoints.emplace_back();
  well_.designPointCount = static_cast<std::int16_t>(index + 1);
  return true;
}

bool ProfileBuilder::addPoint(double inclination) {
  if (!appendPoint(point(last()).md + kCourseLength, inclination)) return false;
  resizeResults();
  recompute();
  return true;
}

// A drop through vertical stops at vertical, and a vertical point has no direction.
bool ProfileBuilder::addVerticalPoint() {
  if (!appendPoint(point(last()).md + kCourseLength, 0)) return false;
  SurveyStation& p = point(last());
  p.azimuth = 0;
  p.gridAzimuth = 0;
  resizeResults();
  recompute();
  return true;
}

void ProfileBuilder::resizeResults() {
  const auto size = static_cast<std::size_t>(well_.designPointCount) + 1;
  if (incremental_) {
    // Entries up to valid_ are kept; newer ones are recomputed before anyone reads them.
    well_.designResults.resize(size);
  } else {
    well_.designResults.assign(size, StationResult{});
  }
}

void ProfileBuilder::recompute() {
  if (!incremental_) {
    RecalculateDesignTrajectory(session_);
    return;
  }
  // Without a well number the full pass computes nothing, and neither may this one.
  if (well_.wellNo.empty() || well_.designPointCount < 2) return;
  const int count = well_.designPointCount;
  gridBeforeNext_.resize(static_cast<std::size_t>(count));
  if (valid_ < 0) {
    StationResult first;
    first.tvd = point(0).md;
    result(0) = first;
    gridBeforeNext_[0] = point(0).azimuth + well_.magDeclination;
    valid_ = 0;
  }
  for (int i = valid_ + 1; i < count; ++i) computeCourse(i);
  valid_ = count - 1;
}

void ProfileBuilder::computeCourse(int i) {
  const auto up = static_cast<std::size_t>(i - 1);
  // The full pass first re-derives every grid azimuth from the stored azimuth, then lets the
  // courses above rewrite it; replay exactly that state for the two ends of this course.
  point(i - 1).gridAzimuth = gridBeforeNext_[up];
  point(i).gridAzimuth = point(i).azimuth + well_.magDeclination;
  result(i) = StationResult{};
  ComputeTrajectoryStep(well_.designPoints, well_.basic(), well_.designResults, i, method_);
  gridBeforeNext_[up + 1] = point(i).gridAzimuth;
}

void ProfileBuilder::forget(int fromPoint) { valid_ = std::min(valid_, fromPoint - 1); }

void ProfileBuilder::fillRow(int k, int from) {
  DesignSegment& row = session_.designSegments[static_cast<std::size_t>(k)];
  row.md = point(from).md;
  row.tvd = result(from).tvd;
  row.displacement = result(from).closureDistance;
  row.inclination = k == 1 ? well_.buildToInclination : point(from).inclination;
  if (k == 0) {
    row.deltaMd = row.md;
    row.deltaTvd = row.tvd;
    row.deltaHorizontal = 0;
    return;
  }
  const DesignSegment& above = session_.designSegments[static_cast<std::size_t>(k - 1)];
  row.deltaMd = row.md - above.md;
  row.deltaTvd = row.tvd - above.tvd;
  row.deltaHorizontal = row.displacement - above.displacement;
}

// Finds the point of the last course at which the hole points straight at the target, on a
// course that builds (or drops) the inclination. The required inclination is judged at the
// anchor, which follows the trial points one pass behind.
ProfileBuilder::Tangent ProfileBuilder::findTangent(int target, bool building) {
  const int L = last();
  const double targetN = (target == 1 ? well_.target1X : well_.target2X) - well_.wellheadX;
  const double targetE = (target == 1 ? well_.target1Y : well_.target2Y) - well_.wellheadY;
  const double targetTvd = target == 1 ? well_.target1Tvd : well_.target2Tvd;

  SurveyStation a = point(L - 1);
  SurveyStation b = point(L);
  const StationResult& anchor = result(L - 1);
  double qTvd = anchor.tvd;
  double qNorth = anchor.north;
  double qEast = anchor.east;
  double req = target == 1 ? anchor.target1Inclination : anchor.target2Inclination;

  auto trial = [&] {
    return designStation(0, (a.md + b.md) / 2, (a.inclination + b.inclination) / 2);
  };
  SurveyStation t = trial();
  double cur = t.inclination;
  for (int pass = 0; pass < kTangentMaxPasses && std::fabs(cur - req) >= kTangentTolerance;
       ++pass) {
    const double savedTvd = qTvd;
    const double savedNorth = qNorth;
    const double savedEast = qEast;
    const StationResult d = IntervalIncrements(a, t, method_);
    qTvd += d.tvd;
    qNorth += d.north;
    qEast += d.east;
    const double dN = targetN - qNorth;
    const double dE = targetE - qEast;
    req = InclinationToTarget(std::sqrt(dN * dN + dE * dE), targetTvd - qTvd);
    t = trial();
    cur = t.inclination;
    const bool pastTangent = building ? cur > req : cur < req;
    if (pastTangent) {
      b = t;
      qTvd = savedTvd;
      qNorth = savedNorth;
      qEast = savedEast;
    } else {
      a = t;
    }
  }
  return {t.md, cur};
}

void ProfileBuilder::replaceWithTangent(const Tangent& tangent) {
  const int L = last();
  point(L) = designStation(point(L).index, tangent.md, tangent.inclination);
  forget(L);
  recompute();
}

// Ends a hold exactly at a vertical depth inside its last course. The result there comes from
// the interpolation, not from a pass over the points; a later point recomputes it.
void ProfileBuilder::endHoldAt(double tvd, double inclination) {
  const int L = last();
  const TargetCrossing x =
      StationAtDepth(tvd, point(L - 1), result(L - 1), well_.basic(), point(L), true, method_);
  SurveyStation end = x.station;
  end.inclination = inclination;
  end.gridAzimuth = well_.designAzimuth;
  end.azimuth = well_.designAzimuth - well_.magDeclination;
  end.index = static_cast<std::int16_t>(L);
  point(L) = end;
  result(L) = x.result;
  forget(L);
}

DesignOutcome ProfileBuilder::run() {
  // Every run rebuilds the whole design from the basic data.
  reset();

  if (!finite(well_.designDisplacement1) || !finite(well_.designFinalTvd)) {
    return finish(DesignOutcome::DataUnusable);
  }

  // Vertical well: one course from the wellhead straight down to the final depth.
  if (well_.designDisplacement1 == 0) {
    DesignSegment& hold = session_.designSegments[3];
    hold.md = hold.tvd = hold.deltaMd = hold.deltaTvd = well_.designFinalTvd;
    point(1).index = 1;
    point(1).md = well_.designFinalTvd;
    result(1).tvd = well_.designFinalTvd;
    return DesignOutcome::Done;
  }

  if (!inputsDesignable()) return finish(DesignOutcome::DataUnusable);

  // Kick-off. A vertical point has no azimuth of its own; the kick-off point takes the design
  // azimuth, the direction the build leaves it in, so that no method averages a false azimuth
  // into the first build course.
  point(1) = designStation(1, well_.kickoffDepth, 0);
  DesignSegment& vertical = session_.designSegments[0];
  vertical.md = vertical.tvd = vertical.deltaMd = vertical.deltaTvd = well_.kickoffDepth;

  // Motor build: 30 m points, then the exact end of the build.
  const double buildLength = well_.buildToInclination * 100 / well_.buildRate;
  const double courses = std::floor(buildLength / kCourseLength);
  if (courses + 1 + 2 > pointLimit_) return finish(DesignOutcome::PointLimit);
  const int n = static_cast<int>(courses) + 1;
  for (int i = 2; i <= n; ++i) {
    appendPoint(well_.kickoffDepth + (i - 1) * kCourseLength,
                (i - 1) * kCourseLength * well_.buildRate / 100);
  }
  const double buildEndMd = well_.kickoffDepth + buildLength;
  // When the build ends on a 30 m point the two points share a depth (to rounding); make them
  // share it exactly, inclination included, so that the zero-length course between them has no
  // dogleg instead of a rounding difference divided by a zero or near-zero length.
  if (n >= 2 && std::fabs(point(n).md - buildEndMd) <= kSameDepth) {
    point(n).md = buildEndMd;
    point(n).inclination = well_.buildToInclination;
  }
  appendPoint(buildEndMd, well_.buildToInclination);
  resizeResults();
  recompute();

  if (point(last()).inclination >= result(last()).target1Inclination) {
    return finish(DesignOutcome::KickoffTooHigh);
  }
  fillRow(1, last());
  session_.ui().setStatusText(well_.wellNo + "井正在设计计算中，请稍等！");
  session_.ui().setBusy(true);

  // Rotary build until the hole points straight at target 1.
  const double rotaryStep = well_.rotaryBuildRate * kCourseLength / 100;
  while (result(last()).target1Inclination >= point(last()).inclination) {
    if (!addPoint(point(last()).inclination + rotaryStep)) return finish(DesignOutcome::PointLimit);
  }
  if (result(last()).tvd > well_.target1Tvd) return finish(DesignOutcome::RotaryBuildTooLow);
  if (result(last()).closureDistance > well_.designDisplacement1) {
    return finish(DesignOutcome::RotaryBuildTooHigh);
  }

  replaceWithTangent(findTangent(1, true));
  fillRow(2, last());
  double hold = point(last()).inclination;

  const double holdEnd = well_.targetCount == 1 ? well_.designFinalTvd : well_.target1Tvd;
  while (result(last()).tvd <= holdEnd) {
    if (!addPoint(hold)) return finish(DesignOutcome::PointLimit);
  }
  endHoldAt(holdEnd, hold);
  fillRow(3, last());
  if (well_.targetCount != 2) return finish(DesignOutcome::Done);

  // Toward target 2: s = +1 when the inclination must drop, -1 when it must build, 0 when the
  // hold already points at target 2 (the tangent search's tolerance), as it does for targets in
  // line: then the hold simply goes on through target 2, whatever the sign of the drop rate.
  const double req2 = result(last()).target2Inclination;
  const double inc = point(last()).inclination;
  const int s = std::fabs(req2 - inc) < kTangentTolerance ? 0 : (req2 < inc ? 1 : -1);
  if (s == -1 && well_.rotaryDropRate > 0) return finish(DesignOutcome::DropMustBuild);
  if (s == 1 && well_.rotaryDropRate < 0) return finish(DesignOutcome::DropMustDrop);

  const double dropStep = well_.rotaryDropRate * kCourseLength / 100;
  while (s * point(last()).inclination > s * result(last()).target2Inclination) {
    const double next = point(last()).inclination - dropStep;
    if (!(next < 0 ? addVerticalPoint() : addPoint(next))) return finish(DesignOutcome::PointLimit);
  }
  if (s == -1) {
    // A build that ends level with or beyond target 2 has overshot it; there is no tangent to
    // find, and the design stops at the end of the build, short of the final depth: that is no
    // design to drill by.
    return finish(well_.designDisplacement2 > result(last()).closureDistance
                      ? DesignOutcome::BuildTooLow
                      : DesignOutcome::BuildPassesTarget2);
  }
  if (s == 1) {
    if (result(last()).closureDistance > well_.designDisplacement2) {
      return finish(DesignOutcome::DropTooLow);
    }
    replaceWithTangent(findTangent(2, false));
  }
  fillRow(4, last());
  hold = point(last()).inclination;

  while (result(last()).tvd <= well_.designFinalTvd) {
    if (!addPoint(hold)) return finish(DesignOutcome::PointLimit);
  }
  endHoldAt(well_.designFinalTvd, hold);
  fillRow(5, last());
  return finish(DesignOutcome::Done);
}

}  // namespace

DesignOutcome DesignProfile(WellState& session) { return DesignProfile(session, DesignOptions{}); }

DesignOutcome DesignProfile(WellState& session, const DesignOptions& options) {
  ProfileBuilder builder(session, options);
  return builder.run();
}

const char* ProfileOutcomeText(DesignOutcome outcome) noexcept {
  static constexpr const char* kTexts[kDesignOutcomeCount] = {
      "",
      "井设计造斜点偏高或造斜率或造到井斜偏大，请重新输入！",
      "井设计转盘钻具增斜率偏小，请重新输入！",
      "井设计转盘钻具增斜率偏大，请重新输入！",
      "井设计靶点转盘钻具降斜率应增斜，请输入负值！",
      "井设计靶点转盘钻具降斜率偏小，请重新输入！",
      "井设计靶点转盘钻具降斜率增斜偏小，请重新输入负值！",
      "",
      "井设计剖面点数超限，请检查增斜率、降斜率！",
      "井设计向靶点2增斜时越过靶点2，请重新输入转盘钻具降斜率！",
      "井设计数据无法使用，请检查造斜率等设计数据！",
  };
  const int code = OutcomeCode(outcome);
  return code >= 0 && code < kDesignOutcomeCount ? kTexts[code] : "";
}

std::ostream& operator<<(std::ostream& out, DesignOutcome outcome) {
  return out << OutcomeCode(outcome);
}

double InclinationToTarget(double horizontal, double vertical) noexcept {
  if (vertical == 0) return horizontal == 0 ? 0.0 : 90.0;
  return toDegrees(std::atan(horizontal / vertical));
}

}  // namespace tarsek
