#pragma once

// The well's own part of tarsek-calc's output: what loading a well computes.

#include <nlohmann/json.hpp>
#include <optional>

#include "design/profile_design.h"
#include "session/session.h"

namespace tarsek::calc {

/// A survey station or design point: index, md, inclination, azimuth, gridAzimuth.
nlohmann::json stationJson(const SurveyStation& station);

/// The fifteen computed values of a station by their field names.
nlohmann::json resultJson(const StationResult& result);

/// A target crossing: { "station", "result", "hitRadius", "crossed" }; crossed is false when
/// the survey was not seen to pass the target's depth (all values zero).
nlohmann::json crossingJson(const TargetCrossing& crossing);

/// Every field of the basic-data block by its field name, designPointCount included.
nlohmann::json basicDataJson(const BasicData& block);

/// wellNo, calcMethod, basicData, stations and results (one entry per station in use),
/// target1Hit and target2Hit of the open well.
nlohmann::json wellJson(const Session& session);

/// "design": the profile design's outcome, its designPointCount points and their results, and
/// the seven rows of the segment table.
nlohmann::json designJson(const Session& session, std::optional<DesignOutcome> outcome);

}  // namespace tarsek::calc
