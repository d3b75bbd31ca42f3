#pragma once

// The pieces of tarsek-calc's JSON output, one source file each, so that each part of the
// program can describe its own results.

#include <nlohmann/json.hpp>

#include "well/session.h"

namespace tarsek::calc {

/// "guidance": both targets' guidance, the panel lines and the station table (calc_guidance.cpp).
nlohmann::json guidanceJson(Session& session);

}  // namespace tarsek::calc
