#pragma once

namespace tarsek {

/// The program's own value of pi: every angle conversion uses it, never the machine constant,
/// so that results agree to the last digit with wells computed before.
inline constexpr double kPi = 3.14159265359;
/// 2 pi as the program writes it.
inline constexpr double kTwoPi = 6.28318530718;
/// 3 pi / 2 as the program writes it.
inline constexpr double kThreeHalfPi = 4.712388980385;

/// Largest count a 16-bit station or point table can hold.
inline constexpr int kMaxCount = 32767;

}  // namespace tarsek
