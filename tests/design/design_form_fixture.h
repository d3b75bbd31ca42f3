#pragma once

#include "design/design_input.h"

namespace tarsek::testing {

// The form of a single-target well A12 on a pad at (1000, 2000), skidded 5 m east.
inline DesignFormValues a12Form() {
  DesignFormValues v;
  v.wellNo = "A12";
  v.padWellheadX = 1000;
  v.padWellheadY = 2000;
  v.gateDirection = 90;
  v.rigSkidDistance = 5;
  v.target1X = 1300;
  v.target1Y = 2400;
  v.magDeclination = -3.067;
  v.target1Tvd = 1500;
  v.targetRadius = 30;
  v.buildRate = 15;
  v.buildToInclination = 10;
  v.kickoffDepth = 300;
  v.rotaryBuildRate = 3;
  v.rotaryDropRate = 3;
  v.designFinalTvd = 1800;
  return v;
}

}  // namespace tarsek::testing
