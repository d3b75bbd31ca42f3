#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

namespace tarsek {

/// What changed in the session, for the windows that show it.
enum class Change : std::uint8_t {
  WellOpened,   ///< another well became the open well (loaded or newly numbered)
  Stations,     ///< survey stations were added, changed or removed; the survey is recomputed
  Design,       ///< the design was confirmed or changed; both trajectories are recomputed
  BasicData,    ///< the well's basic data (target, declination, ...) changed
  Method,       ///< the survey calculation method changed; both trajectories are recomputed
  Neighbours,   ///< an anti-collision neighbour was added or the list was cleared
  Uncertainty,  ///< the position uncertainty was worked out again or is shown or hidden
};

/// A set of Change values.
class ChangeSet {
 public:
  constexpr ChangeSet() = default;
  constexpr ChangeSet(std::initializer_list<Change> changes) {
    for (Change c : changes) bits_ |= bit(c);
  }
  constexpr bool contains(Change c) const noexcept { return (bits_ & bit(c)) != 0; }
  constexpr bool empty() const noexcept { return bits_ == 0; }

 private:
  static constexpr std::uint32_t bit(Change c) noexcept { return 1u << static_cast<unsigned>(c); }
  std::uint32_t bits_ = 0;
};

/// Tells subscribers what changed, in the order they subscribed. A subscriber may subscribe,
/// unsubscribe or notify again from inside its call: one subscribing then is first called by the
/// next notification, one unsubscribed then is not called any more.
class ChangeNotifier {
 public:
  using Listener = std::function<void(Change)>;

  /// Ends its subscription when destroyed or reset; movable, not copyable.
  class Subscription {
   public:
    Subscription() = default;
    Subscription(Subscription&& other) noexcept;
    Subscription& operator=(Subscription&& other) noexcept;
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { reset(); }
    /// Ends the subscription now.
    void reset() noexcept;

   private:
    friend class ChangeNotifier;
    Subscription(ChangeNotifier* notifier, std::uint64_t id) : notifier_(notifier), id_(id) {}
    ChangeNotifier* notifier_ = nullptr;
    std::uint64_t id_ = 0;
  };

  ChangeNotifier() = default;
  // Subscribers listen to one session: a copied session (tests make them, the program keeps
  // one) starts with nobody listening, and assigning one session to another keeps each one's.
  ChangeNotifier(const ChangeNotifier&) noexcept {}
  ChangeNotifier& operator=(const ChangeNotifier&) noexcept { return *this; }
  ~ChangeNotifier();

  /// Calls listener for every later change in changes until the subscription ends. A notifier
  /// destroyed first detaches every subscription still held.
  [[nodiscard]] Subscription subscribe(ChangeSet changes, Listener listener);
  /// Calls every current subscriber to change, in subscription order.
  void notify(Change change);
  /// Number of live subscriptions.
  std::size_t size() const noexcept;

 private:
  struct Entry {
    std::uint64_t id;
    ChangeSet changes;
    Listener listener;
    Subscription* handle;  // the subscription that ends this entry; re-pointed when moved
  };
  void remove(std::uint64_t id) noexcept;
  void repoint(std::uint64_t id, Subscription* handle) noexcept;

  std::vector<Entry> entries_;
  std::uint64_t nextId_ = 1;
};

}  // namespace tarsek
