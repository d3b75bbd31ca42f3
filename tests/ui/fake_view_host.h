#pragma once

#include <string>
#include <vector>

#include "ui/view_host.h"

namespace tarsek {

/// The main window as far as one view sees it, for window tests and benchmarks: holds the
/// session, records the status bar, the message boxes and the questions asked, and answers every
/// question with `answer`. The views under test hear of changes through s.changes.
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
  void showMessage(const std::string& text) override { messages.push_back(text); }
};

}  // namespace tarsek
