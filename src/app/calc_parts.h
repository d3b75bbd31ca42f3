#pragma once

// The pieces of tarsek-calc's JSON output, one source file each, so that each part of the
// program can describe its own results.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "session/session.h"

namespace tarsek::calc {

/// "guidance": both targets' guidance, the panel lines and the station table (calc_guidance.cpp).
nlohmann::json guidanceJson(Session& session);

/// "antiCollision": the neighbour design files added in order through the anti-collision
/// window's checks (a refused one is listed in "refused" with its reason), then the scan with
/// the step: samples, tracks, closest approach, warning and label texts (calc_anticollision.cpp).
/// Neighbour colours come from a fixed seed, so the output repeats.
nlohmann::json antiCollisionJson(Session& session, const std::vector<std::string>& neighbourPaths,
                                 double step = 15);

}  // namespace tarsek::calc
