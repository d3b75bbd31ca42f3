#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "model/well_state.h"
#include "print/surface.h"

namespace tarsek {

/// Clearance written where the horizontal offset is too large to be worth computing, m.
inline constexpr double kNoClearance = 100000;
/// Half the sum of two hole diameters: subtracted from the centre distance, m.
inline constexpr double kHoleAllowance = 0.216;
/// A closest approach at or below this distance starts the warning, m.
inline constexpr double kWarningDistance = 3.0;
/// Offsets whose square reaches this are not turned into a distance, m².
inline constexpr double kMaxOffsetSquared = 1000000000.0;
/// Neighbours farther than this from the open well's wellhead are refused, m.
inline constexpr double kMaxWellheadDistance = 2000;
/// Neighbours this close to the open well's wellhead are taken for the well itself, m.
inline constexpr double kSameWellheadDistance = 0.346;
/// The smallest step a scan accepts, m.
inline constexpr double kMinStep = 2;

/// One sample of a neighbour's track: where the neighbour is relative to the open well at one
/// vertical depth. Offsets are in the common frame (local coordinates plus wellhead), metres.
struct ClearanceSample {
  double neighbourMd = 0;  ///< neighbour's measured depth at this vertical depth, m
  double tvd = 0;          ///< the sample's vertical depth, m
  double dNorth = 0;       ///< neighbour minus own point, north, m
  double dEast = 0;        ///< neighbour minus own point, east, m
  double clearance = 0;    ///< centre distance minus 0.216 m, or kNoClearance
  double relAzimuth = 0;   ///< bearing from the own point to the neighbour's, 0..360 degrees
};

/// The depth series of one neighbour, sample k at vertical depth k times the step.
struct ClearanceTrack {
  std::vector<ClearanceSample> samples;
  std::int16_t minIndex = 0;  ///< shallowest sample of the smallest clearance
};

/// A point of the plan view, metres east and north.
struct PlanPoint {
  double east = 0;
  double north = 0;
};

/// Everything the scan produces and the charts and labels read. Kept by the window between
/// scans: the texts of Lab最小间距 and the warning survive a scan that finds no distance.
struct ClearanceScan {
  int step = 0;                           ///< the whole-metre step of the last scan
  std::vector<double> ownSampleMd;        ///< own measured depth per sample (0 above station 0)
  std::vector<ClearanceTrack> tracks;     ///< one per neighbour, in list order
  double closestDistance = kNoClearance;  ///< smallest clearance over every track, m
  double ownPointNorth = 0;               ///< own point at the deepest sample, from own wellhead
  double ownPointEast = 0;
  std::vector<PlanPoint> neighbourEndPoints;  ///< per neighbour, its deepest sample's point
  double closestOffsetEast = 0;        ///< dEast of the closest approach when within 3 m, else 0
  double closestOffsetNorth = 0;       ///< dNorth of the closest approach when within 3 m, else 0
  std::string closestText;             ///< caption of Lab最小间距
  std::array<std::string, 5> columns;  ///< captions of Lab1 .. Lab5
  bool warning = false;                ///< the blink runs (Timer1 enabled, Label32 red)
};

/// How a sample finds its stations. Walking from the top is kept only to measure the gain.
enum class StationSearch { Resume, FromTop };

/// The whole-metre step a step-box value stands for (halves to the even neighbour), or 0 when
/// the value is below 2 or not a number, in which case no scan may run.
int scanStep(double stepValue) noexcept;

/// Runs the scan of the open well against every neighbour of the session with the step-box
/// value stepValue. Returns false, leaving scan untouched, when the step is below 2, no well is
/// open, it has no stations or no neighbour is listed.
bool scanClearance(const WellState& session, double stepValue, ClearanceScan& scan,
                   StationSearch search = StationSearch::Resume);

/// Empties the neighbour lists of the session and every result of the scan.
void resetAntiCollision(WellState& session, ClearanceScan& scan);

/// Why a neighbour was or was not added.
enum class AddNeighbourOutcome {
  Added,
  NoWell,         ///< no well is open
  StepTooSmall,   ///< the step box reads below 2 ("步长 ≥ 2" shown)
  OwnWell,        ///< the open well's own design file
  AlreadyListed,  ///< a neighbour of that name is listed
  NoFile,         ///< the design file does not exist
  BadFile,        ///< the design or survey file cannot be read
  TooFar,         ///< wellheads more than 2000 m apart
  SameWellhead,   ///< wellheads 0.346 m apart or closer
  NoStations,     ///< the neighbour has no survey station
  TooMany,        ///< the list is full
};

/// Short Chinese reason for an outcome, for listings of refused neighbours.
const char* outcomeText(AddNeighbourOutcome outcome) noexcept;

/// Reads a neighbour's design file at path (and its survey file) into record and computes its
/// trajectory: Added, or NoFile / BadFile leaving record as it was.
using NeighbourLoader = std::function<AddNeighbourOutcome(WellState& session, WellRecord& record,
                                                          const std::string& path)>;

/// Draws the colour of a newly accepted neighbour: red, green and blue in that order, each
/// Int(u * 255 + 1) of a fresh uniform u in [0, 1), so each lies in 1 .. 255.
Colour drawNeighbourColour(std::mt19937& engine);

/// Adds the design file fileName (no directory) of the session's well directory as a neighbour
/// after every check; a refused one leaves both lists as they were. On StepTooSmall the status
/// panel shows "步长 ≥ 2"; every other refusal is silent. Does not run the scan.
AddNeighbourOutcome addNeighbourWell(WellState& session, const std::string& fileName,
                                     double stepValue, const NeighbourLoader& load,
                                     std::mt19937& engine);

/// As addNeighbourWell for a design file given by its full path; the checks compare the name
/// part of the path.
AddNeighbourOutcome addNeighbourFile(WellState& session, const std::string& path, double stepValue,
                                     const NeighbourLoader& load, std::mt19937& engine);

/// The path of a file of the well directory.
std::string wellDirectoryPath(const WellState& session, const std::string& fileName);

}  // namespace tarsek
