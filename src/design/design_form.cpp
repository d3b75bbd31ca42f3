#include <string>

#include "design/design_input.h"
#include "design/profile_design.h"

namespace tarsek {

DesignFormOutcome runDesignForm(WellState& session, Host& host, const DesignFormValues& values) {
  WellRecord& well = session.well;
  DesignFormOutcome out;
  if (well.designDisplacement1 == 0 && host.askYesNo(kVerticalWellQuestion) != Answer::Yes) {
    session.designInvalid = 1;
    out.result = DesignFormResult::Declined;
    return out;
  }
  host.setBusy(true);
  session.designDirty = Unsaved::Design;
  applyDesignParameters(well, values);

  out.rule = checkDesignData(well);
  if (out.rule != 0) {
    host.setStatusText(well.wellNo + designRuleText(out.rule));
    host.setBusy(false);
    session.designInvalid = 1;
    out.result = DesignFormResult::Rejected;
    return out;
  }

  out.outcome = DesignProfile(session);
  host.setBusy(false);
  if (out.outcome != DesignOutcome::Done) {
    // Outcome 7 (a drop needed but a negative drop rate) counts as a failure too: the design it
    // leaves never reaches target 2.
    session.designInvalid = 1;
    host.setStatusText(well.wellNo + designOutcomeText(out.outcome));
    out.result = DesignFormResult::Failed;
    return out;
  }
  session.designInvalid = 0;
  host.setStatusText(well.wellNo + "井基本数据");
  out.result = DesignFormResult::Designed;
  return out;
}

}  // namespace tarsek
