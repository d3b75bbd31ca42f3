#pragma once

// tarsek-calc's "tool" subcommand: the drilling calculators of the tools window, fed with
// NAME=VALUE pairs instead of boxes.

#include <CLI/CLI.hpp>

namespace tarsek::calc {

/// Adds `tool hydraulics|casing|kill|weighting|stuck|turn NAME=VALUE ...` to app. When chosen,
/// the subcommand prints its JSON on standard output while app parses; bad input names raise a
/// CLI::ValidationError. The caller returns 0 once app.got_subcommand("tool") after a parse.
void addToolsCommand(CLI::App& app);

}  // namespace tarsek::calc
