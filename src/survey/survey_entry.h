#pragma once

#include <string>

#include "model/well_state.h"

namespace tarsek {

/// Status texts of the survey entry rules.
inline constexpr const char* kNoSuchStation = "没有此测点";
inline constexpr const char* kTooManyStations = "测点数已达上限！";
inline constexpr const char* kBuildRateTooHigh = "井斜增率太大！";

/// What storing an entry did.
struct StoreOutcome {
  bool stored = false;  ///< false: nothing changed (no well open, bad number, table full)
  int index = -1;       ///< position of the stored station
  std::string message;  ///< status text when refused, else empty
};

/// Stores a station (measured depth m, inclination and magnetic azimuth in degrees) into the
/// open well: appended below the last station, replacing the station of equal depth, or
/// inserted in depth order; then recalculates. Marks the survey changed.
StoreOutcome storeEntry(WellState& session, double md, double inclination, double azimuth);

/// Deletes the station whose measured depth equals md exactly and recalculates; returns its
/// position, or -1 when there is no such station (status text kNoSuchStation).
int deleteEntry(WellState& session, double md);

/// What the entry row shows for a typed measured or vertical depth.
enum class LookupKind {
  Clear,         ///< no well, no stations or an out-of-range value: clear the box
  Negative,      ///< a negative depth: clear the box and keep the focus on it
  BelowLast,     ///< deeper than the last station: a new station is being typed
  Station,       ///< exactly a station's depth: show that station
  Interpolated,  ///< between two stations: show the interpolated point
  None,          ///< above the first station: nothing to show
};

/// A looked-up point: its station number (Station), measured depth, inclination, magnetic
/// azimuth and vertical depth.
struct DepthLookup {
  LookupKind kind = LookupKind::Clear;
  int index = -1;
  double md = 0;
  double inclination = 0;
  double azimuth = 0;
  double tvd = 0;
};

/// The station at, or the point interpolated at, measured depth md.
DepthLookup lookupByMd(const WellState& session, double md);

/// The station at, or the point interpolated at, vertical depth tvd; values of 100000 m and more
/// are refused.
DepthLookup lookupByTvd(const WellState& session, double tvd);

/// How a trajectory prediction ended.
enum class PredictOutcome {
  Nothing,            ///< no well, no stations, or already below the last target
  ReachedFinalDepth,  ///< the last predicted station was cut back to the design final depth
  TooSteep,           ///< the inclination reached 90 degrees (status kBuildRateTooHigh)
  TableFull,          ///< the station table is full (status kTooManyStations)
};

/// Discards an earlier prediction, then appends stations every 50 m with a constant build rate
/// and walk rate (degrees per 100 m) until the design final vertical depth or 90 degrees of
/// inclination; the appended stations can be discarded by discardPrediction. The last station
/// cut back to the final depth never shares a depth with the one above it.
PredictOutcome predictTrajectory(WellState& session, double buildRate, double walkRate);

/// Removes the stations the last prediction appended (as it left them; stations typed or
/// replaced since stay) and recalculates; false when there are none.
bool discardPrediction(WellState& session);

}  // namespace tarsek
