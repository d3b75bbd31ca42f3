#pragma once

// A survey as a CSV table: a header row naming md, inc and azi (metres and degrees), and
// optionally tvd, north and east, whose first row then gives the tie-on point.

#include <string>
#include <string_view>

#include "uncertainty/survey_path.h"

namespace tarsek::unc {

/// Reads the table's text. Without tie-on columns the survey starts at the surface (a first
/// station below it gets a vertical surface point ahead of it). False with a Chinese message
/// naming source and the line for a missing column, a value that is not a number, a station
/// CheckPath refuses.
bool ParseSurveyCsv(std::string_view text, const std::string& source, SurveyPath& path,
                    std::string& message);

/// ParseSurveyCsv of the file at path.
bool ReadSurveyCsv(const std::string& file, SurveyPath& path, std::string& message);

}  // namespace tarsek::unc
