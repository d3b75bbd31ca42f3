#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "well/session.h"
#include "well/well_file_format.h"
#include "well/well_record.h"

namespace tarsek {

/// Extension of a well's design file.
inline constexpr const char* kDesignExtension = ".kvd";
/// Extension of a well's survey file.
inline constexpr const char* kSurveyExtension = ".sur";

/// What a file routine did. Nothing is thrown; a failure carries the user-facing message.
struct FileResult {
  bool ok = true;          ///< false when the file was refused or could not be written
  bool found = true;       ///< LoadWell: false when no design file exists (nothing was done)
  int designOutcome = -1;  ///< LoadWell of the open well: DesignProfile's outcome; else -1
  std::string message;     ///< Chinese text naming the file; empty when ok
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

/// ChooseWellDirectory for this program, with $XDG_DATA_HOME and $HOME from the environment.
std::string DefaultWellDirectory();

/// The reason for a failed write in the program's words (目录不存在, 没有写入权限, ...), from
/// errno.
std::string WriteErrorReason(int err);

/// Writes bytes to path without ever leaving a half-written file: a temporary file beside it
/// (path + ".tmp"), flushed to disk, then renamed over path. False, with a message naming the
/// file, when any step fails; the old file is then untouched.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& message);

/// Fills record from the design file at designPath and the survey file wellNo + ".sur" in
/// directory, wellNo being the number the design file names. For the open well (neighbourOnly
/// false, record being session.well) line 3 is read and the profile is designed; for a
/// neighbour only lines 1 and 2. Without a survey file the well has no stations. For the open
/// well both target crossings are cleared first. Then RecalculateAll runs. No design file: nothing changes, found = false, ok = true. A malformed
/// file is refused with a message naming it and the line, and record stays exactly as it was.
/// The caller runs ResetWellViews for the open well.
FileResult LoadWell(Session& session, WellRecord& record, const std::string& designPath,
                    bool neighbourOnly, const std::string& directory);

/// Writes the open well's survey file in directory. On success surveyDirty becomes 0; on
/// failure it and the file on disk are kept and the message names the file.
FileResult SaveSurveyFile(Session& session, const std::string& directory);

/// Writes the open well's design file in directory. A temporary target in force is dropped:
/// while targetSaved, savedTarget1X and savedTarget1Y are written as target 1 and copied back
/// into the record, and the temporary target ends. On success designDirty becomes 0; on failure nothing changes.
FileResult SaveDesignFile(Session& session, const std::string& directory);

/// Asks through session.ui() whether to save the open well's changed data (Yes/No/Cancel) and
/// saves on Yes. Returns -1 on Cancel, and also when a save failed (its message goes to the
/// status text) so that the caller keeps the well; otherwise 0.
std::int16_t AskToSaveChanges(Session& session, const std::string& directory);

}  // namespace tarsek
