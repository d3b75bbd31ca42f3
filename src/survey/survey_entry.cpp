#include "survey/survey_entry.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/constants.h"
#include "survey/survey_calc.h"

namespace tarsek {
namespace {

std::size_t at(int i) { return static_cast<std::size_t>(i); }

// Keeps the one spare entry beyond the stations in use, whatever state the arrays came in.
void sizeArrays(WellRecord& w) {
  const std::size_t size = at(w.stationCount) + 1;
  w.stations.resize(size);
  w.results.resize(size);
}

SurveyStation makeStation(int index, double md, double inclination, double azimuth,
                          double declination) {
  return {static_cast<std::int16_t>(index), md, inclination, azimuth, azimuth + declination};
}

double round2(double v) { return std::round(v * 100) / 100; }

DepthLookup stationLookup(const WellRecord& w, int i) {
  const SurveyStation& s = w.stations[at(i)];
  return {LookupKind::Station, i, s.md, s.inclination, s.azimuth, w.results[at(i)].tvd};
}

DepthLookup interpolated(const WellState& session, int i, double value, bool byTvd) {
  const WellRecord& w = session.well;
  const TargetCrossing x = StationAtDepth(value, w.stations[at(i - 1)], w.results[at(i - 1)],
                                          w.basic(), w.stations[at(i)], byTvd, session.calcMethod);
  return {LookupKind::Interpolated, -1,          x.station.md, x.station.inclination,
          x.station.azimuth,        x.result.tvd};
}

// The station at a depth, or the interval the depth falls in, on the measured-depth or the
// vertical-depth scale: both run down the well in station order.
DepthLookup lookupAt(const WellState& session, double depth, bool byTvd) {
  const WellRecord& w = session.well;
  const auto depthOf = [&](int i) { return byTvd ? w.results[at(i)].tvd : w.stations[at(i)].md; };
  if (depth < 0) return {LookupKind::Negative};
  const int n = w.stationCount;
  if (depth > depthOf(n - 1)) return {LookupKind::BelowLast};
  for (int i = 0; i < n; ++i) {
    if (depth == depthOf(i)) return stationLookup(w, i);
    if (i > 0 && depthOf(i - 1) < depth && depth < depthOf(i))
      return interpolated(session, i, depth, byTvd);
  }
  return {LookupKind::None};
}

}  // namespace

StoreOutcome storeEntry(WellState& session, double md, double inclination, double azimuth) {
  WellRecord& w = session.well;
  StoreOutcome out;
  if (w.wellNo.empty()) return out;
  if (!std::isfinite(md) || !std::isfinite(inclination) || !std::isfinite(azimuth)) return out;
  const double decl = w.magDeclination;
  const int n = w.stationCount > 0 ? w.stationCount : 0;
  if (n > 0) sizeArrays(w);
  int k = -1;
  bool grow = true;
  if (n == 0) {
    w.stationCount = 1;
    w.stations.assign(2, SurveyStation{});
    w.results.assign(2, StationResult{});
    w.stations[0] = makeStation(0, md, inclination, azimuth, decl);
    k = 0;
    grow = false;
  } else if (md > w.stations[at(n - 1)].md) {
    k = n;
  } else {
    for (int i = 0; i < n; ++i) {
      SurveyStation& s = w.stations[at(i)];
      if (md == s.md) {
        s.inclination = inclination;
        s.azimuth = azimuth;
        s.gridAzimuth = azimuth + decl;
        k = i;
        grow = false;
        break;
      }
      if (md < s.md) {
        k = i;
        break;
      }
    }
    if (k < 0) return out;  // only reachable with a NaN depth, refused above
  }
  if (grow) {
    if (n >= kMaxCount) {
      out.message = kTooManyStations;
      session.ui().setStatusText(out.message);
      return out;
    }
    w.stationCount = static_cast<std::int16_t>(n + 1);
    sizeArrays(w);
    for (int i = n; i > k; --i) {
      w.stations[at(i)] = w.stations[at(i - 1)];
      w.stations[at(i)].index = static_cast<std::int16_t>(i);
    }
    w.stations[at(k)] = makeStation(k, md, inclination, azimuth, decl);
  }
  session.surveyDirty = Unsaved::Stations;
  RecalculateAll(session);
  out.stored = true;
  out.index = k;
  return out;
}

int deleteEntry(WellState& session, double md) {
  WellRecord& w = session.well;
  if (!HasReadableStations(w)) return -1;
  const int n = w.stationCount;
  int k = -1;
  if (md >= 0 && md <= w.stations[at(n - 1)].md) {
    for (int i = 0; i < n; ++i) {
      if (w.stations[at(i)].md == md) {
        k = i;
        break;
      }
    }
  }
  if (k < 0) {
    session.ui().setStatusText(kNoSuchStation);
    return -1;
  }
  session.surveyDirty = Unsaved::Stations;
  for (int i = k; i < n - 1; ++i) {
    w.stations[at(i)] = w.stations[at(i + 1)];
    w.stations[at(i)].index = static_cast<std::int16_t>(i);
  }
  w.stationCount = static_cast<std::int16_t>(n - 1);
  sizeArrays(w);
  RecalculateAll(session);
  return k;
}

DepthLookup lookupByMd(const WellState& session, double md) {
  if (!HasReadableStations(session.well) || std::isnan(md)) return {};
  return lookupAt(session, md, false);
}

DepthLookup lookupByTvd(const WellState& session, double tvd) {
  if (!HasReadableStations(session.well) || std::isnan(tvd) || tvd >= 100000) return {};
  return lookupAt(session, tvd, true);
}

bool discardPrediction(WellState& session) {
  WellRecord& w = session.well;
  std::vector<SurveyStation>& predicted = session.predictedStations;
  if (w.wellNo.empty() || w.stationCount == 0 || session.predictStart == 0 || predicted.empty()) {
    session.predictStart = 0;
    predicted.clear();
    return false;
  }
  // Only the stations the prediction left remain to be taken away: a station typed since, or a
  // predicted one the user has replaced, is the user's and stays. Both lists run in increasing
  // depth, so one pass down each finds them.
  std::size_t next = 0;
  const auto isPredicted = [&](const SurveyStation& s) {
    while (next < predicted.size() && predicted[next].md < s.md) ++next;
    if (next == predicted.size()) return false;
    const SurveyStation& p = predicted[next];
    return p.md == s.md && p.inclination == s.inclination && p.azimuth == s.azimuth;
  };
  int kept = 0;
  for (int i = 0; i < w.stationCount; ++i) {
    const SurveyStation s = w.stations[at(i)];
    if (isPredicted(s)) continue;
    w.stations[at(kept)] = s;
    w.stations[at(kept)].index = static_cast<std::int16_t>(kept);
    ++kept;
  }
  const bool removed = kept != w.stationCount;
  session.predictStart = 0;
  predicted.clear();
  if (!removed) return false;
  w.stationCount = static_cast<std::int16_t>(kept);
  sizeArrays(w);
  RecalculateAll(session);
  return true;
}

namespace {

// Remembers what the prediction appended, as it stands when the prediction ends.
void notePrediction(WellState& session) {
  const WellRecord& w = session.well;
  session.predictedStations.clear();
  if (session.predictStart <= 0 || session.predictStart >= w.stationCount) {
    session.predictStart = 0;
    return;
  }
  session.predictedStations.assign(w.stations.begin() + session.predictStart,
                                   w.stations.begin() + w.stationCount);
}

PredictOutcome predictStations(WellState& session, double buildRate, double walkRate) {
  WellRecord& w = session.well;
  if (!HasReadableStations(w)) return PredictOutcome::Nothing;
  // The rates are read as single-precision numbers.
  const double build = static_cast<float>(buildRate);
  const double walk = static_cast<float>(walkRate);
  if (!std::isfinite(build) || !std::isfinite(walk)) return PredictOutcome::Nothing;
  sizeArrays(w);
  RecalculateAll(session);
  const double lastTarget = w.targetCount == 2 ? w.target2Tvd : w.target1Tvd;
  if (w.results[at(w.stationCount - 1)].tvd > lastTarget) return PredictOutcome::Nothing;

  session.predictStart = w.stationCount;
  for (;;) {
    const int n = w.stationCount;
    if (w.results[at(n - 1)].tvd > w.designFinalTvd) {
      if (n - 1 < session.predictStart || n < 2) {
        // Already deeper than the design final depth before anything was predicted: the
        // stations the user entered are never cut back.
        session.predictStart = 0;
        return PredictOutcome::Nothing;
      }
      RecalculateAll(session);
      const TargetCrossing x =
          StationAtDepth(w.designFinalTvd, w.stations[at(n - 2)], w.results[at(n - 2)], w.basic(),
                         w.stations[at(n - 1)], true, session.calcMethod);
      const double cutMd = round2(x.station.md);
      if (cutMd <= w.stations[at(n - 2)].md) {
        // The station above already stands at the final depth (to the two decimals a cut-back
        // keeps): a cut-back would put a second station at its depth, which no survey file may
        // hold. The prediction ends there instead.
        w.stationCount = static_cast<std::int16_t>(n - 1);
        sizeArrays(w);
        RecalculateAll(session);
        return PredictOutcome::ReachedFinalDepth;
      }
      w.results[at(n - 1)] = x.result;
      SurveyStation& last = w.stations[at(n - 1)];
      last.md = cutMd;
      last.gridAzimuth = x.station.gridAzimuth;
      last.azimuth = FoldAzimuth(round2(x.station.gridAzimuth - w.magDeclination));
      last.inclination = round2(x.station.inclination);
      last.index = static_cast<std::int16_t>(n - 1);
      return PredictOutcome::ReachedFinalDepth;
    }
    if (n >= kMaxCount) {
      RecalculateAll(session);
      session.ui().setStatusText(kTooManyStations);
      return PredictOutcome::TableFull;
    }
    const SurveyStation prev = w.stations[at(n - 1)];
    w.stationCount = static_cast<std::int16_t>(n + 1);
    sizeArrays(w);
    SurveyStation& s = w.stations[at(n)];
    s.index = static_cast<std::int16_t>(prev.index + 1);
    s.md = prev.md + 50;
    s.azimuth = FoldAzimuth(prev.azimuth + walk / 2);
    s.gridAzimuth = w.magDeclination + s.azimuth;
    s.inclination = prev.inclination + build / 2;
    if (s.inclination < 0) s.inclination = s.azimuth = s.gridAzimuth = 0;
    // Growing the trajectory one course at a time gives the values of a full pass; a full
    // pass of every station after every step would make long predictions quadratic.
    if (n + 1 <= 2)
      RecalculateAll(session);
    else
      ComputeTrajectoryStep(w.stations, w.basic(), w.results, n, session.calcMethod);
    if (s.inclination >= 90) {
      RecalculateAll(session);
      session.ui().setStatusText(kBuildRateTooHigh);
      return PredictOutcome::TooSteep;
    }
  }
}

}  // namespace

PredictOutcome predictTrajectory(WellState& session, double buildRate, double walkRate) {
  discardPrediction(session);
  const PredictOutcome outcome = predictStations(session, buildRate, walkRate);
  notePrediction(session);
  return outcome;
}

}  // namespace tarsek
