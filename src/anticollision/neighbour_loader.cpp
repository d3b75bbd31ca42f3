#include "anticollision/neighbour_loader.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "survey/survey_calc.h"
#include "well/well_file_format.h"
#include "well/well_files.h"

namespace tarsek {
namespace {

bool readBytes(const std::filesystem::path& p, std::string& bytes) {
  std::ifstream in(p, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace

AddNeighbourOutcome LoadNeighbourWell(Session& session, WellRecord& record,
                                      const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path design(path);
  if (!fs::is_regular_file(design, ec)) return AddNeighbourOutcome::NoFile;

  // Read into a scratch record so that a bad file leaves nothing half-filled behind.
  WellRecord well;
  std::string bytes, error;
  if (!readBytes(design, bytes) ||
      !ParseDesignFile(bytes, design.filename().string(), true, well, error))
    return AddNeighbourOutcome::BadFile;
  const fs::path survey =
      WellFilePath(design.parent_path().string(), well.wellNo, kSurveyExtension);
  if (fs::is_regular_file(survey, ec)) {
    if (!readBytes(survey, bytes) ||
        !ParseSurveyFile(bytes, survey.filename().string(), well, error))
      return AddNeighbourOutcome::BadFile;
  }
  if (well.stationCount > 0)
    well.results =
        ComputeTrajectory(well.stations, well.basic(), well.stationCount, session.calcMethod);
  record = std::move(well);
  return AddNeighbourOutcome::Added;
}

}  // namespace tarsek
