#pragma once

#include <string>

#include "common/host.h"
#include "design/profile_design.h"
#include "model/well_record.h"
#include "model/well_state.h"

namespace tarsek {

/// The design form's input boxes as numbers (each read as the leading number of its text), in
/// the record's units: metres, degrees, degrees per 100 m.
struct DesignFormValues {
  std::string wellNo;       ///< the well-number box, as typed
  bool twoTargets = false;  ///< the two-target option is selected
  double padWellheadX = 0;
  double padWellheadY = 0;
  double target1X = 0;
  double target1Y = 0;
  double target2X = 0;
  double target2Y = 0;
  double target2Tvd = 0;
  double gateDirection = 0;
  double rigSkidDistance = 0;
  double magDeclination = 0;
  double target1Tvd = 0;
  double targetRadius = 0;
  double buildRate = 0;
  double buildToInclination = 0;
  double kickoffDepth = 0;
  double rotaryBuildRate = 0;
  double rotaryDropRate = 0;
  double designFinalTvd = 0;
};

/// A point in the plane, X north and Y east, metres.
struct PlanePoint {
  double x = 0;
  double y = 0;
};

/// The question asked before a design without displacement goes on.
inline constexpr const char* kVerticalWellQuestion = "您设计的是直井！是否需要防碰？";
/// Status text of "保存" while the last design data were rejected.
inline constexpr const char* kDesignDataInvalidText = "设计数据有误！请重新输入";

/// This well's wellhead: the pad's first wellhead moved by the skid distance (m) along the rig
/// door direction (degrees), each coordinate rounded to two decimals as its label shows it.
PlanePoint WellheadFromPad(double padX, double padY, double gateDirection, double skid);

/// Writes the well number and the well geometry of the form into the record: rig position and
/// pad wellhead, this well's wellhead, target count, both targets, declination, target 1 depth,
/// and the design azimuth (grid, degrees) and displacements (m) derived from them. Target 2
/// fields are zero for a single-target well.
void applyDesignGeometry(WellRecord& well, const DesignFormValues& values);

/// Writes the build-up parameters and the target radius of the form into the record.
void applyDesignParameters(BasicData& data, const DesignFormValues& values);

/// The first design rule ('a' to 'h') the data break, or 0 when they pass every rule.
char checkDesignData(const BasicData& data) noexcept;

/// Status text of a broken design rule ('a' to 'h'); empty for any other value. The caller puts
/// the well number in front.
const char* designRuleText(char rule) noexcept;

/// Status text of a profile-design outcome 1 to 10; empty for 0 and unknown outcomes. The caller
/// puts the well number in front.
const char* designOutcomeText(DesignOutcome outcome) noexcept;

/// How an accepted design form ended.
enum class DesignFormResult {
  Declined,  ///< vertical design not wanted; the data are marked invalid
  Rejected,  ///< a design rule failed (see rule)
  Failed,    ///< the profile design could not be built (see outcome)
  Designed,  ///< a design was built
};

/// Outcome of runDesignForm.
struct DesignFormOutcome {
  DesignFormResult result = DesignFormResult::Declined;
  char rule = 0;  ///< the broken rule when Rejected
  DesignOutcome outcome =
      DesignOutcome::Done;  ///< the profile design's outcome when Failed or Designed
};

/// The part of the form's "确定" that follows the geometry (applyDesignGeometry must have run):
/// asks the vertical-well question through host when there is no displacement, marks the design
/// changed, takes the parameters, validates them and runs the profile design. Sets the status
/// text, the busy pointer and designInvalid; on success the status reads wellNo + "井基本数据"
/// and the caller runs the recompute-and-refresh sequence.
DesignFormOutcome runDesignForm(WellState& session, Host& host, const DesignFormValues& values);

/// Whether a design-form number box takes a typed character code (Backspace, "+", "-", ".",
/// digits and every code beyond 127); Enter is handled by the caller before this test.
bool designKeyAccepted(int code) noexcept;

/// Makes target 1 the point at the bearing azimuth (grid, degrees) and horizontal distance (m)
/// from the wellhead, keeping the design target in savedTarget1X/Y (and setting targetSaved)
/// the first time.
void setTargetByBearing(WellState& session, double azimuth, double displacement);

/// Puts a kept design target back into target 1 and ends the temporary target (nothing when
/// none is kept).
void restoreDesignTarget(WellState& session);

}  // namespace tarsek
