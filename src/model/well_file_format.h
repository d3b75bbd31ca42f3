#pragma once

#include <string>
#include <string_view>

#include "model/well_record.h"

namespace tarsek {

/// Shown when a well number could escape the well directory or cannot be written to disk.
inline constexpr const char* kBadWellNoMessage = "井号含有非法字符，请重新输入！";

/// Longest well number, in characters, that names a file.
inline constexpr int kMaxWellNoLength = 64;

/// True when a well number (UTF-8) may name the well's files: not empty after trimming blanks,
/// none of / \ : * ? " < > |, no "..", no control character, every character representable in
/// GB18030, at most kMaxWellNoLength characters.
bool IsSafeWellNo(std::string_view wellNo);

/// The design file's bytes: three CR LF lines in GB18030 (well number, the eighteen items of the
/// basic data, the six build-up items). False, with a reason in error, when the well number is
/// not safe or a value is not finite; bytes is then untouched.
bool FormatDesignFile(const WellRecord& well, std::string& bytes, std::string& error);

/// The survey file's bytes: the station count, then md, inclination, azimuth of each station in
/// use, CR LF lines. False, with a reason in error, when a value is not finite.
bool FormatSurveyFile(const WellRecord& well, std::string& bytes, std::string& error);

/// Reads a design file's bytes into well: wellNo and the eighteen items of line 2 and, unless
/// neighbourOnly, the six items of line 3. Accepts GB18030 or, after a UTF-8 byte-order mark,
/// UTF-8; CR LF or LF lines. On a fault returns false with a message naming fileName and the
/// line; the record may then be partly written, so callers read into a scratch copy.
bool ParseDesignFile(std::string_view bytes, const std::string& fileName, bool neighbourOnly,
                     WellRecord& well, std::string& error);

/// Reads a survey file's bytes into well: stationCount, stations and results dimensioned
/// count + 1, gridAzimuth = azimuth + the well's magDeclination. More station lines than the
/// count enlarge the count to the lines present. On a fault returns false with a message naming
/// fileName and the line; the record may be partly written.
bool ParseSurveyFile(std::string_view bytes, const std::string& fileName, WellRecord& well,
                     std::string& error);

}  // namespace tarsek
