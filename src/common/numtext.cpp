#include "common/numtext.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace tarsek {
namespace {

// Digits of |value| rounded to 15 significant digits: "d.dddddddddddddd" and a decimal
// exponent. Working on this form makes 2.675 (stored as 2.67499999...) round as it reads.
struct Decimal {
  std::string digits;  // 15 digits, no point
  int exponent = 0;    // value = 0.d1d2... * 10^(exponent + 1)
};

Decimal toDecimal15(double value) {
  // to_chars is locale-independent: a Qt program may run under a comma-decimal locale.
  char buf[64];
  auto r =
      std::to_chars(buf, buf + sizeof buf - 1, std::fabs(value), std::chars_format::scientific, 14);
  *r.ptr = '\0';
  Decimal d;
  const char* p = buf;
  for (; *p != 'e' && *p != '\0'; ++p)
    if (*p >= '0' && *p <= '9') d.digits += *p;
  if (*p == 'e') d.exponent = std::atoi(p + 1);
  return d;
}

std::string fixEFormat(std::string s) {
  // "1e-05" -> "1E-05", as the program has always written exponents.
  for (char& c : s)
    if (c == 'e') c = 'E';
  return s;
}

}  // namespace

std::string formatFixed(double value, int decimals) {
  if (!std::isfinite(value)) return "--";
  if (decimals < 0) decimals = 0;
  if (value == 0) {
    std::string s = "0";
    if (decimals > 0) s += "." + std::string(static_cast<std::size_t>(decimals), '0');
    return s;
  }
  const Decimal d = toDecimal15(value);
  // Integer digits and fraction digits of the 15-digit form, as one digit string with the
  // point placed after `intLen` digits.
  std::string all;
  int intLen;
  if (d.exponent >= 0) {
    all = d.digits;
    intLen = d.exponent + 1;
    while (static_cast<int>(all.size()) < intLen) all += '0';
  } else {
    all = std::string(static_cast<std::size_t>(-d.exponent), '0') + d.digits;
    intLen = 1;  // the leading zero
  }
  const int keep = intLen + decimals;
  while (static_cast<int>(all.size()) <= keep) all += '0';
  bool roundUp = all[static_cast<std::size_t>(keep)] >= '5';
  std::string kept = all.substr(0, static_cast<std::size_t>(keep));
  if (roundUp) {
    int i = keep - 1;
    for (; i >= 0; --i) {
      if (kept[static_cast<std::size_t>(i)] == '9') {
        kept[static_cast<std::size_t>(i)] = '0';
      } else {
        ++kept[static_cast<std::size_t>(i)];
        break;
      }
    }
    if (i < 0) {
      kept.insert(kept.begin(), '1');
      ++intLen;
    }
  }
  std::string intPart = kept.substr(0, static_cast<std::size_t>(intLen));
  std::string frac = kept.substr(static_cast<std::size_t>(intLen));
  const auto nz = intPart.find_first_not_of('0');
  intPart = nz == std::string::npos ? "0" : intPart.substr(nz);
  const bool allZero = intPart == "0" && frac.find_first_not_of('0') == std::string::npos;
  std::string out = (value < 0 && !allZero) ? "-" : "";
  out += intPart;
  if (decimals > 0) out += "." + frac;
  return out;
}

std::string formatGeneral(double value) {
  if (!std::isfinite(value)) return "--";
  if (value == 0) return "0";
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf - 1, value, std::chars_format::general, 15);
  *r.ptr = '\0';
  return fixEFormat(buf);
}

std::string formatFileNumber(double value) {
  std::string s = formatGeneral(value);
  if (s.rfind("0.", 0) == 0)
    s.erase(0, 1);
  else if (s.rfind("-0.", 0) == 0)
    s.erase(1, 1);
  return s;
}

std::string formatPlain(double value) {
  std::string s = formatFileNumber(value);
  if (!s.empty() && s[0] != '-') s.insert(s.begin(), ' ');
  return s;
}

namespace {

/// The leading number of a text; outOfRange tells a number too large for a double apart from
/// text without a number, which both read 0.
double readLeadingNumber(std::string_view text, bool& outOfRange) noexcept {
  outOfRange = false;
  // Gather the characters that form the number, skipping blanks wherever they stand.
  std::string num;
  std::size_t i = 0;
  auto skipBlanks = [&] {
    while (i < text.size() &&
           (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r'))
      ++i;
  };
  skipBlanks();
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) num += text[i++];
  bool digits = false, point = false;
  for (;;) {
    skipBlanks();
    if (i >= text.size()) break;
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      num += c;
      digits = true;
      ++i;
    } else if (c == '.' && !point) {
      num += c;
      point = true;
      ++i;
    } else {
      break;
    }
  }
  if (!digits) return 0;
  // Exponent, taken only when digits follow it.
  skipBlanks();
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    std::size_t j = i + 1;
    std::string exp = "e";
    while (j < text.size() && text[j] == ' ') ++j;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exp += text[j++];
    bool expDigits = false;
    while (j < text.size() && ((text[j] >= '0' && text[j] <= '9') || text[j] == ' ')) {
      if (text[j] != ' ') {
        exp += text[j];
        expDigits = true;
      }
      ++j;
    }
    if (expDigits) num += exp;
  }
  if (num[0] == '+') num.erase(0, 1);  // from_chars takes no plus sign
  double v = 0;
  const auto r = std::from_chars(num.data(), num.data() + num.size(), v);
  if (r.ec != std::errc() || !std::isfinite(v)) {
    // Too large for a double is no number a box can mean; too small (an exponent below -307)
    // is simply zero.
    outOfRange = num.find("e-") == std::string::npos;
    return 0;
  }
  return v;
}

}  // namespace

double readNumber(std::string_view text) noexcept {
  bool outOfRange = false;
  return readLeadingNumber(text, outOfRange);
}

bool readsOutOfRange(std::string_view text) noexcept {
  bool outOfRange = false;
  readLeadingNumber(text, outOfRange);
  return outOfRange;
}

bool readWholeNumber(std::string_view s, double& v) noexcept {
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);  // from_chars takes no plus sign
  if (s.empty()) return false;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  return r.ec == std::errc() && r.ptr == s.data() + s.size() && std::isfinite(v);
}

}  // namespace tarsek
