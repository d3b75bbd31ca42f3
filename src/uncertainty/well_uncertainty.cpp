#include "uncertainty/well_uncertainty.h"

#include <algorithm>

#include "common/angles.h"

namespace tarsek::unc {

SurveyPath PathOfWell(const WellRecord& well) {
  SurveyPath path;
  const auto count = static_cast<std::size_t>(
      std::clamp<int>(well.stationCount, 0, static_cast<int>(well.stations.size())));
  path.stations.reserve(count + 1);
  for (std::size_t i = 0; i < count; ++i) {
    const SurveyStation& s = well.stations[i];
    const double azi = wrapAzimuthOnce(s.azimuth + well.magDeclination);
    if (i == 0 && s.md > 0) {
      path.stations.push_back({0, 0, azi});
      path.firstSurveyed = 1;
    }
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

bool TargetHitOfWell(const WellUncertainty& u, const WellRecord& well, int target,
                     WellTargetHit& out) {
  if (!u.ok || target < 1 || target > std::min<int>(2, well.targetCount)) return false;
  WellTargetHit hit;
  hit.target = target;
  hit.tvd = target == 1 ? well.target1Tvd : well.target2Tvd;
  if (!(hit.tvd > 0)) return false;
  hit.north = (target == 1 ? well.target1X : well.target2X) - well.wellheadX;
  hit.east = (target == 1 ? well.target1Y : well.target2Y) - well.wellheadY;
  hit.radius = well.targetRadius;
  hit.surveyed = HitAtDepth(u.track, hit.tvd, hit.north, hit.east, hit.radius);
  if (!hit.surveyed.crossed) {
    SurveyPath path = PathOfWell(well);
    path.tieOn = u.track.position(0);
    CovarianceTrack ahead;
    std::string message;
    if (ahead.build(ProjectToDepth(path, hit.tvd), u.track.model(), u.site, message))
      hit.projected = HitAtDepth(ahead, hit.tvd, hit.north, hit.east, hit.radius);
  }
  out = hit;
  return true;
}

std::vector<NeighbourSeparation> SeparationToNeighbours(const WellRecord& well,
                                                        const WellUncertainty& own,
                                                        const std::vector<WellRecord>& neighbours,
                                                        const std::string& directory) {
  std::vector<NeighbourSeparation> out;
  out.reserve(neighbours.size());
  for (const WellRecord& nb : neighbours) {
    NeighbourSeparation sep;
    sep.wellNo = nb.wellNo;
    SiteParameters site;
    if (!own.ok) {
      sep.status = own.status;
    } else if (LoadSiteParameters(directory, nb.wellNo, site, sep.status) != SiteFile::Loaded) {
      if (sep.status == kNoSiteParameters)
        sep.status = "邻井“" + nb.wellNo + "”" + kNoSiteParameters;
    } else {
      const WellUncertainty other = UncertaintyOfWell(nb, site, well);
      if (!other.ok) {
        sep.status = "邻井“" + nb.wellNo + "”：" + other.status;
      } else {
        ClearanceSettings settings;
        settings.referenceRadius = own.site.diameter / 2;
        settings.offsetRadius = other.site.diameter / 2;
        settings.k = own.site.k;
        settings.sm = own.site.sm;
        settings.sigmaPa = own.site.sigmaPa;
        sep.points = SeparationAlong(own.track, other.track, settings);
        sep.ok = true;
        for (const ClearancePoint& c : sep.points) {
          if (c.sf < sep.minimumSf) {
            sep.minimumSf = c.sf;
            sep.minimumSfMd = c.md;
          }
        }
      }
    }
    out.push_back(std::move(sep));
  }
  return out;
}

}  // namespace tarsek::unc
