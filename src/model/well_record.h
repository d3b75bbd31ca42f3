#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarsek {

/// One survey station; angles in degrees, depths in metres.
struct SurveyStation {
  std::int16_t index = 0;  ///< position of the station in its array (0-based)
  double md = 0;           ///< measured depth (测深), m
  double inclination = 0;  ///< inclination (井斜), degrees, 0 = vertical
  double azimuth = 0;      ///< azimuth as measured (方位), magnetic, degrees
  double gridAzimuth = 0;  ///< azimuth + magnetic declination; what the trajectory uses
};

/// Fifteen computed values per station, cumulative from station 0 unless stated. An interval
/// increment uses only tvd (ΔTVD), planLength (ΔH), north (ΔN) and east (ΔE).
struct StationResult {
  double tvd = 0;                 ///< true vertical depth (垂深), m
  double planLength = 0;          ///< sum of horizontal projections of the course lengths, m
  double closureDistance = 0;     ///< horizontal distance from the wellhead (位移), m
  double north = 0;               ///< north offset from the wellhead (N值), m
  double east = 0;                ///< east offset from the wellhead (E值), m
  double closureAzimuth = 0;      ///< bearing of (north, east), 0 <= value < 360
  double doglegSeverity = 0;      ///< dogleg severity of the interval ending here, deg/30 m
  double lateralOffset = 0;       ///< closureDistance * sin(closureAzimuth - designAzimuth)
  double verticalSection = 0;     ///< closureDistance * cos(closureAzimuth - designAzimuth)
  double target1Inclination = 0;  ///< inclination of the straight line to target 1, degrees
  double target1Azimuth = 0;      ///< magnetic azimuth of the direction to target 1, degrees
  double target1Distance = 0;     ///< horizontal distance to target 1, m
  double target2Inclination = 0;  ///< as above, target 2
  double target2Azimuth = 0;      ///< as above, target 2
  double target2Distance = 0;     ///< as above, target 2
};

/// The fifteen values of a result in declaration order, for checks that treat them alike.
inline std::array<double, 15> fieldsOf(const StationResult& r) {
  return {r.tvd,
          r.planLength,
          r.closureDistance,
          r.north,
          r.east,
          r.closureAzimuth,
          r.doglegSeverity,
          r.lateralOffset,
          r.verticalSection,
          r.target1Inclination,
          r.target1Azimuth,
          r.target1Distance,
          r.target2Inclination,
          r.target2Azimuth,
          r.target2Distance};
}

/// Where a trajectory crosses a target's vertical depth. The hit radius (中靶半径) is kept in
/// the place of result.target1Inclination for target 1 and of result.target2Inclination for
/// target 2; hitRadius mirrors it so that callers need not know which. A well that has not
/// been seen to cross the depth (not yet deep enough, or already below it at its first station)
/// has crossed false and every value zero: there is no hit radius to judge.
struct TargetCrossing {
  SurveyStation station;
  StationResult result;
  double hitRadius = 0;  ///< horizontal miss distance from the target centre, m
  bool crossed = false;  ///< the survey was observed to pass the target's depth
};

/// The basic-data block: everything the design file holds, plus the design trajectory. The
/// survey calculation takes this block so that a neighbour well's block can be passed alike.
struct BasicData {
  std::int16_t targetCount = 1;       ///< 1 = single-target well, 2 = two-target well
  double wellheadX = 0;               ///< this well's wellhead X (north), m
  double wellheadY = 0;               ///< this well's wellhead Y (east), m
  double target1X = 0;                ///< target 1 X (north), m
  double target1Y = 0;                ///< target 1 Y (east), m
  double target2X = 0;                ///< target 2 X; 0 for a single-target well
  double target2Y = 0;                ///< target 2 Y; 0 for a single-target well
  double padWellheadX = 0;            ///< wellhead X of the pad's first well, m
  double padWellheadY = 0;            ///< wellhead Y of the pad's first well, m
  double magDeclination = 0;          ///< magnetic declination, east positive, degrees
  double gateDirection = 0;           ///< rig door direction (大门方向), degrees
  double rigSkidDistance = 0;         ///< rig skid distance from the pad's first well, m
  double target1Tvd = 0;              ///< vertical depth of target 1, m
  double target2Tvd = 0;              ///< vertical depth of target 2; 0 for a single target
  double designAzimuth = 0;           ///< grid bearing wellhead to target 1, degrees
  double designDisplacement1 = 0;     ///< horizontal distance wellhead to target 1, m
  double designDisplacement2 = 0;     ///< horizontal distance wellhead to target 2, m
  double targetRadius = 0;            ///< allowed target radius, m
  std::int16_t designPointCount = 0;  ///< used entries of designPoints
  double buildRate = 0;               ///< motor build rate (造斜率), deg/100 m
  double buildToInclination = 0;      ///< inclination to build to (造到井斜), degrees
  double kickoffDepth = 0;            ///< kick-off point depth (造斜点), m
  double rotaryBuildRate = 0;         ///< rotary assembly build rate, deg/100 m
  double rotaryDropRate = 0;          ///< rotary assembly drop rate, deg/100 m
  double designFinalTvd = 0;          ///< design final vertical depth, m
};

/// One well: its number, basic data, design trajectory and survey. Arrays keep one spare
/// entry beyond the used ones (sized count + 1).
struct WellRecord : BasicData {
  std::string wellNo;             ///< well number (井号), UTF-8; empty means no well open
  std::int16_t stationCount = 0;  ///< stations in use: entries 0 .. stationCount - 1
  std::vector<StationResult> designResults = std::vector<StationResult>(1);
  std::vector<SurveyStation> designPoints = std::vector<SurveyStation>(1);
  std::vector<StationResult> results = std::vector<StationResult>(1);
  std::vector<SurveyStation> stations = std::vector<SurveyStation>(1);

  /// The basic-data block of this well.
  BasicData& basic() noexcept { return *this; }
  const BasicData& basic() const noexcept { return *this; }
};

/// True for an open well (it has a number) with at least one station in use: what a calculation
/// over the stations needs.
inline bool HasStations(const WellRecord& w) noexcept {
  return !w.wellNo.empty() && w.stationCount > 0;
}

/// HasStations, and the station and result arrays hold every station in use, so a display or an
/// edit may read any of them, the last one included, without a further check.
inline bool HasReadableStations(const WellRecord& w) noexcept {
  return HasStations(w) && w.stations.size() >= static_cast<std::size_t>(w.stationCount) &&
         w.results.size() >= static_cast<std::size_t>(w.stationCount);
}

}  // namespace tarsek
