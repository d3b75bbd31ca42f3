#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/well_file_format.h"
#include "model/well_record.h"

namespace tarsek {

/// Extension of a well's design file.
inline constexpr const char* kDesignExtension = ".kvd";
/// Extension of a well's survey file.
inline constexpr const char* kSurveyExtension = ".sur";

/// What a file routine did. Nothing is thrown; a failure carries the user-facing message.
struct FileResult {
  bool ok = true;       ///< false when the file was refused or could not be written
  bool found = true;    ///< LoadWell: false when no design file exists (nothing was done)
  std::string message;  ///< Chinese text naming the file; empty when ok
  explicit operator bool() const noexcept { return ok; }
};

/// directory + the platform's separator + wellNo + extension.
std::string WellFilePath(const std::string& directory, std::string_view wellNo,
                         std::string_view extension);

/// The directory the running program's executable lives in; empty when it cannot be found.
std::string ProgramDirectory();

/// Where wells live: programDirectory when it is a writable directory; otherwise
/// xdgDataHome/Tarsek, or home/.local/share/Tarsek when xdgDataHome is empty or relative. The
/// per-user directory is created when missing; empty when none can be had.
std::string ChooseWellDirectory(const std::string& programDirectory, const std::string& xdgDataHome,
                                const std::string& home);

/// True when programDirectory is the bin/ folder of an installed copy: the prefix beside it holds
/// share/tarsek. An installed program keeps its wells in the user's data folder, never in the
/// prefix, even when the prefix happens to be writable (a root user, a prefix in $HOME).
bool IsInstalledProgramDirectory(const std::string& programDirectory);

/// ChooseWellDirectory for this program, with $XDG_DATA_HOME and $HOME from the environment; an
/// installed program (IsInstalledProgramDirectory) skips its own directory.
std::string DefaultWellDirectory();

/// The reason for a failed write in the program's words (目录不存在, 没有写入权限, ...), from
/// errno.
std::string WriteErrorReason(int err);

/// Writes bytes to path without ever leaving a half-written file: a temporary file beside it
/// (path + ".tmp"), flushed to disk, then renamed over path. False, with a message naming the
/// file, when any step fails; the old file is then untouched.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& message);

/// Reads the design file at designPath and the survey file wellNo + ".sur" in directory into
/// record, wellNo being the number the design file names; surveyPath gets that survey file's
/// path. For a neighbour (neighbourOnly) only lines 1 and 2 of the design file are read. Without
/// a survey file the well has no stations. No design file: nothing changes, found = false,
/// ok = true. A malformed file is refused with a message naming it and the line, and record
/// stays exactly as it was.
FileResult ReadWellFiles(WellRecord& record, const std::string& designPath, bool neighbourOnly,
                         const std::string& directory, std::string& surveyPath);

}  // namespace tarsek
