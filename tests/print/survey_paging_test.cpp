#include "print/survey_paging.h"

#include <gtest/gtest.h>

#include <limits>

namespace tarsek {
namespace {

TEST(SurveyPagingFor, LinesLessHeadingThenFiveSixthsTruncated) {
  // 16838 twips of A4 height over a 240-twip line: 70 lines, 57 after the heading, 47 rows.
  const SurveyPaging a4 = SurveyPagingFor(16838, 240);
  EXPECT_EQ(a4.linesPerPage, 57);
  EXPECT_EQ(a4.rowsPerPage, 47);
  // Both operands are rounded before dividing: 99.5 -> 100 (even), 10.5 -> 10 (even).
  const SurveyPaging rounded = SurveyPagingFor(99.5, 10.5);
  EXPECT_EQ(rounded.linesPerPage, 10 - 13);
  EXPECT_EQ(rounded.rowsPerPage, (-3 * 5) / 6);  // toward zero: -2
}

TEST(SurveyPagingFor, UnusableMeasuresGiveNoRows) {
  EXPECT_EQ(SurveyPagingFor(1000, 0).rowsPerPage, 0);
  EXPECT_EQ(SurveyPagingFor(1000, 0.4).rowsPerPage, 0);  // rounds to a zero divisor
  EXPECT_EQ(SurveyPagingFor(std::numeric_limits<double>::quiet_NaN(), 240).rowsPerPage, 0);
  EXPECT_EQ(SurveyPagingFor(1000, std::numeric_limits<double>::infinity()).rowsPerPage, 0);
  EXPECT_LE(SurveyPagingFor(14 * 240, 240).rowsPerPage, 0);  // heading leaves one line
}

TEST(SurveyPageRanges, SplitsRowsAndEndsWithAPartialPage) {
  const auto pages = SurveyPageRanges(10, 4);
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[0].first, 0);
  EXPECT_EQ(pages[0].last, 3);
  EXPECT_EQ(pages[1].first, 4);
  EXPECT_EQ(pages[1].last, 7);
  EXPECT_EQ(pages[2].first, 8);
  EXPECT_EQ(pages[2].last, 9);
  EXPECT_FALSE(pages[2].empty());
}

TEST(SurveyPageRanges, ExactMultipleAddsAHeadingOnlyPage) {
  const auto pages = SurveyPageRanges(8, 4);
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_TRUE(pages[2].empty());
  EXPECT_EQ(pages[2].first, 8);
  EXPECT_EQ(pages[2].last, 7);
  // No stations at all still prints one heading.
  const auto none = SurveyPageRanges(0, 47);
  ASSERT_EQ(none.size(), 1u);
  EXPECT_TRUE(none[0].empty());
}

TEST(SurveyPageRanges, TwoThousandStationsCoverEveryRowOnce) {
  const int rows = SurveyPagingFor(16838, 240).rowsPerPage;
  const auto pages = SurveyPageRanges(2000, rows);
  ASSERT_EQ(pages.size(), static_cast<std::size_t>(2000 / rows + 1));
  int next = 0;
  for (const auto& p : pages) {
    EXPECT_EQ(p.first, next);
    EXPECT_LE(p.last - p.first + 1, rows);
    next = p.last + 1;
  }
  EXPECT_EQ(next, 2000);
}

TEST(SurveyPageRanges, FullTableDoesNotOverflowOnTheLastPage) {
  const auto pages = SurveyPageRanges(32767, 40);
  ASSERT_EQ(pages.size(), 820u);
  EXPECT_EQ(pages.back().first, 32760);
  EXPECT_EQ(pages.back().last, 32766);
}

TEST(SurveyPageRanges, TooSmallPageGivesNoPages) {
  EXPECT_TRUE(SurveyPageRanges(10, 0).empty());
  EXPECT_TRUE(SurveyPageRanges(10, -2).empty());
}

}  // namespace
}  // namespace tarsek
