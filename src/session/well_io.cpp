#include "session/well_io.h"

#include "model/well_file_format.h"

namespace tarsek {

namespace {

// What saving either file of a well has in common: the well number check, the path the session
// remembers, and an atomic write of the formatted record. False, with result holding the
// message, when nothing was written.
bool writeWellFile(Session& session, const std::string& directory, const char* extension,
                   bool (*format)(const WellRecord&, std::string&, std::string&),
                   const WellRecord& record, FileResult& result) {
  if (!IsSafeWellNo(session.well.wellNo)) {
    result.ok = false;
    result.message = kBadWellNoMessage;
    return false;
  }
  const std::string path = WellFilePath(directory, session.well.wellNo, extension);
  session.wellFilePath = path;
  std::string bytes;
  std::string error;
  if (!format(record, bytes, error)) {
    result.ok = false;
    result.message = "文件“" + path + "”未保存：" + error + "！";
    return false;
  }
  if (!WriteFileAtomically(path, bytes, result.message)) {
    result.ok = false;
    return false;
  }
  return true;
}

}  // namespace

FileResult SaveSurveyFile(Session& session, const std::string& directory) {
  FileResult result;
  if (writeWellFile(session, directory, kSurveyExtension, FormatSurveyFile, session.well, result)) {
    session.surveyDirty = Unsaved::Nothing;
  }
  return result;
}

FileResult SaveDesignFile(Session& session, const std::string& directory) {
  FileResult result;
  // The file always holds the designed target, never a temporary one set by bearing.
  WellRecord toWrite = session.well;
  const bool restoreTarget = session.targetSaved;
  if (restoreTarget) {
    toWrite.target1X = session.savedTarget1X;
    toWrite.target1Y = session.savedTarget1Y;
  }
  if (!writeWellFile(session, directory, kDesignExtension, FormatDesignFile, toWrite, result)) {
    return result;
  }
  if (restoreTarget) {
    session.well.target1X = session.savedTarget1X;
    session.well.target1Y = session.savedTarget1Y;
    session.targetSaved = false;
  }
  session.designDirty = Unsaved::Nothing;
  return result;
}

std::int16_t AskToSaveChanges(Session& session, const std::string& directory) {
  if (session.well.wellNo.empty()) return 0;
  session.lastDirtySum = session.surveyDirty | session.designDirty;
  const std::string& no = session.well.wellNo;
  std::string question;
  switch (session.lastDirtySum) {
    case Unsaved::Stations:
      question = "是否保存" + no + "井测斜数据的更改?";
      break;
    case Unsaved::Design:
      question = "是否保存" + no + "井设计数据的更改?";
      break;
    case Unsaved::Both:
      question = "是否保存" + no + "井测斜数据和设计数据的更改?";
      break;
    default:
      return 0;
  }
  const Answer answer = session.ui().askYesNoCancel(question);
  if (answer == Answer::Cancel) return -1;
  if (answer == Answer::No) return 0;

  std::string failures;
  if (Includes(session.lastDirtySum, Unsaved::Stations)) {
    const FileResult r = SaveSurveyFile(session, directory);
    if (!r.ok) failures = r.message;
  }
  if (Includes(session.lastDirtySum, Unsaved::Design)) {
    const FileResult r = SaveDesignFile(session, directory);
    if (!r.ok) failures += r.message;
  }
  if (!failures.empty()) {
    // Leaving the well now would lose the changes the user just asked to keep.
    session.ui().setStatusText(failures);
    return -1;
  }
  return 0;
}

}  // namespace tarsek
