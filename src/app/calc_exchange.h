#pragma once

// tarsek-calc's "import" and "export" subcommands: survey stations in from CSV, text, .xlsx or
// WITSML files, and out with every computed value.

#include <CLI/CLI.hpp>
#include <string>

namespace tarsek::calc {

/// Arguments of `import FILE --into WELL.kvd [--merge] [--dry-run] [--skip-bad]`.
struct ImportCommand {
  std::string file;
  std::string well;
  bool merge = false;
  bool dryRun = false;
  bool skipBad = false;
  std::string sheet;         ///< .xlsx sheet name, or its 1-based number
  std::vector<int> columns;  ///< md, inc, azi columns (1-based) when there is no header
  bool feet = false;         ///< with --columns: the depths are in feet
  int method = 0;
};

/// Arguments of `export WELL.kvd -o OUT.csv|.xlsx|.xml [--method N] [--design]`.
struct ExportCommand {
  std::string well;
  std::string output;
  int method = 0;
  bool design = false;
  std::string encoding = "utf8";  ///< CSV code page: utf8 (with BOM) or gb18030
};

/// Adds the import subcommand to app; options are filled when it is parsed.
CLI::App* addImportCommand(CLI::App& app, ImportCommand& options);

/// Adds the export subcommand to app; options are filled when it is parsed.
CLI::App* addExportCommand(CLI::App& app, ExportCommand& options);

/// Reads the file, plans the import into the well and, unless a dry run, saves the survey file
/// atomically; prints what changed as JSON. Exit status 0 when done, 1 when a line or the plan
/// is refused (nothing is written), 2 when a file cannot be read.
int runImportCommand(const ImportCommand& options);

/// Loads the well and writes its stations (or design points) in the output's format. Exit
/// status 0 when written, 1 when there is nothing to export, 2 when a file cannot be read or
/// written.
int runExportCommand(const ExportCommand& options);

}  // namespace tarsek::calc
