#pragma once

#include <string>

#include "common/host.h"
#include "session/session.h"

namespace tarsek {

/// What a view needs from the main window: the session, the status bar and questions (Host),
/// and message boxes. Views hear of changes through session().changes, never from each other.
class ViewHost : public Host {
 public:
  /// The program-wide state.
  virtual Session& session() = 0;
  /// A message box with the program's title and one OK button.
  virtual void showMessage(const std::string& text) = 0;
};

}  // namespace tarsek
