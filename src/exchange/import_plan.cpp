#include "exchange/import_plan.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/angles.h"
#include "common/constants.h"
#include "exchange/station_rows.h"
#include "survey/survey_calc.h"

namespace tarsek {

ImportPlan PlanImport(const WellRecord& well, const std::vector<ImportedRow>& rows, ImportMode mode,
                      AzimuthReference reference) {
  ImportPlan plan;
  plan.mode = mode;
  // The well keeps azimuths as measured and adds its declination when it calculates.
  const auto magnetic = [&](double azimuth) {
    if (reference == AzimuthReference::Magnetic || !std::isfinite(azimuth) || azimuth < 0 ||
        azimuth > 360)
      return azimuth;
    return wrapAzimuth(azimuth - well.magDeclination);
  };
  // The rows are checked again: they may come from somewhere else than a reader.
  ParseResult checked;
  for (const ImportedRow& r : rows)
    exchange::acceptStation(r.line, r.md, r.inclination, magnetic(r.azimuth), checked);
  plan.rejected = std::move(checked.rejected);
  std::vector<ImportedRow> sorted = std::move(checked.rows);
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const ImportedRow& a, const ImportedRow& b) { return a.md < b.md; });
  std::vector<ImportedRow> unique;
  unique.reserve(sorted.size());
  for (const ImportedRow& r : sorted) {
    if (!unique.empty() && unique.back().md == r.md) {
      // Of two lines at one depth the first in the file stands: the sort kept file order.
      const ImportedRow& kept = unique.back();
      const int later = std::max(kept.line, r.line), earlier = std::min(kept.line, r.line);
      plan.rejected.push_back(
          {later, exchange::lineReason(later, "测深与第" + std::to_string(earlier) + "行相同")});
      continue;
    }
    unique.push_back(r);
  }
  std::sort(plan.rejected.begin(), plan.rejected.end(),
            [](const RejectedLine& a, const RejectedLine& b) { return a.line < b.line; });

  if (well.wellNo.empty()) {
    plan.message = "没有打开的井，无法导入测点";
    return plan;
  }
  if (unique.empty()) {
    plan.message = "没有可以导入的测点";
    return plan;
  }
  const std::size_t existingCount =
      std::min<std::size_t>(well.stationCount > 0 ? static_cast<std::size_t>(well.stationCount) : 0,
                            well.stations.size());
  std::vector<SurveyStation> existing(
      well.stations.begin(), well.stations.begin() + static_cast<std::ptrdiff_t>(existingCount));
  std::stable_sort(existing.begin(), existing.end(),
                   [](const SurveyStation& a, const SurveyStation& b) { return a.md < b.md; });

  std::vector<SurveyStation>& out = plan.stations;
  out.reserve(unique.size() + (mode == ImportMode::Merge ? existing.size() : 0));
  std::size_t e = 0;
  const auto fromRow = [&](const ImportedRow& r) {
    SurveyStation s;
    s.md = r.md;
    s.inclination = r.inclination;
    s.azimuth = r.azimuth;
    return s;
  };
  for (const ImportedRow& r : unique) {
    while (e < existing.size() && existing[e].md < r.md) {
      if (mode == ImportMode::Merge)
        out.push_back(existing[e]);
      else
        ++plan.removed;
      ++e;
    }
    if (e < existing.size() && existing[e].md == r.md) {
      if (existing[e].inclination == r.inclination && existing[e].azimuth == r.azimuth)
        ++plan.unchanged;
      else
        ++plan.replaced;
      ++e;
    } else {
      ++plan.added;
    }
    out.push_back(fromRow(r));
  }
  for (; e < existing.size(); ++e) {
    if (mode == ImportMode::Merge)
      out.push_back(existing[e]);
    else
      ++plan.removed;
  }
  if (out.size() > static_cast<std::size_t>(kMaxCount)) {
    plan.message = "导入后测点数为" + std::to_string(out.size()) + "，超过上限" +
                   std::to_string(kMaxCount) + "，未做任何改动";
    plan.stations.clear();
    return plan;
  }
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i].index = static_cast<std::int16_t>(i);
    out[i].gridAzimuth = out[i].azimuth + well.magDeclination;
  }
  plan.ok = true;
  return plan;
}

bool ApplyImport(WellState& session, const ImportPlan& plan) {
  WellRecord& w = session.well;
  if (!plan.ok || w.wellNo.empty() || plan.stations.empty() ||
      plan.stations.size() > static_cast<std::size_t>(kMaxCount))
    return false;
  std::vector<SurveyStation> stations = plan.stations;
  for (SurveyStation& s : stations) s.gridAzimuth = s.azimuth + w.magDeclination;
  stations.emplace_back();
  w.stationCount = static_cast<std::int16_t>(plan.stations.size());
  w.stations = std::move(stations);
  w.results.assign(w.stations.size(), StationResult{});
  // A prediction block does not survive its stations being replaced.
  session.predictStart = 0;
  session.surveyDirty = Unsaved::Stations;
  RecalculateAll(session);
  return true;
}

std::string DescribePlan(const ImportPlan& plan) {
  std::string s =
      "新增" + std::to_string(plan.added) + "个测点，替换" + std::to_string(plan.replaced) + "个";
  if (plan.mode == ImportMode::Replace) s += "，删除" + std::to_string(plan.removed) + "个";
  if (plan.unchanged > 0) s += "，" + std::to_string(plan.unchanged) + "个不变";
  return s;
}

}  // namespace tarsek
