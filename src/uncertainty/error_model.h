#pragma once

// A survey tool's error model as data: one row per error term, each naming a weighting
// function, a 1-sigma magnitude and how the error propagates between stations. The program
// carries its models compiled in; further models are files in the same table format.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarsek::unc {

/// How one error source is correlated from station to station (SPE 67616).
enum class Propagation {
  Random,      ///< independent at every station
  Systematic,  ///< the same at every station of one survey run
  Global,      ///< the same at every station of every run of the well
};

/// The weighting functions a term may name; each gives the term's effect on measured depth,
/// inclination and azimuth at a station (some also a near-vertical form).
enum class WeightFunction {
  DREF,
  DSF,
  DST,
  ABXY_TI1,
  ABXY_TI2,
  ABZ,
  ASXY_TI1,
  ASXY_TI2,
  ASXY_TI3,
  ASZ,
  MBXY_TI1,
  MBXY_TI2,
  MBZ,
  MSXY_TI1,
  MSXY_TI2,
  MSXY_TI3,
  MSZ,
  AZ,
  DBH,
  AMIL,
  SAG,
  XYM1,
  XYM2,
  XYM3,
  XYM4,
};

/// The name a model file uses for a weighting function ("DREF", "ABXY-TI1", ...).
std::string_view WeightFunctionName(WeightFunction f) noexcept;

/// The weighting function named name (as a model file spells it); false when unknown.
bool WeightFunctionByName(std::string_view name, WeightFunction& f) noexcept;

/// One error term of a model.
struct ErrorTerm {
  std::string code;         ///< e.g. "DRFR"; unique within the model
  std::string description;  ///< the model file's own description
  WeightFunction weight = WeightFunction::DREF;
  Propagation propagation = Propagation::Systematic;
  double magnitude = 0;  ///< 1 sigma as the file states it, in unit
  std::string unit;      ///< "m", "-", "1/m", "m/s2", "nT", "deg", "deg.nT"
  double sigma = 0;      ///< magnitude in working units: degrees turned into radians
};

/// A tool model: its name and its terms in file order.
struct ErrorModel {
  std::string name;
  std::vector<ErrorTerm> terms;
  /// Index of the term with this code, or -1.
  int termIndex(std::string_view code) const noexcept;
};

/// Reads a model table: CSV with a header row naming at least "Code", "Term Description",
/// "Wt.Fn.", "Magnitude", "Units" and "Prop." (any column order; other columns are kept for
/// the reader, not used). An optional first line "# model=NAME" names the model; otherwise
/// fallbackName does. False with a Chinese message naming source and the line when a row
/// is malformed, names an unknown weighting function or unit, or repeats a code.
bool ParseErrorModel(std::string_view text, const std::string& fallbackName,
                     const std::string& source, ErrorModel& model, std::string& message);

/// The models compiled into the program, in name order; built once.
const std::vector<ErrorModel>& BuiltInModels();

/// The compiled-in model called name (exact match), or nullptr.
const ErrorModel* FindModel(std::string_view name);

/// Name of the default tool model.
inline constexpr const char* kDefaultModelName = "ISCWSA MWD Rev4";

}  // namespace tarsek::unc
