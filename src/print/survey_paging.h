#pragma once

#include <cstdint>
#include <vector>

namespace tarsek {

/// How the survey report fills a page: text lines on the page and station rows per page.
struct SurveyPaging {
  int linesPerPage = 0;  ///< whole text lines on the page less the 13 of the heading
  int rowsPerPage = 0;   ///< station rows per page; 0 or less when the page is too small
};

/// Lines and rows per page for a page of the given scale height, measured in the same units
/// as the height of one text line (the text height of "1").
SurveyPaging SurveyPagingFor(double scaleHeight, double lineHeight) noexcept;

/// The stations of one report page, first to last inclusive; last < first for the heading-only
/// page that follows a station count that is an exact multiple of the rows per page.
struct SurveyPageRows {
  int first = 0;
  int last = -1;
  bool empty() const noexcept { return last < first; }
};

/// The row ranges of every page of a report of stationCount stations, in page order. There is
/// always at least one page, and one more than the full pages when the count is an exact
/// multiple of rowsPerPage. A rowsPerPage below 1 gives no pages at all.
std::vector<SurveyPageRows> SurveyPageRanges(int stationCount, int rowsPerPage);

}  // namespace tarsek
