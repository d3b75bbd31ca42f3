#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace tarsek::calc {

/// Arguments of `tarsek-calc print survey|plot|design PATH.kvd -o OUT.pdf`.
struct PrintOptions {
  std::string report;       ///< survey, plot or design
  std::string path;         ///< the well's design file
  std::string output;       ///< the PDF to write
  int method = 0;           ///< survey calculation method 0..5
  std::string page = "A4";  ///< A4, A3 or Letter
};

/// Adds the print subcommand to app; options are filled when it is parsed.
CLI::App* addPrintCommand(CLI::App& app, PrintOptions& options);

/// Loads the well and writes the report's pages as a printer would get them into the PDF,
/// asking nothing. Returns the exit status: 0 when written, otherwise non-zero after a message
/// on standard error.
int runPrintCommand(const PrintOptions& options, int argc, char** argv);

}  // namespace tarsek::calc
