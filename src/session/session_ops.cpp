#include "session/session_ops.h"

#include "survey/survey_calc.h"

namespace tarsek {

bool SetCalcMethod(Session& session, int method) {
  if (method < 0 || method >= kMethodCount) return false;
  session.calcMethod = static_cast<std::int16_t>(method);
  RecalculateAll(session);
  RecalculateDesignTrajectory(session);
  return true;
}

void ResetWellViews(Session& session) noexcept {
  session.targetSaved = false;
  session.savedTarget1X = 0;
  session.savedTarget1Y = 0;
  session.surveyDirty = 0;
  session.designDirty = 0;
}

}  // namespace tarsek
