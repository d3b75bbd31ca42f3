#pragma once

#include <cstdint>
#include <iosfwd>

#include "model/well_state.h"

namespace tarsek {

/// Outcome codes of DesignProfile. 0 is a finished design; every other code is a failure and
/// leaves the partial design built so far in the record, except a design that overflowed to
/// non-finite values, which is cleared and reported as DesignOutcome::DataUnusable.
enum class DesignOutcome : std::int16_t {
  Done = 0,                ///< design built (also a vertical well)
  KickoffTooHigh = 1,      ///< the motor build already points at or past target 1
  RotaryBuildTooLow = 2,   ///< the rotary build passed below target 1's depth
  RotaryBuildTooHigh = 3,  ///< the rotary build overshot target 1's displacement
  DropMustBuild = 4,       ///< target 2 needs a build but the drop rate is positive
  DropTooLow = 5,          ///< the drop overshot target 2's displacement
  BuildTooLow = 6,         ///< the build toward target 2 stays short of its displacement
  DropMustDrop = 7,        ///< target 2 needs a drop but the drop rate is negative
  PointLimit = 8,          ///< the design needs more points than it may hold
  BuildPassesTarget2 = 9,  ///< the build toward target 2 already passes target 2
  DataUnusable = 10,       ///< the data cannot be designed (zero build rate and the like)
};

/// Number of design outcomes; their codes run from 0 to kDesignOutcomeCount - 1.
inline constexpr int kDesignOutcomeCount = 11;

/// The outcome's code, as tarsek-calc reports it.
constexpr int OutcomeCode(DesignOutcome outcome) noexcept { return static_cast<int>(outcome); }

/// Writes the outcome's code, as messages of checks and logs show it.
std::ostream& operator<<(std::ostream& out, DesignOutcome outcome);

/// How DesignProfile brings the design results up to date after each point it adds.
enum class DesignRecompute {
  Incremental,  ///< one course per added point; results identical to the full pass
  Full,         ///< the whole design trajectory from point 0 after every point
};

/// Knobs of DesignProfile that only tests and benchmarks turn.
struct DesignOptions {
  DesignRecompute recompute = DesignRecompute::Incremental;
  /// Largest designPointCount the design may reach before it gives up with
  /// DesignOutcome::PointLimit.
  int pointLimit = 32767;
};

/// Builds the planned profile of the open well from its basic data: designPoints (one every 30 m
/// of measured depth plus the end of every section), designPointCount, designResults and the
/// segment table session.designSegments. Returns the outcome. Shows
/// progress through session.ui(): status panel text and the busy pointer, which is released on
/// every return except that of a vertical design, which touches neither. Two targets in line
/// (the hold already points at target 2) are held straight through target 2 to the final depth.
DesignOutcome DesignProfile(WellState& session);

/// DesignProfile with explicit options (recomputation path, point limit).
DesignOutcome DesignProfile(WellState& session, const DesignOptions& options);

/// The text of an outcome as the profile calculation words it, UTF-8, to follow the well
/// number; empty for outcome 0, for outcome 7 (which has no wording of its own here) and for
/// unknown codes. The design window words outcome 7 itself.
const char* ProfileOutcomeText(DesignOutcome outcome) noexcept;

/// Inclination in degrees of the straight line from a point to a target lying `horizontal` m
/// away and `vertical` m deeper, with the program's pi. Level with the target (vertical = 0) the
/// line is horizontal, 90 degrees; at the target itself (both 0) it is 0. A target above the
/// point (vertical < 0) gives a negative inclination.
double InclinationToTarget(double horizontal, double vertical) noexcept;

}  // namespace tarsek
