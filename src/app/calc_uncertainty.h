#pragma once

// tarsek-calc's "uncertainty" and "clearance" subcommands: position covariance by the survey
// tool's error model, and the separation factor against offset wells.

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace tarsek::calc {

/// Site values given on the command line; an option not given leaves the well's own (from its
/// .unc file) or the default.
struct SiteOptions {
  double dip = 0, btotal = 0, declination = 0, latitude = 0, gravity = 0, convergence = 0;
  std::string model;
  std::vector<CLI::Option*> given;  ///< in the order above, model last
};

/// `uncertainty WELL.kvd | --survey FILE.csv [site options] [--sources]`.
struct UncertaintyCommand {
  std::string well;
  std::string survey;
  bool sources = false;
  SiteOptions site;
};

/// `clearance --reference FILE --offset FILE... [site options] [--reference-radius R
/// --offset-radius R --k K --sm S --sigma-pa P]`.
struct ClearanceCommand {
  std::string reference;
  std::vector<std::string> offsets;
  SiteOptions site;
  double referenceRadius = 0, offsetRadius = 0, k = 0, sm = 0, sigmaPa = 0;
  std::vector<CLI::Option*> given;  ///< the five clearance options, in the order above
};

CLI::App* addUncertaintyCommand(CLI::App& app, UncertaintyCommand& options);
CLI::App* addClearanceCommand(CLI::App& app, ClearanceCommand& options);

/// Print the JSON; exit status 0 when done, 1 for refused values, 2 when a file cannot be read.
int runUncertaintyCommand(const UncertaintyCommand& options);
int runClearanceCommand(const ClearanceCommand& options);

}  // namespace tarsek::calc
