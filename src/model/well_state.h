#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/host.h"
#include "model/survey_method.h"
#include "model/unsaved.h"
#include "model/well_record.h"

namespace tarsek {

namespace unc {
struct SessionUncertainty;
}  // namespace unc

/// One row of the design segment table; depths and displacements in metres, angles in degrees.
struct DesignSegment {
  std::string name;
  double md = 0;
  double tvd = 0;
  double displacement = 0;
  double inclination = 0;
  double deltaMd = 0;
  double deltaTvd = 0;
  double deltaHorizontal = 0;
};

/// The open well and every value worked out beside it: what the survey, design, anti-collision,
/// plot and print routines read and write. The session owns one; tests make as many as they
/// like. Opening, saving and telling the windows what changed are the session's, not this
/// record's.
struct WellState {
  WellRecord well;                                       ///< the open well
  SurveyMethod calcMethod = SurveyMethod::AverageAngle;  ///< never stored, 平均角法 at start
  Unsaved surveyDirty = Unsaved::Nothing;  ///< Stations when stations changed since the last save
  Unsaved designDirty = Unsaved::Nothing;  ///< Design when design data changed since the last save
  std::int16_t predictStart = 0;           ///< first station appended by the prediction, or 0
  /// The stations the last prediction appended, as it left them; only meaningful while
  /// predictStart is not 0. Discarding removes exactly these, never a station typed since.
  std::vector<SurveyStation> predictedStations;
  bool targetSaved = false;  ///< a temporary target is in force; the design target is kept below
  double savedTarget1X = 0;  ///< the design target 1 kept while a temporary target is in force
  double savedTarget1Y = 0;
  TargetCrossing target1Hit;  ///< survey crossing of target 1's depth; crossed false if none
  TargetCrossing target2Hit;  ///< survey crossing of target 2's depth; crossed false if none
  std::vector<WellRecord> neighbourWells;       ///< anti-collision neighbours, one entry each
  std::vector<std::uint32_t> neighbourColours;  ///< colour (0x00BBGGRR) per neighbour
  std::array<DesignSegment, 7> designSegments;  ///< rows 0..5 used, row 6 never filled
  std::int16_t designInvalid = 0;               ///< 1 while the design data failed validation
  std::string wellDirectory;                    ///< directory holding the well files
  /// Position uncertainty of the open well and its neighbours, worked out after each
  /// recalculation (UpdateUncertainty); null until then.
  std::shared_ptr<const unc::SessionUncertainty> uncertainty;
  bool showUncertainty = true;  ///< the user shows the error ellipses and the section band

  Host* host = nullptr;  ///< status text, busy pointer, questions; may be null
  QuietHost quietHost;   ///< stands in while no host is set

  /// The host to talk to: the one set, or the quiet one that shows nothing.
  Host& ui() noexcept { return host != nullptr ? *host : quietHost; }
};

}  // namespace tarsek
