// libFuzzer target: the delimited-text station reader (files and the clipboard) on arbitrary
// bytes, by the header and with columns chosen as a user would in the preview.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "station_fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const tarsek::ParseResult byHeader = tarsek::ParseStationText(bytes);
  tarsek::fuzzing::checkResult(byHeader);
  tarsek::fuzzing::checkRoundTrip(byHeader);

  // The first byte picks the columns, the unit and the rows to pass over.
  if (size > 0) {
    tarsek::ImportOptions options;
    const unsigned pick = data[0];
    options.columns = {static_cast<int>(pick % 3), static_cast<int>(pick / 3 % 4),
                       static_cast<int>(pick / 12 % 5), (pick & 0x80) != 0,
                       static_cast<int>(pick / 60 % 3)};
    const tarsek::ParseResult chosen = tarsek::ParseStationText(bytes.substr(1), options);
    tarsek::fuzzing::checkResult(chosen);
    tarsek::fuzzing::require(!chosen.ok || !chosen.needsColumns);
    tarsek::fuzzing::checkRoundTrip(chosen);
  }
  return 0;
}
