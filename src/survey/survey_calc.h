#pragma once

#include <cstdint>
#include <vector>

#include "model/survey_method.h"
#include "model/well_record.h"
#include "model/well_state.h"

namespace tarsek {

/// Bearing in degrees, 0 <= result < 360, of a north/east pair; the origin gives 0.
double AzimuthOf(double north, double east) noexcept;

/// An azimuth in degrees brought into 0 <= result < 360 by whole turns; a non-finite value is
/// returned as it is.
double FoldAzimuth(double a) noexcept;

/// Arc sine in radians with the program's special cases: |x| > 1 gives 0, x = 1 gives pi/2,
/// x = -1 gives 3 pi/2.
double ArcSine(double x) noexcept;

/// Arc cosine in radians: |x| > 1 gives 0, x = 1 gives 0, x = -1 gives pi.
double ArcCosine(double x) noexcept;

/// Increments (tvd = ΔTVD, planLength = ΔH, north = ΔN, east = ΔE; all else 0) of the course
/// from prev to cur by the survey method calcMethod.
/// Method 0 may substitute the grid azimuth of a zero-inclination end in the records given.
StationResult IntervalIncrements(SurveyStation& prev, SurveyStation& cur, SurveyMethod calcMethod);

/// Trajectory of the first count stations, dimensioned count + 1. Recomputes gridAzimuth of
/// every station (azimuth + declination) when count >= 2; method 0 may substitute some.
std::vector<StationResult> ComputeTrajectory(std::vector<SurveyStation>& stations,
                                             const BasicData& block, int count,
                                             SurveyMethod calcMethod);

/// ComputeTrajectory into results, whose storage is reused: the same values, computed with each
/// station's sines and cosines taken once. What RecalculateAll runs.
void ComputeTrajectoryInto(std::vector<SurveyStation>& stations, const BasicData& block, int count,
                           SurveyMethod calcMethod, std::vector<StationResult>& results);

/// ComputeTrajectoryInto with the sines, cosines and arc tangents of all stations taken four at a
/// time where the processor allows: every value within a few units in the last place of it.
/// RecalculateAll uses it; a trajectory grown course by course matches ComputeTrajectoryInto.
void ComputeTrajectoryFast(std::vector<SurveyStation>& stations, const BasicData& block, int count,
                           SurveyMethod calcMethod, std::vector<StationResult>& results);

/// Fills results[i] from results[i - 1] and the course stations[i - 1]..stations[i] (i >= 1):
/// one step of ComputeTrajectory after the grid azimuths are set, so that a caller growing a
/// trajectory point by point gets exactly the values of a full pass.
void ComputeTrajectoryStep(std::vector<SurveyStation>& stations, const BasicData& block,
                           std::vector<StationResult>& results, int i, SurveyMethod calcMethod);

/// The point inside the course upper..lower at which the vertical depth (byTvd) or measured
/// depth equals value, found by bisection; value <= 0 gives an all-zero record. The result's
/// station part is the found point; its result part the cumulative values there.
TargetCrossing StationAtDepth(double value, SurveyStation upper, StationResult upperResult,
                              const BasicData& block, SurveyStation lower, bool byTvd,
                              SurveyMethod calcMethod);

/// StationAtDepth by vertical depth for a caller that reads only the point's station part and
/// its vertical depth, plan length, north and east; the other result fields stay as copied from
/// upperResult.
TargetCrossing PositionAtDepth(double value, const SurveyStation& upper,
                               const StationResult& upperResult, const BasicData& block,
                               const SurveyStation& lower, SurveyMethod calcMethod);

/// Where the open well's survey crosses target 1's or target 2's vertical depth (target = 1
/// or 2), with the hit radius. A station exactly at the depth is the crossing; otherwise the
/// point is interpolated in the first course that passes the depth. Not crossed (all zero) while
/// the last station is above the depth, and when the survey starts below it and never passes it.
TargetCrossing FindTargetCrossing(const WellState& session, int target);

/// Recomputes the open well's results, both target crossings and every neighbour's results;
/// does nothing else while no well is open or the well has no stations, except that a well
/// without stations has its crossings cleared.
void RecalculateAll(WellState& session);

/// Recomputes designResults from designPoints; nothing while no well is open or no point exists.
void RecalculateDesignTrajectory(WellState& session);

/// Name of a survey method as the program shows it ("平均角法" .. "最小曲率法"), empty otherwise.
const char* MethodName(SurveyMethod calcMethod) noexcept;

}  // namespace tarsek
