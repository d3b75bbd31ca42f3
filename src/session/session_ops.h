#pragma once

#include "session/session.h"

namespace tarsek {

/// The core part of switching the survey calculation method: sets calcMethod, then recomputes
/// the survey trajectory (RecalculateAll) and the design trajectory from the existing design
/// points. The windows refresh afterwards.
void SetCalcMethod(Session& session, SurveyMethod method);

/// The core part of resetting after a well is loaded: drops the saved temporary target and
/// clears both dirty flags. The windows clear their own entry fields and neighbour list.
void ResetWellViews(Session& session) noexcept;

}  // namespace tarsek
