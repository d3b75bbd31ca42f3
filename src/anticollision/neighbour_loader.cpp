#include "anticollision/neighbour_loader.h"

#include <filesystem>

#include "model/well_files.h"
#include "survey/survey_calc.h"

namespace tarsek {

AddNeighbourOutcome LoadNeighbourWell(WellState& session, WellRecord& record,
                                      const std::string& path) {
  // The survey file lies beside the design file, wherever that is.
  const std::string directory = std::filesystem::path(path).parent_path().string();
  std::string surveyPath;
  const FileResult r = ReadWellFiles(record, path, true, directory, surveyPath);
  if (!r.found) return AddNeighbourOutcome::NoFile;
  if (!r.ok) return AddNeighbourOutcome::BadFile;
  ComputeNeighbourTrack(record, session.calcMethod);
  return AddNeighbourOutcome::Added;
}

void ComputeNeighbourTrack(WellRecord& record, SurveyMethod method) {
  if (!HasStations(record)) return;
  record.results = ComputeTrajectory(record.stations, record.basic(), record.stationCount, method);
}

}  // namespace tarsek
