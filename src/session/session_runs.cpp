#include "session/session_runs.h"

#include "session/session_ops.h"
#include "survey/survey_calc.h"
#include "uncertainty/session_uncertainty.h"

namespace tarsek {

namespace {

// The hourglass for the span of a run, taken down however the run ends.
class Busy {
 public:
  explicit Busy(Session& session) : host_(session.ui()) { host_.setBusy(true); }
  ~Busy() { host_.setBusy(false); }
  Busy(const Busy&) = delete;
  Busy& operator=(const Busy&) = delete;

 private:
  Host& host_;
};

void workOutUncertainty(Session& session) {
  unc::UpdateUncertainty(session);
  session.changes.notify(Change::Uncertainty);
}

// The survey recomputed from the stations up, the uncertainty after it, then what changed.
void recalculateAndTell(Session& session, Change change) {
  Busy busy(session);
  RecalculateAll(session);
  workOutUncertainty(session);
  session.changes.notify(change);
}

}  // namespace

void StationsChanged(Session& session) { recalculateAndTell(session, Change::Stations); }

void StationsRecalculated(Session& session) {
  // The ellipses, hit chances and separation factors belong to the stations now shown.
  workOutUncertainty(session);
  session.changes.notify(Change::Stations);
}

void BasicDataChanged(Session& session) { recalculateAndTell(session, Change::BasicData); }

void DesignChanged(Session& session) {
  Busy busy(session);
  RecalculateAll(session);
  RecalculateDesignTrajectory(session);
  workOutUncertainty(session);
  session.changes.notify(Change::Design);
}

void ChangeCalcMethod(Session& session, SurveyMethod method) {
  Busy busy(session);
  SetCalcMethod(session, method);
  workOutUncertainty(session);
  session.changes.notify(Change::Method);
}

void WellOpened(Session& session) {
  Busy busy(session);
  workOutUncertainty(session);
  session.changes.notify(Change::WellOpened);
  ResetWellViews(session);
  // The neighbours of the well left behind went with the windows' reset.
  workOutUncertainty(session);
}

void NeighbourAdded(Session& session) {
  // The uncertainty panel lists the new neighbour's separation factor too.
  workOutUncertainty(session);
  session.changes.notify(Change::Neighbours);
}

void ShowUncertainty(Session& session, bool shown) {
  session.showUncertainty = shown;
  session.changes.notify(Change::Uncertainty);
}

void SiteParametersChanged(Session& session) {
  workOutUncertainty(session);
  session.changes.notify(Change::Design);
}

}  // namespace tarsek
