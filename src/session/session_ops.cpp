#include "session/session_ops.h"

#include "survey/survey_calc.h"

namespace tarsek {

void SetCalcMethod(Session& session, SurveyMethod method) {
  session.calcMethod = method;
  RecalculateAll(session);
  RecalculateDesignTrajectory(session);
}

void ResetWellViews(Session& session) noexcept {
  session.targetSaved = false;
  session.savedTarget1X = 0;
  session.savedTarget1Y = 0;
  session.surveyDirty = Unsaved::Nothing;
  session.designDirty = Unsaved::Nothing;
}

}  // namespace tarsek
