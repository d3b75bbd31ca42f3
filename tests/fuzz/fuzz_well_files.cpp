// libFuzzer target: both well-file readers on arbitrary bytes. Besides not crashing, whatever
// a reader accepts must write back to a file that reads again to the same text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/well_file_format.h"

namespace {

void checkDesign(std::string_view bytes, bool neighbourOnly) {
  tarsek::WellRecord well;
  std::string error;
  if (!tarsek::ParseDesignFile(bytes, "fuzz.kvd", neighbourOnly, well, error)) {
    if (error.empty()) std::abort();
    return;
  }
  std::string once;
  if (!tarsek::FormatDesignFile(well, once, error)) std::abort();
  tarsek::WellRecord again;
  if (!tarsek::ParseDesignFile(once, "fuzz.kvd", false, again, error)) std::abort();
  std::string twice;
  if (!tarsek::FormatDesignFile(again, twice, error) || twice != once) std::abort();
}

void checkSurvey(std::string_view bytes) {
  tarsek::WellRecord well;
  std::string error;
  if (!tarsek::ParseSurveyFile(bytes, "fuzz.sur", well, error)) {
    if (error.empty()) std::abort();
    return;
  }
  if (well.stations.size() != static_cast<std::size_t>(well.stationCount) + 1 ||
      well.results.size() != well.stations.size()) {
    std::abort();
  }
  std::string once;
  if (!tarsek::FormatSurveyFile(well, once, error)) std::abort();
  tarsek::WellRecord again;
  if (!tarsek::ParseSurveyFile(once, "fuzz.sur", again, error)) std::abort();
  std::string twice;
  if (!tarsek::FormatSurveyFile(again, twice, error) || twice != once) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  checkDesign(bytes, false);
  checkDesign(bytes, true);
  checkSurvey(bytes);
  std::string_view name = bytes.substr(0, 80);
  (void)tarsek::IsSafeWellNo(name);
  return 0;
}
