#include "survey/survey_entry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "common/constants.h"
#include "survey/survey_calc.h"

namespace tarsek {
namespace {

// An open well with three stations down to 1000 m, heading about north-north-east.
WellState threeStationWell() {
  WellState s;
  WellRecord& w = s.well;
  w.wellNo = "P1";
  w.targetCount = 1;
  w.target1X = 300;
  w.target1Y = 60;
  w.target1Tvd = 1500;
  w.designFinalTvd = 2000;
  w.designAzimuth = 11;
  w.targetRadius = 30;
  w.magDeclination = -2.5;
  EXPECT_TRUE(storeEntry(s, 0, 0, 0).stored);
  EXPECT_TRUE(storeEntry(s, 500, 5, 2).stored);
  EXPECT_TRUE(storeEntry(s, 1000, 15, 2).stored);
  s.surveyDirty = Unsaved::Nothing;
  return s;
}

std::vector<double> depths(const WellRecord& w) {
  std::vector<double> out;
  for (int i = 0; i < w.stationCount; ++i)
    out.push_back(w.stations[static_cast<std::size_t>(i)].md);
  return out;
}

void expectConsistent(const WellRecord& w) {
  ASSERT_EQ(w.stations.size(), static_cast<std::size_t>(w.stationCount) + 1);
  ASSERT_EQ(w.results.size(), static_cast<std::size_t>(w.stationCount) + 1);
  for (int i = 0; i < w.stationCount; ++i) {
    const auto& st = w.stations[static_cast<std::size_t>(i)];
    EXPECT_EQ(st.index, i);
    if (i > 0) {
      EXPECT_LT(w.stations[static_cast<std::size_t>(i - 1)].md, st.md);
    }
  }
}

TEST(StoreEntry, FirstEntryStartsTheTable) {
  WellState s;
  EXPECT_FALSE(storeEntry(s, 0, 1, 2).stored);  // no well open
  EXPECT_EQ(s.well.stationCount, 0);
  s.well.wellNo = "P1";
  const StoreOutcome out = storeEntry(s, 0, 1.5, 20);
  EXPECT_TRUE(out.stored);
  EXPECT_EQ(out.index, 0);
  EXPECT_EQ(s.well.stationCount, 1);
  EXPECT_EQ(s.surveyDirty, Unsaved::Stations);
  EXPECT_EQ(s.well.stations[0].inclination, 1.5);
  expectConsistent(s.well);
}

TEST(StoreEntry, AppendsReplacesAndInserts) {
  WellState s = threeStationWell();
  StoreOutcome out = storeEntry(s, 1200, 18, 3);
  EXPECT_EQ(out.index, 3);
  EXPECT_EQ(s.well.stationCount, 4);
  EXPECT_EQ(s.surveyDirty, Unsaved::Stations);

  // An existing depth replaces that station and keeps the count.
  const double tvdBefore = s.well.results[3].tvd;
  out = storeEntry(s, 1000, 10, 4);
  EXPECT_EQ(out.index, 2);
  EXPECT_EQ(s.well.stationCount, 4);
  EXPECT_EQ(s.well.stations[2].inclination, 10);
  EXPECT_EQ(s.well.stations[2].azimuth, 4);
  EXPECT_GT(s.well.results[3].tvd, tvdBefore);  // recalculated: less inclined above

  // A depth between two stations is inserted and the stations below are renumbered.
  out = storeEntry(s, 750, 8, 2);
  EXPECT_EQ(out.index, 2);
  EXPECT_EQ(depths(s.well), (std::vector<double>{0, 500, 750, 1000, 1200}));
  expectConsistent(s.well);
  EXPECT_GT(s.well.results[4].tvd, s.well.results[3].tvd);
}

TEST(StoreEntry, RefusesBadNumbersAndAFullTable) {
  WellState s = threeStationWell();
  EXPECT_FALSE(storeEntry(s, NAN, 1, 1).stored);
  EXPECT_FALSE(storeEntry(s, 1100, INFINITY, 1).stored);
  EXPECT_EQ(s.well.stationCount, 3);

  QuietHost host;
  s.host = &host;
  WellRecord& w = s.well;
  w.stationCount = kMaxCount;
  w.stations.resize(kMaxCount + 1);
  w.results.resize(kMaxCount + 1);
  for (int i = 0; i < kMaxCount; ++i)
    w.stations[static_cast<std::size_t>(i)] = {static_cast<std::int16_t>(i), i * 1.0, 0, 0, 0};
  const StoreOutcome out = storeEntry(s, 40000, 1, 1);
  EXPECT_FALSE(out.stored);
  EXPECT_EQ(out.message, kTooManyStations);
  EXPECT_EQ(host.statusText, kTooManyStations);
  EXPECT_EQ(w.stationCount, kMaxCount);
  // Replacing needs no room.
  EXPECT_TRUE(storeEntry(s, 100, 1, 1).stored);
}

TEST(DeleteEntry, RemovesTheStationOfThatDepth) {
  WellState s = threeStationWell();
  EXPECT_EQ(deleteEntry(s, 500), 1);
  EXPECT_EQ(depths(s.well), (std::vector<double>{0, 1000}));
  EXPECT_EQ(s.surveyDirty, Unsaved::Stations);
  expectConsistent(s.well);
}

TEST(DeleteEntry, UnknownDepthIsReported) {
  WellState s = threeStationWell();
  QuietHost host;
  s.host = &host;
  for (double md : {499.0, -1.0, 1500.0}) {
    EXPECT_EQ(deleteEntry(s, md), -1) << md;
    EXPECT_EQ(host.statusText, kNoSuchStation);
  }
  EXPECT_EQ(s.well.stationCount, 3);
  EXPECT_EQ(s.surveyDirty, Unsaved::Nothing);
}

TEST(DeleteEntry, DeletingTheOnlyStationLeavesAnEmptyTable) {
  WellState s;
  s.well.wellNo = "P1";
  storeEntry(s, 0, 0, 0);
  EXPECT_EQ(deleteEntry(s, 0), 0);
  EXPECT_EQ(s.well.stationCount, 0);
  EXPECT_EQ(s.well.stations.size(), 1u);
  EXPECT_EQ(s.well.results.size(), 1u);
  EXPECT_EQ(deleteEntry(s, 0), -1);
}

TEST(Lookup, ByMeasuredDepth) {
  const WellState s = threeStationWell();
  DepthLookup l = lookupByMd(s, 500);
  EXPECT_EQ(l.kind, LookupKind::Station);
  EXPECT_EQ(l.index, 1);
  EXPECT_EQ(l.inclination, 5);
  EXPECT_DOUBLE_EQ(l.tvd, s.well.results[1].tvd);

  l = lookupByMd(s, 750);
  EXPECT_EQ(l.kind, LookupKind::Interpolated);
  EXPECT_NEAR(l.md, 750, 1e-3);
  EXPECT_GT(l.inclination, 5);
  EXPECT_LT(l.inclination, 15);
  EXPECT_NEAR(l.azimuth, 2, 1e-9);  // magnetic, back in 0..360 after the declination
  EXPECT_GT(l.tvd, s.well.results[1].tvd);
  EXPECT_LT(l.tvd, s.well.results[2].tvd);

  EXPECT_EQ(lookupByMd(s, -5).kind, LookupKind::Negative);
  EXPECT_EQ(lookupByMd(s, 1000.5).kind, LookupKind::BelowLast);
  const WellState closed;
  EXPECT_EQ(lookupByMd(closed, 500).kind, LookupKind::Clear);
}

TEST(Lookup, ByVerticalDepthFindsTheMeasuredDepth) {
  const WellState s = threeStationWell();
  const double tvd2 = s.well.results[2].tvd;
  DepthLookup l = lookupByTvd(s, tvd2);
  EXPECT_EQ(l.kind, LookupKind::Station);
  EXPECT_EQ(l.index, 2);

  l = lookupByTvd(s, 800);
  EXPECT_EQ(l.kind, LookupKind::Interpolated);
  EXPECT_GT(l.md, 800);  // inclined hole is longer than its vertical depth
  EXPECT_LT(l.md, 1000);
  EXPECT_NEAR(l.tvd, 800, 1e-3);
  // The interpolated measured depth leads back to the same vertical depth.
  EXPECT_NEAR(lookupByMd(s, l.md).tvd, 800, 1e-3);

  EXPECT_EQ(lookupByTvd(s, tvd2 + 1).kind, LookupKind::BelowLast);
  EXPECT_EQ(lookupByTvd(s, -1).kind, LookupKind::Negative);
  EXPECT_EQ(lookupByTvd(s, 100000).kind, LookupKind::Clear);
}

TEST(Prediction, WalkAcrossNorthWrapsTheAzimuth) {
  WellState s = threeStationWell();
  EXPECT_EQ(predictTrajectory(s, 2, -10), PredictOutcome::ReachedFinalDepth);
  const SurveyStation& first = s.well.stations[3];
  EXPECT_EQ(s.predictStart, 3);
  EXPECT_DOUBLE_EQ(first.md, 1050);
  EXPECT_DOUBLE_EQ(first.azimuth, 357);
  EXPECT_DOUBLE_EQ(first.inclination, 16);
  EXPECT_DOUBLE_EQ(first.gridAzimuth, 357 - 2.5);
  EXPECT_DOUBLE_EQ(s.well.stations[4].azimuth, 352);
  EXPECT_EQ(s.surveyDirty, Unsaved::Nothing);
  expectConsistent(s.well);
}

TEST(Prediction, StopsAtTheDesignFinalDepth) {
  WellState s = threeStationWell();
  ASSERT_EQ(predictTrajectory(s, 1, 0.5), PredictOutcome::ReachedFinalDepth);
  const WellRecord& w = s.well;
  const int n = w.stationCount;
  const SurveyStation& last = w.stations[static_cast<std::size_t>(n - 1)];
  EXPECT_NEAR(w.results[static_cast<std::size_t>(n - 1)].tvd, 2000, 1e-3);
  EXPECT_EQ(std::round(last.md * 100) / 100, last.md);
  EXPECT_LT(w.stations[static_cast<std::size_t>(n - 2)].md, last.md);
  EXPECT_LE(last.md, w.stations[static_cast<std::size_t>(n - 2)].md + 50);
  EXPECT_LT(w.results[static_cast<std::size_t>(n - 2)].tvd, 2000);
  // The stations before the cut hold the full-pass trajectory.
  std::vector<SurveyStation> copy = w.stations;
  const auto full = ComputeTrajectory(copy, w.basic(), n - 1, s.calcMethod);
  EXPECT_NEAR(full[static_cast<std::size_t>(n - 2)].tvd,
              w.results[static_cast<std::size_t>(n - 2)].tvd, 1e-9);
  EXPECT_NEAR(full[static_cast<std::size_t>(n - 2)].east,
              w.results[static_cast<std::size_t>(n - 2)].east, 1e-9);
}

TEST(Prediction, TooSteepKeepsWhatWasPredicted) {
  WellState s = threeStationWell();
  QuietHost host;
  s.host = &host;
  EXPECT_EQ(predictTrajectory(s, 60, 0), PredictOutcome::TooSteep);
  EXPECT_EQ(host.statusText, kBuildRateTooHigh);
  // 15 + 30 + 30 + 30 = 105: three predicted stations, the last one at or beyond 90.
  EXPECT_EQ(s.well.stationCount, 6);
  EXPECT_GE(s.well.stations[5].inclination, 90);
}

TEST(Prediction, DroppingBelowVerticalHoldsAtZero) {
  WellState s = threeStationWell();
  predictTrajectory(s, -40, 6);
  const SurveyStation& second = s.well.stations[4];  // 15 - 20 - 20 < 0
  EXPECT_EQ(second.inclination, 0);
  EXPECT_EQ(second.azimuth, 0);
}

TEST(Prediction, NothingBelowTheLastTargetOrPastTheFinalDepth) {
  WellState s = threeStationWell();
  s.well.target1Tvd = 900;
  EXPECT_EQ(predictTrajectory(s, 2, 0), PredictOutcome::Nothing);
  EXPECT_EQ(s.well.stationCount, 3);
  EXPECT_EQ(s.predictStart, 0);

  // Above the target but already past a (mistyped) final depth: the entered stations stay.
  s.well.target1Tvd = 1500;
  s.well.designFinalTvd = 800;
  const SurveyStation before = s.well.stations[2];
  EXPECT_EQ(predictTrajectory(s, 2, 0), PredictOutcome::Nothing);
  EXPECT_EQ(s.well.stationCount, 3);
  EXPECT_EQ(s.well.stations[2].md, before.md);
  EXPECT_EQ(s.predictStart, 0);
}

TEST(Prediction, TwoTargetWellPredictsTowardsTheSecondTarget) {
  WellState s = threeStationWell();
  s.well.targetCount = 2;
  s.well.target1Tvd = 900;  // already passed
  s.well.target2Tvd = 1800;
  s.well.target2X = 400;
  s.well.target2Y = 80;
  EXPECT_EQ(predictTrajectory(s, 1, 0), PredictOutcome::ReachedFinalDepth);
  EXPECT_GT(s.well.stationCount, 3);
}

TEST(Prediction, DiscardRemovesThePredictedBlockOnce) {
  WellState s = threeStationWell();
  const double tvd = s.well.results[2].tvd;
  predictTrajectory(s, 2, 1);
  ASSERT_GT(s.well.stationCount, 3);
  EXPECT_TRUE(discardPrediction(s));
  EXPECT_EQ(s.well.stationCount, 3);
  EXPECT_EQ(s.predictStart, 0);
  EXPECT_DOUBLE_EQ(s.well.results[2].tvd, tvd);
  expectConsistent(s.well);
  EXPECT_FALSE(discardPrediction(s));
  EXPECT_EQ(s.well.stationCount, 3);

  // A new prediction replaces the previous one rather than stacking on it.
  predictTrajectory(s, 2, 1);
  const int count = s.well.stationCount;
  predictTrajectory(s, 2, 1);
  EXPECT_EQ(s.well.stationCount, count);
}

TEST(Prediction, DiscardKeepsStationsTypedSince) {
  WellState s = threeStationWell();
  predictTrajectory(s, 2, 1);
  const int predicted = s.well.stationCount - 3;
  ASSERT_GT(predicted, 3);
  const double lastMd = s.well.stations[static_cast<std::size_t>(s.well.stationCount - 1)].md;
  const double replacedMd = s.well.stations[4].md;
  ASSERT_TRUE(storeEntry(s, lastMd + 30, 20, 5).stored);      // below the prediction
  ASSERT_TRUE(storeEntry(s, replacedMd - 10, 18, 4).stored);  // between predicted stations
  ASSERT_TRUE(storeEntry(s, replacedMd, 19, 4).stored);       // a predicted one replaced
  EXPECT_TRUE(discardPrediction(s));
  expectConsistent(s.well);
  EXPECT_EQ(depths(s.well),
            (std::vector<double>{0, 500, 1000, replacedMd - 10, replacedMd, lastMd + 30}));
  EXPECT_EQ(s.well.stations[4].inclination, 19);
  EXPECT_FALSE(discardPrediction(s));
}

}  // namespace
}  // namespace tarsek
