#include "anticollision/clearance_scan.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "common/constants.h"
#include "common/numtext.h"
#include "survey/survey_calc.h"

namespace tarsek {
namespace {

constexpr const char* kCr = "\r";

double roundHalfEven(double x) noexcept {
  const double r = std::round(x);
  if (std::fabs(x - std::trunc(x)) == 0.5) return 2.0 * std::round(x / 2.0);
  return r;
}

std::string f2(double v) { return formatFixed(v, 2); }

/// A well's point at one vertical depth, relative to its own wellhead.
struct WellPoint {
  double md = 0;
  double north = 0;
  double east = 0;
};

/// Finds a well's point at increasing vertical depths. The first station that reaches a depth
/// (equal, or the lower end of an increasing course that contains it) only moves down as the
/// depth grows, because it is where the well's running deepest point first gets there; so each
/// search may resume where the previous one stopped and a whole scan walks the stations once.
class PointFinder {
 public:
  PointFinder(const WellRecord& well, SurveyMethod calcMethod, StationSearch search)
      : well_(well), calcMethod_(calcMethod), fromTop_(search == StationSearch::FromTop) {}

  WellPoint at(double d) {
    const int n = std::min<int>(well_.stationCount, static_cast<int>(well_.results.size()));
    if (n <= 0 || static_cast<int>(well_.stations.size()) < n) return previous_ = WellPoint{};
    if (d < well_.results[0].tvd) return previous_ = WellPoint{};
    for (int j = fromTop_ ? 0 : cursor_; j < n; ++j) {
      const StationResult& r = well_.results[j];
      if (r.tvd == d) {
        cursor_ = j;
        return previous_ = WellPoint{well_.stations[j].md, r.north, r.east};
      }
      if (j > 0 && well_.results[j - 1].tvd < d && d < r.tvd) {
        cursor_ = j;
        const TargetCrossing c = PositionAtDepth(d, well_.stations[j - 1], well_.results[j - 1],
                                                 well_.basic(), well_.stations[j], calcMethod_);
        return previous_ = WellPoint{c.station.md, c.result.north, c.result.east};
      }
    }
    // Only a well whose depth runs backwards gets here; its previous point is the best guess.
    return previous_;
  }

 private:
  const WellRecord& well_;
  SurveyMethod calcMethod_;
  bool fromTop_;
  int cursor_ = 0;
  WellPoint previous_;
};

double lastTvd(const WellRecord& w) {
  const int n = std::min<int>(w.stationCount, static_cast<int>(w.results.size()));
  return n > 0 ? w.results[n - 1].tvd : 0.0;
}

/// How many samples of step s a track down to depth holds at most: room to keep, never a limit.
std::size_t samplesDownTo(double depth, int s) {
  if (!(depth >= 0)) return 0;
  return static_cast<std::size_t>(std::min(std::floor(depth / s), double{kMaxCount})) + 1;
}

void appendColumns(ClearanceScan& scan, std::size_t i, const std::string& name,
                   const std::vector<double>& ownMd) {
  static const std::array<const char*, 5> kFirstHeading = {"邻  井    ", "测  深    ", "本井测深  ",
                                                           "最小间距  ", "相对方位  "};
  static const std::array<const char*, 5> kLaterHeading = {"邻  井", "测  深 ", "本井测深",
                                                           "最小间距", "相对方位"};
  const ClearanceTrack& t = scan.tracks[i];
  for (std::size_t c = 0; c < 5; ++c) {
    if (i == 0)
      scan.columns[c] = kFirstHeading[c];
    else
      scan.columns[c] += std::string(kCr) + kLaterHeading[c];
  }
  // A neighbour without a sample has nothing to show; its rows read as zeros, never garbage.
  const ClearanceSample none{};
  const std::size_t m = t.samples.size();
  const std::size_t minK = static_cast<std::size_t>(t.minIndex);
  const ClearanceSample& at = minK < m ? t.samples[minK] : none;
  const ClearanceSample& last = m > 0 ? t.samples[m - 1] : none;
  const double ownMin = minK < m && minK < ownMd.size() ? ownMd[minK] : 0.0;
  const double ownLast = m > 0 && m - 1 < ownMd.size() ? ownMd[m - 1] : 0.0;
  scan.columns[0] += kCr + name + kCr + "目  前" + kCr;
  scan.columns[1] += kCr + f2(at.neighbourMd) + kCr + f2(last.neighbourMd) + kCr;
  scan.columns[2] += kCr + f2(ownMin) + kCr + f2(ownLast) + kCr;
  scan.columns[3] += kCr + f2(at.clearance) + kCr + f2(last.clearance) + kCr;
  scan.columns[4] += kCr + f2(at.relAzimuth) + kCr + f2(last.relAzimuth) + kCr;
}

}  // namespace

int scanStep(double stepValue) noexcept {
  if (!(stepValue >= kMinStep)) return 0;  // also refuses NaN
  // Any step beyond the deepest well gives the single sample at the surface.
  if (stepValue > 1e6) return 1000000;
  return static_cast<int>(roundHalfEven(stepValue));
}

bool scanClearance(const WellState& session, double stepValue, ClearanceScan& scan,
                   StationSearch search) {
  const WellRecord& own = session.well;
  const int s = scanStep(stepValue);
  if (s == 0 || !HasStations(own) || session.neighbourWells.empty()) return false;
  const int ownCount = std::min<int>(own.stationCount, static_cast<int>(own.results.size()));
  if (ownCount <= 0) return false;

  const std::size_t n = session.neighbourWells.size();
  const double ownLast = lastTvd(own);
  const double limit = roundHalfEven(ownLast);
  const double ownDeepest = std::min(limit, ownLast);
  PointFinder ownFinder(own, session.calcMethod, search);
  std::vector<PointFinder> finders;
  std::vector<double> neighbourLast(n);
  finders.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    finders.emplace_back(session.neighbourWells[i], session.calcMethod, search);
    neighbourLast[i] = lastTvd(session.neighbourWells[i]);
  }

