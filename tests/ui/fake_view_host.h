#pragma once

#include <string>
#include <vector>

#include "ui/view_host.h"

namespace tarsek {

/// The main window as far as one view sees it, for window tests and benchmarks: holds the
/// session, records the status bar, the message boxes and the questions asked, answers every
/// question with `answer` and counts the refresh sequences without running them. A test that
/// needs a refresh to do real work derives and overrides it.
class FakeViewHost : public ViewHost {
 public:
  Session s;
  std::string status;
  /// Busy on minus busy off: a view that leaves the busy cursor on shows as non-zero.
  int busyDepth = 0;
  std::vector<std::string> messages;
  std::vector<std::string> questions;
  /// What askYesNoCancel answers; askYesNo, which has no Cancel, answers No in its place.
  Answer answer = Answer::No;
  int refreshes = 0;
  int stationChanges = 0;
  int wellOpenings = 0;
  /// The sibling views handed out to the view under test; null unless a test sets them.
  SurveyView* survey = nullptr;
  DesignView* design = nullptr;
  TrajectoryView* trajectory = nullptr;
  AntiCollisionView* antiCollision = nullptr;
  ToolsView* tools = nullptr;

  void setStatusText(const std::string& text) override { status = text; }
  void setBusy(bool busy) override { busyDepth += busy ? 1 : -1; }
  Answer askYesNoCancel(const std::string& text) override {
    questions.push_back(text);
    return answer;
  }
  Answer askYesNo(const std::string& text) override {
    questions.push_back(text);
    return answer == Answer::Cancel ? Answer::No : answer;
  }
  Session& session() override { return s; }
  void recomputeAndRefresh() override { ++refreshes; }
  void stationsChanged() override { ++stationChanges; }
  void wellOpened() override { ++wellOpenings; }
  void showMessage(const std::string& text) override { messages.push_back(text); }
  SurveyView* surveyView() override { return survey; }
  DesignView* designView() override { return design; }
  TrajectoryView* trajectoryView() override { return trajectory; }
  AntiCollisionView* antiCollisionView() override { return antiCollision; }
  ToolsView* toolsView() override { return tools; }
};

}  // namespace tarsek
