#include "session/change_notifier.h"

#include <algorithm>
#include <utility>

namespace tarsek {

ChangeNotifier::Subscription::Subscription(Subscription&& other) noexcept
    : notifier_(std::exchange(other.notifier_, nullptr)), id_(std::exchange(other.id_, 0)) {
  if (notifier_ != nullptr) notifier_->repoint(id_, this);
}

ChangeNotifier::Subscription& ChangeNotifier::Subscription::operator=(
    Subscription&& other) noexcept {
  if (this != &other) {
    reset();
    notifier_ = std::exchange(other.notifier_, nullptr);
    id_ = std::exchange(other.id_, 0);
    if (notifier_ != nullptr) notifier_->repoint(id_, this);
  }
  return *this;
}

void ChangeNotifier::Subscription::reset() noexcept {
  if (notifier_ != nullptr) notifier_->remove(id_);
  notifier_ = nullptr;
  id_ = 0;
}

ChangeNotifier::~ChangeNotifier() {
  for (Entry& e : entries_) {
    if (e.handle != nullptr) {
      e.handle->notifier_ = nullptr;
      e.handle->id_ = 0;
    }
  }
}

ChangeNotifier::Subscription ChangeNotifier::subscribe(ChangeSet changes, Listener listener) {
  const std::uint64_t id = nextId_++;
  entries_.push_back(Entry{id, changes, std::move(listener), nullptr});
  Subscription s(this, id);
  entries_.back().handle = &s;
  // The returned object is moved (or elided) into the caller's; either way the move
  // constructor or the caller's storage re-points the handle before it is used.
  return s;
}

void ChangeNotifier::notify(Change change) {
  // Entries are found by id on every step: a listener may add or remove entries, which moves
  // the vector under us. Only those present when the notification began are called.
  std::vector<std::uint64_t> ids;
  ids.reserve(entries_.size());
  for (const Entry& e : entries_) {
    if (e.changes.contains(change)) ids.push_back(e.id);
  }
  for (std::uint64_t id : ids) {
    auto it =
        std::find_if(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
    if (it == entries_.end()) continue;
    Listener listener = it->listener;  // the entry may go while its listener runs
    listener(change);
  }
}

std::size_t ChangeNotifier::size() const noexcept { return entries_.size(); }

void ChangeNotifier::remove(std::uint64_t id) noexcept {
  std::erase_if(entries_, [id](const Entry& e) { return e.id == id; });
}

void ChangeNotifier::repoint(std::uint64_t id, Subscription* handle) noexcept {
  for (Entry& e : entries_) {
    if (e.id == id) e.handle = handle;
  }
}

}  // namespace tarsek
