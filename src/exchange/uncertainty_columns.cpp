#include "exchange/uncertainty_columns.h"

#include <cmath>
#include <limits>

#include "uncertainty/well_uncertainty.h"

namespace tarsek {

namespace {

double root(double variance) {
  return variance >= 0 ? std::sqrt(variance) : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace

std::vector<ExportColumn> UncertaintyExportColumns(const WellState& session, bool design) {
  if (design || session.well.stationCount <= 0) return {};
  const unc::WellUncertainty u = unc::UncertaintyOfWell(session.well, session.wellDirectory);
  if (!u.ok || u.track.empty()) return {};

  std::vector<ExportColumn> columns{{"高边误差σH", "m", 2, {}}, {"横向误差σL", "m", 2, {}},
                                    {"轴向误差σA", "m", 2, {}}, {"垂向误差σV", "m", 2, {}},
                                    {"椭圆长半轴", "m", 2, {}}, {"椭圆短半轴", "m", 2, {}},
                                    {"长半轴方位", "°", 2, {}}};
  const std::size_t n = static_cast<std::size_t>(session.well.stationCount);
  for (ExportColumn& c : columns) c.values.reserve(n);
  for (std::size_t i = 0; i < n && i < session.well.stations.size(); ++i) {
    const unc::CovarianceTrack::Point p = u.track.at(session.well.stations[i].md);
    const unc::Cov3 hla = unc::ToHighSideLateralAlong(p.covariance, p.point.inc, p.point.azi);
    const unc::HorizontalEllipse e = unc::EllipseOf(p.covariance);
    const double values[] = {root(hla.nn), root(hla.ee), root(hla.vv), root(p.covariance.vv),
                             e.semiMajor,  e.semiMinor,  e.azimuth};
    for (std::size_t k = 0; k < columns.size(); ++k) columns[k].values.push_back(values[k]);
  }
  return columns;
}

void AddUncertaintyToExports() {
  static const int id = AddExportColumnSource(UncertaintyExportColumns);
  (void)id;
}

}  // namespace tarsek
