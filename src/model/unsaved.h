#pragma once

#include <cstdint>

namespace tarsek {

/// What of the open well has changed since its files were last written, one bit per file. The
/// bits are 1 for the survey file and 2 for the design file, so the union of the two flags is
/// the case of the save question (1, 2 or both, 3).
enum class Unsaved : std::uint8_t { Nothing = 0, Stations = 1, Design = 2, Both = 3 };

constexpr Unsaved operator|(Unsaved a, Unsaved b) noexcept {
  return static_cast<Unsaved>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

/// Whether `set` holds every change in `part`.
constexpr bool Includes(Unsaved set, Unsaved part) noexcept {
  return (static_cast<unsigned>(set) & static_cast<unsigned>(part)) == static_cast<unsigned>(part);
}

}  // namespace tarsek
