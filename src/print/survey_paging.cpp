#include "print/survey_paging.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarsek {

namespace {

// Integer division rounds both operands to whole numbers first (halves to even), the way the
// page arithmetic has always done it; a zero or non-finite divisor yields nothing usable.
bool wholeQuotient(double a, double b, long long& out) noexcept {
  if (!std::isfinite(a) || !std::isfinite(b)) return false;
  if (std::fabs(a) > 1e15 || std::fabs(b) > 1e15) return false;
  const auto ra = static_cast<long long>(std::nearbyint(a));
  const auto rb = static_cast<long long>(std::nearbyint(b));
  if (rb == 0) return false;
  out = ra / rb;
  return true;
}

}  // namespace

SurveyPaging SurveyPagingFor(double scaleHeight, double lineHeight) noexcept {
  SurveyPaging paging;
  long long lines = 0;
  if (!wholeQuotient(scaleHeight, lineHeight, lines)) return paging;
  lines -= 13;
  const long long rows = (lines * 5) / 6;
  constexpr long long kLimit = std::numeric_limits<std::int16_t>::max();
  paging.linesPerPage = static_cast<int>(std::clamp(lines, -kLimit, kLimit));
  paging.rowsPerPage = static_cast<int>(std::clamp(rows, -kLimit, kLimit));
  return paging;
}

std::vector<SurveyPageRows> SurveyPageRanges(int stationCount, int rowsPerPage) {
  std::vector<SurveyPageRows> pages;
  if (rowsPerPage < 1) return pages;
  const int count = std::max(stationCount, 0);
  const int lastPage = count / rowsPerPage;
  pages.reserve(static_cast<std::size_t>(lastPage) + 1);
  // Wide arithmetic: the last page of a full table would overflow a 16-bit row number.
  for (long long i = 0; i <= lastPage; ++i) {
    const long long first = i * rowsPerPage;
    const long long last = std::min<long long>((i + 1) * rowsPerPage, count) - 1;
    pages.push_back({static_cast<int>(first), static_cast<int>(last)});
  }
  return pages;
}

}  // namespace tarsek
