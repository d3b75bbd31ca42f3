#pragma once

#include <string>
#include <vector>

#include "exchange/station_import.h"
#include "model/well_record.h"
#include "model/well_state.h"

namespace tarsek {

/// Whether imported stations take the place of the well's stations or join them.
enum class ImportMode {
  Replace,  ///< the well's stations are discarded; the imported ones are all there is
  Merge,    ///< imported stations join the well's; one at an existing depth replaces it
};

/// What an import would do to the open well's stations, computed without changing anything.
struct ImportPlan {
  bool ok = false;      ///< false: applying is refused (message); the well would not change
  std::string message;  ///< Chinese; empty when ok
  ImportMode mode = ImportMode::Replace;
  std::vector<SurveyStation> stations;  ///< the station list after the import, in depth order
                                        ///< (index set, gridAzimuth = azimuth + declination)
  std::vector<RejectedLine> rejected;   ///< rows refused by the entry rules (e.g. a depth
                                        ///< given twice in the file), in file order
  int added = 0;                        ///< stations at depths the well did not have
  int replaced = 0;                     ///< stations at an existing depth whose angles change
  int unchanged = 0;                    ///< stations at an existing depth with the same angles
  int removed = 0;                      ///< well stations dropped (Replace only)

  explicit operator bool() const noexcept { return ok; }
  /// True when applying would change the stations at all.
  bool changesAnything() const noexcept { return added + replaced + removed > 0; }
};

/// Plans importing rows (from ParseResult::rows) into well under mode: rows are sorted by
/// depth, checked by the rules of typed entry (depth not negative, inclination 0 to 180,
/// azimuth 0 to 360, depths strictly increasing, at most kMaxCount stations) and merged. A
/// second row at the depth of an earlier one in the same file is rejected. Refused (ok false)
/// when no row is usable or the result exceeds the station limit. Azimuths given against grid
/// or true north (reference Corrected) become magnetic ones: the well's declination is taken
/// off, within 0 to 360.
ImportPlan PlanImport(const WellRecord& well, const std::vector<ImportedRow>& rows, ImportMode mode,
                      AzimuthReference reference = AzimuthReference::Magnetic);

/// Puts a plan's stations into the open well's record in memory, marks the survey unsaved
/// (surveyDirty), drops any prediction block and recalculates. Nothing is written to disk.
/// False, with nothing changed, when the plan is not ok or no well is open.
bool ApplyImport(WellState& session, const ImportPlan& plan);

/// A one-line Chinese summary of a plan's counts ("新增3个测点，替换1个，删除0个").
std::string DescribePlan(const ImportPlan& plan);

}  // namespace tarsek
