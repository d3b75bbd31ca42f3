// The recompute runs leave the uncertainty figures matching what they tell the windows.

#include "session/session_runs.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "anticollision/neighbour_loader.h"
#include "session/well_io.h"
#include "survey/survey_calc.h"
#include "uncertainty/session_uncertainty.h"

namespace tarsek {
namespace {

struct RunCase {
  const char* name;
  std::function<void(Session&)> change;  // what the user did, before the run
  std::function<void(Session&)> run;
  Change told;
};

TEST(SessionRuns, UncertaintyFollowsEveryRunThatChangesWhatItCovers) {
  const std::string dir = TARSEK_SAMPLES_DIR;
  const std::vector<RunCase> cases = {
      {"a station deleted in the survey window",
       [](Session& s) {
         --s.well.stationCount;
         RecalculateAll(s);
       },
       StationsRecalculated, Change::Stations},
      {"a neighbour added",
       [dir](Session& s) {
         WellRecord n;
         ASSERT_EQ(LoadNeighbourWell(s, n, dir + "/草20-2.kvd"), AddNeighbourOutcome::Added);
         s.neighbourWells.push_back(n);
         s.neighbourColours.push_back(0x00FF00u);
       },
       NeighbourAdded, Change::Neighbours},
  };
  for (const RunCase& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    s.wellDirectory = dir;
    ASSERT_TRUE(LoadWell(s, s.well, dir + "/草20-1.kvd", false, dir).ok);
    unc::UpdateUncertainty(s);
    ASSERT_TRUE(s.uncertainty && s.uncertainty->ok);
    std::vector<Change> heard;
    auto listening =
        s.changes.subscribe({Change::Uncertainty, c.told}, [&](Change x) { heard.push_back(x); });

    c.change(s);
    c.run(s);

    ASSERT_TRUE(s.uncertainty && s.uncertainty->ok);
    EXPECT_EQ(s.uncertainty->stations.size(), static_cast<std::size_t>(s.well.stationCount));
    EXPECT_EQ(s.uncertainty->neighbours.size(), s.neighbourWells.size());
    EXPECT_EQ(heard, (std::vector<Change>{Change::Uncertainty, c.told}));
  }
}

}  // namespace
}  // namespace tarsek
