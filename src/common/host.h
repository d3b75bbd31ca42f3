#pragma once

#include <string>

namespace tarsek {

/// Answer to a question box.
enum class Answer { Yes, No, Cancel };

/// What the core needs from the window it runs under: the first status-bar panel, the busy
/// (hourglass) pointer and question boxes. The windowed program implements it on its main
/// window; tests and the command-line companion implement it directly.
class Host {
 public:
  virtual ~Host() = default;
  /// Replaces the text of status panel 1.
  virtual void setStatusText(const std::string& text) = 0;
  /// Shows (true) or removes (false) the hourglass pointer.
  virtual void setBusy(bool busy) = 0;
  /// Asks a question with Yes, No and Cancel buttons under the application's title.
  virtual Answer askYesNoCancel(const std::string& text) = 0;
  /// Asks a question with Yes and No buttons; never answers Cancel.
  virtual Answer askYesNo(const std::string& text) = 0;
};

/// A host that shows nothing and answers every question with a fixed answer; it remembers the
/// last status text and the busy state so that callers can inspect them.
class QuietHost : public Host {
 public:
  explicit QuietHost(Answer answer = Answer::No) : answer_(answer) {}
  void setStatusText(const std::string& text) override { statusText = text; }
  void setBusy(bool busy) override { this->busy = busy; }
  Answer askYesNoCancel(const std::string& text) override {
    lastQuestion = text;
    return answer_;
  }
  Answer askYesNo(const std::string& text) override {
    lastQuestion = text;
    return answer_ == Answer::Cancel ? Answer::No : answer_;
  }

  std::string statusText;
  std::string lastQuestion;
  bool busy = false;

 private:
  Answer answer_;
};

}  // namespace tarsek
