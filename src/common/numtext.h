#pragma once

#include <string>
#include <string_view>

namespace tarsek {

/// Fixed-decimal text ("0", "0.0", "0.00", "0.000" for decimals 0..3): rounded half away from
/// zero on the value's 15-significant-digit decimal form (2.675 gives "2.68"), at least one digit
/// before the point, never a negative zero ("-0.00" shows as "0.00"). Non-finite values give "--".
std::string formatFixed(double value, int decimals);

/// Shortest decimal form with up to 15 significant digits, no exponent unless needed, and no
/// leading zero for values between -1 and 1 (2.5, .25, -.5): the form of numbers in well files.
std::string formatFileNumber(double value);

/// The plain number form written back into input boxes: the file form with one leading blank
/// for non-negative values (" 2.5", " .25", "-.5").
std::string formatPlain(double value);

/// The general number format of labels and picture texts: shortest form with up to 15
/// significant digits and a leading zero (0.25, -50, 1000).
std::string formatGeneral(double value);

/// Reads the leading numeric part of a text the way input boxes are read: blanks are skipped
/// anywhere, "." is the decimal point, an optional sign and exponent are taken, and reading stops
/// at the first character that cannot continue the number. Text without a number reads 0.
double readNumber(std::string_view text) noexcept;

/// True when the text's leading number is too large for a double (1e999): readNumber reads it
/// as 0, which a window must not take for a typed zero.
bool readsOutOfRange(std::string_view text) noexcept;

/// Reads text that must be one finite number and nothing else: an optional leading "+", "." as
/// the decimal point, no blanks. False, with value unspecified, for anything else.
bool readWholeNumber(std::string_view text, double& value) noexcept;

}  // namespace tarsek
