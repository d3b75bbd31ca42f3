#include "anticollision/neighbour_loader.h"

#include <filesystem>

#include "well/well_files.h"

namespace tarsek {

AddNeighbourOutcome LoadNeighbourWell(Session& session, WellRecord& record,
                                      const std::string& path) {
  // The survey file lies beside the design file, wherever that is.
  const std::string directory = std::filesystem::path(path).parent_path().string();
  const FileResult r = LoadWell(session, record, path, true, directory);
  if (!r.found) return AddNeighbourOutcome::NoFile;
  if (!r.ok) return AddNeighbourOutcome::BadFile;
  return AddNeighbourOutcome::Added;
}

}  // namespace tarsek
