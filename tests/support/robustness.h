#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "model/well_record.h"
#include "print/recording_surface.h"

namespace tarsek::testing {

/// True when a text shows a number the way a program must never show one: "nan" or "inf" in
/// any case, as printf-style formatting writes them.
inline bool showsNonFinite(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos;
}

/// The first of the fifteen values of a result that is not finite, or -1.
inline int firstNonFinite(const StationResult& r) {
  const auto v = fieldsOf(r);
  for (int i = 0; i < 15; ++i)
    if (!std::isfinite(v[i])) return i;
  return -1;
}

/// Every result of the first count entries is finite.
inline ::testing::AssertionResult resultsFinite(const std::vector<StationResult>& results,
                                                int count) {
  const int n = std::min<int>(count, static_cast<int>(results.size()));
  for (int i = 0; i < n; ++i) {
    const int bad = firstNonFinite(results[static_cast<std::size_t>(i)]);
    if (bad >= 0) {
      return ::testing::AssertionFailure()
             << "result " << i << " has a non-finite value in field " << bad;
    }
  }
  return ::testing::AssertionSuccess();
}

/// No recorded call was made at a non-finite user coordinate and no text shows a non-finite
/// number. The call arguments are the user-level values; a finite value far off the picture may
/// still overflow on the way to the device, which the painter passes over.
inline ::testing::AssertionResult drawingFinite(const RecordingSurface& s) {
  std::size_t i = 0;
  for (const RecordingSurface::Call& c : s.calls()) {
    if (showsNonFinite(c.text) || showsNonFinite(c.args)) {
      return ::testing::AssertionFailure()
             << "call " << i << " (" << c.op << " " << c.args << ") shows a non-finite number";
    }
    ++i;
  }
  return ::testing::AssertionSuccess();
}

}  // namespace tarsek::testing
