#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

class QWidget;

namespace tarsek {

/// One documented control of a window: its objectName, and where the manual explains it. The
/// page is the window's own page unless the control has one of its own (a calculator frame).
struct HelpField {
  std::string objectName;
  std::string anchor;
  std::string page = {};  ///< empty: the window's page
};

/// One window of the program and its page of the manual, with the controls that have their own
/// place on that page. A control not listed opens its window's page.
struct HelpWindowTopic {
  std::string objectName;
  std::string page;
  std::vector<HelpField> fields;
};

/// Every documented window, the main window first.
const std::vector<HelpWindowTopic>& helpWindowTopics();

/// Page names of the drilling calculators, one per frame of the tools view.
const std::vector<HelpField>& helpCalculatorTopics();

/// A place in the manual: a page of the help file ("survey.html") and an anchor in it or "".
struct HelpLocation {
  QString page;
  QString anchor;
  bool operator==(const HelpLocation&) const = default;
};

/// The page for a chain of objectNames from the focused control up to its top-level window:
/// the innermost documented window of the chain, at the innermost documented control of that
/// window that lies inside it; the contents page when no window of the chain is documented.
HelpLocation helpLocationForChain(const QStringList& objectNamesInnerFirst);

/// helpLocationForChain for a widget and its parents.
HelpLocation helpLocationFor(const QWidget* focused);

/// The page every other page starts from.
inline constexpr const char* kHelpContentsPage = "index.html";

}  // namespace tarsek