  scan.step = s;
  // The tracks keep the storage of the previous scan; a rescan of the same pad grows none.
  scan.tracks.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    ClearanceTrack& t = scan.tracks[i];
    t.samples.clear();
    t.samples.reserve(samplesDownTo(std::min(ownDeepest, neighbourLast[i]), s));
    t.minIndex = 0;
  }
  scan.neighbourEndPoints.assign(n, PlanPoint{});
  scan.ownSampleMd.clear();
  scan.ownSampleMd.reserve(samplesDownTo(ownDeepest, s));
  scan.closestOffsetEast = scan.closestOffsetNorth = 0;
  scan.closestDistance = kNoClearance;
  for (std::string& c : scan.columns) c.clear();
  scan.ownPointNorth = scan.ownPointEast = 0;

  // Sample indices are 16-bit; a well deeper than 32767 steps is cut off there.
  for (int k = 0; k <= kMaxCount; ++k) {
    const double d = static_cast<double>(k) * s;
    if (d > limit || d > ownLast) break;
    const WellPoint p = ownFinder.at(d);
    scan.ownSampleMd.push_back(p.md);
    scan.ownPointNorth = p.north;
    scan.ownPointEast = p.east;
    for (std::size_t i = 0; i < n; ++i) {
      const WellRecord& nb = session.neighbourWells[i];
      if (nb.stationCount <= 0 || d > neighbourLast[i]) continue;
      const WellPoint q = finders[i].at(d);
      ClearanceSample c;
      c.neighbourMd = q.md;
      c.tvd = d;
      c.dEast = (q.east + nb.wellheadY) - own.wellheadY - p.east;
      c.dNorth = (q.north + nb.wellheadX) - own.wellheadX - p.north;
      const double sq = c.dNorth * c.dNorth + c.dEast * c.dEast;
      if (sq < kMaxOffsetSquared) {
        c.clearance = std::sqrt(sq) - kHoleAllowance;
        c.relAzimuth = AzimuthOf(c.dNorth, c.dEast);
      } else {
        c.clearance = kNoClearance;
        c.relAzimuth = 0;
      }
      scan.tracks[i].samples.push_back(c);
      scan.neighbourEndPoints[i] = PlanPoint{p.east + c.dEast, p.north + c.dNorth};
    }
  }

  for (std::size_t i = 0; i < n; ++i) {
    ClearanceTrack& t = scan.tracks[i];
    const std::string& name = session.neighbourWells[i].wellNo;
    for (std::size_t k = 0; k < t.samples.size(); ++k) {
      const ClearanceSample& c = t.samples[k];
      if (c.clearance < t.samples[static_cast<std::size_t>(t.minIndex)].clearance)
        t.minIndex = static_cast<std::int16_t>(k);
      if (c.clearance < scan.closestDistance) {
        scan.closestDistance = c.clearance;
        scan.closestText = "垂深:" + f2(c.tvd) + "m处" + kCr + "距" + name + "井" + kCr +
                           "     ：" + f2(scan.closestDistance) + "m" + kCr +
                           "相对方位:" + f2(c.relAzimuth);
        scan.warning = scan.closestDistance <= kWarningDistance;
        if (scan.warning) {
          scan.closestOffsetEast = c.dEast;
          scan.closestOffsetNorth = c.dNorth;
        }
      }
    }
    appendColumns(scan, i, name, scan.ownSampleMd);
  }
  return true;
}

