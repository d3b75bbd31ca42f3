#include "model/survey_method.h"

#include <ostream>

namespace tarsek {

std::ostream& operator<<(std::ostream& out, SurveyMethod method) {
  return out << MethodCode(method);
}

}  // namespace tarsek
