#include "design/design_input.h"

#include <cmath>

#include "common/angles.h"
#include "common/numtext.h"
#include "design/profile_design.h"
#include "survey/survey_calc.h"

namespace tarsek {

PlanePoint WellheadFromPad(double padX, double padY, double gateDirection, double skid) {
  const double a = toRadians(gateDirection);
  // The record keeps what the labels show, so a saved and reloaded well designs the same way as
  // the one on screen: round through the two-decimal text rather than keeping the raw product.
  PlanePoint p;
  p.x = readNumber(formatFixed(std::cos(a) * skid + padX, 2));
  p.y = readNumber(formatFixed(std::sin(a) * skid + padY, 2));
  return p;
}

void applyDesignGeometry(WellRecord& well, const DesignFormValues& v) {
  well.wellNo = v.wellNo;
  well.gateDirection = v.gateDirection;
  well.rigSkidDistance = v.rigSkidDistance;
  well.padWellheadX = v.padWellheadX;
  well.padWellheadY = v.padWellheadY;
  const PlanePoint head =
      WellheadFromPad(v.padWellheadX, v.padWellheadY, v.gateDirection, v.rigSkidDistance);
  well.wellheadX = head.x;
  well.wellheadY = head.y;
  well.target1X = v.target1X;
  well.target1Y = v.target1Y;
  if (v.twoTargets) {
    well.targetCount = 2;
    well.target2X = v.target2X;
    well.target2Y = v.target2Y;
    well.target2Tvd = v.target2Tvd;
    well.designDisplacement2 =
        std::hypot(well.wellheadX - well.target2X, well.wellheadY - well.target2Y);
  } else {
    well.targetCount = 1;
    well.target2X = well.target2Y = well.target2Tvd = well.designDisplacement2 = 0;
  }
  well.magDeclination = v.magDeclination;
  well.target1Tvd = v.target1Tvd;
  well.designAzimuth = AzimuthOf(well.target1X - well.wellheadX, well.target1Y - well.wellheadY);
  well.designDisplacement1 =
      std::hypot(well.wellheadX - well.target1X, well.wellheadY - well.target1Y);
}

void applyDesignParameters(BasicData& data, const DesignFormValues& v) {
  data.targetRadius = v.targetRadius;
  data.buildRate = v.buildRate;
  data.buildToInclination = v.buildToInclination;
  data.kickoffDepth = v.kickoffDepth;
  data.rotaryBuildRate = v.rotaryBuildRate;
  data.rotaryDropRate = v.rotaryDropRate;
  data.designFinalTvd = v.designFinalTvd;
}

char checkDesignData(const BasicData& d) noexcept {
  if (!(d.buildRate > 0)) return 'a';
  if (!(d.buildToInclination >= 0 && d.buildToInclination <= 90)) return 'b';
  if (!(d.kickoffDepth >= 0 && d.kickoffDepth <= d.target1Tvd)) return 'c';
  if (!(d.target1Tvd <= d.designFinalTvd)) return 'd';
  if (d.targetCount == 2) {
    if (!(d.target1Tvd < d.target2Tvd)) return 'e';
    if (!(d.target2Tvd <= d.designFinalTvd)) return 'f';
  }
  if (!(d.rotaryBuildRate <= 90)) return 'g';
  if (!(d.rotaryDropRate <= 90)) return 'h';
  return 0;
}

const char* designRuleText(char rule) noexcept {
  switch (rule) {
    case 'a':
      return "井设计造斜率有误，请重新输入！";
    case 'b':
      return "井设计造到井斜有误，请重新输入！";
    case 'c':
      return "井设计造斜点有误，请重新输入！";
    case 'd':
    case 'f':
      return "井设计完井垂深有误，请重新输入！";
    case 'e':
      return "井设计中双靶垂深有误，请重新输入！";
    case 'g':
    // The drop rate has always been reported with the build-rate text; users know it so.
    case 'h':
      return "井设计转盘钻具增斜率有误，请重新输入！";
    default:
      return "";
  }
}

const char* designOutcomeText(DesignOutcome outcome) noexcept {
  // A drop needed with a negative drop rate leaves a design that never reaches target 2, so the
  // form reports it like the other failures.
  if (outcome == DesignOutcome::DropMustDrop)
    return "井设计靶点转盘钻具降斜率应为正值，请重新输入！";
  return ProfileOutcomeText(outcome);
}

bool designKeyAccepted(int code) noexcept {
  if (code < 0 || code > 127) return true;
  if (code == 8) return true;
  if (code == '+' || code == '-' || code == '.') return true;
  return code >= '0' && code <= '9';
}

void setTargetByBearing(WellState& session, double azimuth, double displacement) {
  WellRecord& well = session.well;
  // Only the first temporary target keeps the design target; a design target at X = 0 or
  // Y = 0 is kept like any other.
  if (!session.targetSaved) {
    session.savedTarget1X = well.target1X;
    session.savedTarget1Y = well.target1Y;
    session.targetSaved = true;
  }
  const double a = toRadians(azimuth);
  well.target1X = std::cos(a) * displacement + well.wellheadX;
  well.target1Y = std::sin(a) * displacement + well.wellheadY;
}

void restoreDesignTarget(WellState& session) {
  if (!session.targetSaved) return;
  session.well.target1X = session.savedTarget1X;
  session.well.target1Y = session.savedTarget1Y;
  session.targetSaved = false;
}

}  // namespace tarsek