void resetAntiCollision(WellState& session, ClearanceScan& scan) {
  session.neighbourWells.clear();
  session.neighbourColours.clear();
  scan = ClearanceScan{};
}

const char* outcomeText(AddNeighbourOutcome outcome) noexcept {
  switch (outcome) {
    case AddNeighbourOutcome::Added:
      return "已加入";
    case AddNeighbourOutcome::NoWell:
      return "未打开本井";
    case AddNeighbourOutcome::StepTooSmall:
      return "步长 ≥ 2";
    case AddNeighbourOutcome::OwnWell:
      return "本井设计文件";
    case AddNeighbourOutcome::AlreadyListed:
      return "已在邻井表中";
    case AddNeighbourOutcome::NoFile:
      return "文件不存在";
    case AddNeighbourOutcome::BadFile:
      return "文件格式有误";
    case AddNeighbourOutcome::TooFar:
      return "井口距离大于2000m";
    case AddNeighbourOutcome::SameWellhead:
      return "井口距离不大于0.346m";
    case AddNeighbourOutcome::NoStations:
      return "无测斜数据";
    case AddNeighbourOutcome::TooMany:
      return "邻井太多";
  }
  return "";
}

Colour drawNeighbourColour(std::mt19937& engine) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  auto component = [&] {
    // The distribution may round up to exactly 1 on some libraries; keep within 1..255.
    const int v = static_cast<int>(std::floor(unit(engine) * 255 + 1));
    return std::clamp(v, 1, 255);
  };
  const int r = component();
  const int g = component();
  const int b = component();
  return rgb(r, g, b);
}

std::string wellDirectoryPath(const WellState& session, const std::string& fileName) {
  if (session.wellDirectory.empty()) return fileName;
  return (std::filesystem::path(session.wellDirectory) / fileName).string();
}

AddNeighbourOutcome addNeighbourWell(WellState& session, const std::string& fileName,
                                     double stepValue, const NeighbourLoader& load,
                                     std::mt19937& engine) {
  return addNeighbourFile(session, wellDirectoryPath(session, fileName), stepValue, load, engine);
}

AddNeighbourOutcome addNeighbourFile(WellState& session, const std::string& path, double stepValue,
                                     const NeighbourLoader& load, std::mt19937& engine) {
  const std::string fileName = std::filesystem::path(path).filename().string();
  if (session.well.wellNo.empty()) return AddNeighbourOutcome::NoWell;
  if (!(stepValue >= kMinStep)) {
    session.ui().setStatusText("步长 ≥ 2");
    return AddNeighbourOutcome::StepTooSmall;
  }
  if (fileName == session.well.wellNo + ".kvd") return AddNeighbourOutcome::OwnWell;
  for (const WellRecord& w : session.neighbourWells)
    if (fileName == w.wellNo + ".kvd") return AddNeighbourOutcome::AlreadyListed;
  if (session.neighbourWells.size() >= static_cast<std::size_t>(kMaxCount))
    return AddNeighbourOutcome::TooMany;

  // The entry is read in place, as the lists grow by one and shrink again on refusal; a
  // loader that keeps a reference to the record while it works needs it to be the list's.
  session.neighbourWells.emplace_back();
  session.neighbourColours.push_back(0);
  auto drop = [&session](AddNeighbourOutcome why) {
    session.neighbourWells.pop_back();
    session.neighbourColours.pop_back();
    return why;
  };
  if (!load) return drop(AddNeighbourOutcome::NoFile);
  const AddNeighbourOutcome loaded = load(session, session.neighbourWells.back(), path);
  if (loaded != AddNeighbourOutcome::Added) return drop(loaded);

  const WellRecord& nb = session.neighbourWells.back();
  const double dy = nb.wellheadY - session.well.wellheadY;
  const double dx = nb.wellheadX - session.well.wellheadX;
  const double h = std::sqrt(dy * dy + dx * dx);
  if (!(h <= kMaxWellheadDistance)) return drop(AddNeighbourOutcome::TooFar);
  if (h <= kSameWellheadDistance) return drop(AddNeighbourOutcome::SameWellhead);
  if (nb.stationCount <= 0) return drop(AddNeighbourOutcome::NoStations);

  session.neighbourColours.back() = drawNeighbourColour(engine);
  return AddNeighbourOutcome::Added;
}

}  // namespace tarsek
