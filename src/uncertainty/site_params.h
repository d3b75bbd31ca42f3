#pragma once

// What the error model needs to know about a well's site, and the well's third file
// (井号.unc) that keeps it beside the design and survey files without changing them.

#include <string>
#include <string_view>

namespace tarsek::unc {

/// Extension of a well's uncertainty parameter file.
inline constexpr const char* kSiteExtension = ".unc";

/// Site and clearance settings of one well.
struct SiteParameters {
  double btotal = 0;         ///< magnetic total field, nT
  double dip = 0;            ///< magnetic dip, degrees
  double gravity = 9.80665;  ///< m/s²
  double latitude = 0;       ///< degrees, north positive
  double convergence = 0;    ///< grid convergence, degrees: true azimuth = grid azimuth + this
  /// Magnetic declination, degrees east: magnetic azimuth = true azimuth − this. Not kept in
  /// the file: a well's comes from its design file (see ForWell).
  double declination = 0;
  std::string model = "ISCWSA MWD Rev4";  ///< tool model name
  double sigmaMultiple = 2;               ///< how many sigma the drawn ellipses are
  double diameter = 0;                    ///< hole-and-casing diameter for clearance, m
  double k = 3.5;                         ///< separation-rule scaling factor
  double sm = 0.3;                        ///< surface margin, m
  double sigmaPa = 0.5;                   ///< project-ahead standard deviation, m
};

/// Empty when every value is usable; otherwise the Chinese reason for the first that is not
/// (ranges: btotal 10000..100000 nT, |dip| < 90, gravity 9.7..9.9, |latitude| <= 90,
/// |convergence| <= 45, |declination| <= 180, a known model, sigma multiple 0 < s <= 10,
/// diameter 0..2 m, k 0 < k <= 10, sm 0..10 m, sigmaPa 0..10 m).
std::string CheckSiteParameters(const SiteParameters& p);

/// Reads a parameter file's text: "key=value" lines, "#" comments and blank lines. Keys:
/// btotal, dip (required), gravity, latitude, convergence, model, sigma, diameter, k, sm,
/// sigmapa (optional, with the defaults above). The text is taken whole or refused: false
/// with a message naming fileName and the line for an unknown or repeated key, a value that
/// is not a number or is out of range, a missing required key; p is then unchanged.
bool ParseSiteParameters(std::string_view text, const std::string& fileName, SiteParameters& p,
                         std::string& message);

/// The file text of p; ParseSiteParameters reads it back to the same values.
std::string FormatSiteParameters(const SiteParameters& p);

/// Outcome of reading a well's parameter file.
enum class SiteFile {
  Loaded,   ///< read and valid
  Missing,  ///< no file: the well shows no uncertainty ("未设置测量误差参数")
  Refused,  ///< unreadable or malformed: message says why
};

/// Reads directory/wellNo.unc into p (declination untouched).
SiteFile LoadSiteParameters(const std::string& directory, std::string_view wellNo,
                            SiteParameters& p, std::string& message);

/// Writes p to directory/wellNo.unc atomically; false with a message when it cannot be written
/// or p is not valid (the old file is then untouched).
bool SaveSiteParameters(const std::string& directory, std::string_view wellNo,
                        const SiteParameters& p, std::string& message);

/// Status text of a well without parameters.
inline constexpr const char* kNoSiteParameters = "未设置测量误差参数";

}  // namespace tarsek::unc
