#pragma once

// What every station reader must keep to on arbitrary bytes, checked by the libFuzzer targets:
// a refusal says why and yields nothing; whatever is accepted lies inside the entry rules; every
// refused line says which line and why; and the stations an import would make, exported again,
// read back as the very same stations in each text format.

#include <cstdlib>
#include <string>

#include "common/numtext.h"
#include "exchange/import_plan.h"
#include "exchange/station_export.h"
#include "exchange/station_import.h"

namespace tarsek::fuzzing {

inline void require(bool condition) {
  if (!condition) std::abort();
}

inline void checkResult(const ParseResult& r) {
  if (!r.ok) {
    require(!r.message.empty() && r.rows.empty() && r.rejected.empty());
    return;
  }
  require(r.message.empty());
  if (r.needsColumns) require(r.rows.empty());
  for (const ImportedRow& row : r.rows) {
    require(row.line > 0);
    require(row.md >= 0 && row.md < 100000);
    require(row.inclination >= 0 && row.inclination <= 180);
    require(row.azimuth >= 0 && row.azimuth <= 360);
  }
  for (const RejectedLine& l : r.rejected) {
    const std::string lead = "第" + std::to_string(l.line) + "行：";
    require(l.reason.size() > lead.size() && l.reason.compare(0, lead.size(), lead) == 0);
  }
}

// The stations a replacing import into an empty well would make, written as CSV in both code
// pages and as WITSML, must read back unchanged (to the 15 digits the survey file keeps).
inline void checkRoundTrip(const ParseResult& r) {
  if (!r.ok || r.rows.empty()) return;
  WellState session;
  session.well.wellNo = "F1";
  session.well.magDeclination = -3.5;
  const ImportPlan plan = PlanImport(session.well, r.rows, ImportMode::Replace, r.azimuthReference);
  if (!plan.ok) return;
  require(ApplyImport(session, plan));
  const ExportTable table = SurveyExportTable(session);
  std::string utf8, gb, message;
  require(FormatCsv(table, TextEncoding::Utf8Bom, utf8, message));
  require(FormatCsv(table, TextEncoding::Gb18030, gb, message));
  const ParseResult back[] = {ParseStationText(utf8), ParseStationText(gb),
                              ParseWitsmlTrajectory(FormatWitsml(table))};
  for (const ParseResult& b : back) {
    require(b.ok && b.rejected.empty() && b.rows.size() == plan.stations.size());
    for (std::size_t i = 0; i < b.rows.size(); ++i) {
      const SurveyStation& s = plan.stations[i];
      require(formatGeneral(b.rows[i].md) == formatGeneral(s.md));
      require(formatGeneral(b.rows[i].inclination) == formatGeneral(s.inclination));
      require(formatGeneral(b.rows[i].azimuth) == formatGeneral(s.azimuth));
    }
  }
}

}  // namespace tarsek::fuzzing
