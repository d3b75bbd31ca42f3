#include "uncertainty/well_uncertainty.h"

#include <algorithm>

namespace tarsek::unc {

SurveyPath PathOfWell(const WellRecord& well) {
  SurveyPath path;
  const auto count = static_cast<std::size_t>(
      std::clamp<int>(well.stationCount, 0, static_cast<int>(well.stations.size())));
  path.stations.reserve(count + 1);
  for (std::size_t i = 0; i < count; ++i) {
    const SurveyStation& s = well.stations[i];
    double azi = s.azimuth + well.magDeclination;
    if (azi < 0) azi += 360;
    if (azi >= 360) azi -= 360;
    if (i == 0 && s.md > 0) path.stations.push_back({0, 0, azi});
    path.stations.push_back({s.md, s.inclination, azi});
  }
  return path;
}

Vec3 WellheadOffset(const BasicData& well, const BasicData& origin) noexcept {
  return {well.wellheadX - origin.wellheadX, well.wellheadY - origin.wellheadY, 0};
}

SiteParameters SiteForWell(SiteParameters site, const BasicData& well) noexcept {
  site.declination = well.magDeclination + site.convergence;
  return site;
}

WellUncertainty UncertaintyOfWell(const WellRecord& well, const std::string& directory) {
  WellUncertainty out;
  SiteParameters site;
  const SiteFile file = LoadSiteParameters(directory, well.wellNo, site, out.status);
  if (file != SiteFile::Loaded) return out;
  return UncertaintyOfWell(well, site, well);
}

WellUncertainty UncertaintyOfWell(const WellRecord& well, const SiteParameters& site,
                                  const BasicData& origin) {
  WellUncertainty out;
  out.site = SiteForWell(site, well);
  const ErrorModel* model = FindModel(out.site.model);
  if (model == nullptr) {
    out.status = "测量仪器误差模型“" + out.site.model + "”未知，无法计算位置误差！";
    return out;
  }
  SurveyPath path = PathOfWell(well);
  if (path.stations.empty()) {
    out.status = "没有测点，无法计算位置误差";
    return out;
  }
  path.tieOn = WellheadOffset(well, origin);
  out.ok = out.track.build(path, *model, out.site, out.status);
  return out;
}

}  // namespace tarsek::unc
