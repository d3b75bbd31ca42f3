#pragma once

// tarsek-calc's "tool" subcommand: the drilling calculators of the tools window, fed with
// NAME=VALUE pairs instead of boxes.

#include <CLI/CLI.hpp>

namespace tarsek::calc {

/// Exit status of `tarsek-calc tool` for inputs the tools window refuses.
inline constexpr int kExitRefusedInput = 3;

/// Adds `tool hydraulics|casing|kill|weighting|stuck|turn NAME=VALUE ...` to app. When chosen,
/// the subcommand prints its JSON on standard output while app parses; bad input names raise a
/// CLI::ValidationError. Inputs outside the calculators' limits (or a casing grade not in the
/// catalogue) print the window's refusal on standard error and set exitCode to
/// kExitRefusedInput; the caller returns exitCode once app.got_subcommand("tool") after a parse.
void addToolsCommand(CLI::App& app, int& exitCode);

}  // namespace tarsek::calc
