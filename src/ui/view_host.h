#pragma once

#include <string>

#include "common/host.h"
#include "session/session.h"

namespace tarsek {

class SurveyView;
class DesignView;
class TrajectoryView;
class AntiCollisionView;
class ToolsView;

/// What a view needs from the main window: the session, the status bar and questions (Host),
/// the program-wide refresh sequences, and its sibling views.
class ViewHost : public Host {
 public:
  /// The program-wide state.
  virtual Session& session() = 0;
  /// The recompute-and-refresh sequence: RecalculateAll, RecalculateDesignTrajectory, then the
  /// design, survey, trajectory and anti-collision displays.
  virtual void recomputeAndRefresh() = 0;
  /// After survey stations changed: RecalculateAll, the survey display, the trajectory plot and
  /// the anti-collision scan.
  virtual void stationsChanged() = 0;
  /// After another well was made the open well (loaded or newly numbered): ResetWellViews, the
  /// refresh of every view, the status text and the window caption.
  virtual void wellOpened() = 0;
  /// A message box with the program's title and one OK button.
  virtual void showMessage(const std::string& text) = 0;

  virtual SurveyView* surveyView() = 0;
  virtual DesignView* designView() = 0;
  virtual TrajectoryView* trajectoryView() = 0;
  virtual AntiCollisionView* antiCollisionView() = 0;
  virtual ToolsView* toolsView() = 0;
};

}  // namespace tarsek
