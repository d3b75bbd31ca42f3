#pragma once

#include "session/session.h"

namespace tarsek {

// The recompute runs: what the session works out again after a change, and what it then tells
// the windows through session.changes. Each window redraws itself on the changes it shows; the
// order in which they hear of one is the order in which they subscribed. A run that works the
// position uncertainty out again tells Change::Uncertainty first, then what changed.

/// Survey stations were replaced from outside the survey routines (an import): RecalculateAll,
/// the uncertainty, then Change::Stations.
void StationsChanged(Session& session);

/// The survey routines changed the stations and recalculated them already (a station stored or
/// deleted, a prediction made or dropped): the uncertainty, then Change::Stations.
void StationsRecalculated(Session& session);

/// The well's basic data changed (target 1 set by bearing or put back): RecalculateAll, the
/// uncertainty, then Change::BasicData.
void BasicDataChanged(Session& session);

/// The design was confirmed: RecalculateAll, RecalculateDesignTrajectory, the uncertainty, then
/// Change::Design.
void DesignChanged(Session& session);

/// The survey calculation method is switched to method (SetCalcMethod), the uncertainty worked
/// out again, then Change::Method.
void ChangeCalcMethod(Session& session, SurveyMethod method);

/// Another well became the open well (loaded or newly numbered): the uncertainty, then
/// Change::WellOpened, on which the windows show the new well and let go of what they held for
/// the one left behind (typed design values, the entry row, the neighbour list). Then
/// ResetWellViews, and the uncertainty once more, now without the old neighbours, told as
/// Change::Uncertainty: the last thing a well opened tells.
void WellOpened(Session& session);

/// A neighbour well joined session.neighbourWells: its separation factors join the uncertainty
/// figures (told as Change::Uncertainty), then Change::Neighbours.
void NeighbourAdded(Session& session);

/// The user shows or hides the error ellipses and the section band: Change::Uncertainty.
void ShowUncertainty(Session& session, bool shown);

/// The open well's measurement error parameters were edited: the uncertainty, then every
/// display redraws as after a confirmed design (Change::Design), each figure having its share.
void SiteParametersChanged(Session& session);

}  // namespace tarsek
