// libFuzzer target: the WITSML 1.4.1 trajectory reader on arbitrary bytes.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "station_fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const tarsek::ParseResult r = tarsek::ParseWitsmlTrajectory(bytes);
  tarsek::fuzzing::checkResult(r);
  tarsek::fuzzing::checkRoundTrip(r);
  return 0;
}
