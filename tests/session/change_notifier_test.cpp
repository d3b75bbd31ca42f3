#include "session/change_notifier.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace tarsek {
namespace {

TEST(ChangeNotifier, CallsSubscribersOfTheChangeInTheOrderTheySubscribed) {
  ChangeNotifier n;
  std::string calls;
  auto a = n.subscribe({Change::Stations, Change::Design}, [&](Change) { calls += 'a'; });
  auto b = n.subscribe({Change::Design}, [&](Change) { calls += 'b'; });
  auto c = n.subscribe({Change::Stations},
                       [&](Change c) { calls += c == Change::Stations ? 'c' : '?'; });
  n.notify(Change::Stations);
  calls += '|';
  n.notify(Change::Design);
  calls += '|';
  n.notify(Change::Neighbours);
  EXPECT_EQ(calls, "ac|ab|");
}

TEST(ChangeNotifier, SubscriptionsEndWhenResetMovedFromOrDestroyed) {
  ChangeNotifier n;
  int count = 0;
  {
    auto s = n.subscribe({Change::Method}, [&](Change) { ++count; });
    ChangeNotifier::Subscription moved = std::move(s);
    s.reset();  // the moved-from one no longer owns anything
    n.notify(Change::Method);
    EXPECT_EQ(count, 1);
  }
  n.notify(Change::Method);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(n.size(), 0u);

  // A notifier that goes first leaves its subscriptions harmless.
  auto owner = std::make_unique<ChangeNotifier>();
  auto late = owner->subscribe({Change::Method}, [&](Change) { ++count; });
  owner.reset();
  late.reset();
  EXPECT_EQ(count, 1);
}

TEST(ChangeNotifier, ListenersMaySubscribeUnsubscribeAndNotifyWhileCalled) {
  ChangeNotifier n;
  std::vector<std::string> calls;
  ChangeNotifier::Subscription second;
  ChangeNotifier::Subscription added;
  auto first = n.subscribe({Change::WellOpened, Change::Stations}, [&](Change c) {
    calls.push_back(c == Change::WellOpened ? "first:opened" : "first:stations");
    if (c != Change::WellOpened) return;
    second.reset();  // not called in this round any more
    added = n.subscribe({Change::WellOpened}, [&](Change) { calls.push_back("added"); });
    n.notify(Change::Stations);  // a nested notification runs at once
  });
  second = n.subscribe({Change::WellOpened}, [&](Change) { calls.push_back("second"); });
  n.notify(Change::WellOpened);
  EXPECT_EQ(calls, (std::vector<std::string>{"first:opened", "first:stations"}));
  calls.clear();
  first.reset();
  n.notify(Change::WellOpened);
  EXPECT_EQ(calls, (std::vector<std::string>{"added"}));
}

TEST(ChangeNotifier, ACopiedNotifierStartsWithoutSubscribers) {
  ChangeNotifier n;
  int count = 0;
  auto s = n.subscribe({Change::Design}, [&](Change) { ++count; });
  ChangeNotifier copy(n);
  copy.notify(Change::Design);
  n = copy;
  n.notify(Change::Design);
  EXPECT_EQ(count, 1);
}

}  // namespace
}  // namespace tarsek
