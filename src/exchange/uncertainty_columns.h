#pragma once

// The position-uncertainty columns of a survey export: 1σ figures of the error model at every
// exported station, when the well has its measurement error parameters.

#include <vector>

#include "exchange/station_export.h"

namespace tarsek {

/// σH, σL, σA (high side, lateral, along hole), σV and the 1σ horizontal ellipse at every
/// station of the open well; none for design points (the model describes surveyed positions)
/// and none when the well has no parameter file or its track cannot be built.
std::vector<ExportColumn> UncertaintyExportColumns(const WellState& session, bool design);

/// Registers UncertaintyExportColumns as a source of every later export (once per program).
void AddUncertaintyToExports();

}  // namespace tarsek
