#include <random>
#include <string>
#include <vector>

#include "anticollision/clearance_scan.h"
#include "anticollision/neighbour_loader.h"
#include "app/calc_parts.h"
#include "print/surface.h"

namespace tarsek::calc {

nlohmann::json antiCollisionJson(Session& session, const std::vector<std::string>& neighbourPaths,
                                 double step) {
  // The engine's default seed: the same neighbours always get the same colours.
  std::mt19937 engine;
  nlohmann::json refused = nlohmann::json::array();
  for (const std::string& path : neighbourPaths) {
    const AddNeighbourOutcome why =
        addNeighbourFile(session, path, step, LoadNeighbourWell, engine);
    if (why != AddNeighbourOutcome::Added)
      refused.push_back({{"file", path}, {"reason", outcomeText(why)}});
  }

  ClearanceScan scan;
  const bool ran = scanClearance(session, step, scan);
  nlohmann::json tracks = nlohmann::json::array();
  for (std::size_t i = 0; ran && i < scan.tracks.size(); ++i) {
    const ClearanceTrack& t = scan.tracks[i];
    nlohmann::json samples = nlohmann::json::array();
    for (const ClearanceSample& c : t.samples)
      samples.push_back({{"neighbourMd", c.neighbourMd},
                         {"tvd", c.tvd},
                         {"dNorth", c.dNorth},
                         {"dEast", c.dEast},
                         {"clearance", c.clearance},
                         {"relAzimuth", c.relAzimuth}});
    tracks.push_back({{"wellNo", session.neighbourWells[i].wellNo},
                      {"colour", colourHex(session.neighbourColours[i])},
                      {"minIndex", t.minIndex},
                      {"samples", std::move(samples)}});
  }
  return {{"step", scanStep(step)},
          {"ownSampleMd", scan.ownSampleMd},
          {"tracks", std::move(tracks)},
          {"closestDistance", scan.closestDistance},
          {"warning", scan.warning},
          {"texts",
           {{"Lab最小间距", scan.closestText},
            {"Lab1", scan.columns[0]},
            {"Lab2", scan.columns[1]},
            {"Lab3", scan.columns[2]},
            {"Lab4", scan.columns[3]},
            {"Lab5", scan.columns[4]}}},
          {"refused", std::move(refused)}};
}

}  // namespace tarsek::calc
